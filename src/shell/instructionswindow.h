#pragma once

#include <QDialog>

class Program;
class RichTextPrinter;
struct Desk;
class QLabel;
class QPushButton;
class QTabBar;
class QTextBrowser;

// "Brainloft <Instructions>": the user manual, one formatted page per tab, with page buttons
// and printing of the page shown.
class InstructionsWindow : public QDialog {
    Q_OBJECT
public:
    InstructionsWindow(Program& program, Desk& desk, RichTextPrinter& printer, QWidget* parent = nullptr);

    // Loads the current tab's page; a page that is missing leaves the old one in place.
    void ShowPage();

    void tcInsChange();
    void btnFirstClick();
    void btnBackClick();
    void btnForwardClick();
    void btnLastClick();
    void printPage();

    int lastPage() const { return lastPage_; }

    static constexpr int kMinWidth = 640;
    static constexpr int kMinHeight = 480;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void selectTab(int index);

    Program& program_;
    Desk& desk_;
    RichTextPrinter& printer_;
    int lastPage_ = 4;

    QTabBar* tcIns = nullptr;
    QTextBrowser* reInstructions = nullptr;
    QLabel* paninstructions = nullptr;
};
