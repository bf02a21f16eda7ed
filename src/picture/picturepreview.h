#pragma once

#include <QImage>
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

    void btncloseClick();

    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitFrame();

    // Until the window manager has put a frame round the window, its size is the outer size
    // it is meant to have (204 x 184, or the stored one); once the frame is known the inside
    // gives up the frame's room, once.
    bool frameFitted_ = false;
    QTimer frameWait_;
    int frameTicks_ = 0;
    QWidget* Panel7 = nullptr;
    QToolButton* btnclose = nullptr;
    ScrollImage* imcheat = nullptr;
};
