#pragma once

#include <QWidget>

class PagePicture;
class QLabel;

// The word search's printed key page: the title with "<KEY>" and the framed key picture.
// A white, borderless page window that is never shown.
class WordSearchKeyPage : public QWidget {
    Q_OBJECT
public:
    explicit WordSearchKeyPage(QWidget* parent = nullptr);

    QLabel* lbltitle = nullptr;
    QWidget* Panel1 = nullptr;
    PagePicture* immain = nullptr;
    QLabel* Label2 = nullptr;
};
