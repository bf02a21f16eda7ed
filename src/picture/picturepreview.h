#pragma once

#include <QImage>
#include <QSize>
#include <QTimer>
#include <QWidget>

class ScrollImage;
class QToolButton;

// "Puzzle preview": the solved picture, scaled to the window, on top of the others.
class PicturePreview : public QWidget {
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    QImage picture() const;
    ScrollImage* scrollImage() const { return imcheat; }

    // The outer width the preview first opens with; its height is what the picture needs.
    static constexpr int kFirstOuterWidth = 204;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The inside of the first size, for a frame this many pixels wider than the inside.
    static QSize FirstSize(int frameWidth);
    void btncloseClick();
    void fitFirstSize();

    // The first showing without stored bounds waits for the window manager's frame, then takes
    // the first size and the middle of the screen; a size from stored bounds is kept as it is.
    bool shownBefore_ = false;
    QTimer frameWait_;
    int frameTicks_ = 0;
    QWidget* Panel7 = nullptr;
    QToolButton* btnclose = nullptr;
    ScrollImage* imcheat = nullptr;
};
