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
// Pictures arrive decoded (QImage), so there is no loading whose progress it could report.
class ScrollImage : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture NOTIFY OnChange)
    Q_PROPERTY(bool Scaled READ Scaled WRITE setScaled)
    Q_PROPERTY(bool AllowOverSize READ AllowOverSize WRITE setAllowOverSize)
    Q_PROPERTY(bool GrabMode READ GrabMode WRITE setGrabMode)
    Q_PROPERTY(bool TrackView READ TrackView WRITE setTrackView)
    Q_PROPERTY(QString HintPicture READ HintPicture WRITE setHintPicture)
    Q_PROPERTY(QString HintScrollBar READ HintScrollBar WRITE setHintScrollBar)
    Q_PROPERTY(BevelKind Bevel READ Bevel WRITE setBevel)

public:
    enum BevelKind { bvNone, bvLowered, bvRaised };
    Q_ENUM(BevelKind)

    static constexpr int kGrabCursor = 15; // "grab": the picture can be dragged
    static constexpr int kMoveCursor = 16; // "move": dragging

    explicit ScrollImage(QWidget* parent = nullptr);

    QImage Picture() const { return picture_; }
    void setPicture(const QImage& picture);
    bool Scaled() const { return scaled_; }
    void setScaled(bool on);
    bool AllowOverSize() const { return allowOverSize_; }
    void setAllowOverSize(bool on);
    bool GrabMode() const { return grabMode_; }
    void setGrabMode(bool on);
    bool TrackView() const { return trackView_; }
    void setTrackView(bool on) { trackView_ = on; }
    QString HintPicture() const { return hintPicture_; }
    void setHintPicture(const QString& hint);
    QString HintScrollBar() const { return hintScrollBar_; }
    void setHintScrollBar(const QString& hint);
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

    void Layout();

signals:
    void OnChange();
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class ScrollImageView;
    void imageMouseDown(QMouseEvent* event);
    void imageMouseMove(QMouseEvent* event);
    void imageMouseUp(QMouseEvent* event);
    void setImageCursor(int index);
    void setRange(QScrollBar* bar, int range);
    void placeImage();

    QImage picture_;
    bool scaled_ = false;
    bool allowOverSize_ = false;
    bool grabMode_ = true;
    bool trackView_ = false;
    QString hintPicture_;
    QString hintScrollBar_;
    BevelKind bevel_ = bvLowered;
    bool layoutNeeded_ = true;
    QPoint grab_{-1, -1};
    int imageCursor_ = 0;
    std::function<QCursor(int)> cursors_;

    ScrollImageView* view_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
};
