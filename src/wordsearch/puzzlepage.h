#pragma once

#include <QWidget>
#include <array>

class PagePicture;
class QLabel;

// The word search's printed puzzle page: the title, the framed grid without highlights and
// every word in three columns. A white, borderless page window that is never shown.
class WordSearchPuzzlePage : public QWidget {
    Q_OBJECT
public:
    explicit WordSearchPuzzlePage(QWidget* parent = nullptr);

    static constexpr int kWordLabels = 64;

    QLabel* lbltitle = nullptr;
    QWidget* Panel1 = nullptr;
    PagePicture* immain = nullptr;
    std::array<QLabel*, kWordLabels> words{}; // l0 to l63
    QLabel* Label2 = nullptr;
};
