#pragma once

#include <QCursor>
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <functional>

class QScrollBar;
class ScrollImageView;

// A panel showing one picture, scaled to fit with its proportions kept, or at its natural size
// with scroll bars and dragging with the left button when it is larger than the panel.
class ScrollImage : public QFrame {
    Q_OBJECT
public:
    enum BevelKind { bvNone, bvLowered, bvRaised };

    static constexpr int kGrabCursor = 15; // "grab": the picture can be dragged
    static constexpr int kMoveCursor = 16; // "move": dragging

    explicit ScrollImage(QWidget* parent = nullptr);

    QImage Picture() const { return picture_; }
    void setPicture(const QImage& picture);
    bool Scaled() const { return scaled_; }
    void setScaled(bool on);
    // In scaled mode, a picture smaller than the panel may grow past its natural size.
    bool AllowOverSize() const { return allowOverSize_; }
    void setAllowOverSize(bool on);
    BevelKind Bevel() const { return bevel_; }
    void setBevel(BevelKind bevel);

    // Where cursors 15 and 16 come from: the program's cursor table; open and closed hands
    // until one is given.
    void setCursorSource(std::function<QCursor(int)> source);

    // The inner image, its placement and whether it stretches its picture.
    QWidget* image() const;
    QRect imageGeometry() const;
    bool stretched() const;
    int imageCursorIndex() const { return imageCursor_; } // 0: the default
    QScrollBar* horizontalBar() const { return hbar_; }
    QScrollBar* verticalBar() const { return vbar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class ScrollImageView;
    void Layout();
    void imageMouseDown(QMouseEvent* event);
    void imageMouseMove(QMouseEvent* event);
    void imageMouseUp(QMouseEvent* event);
    bool draggable() const;
    void setImageCursor(int index);
    void setRange(QScrollBar* bar, int range);
    void placeImage();

    QImage picture_;
    bool scaled_ = false;
    bool allowOverSize_ = false;
    BevelKind bevel_ = bvLowered;
    bool layoutNeeded_ = true;
    QPoint grab_{-1, -1};
    int imageCursor_ = 0;
    std::function<QCursor(int)> cursors_;

    ScrollImageView* view_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
};
