#pragma once

#include <QString>
#include <QWidget>

class PagePicture;
class QImage;
class QLabel;

// The maze's printed page, the maze or its key by turns: the title over the picture stretched
// to 600 pixels. A white, borderless page window that is never shown.
class MazePrintPage : public QWidget {
    Q_OBJECT
public:
    explicit MazePrintPage(QWidget* parent = nullptr);

    static constexpr int kWidth = 616;
    static constexpr int kHeight = 703;

    // Fills the page as the maze ("puzzle", or any kind but "key") or as its key, with the title
    // from name as it is. The picture is made n x n, the size of the maze shown, whatever the
    // level now says; the maze or key picture is drawn into it from its top-left corner.
    void FillPrintPage(const QString& kind, const QString& name, int n, const QImage& mazePicture,
                       const QImage& keyPicture);

    QLabel* lblname = nullptr;
    PagePicture* imprint = nullptr;
    QLabel* Label2 = nullptr;
};
