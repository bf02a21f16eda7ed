#pragma once

#include <QDialog>

class LinkOpener;

// "More puzzles": where to find more puzzle packs.
class MoreWindow : public QDialog {
    Q_OBJECT
public:
    explicit MoreWindow(LinkOpener& links, QWidget* parent = nullptr);

    void openMorePuzzlesPage();

private:
    LinkOpener& links_;
};
