#include "controls/scrollimage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace {

// Halves go to the even neighbour.
int nearest(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

} // namespace

// The inner image: draws the picture stretched to its size or at its natural size, and hands
// its mouse events to the control.
class ScrollImageView : public QWidget {
public:
    explicit ScrollImageView(ScrollImage* owner) : QWidget(owner), owner_(owner)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    bool stretch = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        const QImage& picture = owner_->picture_;
        if (picture.isNull())
            return;
        if (stretch) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), picture);
        } else {
            painter.drawImage(0, 0, picture);
        }
    }
    void mousePressEvent(QMouseEvent* event) override { owner_->imageMouseDown(event); }
    void mouseMoveEvent(QMouseEvent* event) override { owner_->imageMouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { owner_->imageMouseUp(event); }

private:
    ScrollImage* owner_;
};

ScrollImage::ScrollImage(QWidget* parent) : QFrame(parent)
{
    view_ = new ScrollImageView(this);
    view_->setObjectName(QStringLiteral("image"));
    view_->setGeometry(1, 1, 0, 0);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    hbar_->setObjectName(QStringLiteral("horizontalBar"));
    vbar_ = new QScrollBar(Qt::Vertical, this);
    vbar_->setObjectName(QStringLiteral("verticalBar"));
    hbar_->setPageStep(64);
    vbar_->setPageStep(48);
    hbar_->setMaximum(0);
    vbar_->setMaximum(0);
    hbar_->hide();
    vbar_->hide();
    connect(hbar_, &QScrollBar::valueChanged, this, &ScrollImage::placeImage);
    connect(vbar_, &QScrollBar::valueChanged, this, &ScrollImage::placeImage);
    setBevel(bvLowered);
    resize(105, 105);
    hbar_->setGeometry(0, 88, 100, hbar_->sizeHint().height());
    vbar_->setGeometry(88, 0, vbar_->sizeHint().width(), 88);
    setCursorSource(nullptr);
}

void ScrollImage::setCursorSource(std::function<QCursor(int)> source)
{
    cursors_ = source ? std::move(source) : [](int index) {
        return QCursor(index == kMoveCursor ? Qt::ClosedHandCursor : Qt::OpenHandCursor);
    };
    setImageCursor(imageCursor_);
}

QWidget* ScrollImage::image() const
{
    return view_;
}

QRect ScrollImage::imageGeometry() const
{
    return view_->geometry();
}

bool ScrollImage::stretched() const
{
    return view_->stretch;
}

void ScrollImage::setPicture(const QImage& picture)
{
    picture_ = picture;
    Layout();
}

void ScrollImage::setScaled(bool on)
{
    scaled_ = on;
    Layout();
}

void ScrollImage::setAllowOverSize(bool on)
{
    allowOverSize_ = on;
    if (!on)
        view_->resize(picture_.size());
    if (scaled_)
        Layout();
}

void ScrollImage::setBevel(BevelKind bevel)
{
    bevel_ = bevel;
    if (bevel == bvNone) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        setFrameStyle(QFrame::Panel | (bevel == bvLowered ? QFrame::Sunken : QFrame::Raised));
        setLineWidth(1);
    }
}

void ScrollImage::setImageCursor(int index)
{
    imageCursor_ = index;
    if (index == 0)
        view_->unsetCursor();
    else
        view_->setCursor(cursors_(index));
}

void ScrollImage::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    const int barWidth = vbar_->sizeHint().width();
    const int barHeight = hbar_->sizeHint().height();
    vbar_->setGeometry(width() - barWidth, 0, barWidth, std::max(0, height() - barHeight));
    hbar_->setGeometry(0, height() - barHeight, width(), barHeight);
    Layout();
}

void ScrollImage::paintEvent(QPaintEvent* event)
{
    if (layoutNeeded_) {
        layoutNeeded_ = false;
        Layout();
    }
    QFrame::paintEvent(event);
}

void ScrollImage::setRange(QScrollBar* bar, int range)
{
    bar->setMaximum(std::max(0, range));
}

void ScrollImage::Layout()
{
    const int pw = picture_.width();
    const int ph = picture_.height();
    const int cw = width();
    const int ch = height();
    int iw = 0;
    int ih = 0;
    if (!picture_.isNull()) {
        const int aspect = nearest(static_cast<double>(ph) / pw * 10000);
        int w = (!scaled_ || (!allowOverSize_ && pw < cw - 2)) ? pw + 2 : cw;
        int h = nearest(static_cast<double>(w) * aspect / 10000);
        if (ch <= h) {
            h = ch;
            if (aspect > 0)
                w = nearest(static_cast<double>(ch) / aspect * 10000);
        }
        if (!scaled_ && (pw > cw - 2 || ph > ch - 2)) {
            iw = pw;
            ih = ph;
        } else {
            const bool capped = scaled_ && !allowOverSize_;
            iw = capped && w > pw ? pw : w - 2;
            ih = capped && h > ph ? ph : h - 2;
        }
        // A panel under two pixels leaves nothing to show.
        iw = std::max(0, iw);
        ih = std::max(0, ih);
    }
    view_->resize(iw, ih);

    if (scaled_ && !allowOverSize_)
        view_->stretch = !(iw < cw - 2 && ih < ch - 2);
    else
        view_->stretch = scaled_;

    const bool fits = pw <= cw - 2 && ph <= ch - 2;
    if (scaled_ || fits || picture_.isNull()) {
        hbar_->setValue(0);
        vbar_->setValue(0);
        hbar_->hide();
        vbar_->hide();
        setImageCursor(0);
    } else {
        hbar_->show();
        vbar_->show();
        setImageCursor(kGrabCursor);
    }
    const int vbarWidth = vbar_->width();
    const int hbarHeight = hbar_->height();
    setRange(hbar_, pw >= cw - vbarWidth - 1 ? pw - (cw - 2) + vbarWidth : 0);
    setRange(vbar_, ph >= ch - hbarHeight - 1 ? ph - (ch - 2) + hbarHeight : 0);
    placeImage();
    view_->update();
}

void ScrollImage::placeImage()
{
    view_->move(1 - hbar_->value(), 1 - vbar_->value());
}

bool ScrollImage::draggable() const
{
    return !scaled_ && !vbar_->isHidden();
}

void ScrollImage::imageMouseDown(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && draggable()) {
        grab_ = event->position().toPoint();
        QApplication::setOverrideCursor(cursors_(kMoveCursor));
    }
}

void ScrollImage::imageMouseMove(QMouseEvent* event)
{
    if (grab_.x() < 0 || !draggable())
        return;
    // Both points are on the picture, whose left and top are 1 - position: the grabbed point
    // stays one pixel up and left of the mouse, from the first move on.
    const QPoint at = event->position().toPoint();
    const QRect image = view_->geometry();
    hbar_->setValue(grab_.x() - at.x() - image.left());
    vbar_->setValue(grab_.y() - at.y() - image.top());
}

void ScrollImage::imageMouseUp(QMouseEvent*)
{
    if (grab_.x() >= 0) {
        grab_ = QPoint(-1, -1);
        QApplication::restoreOverrideCursor();
    }
}
