#pragma once

#include <QDialog>

class LinkOpener;
class Program;
struct Desk;

// "About Brainloft": the product and its version, the maker's pages and the way to the
// instructions.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(Program& program, Desk& desk, LinkOpener& links, QWidget* parent = nullptr);

    void showInstructions();
    void checkForUpdates();
    void openHomePage();

private:
    Program& program_;
    Desk& desk_;
    LinkOpener& links_;
};
