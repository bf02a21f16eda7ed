#include "picture/picturepreview.h"

#include "controls/placement.h"
#include "controls/scrollimage.h"
#include "controls/toolstrip.h"
#include "picture/state.h"
#include "picture/tiles.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <cmath>

namespace {

constexpr int kBarHeight = 33;

} // namespace

QSize PicturePreview::FirstSize(int frameWidth)
{
    // The scaled picture takes the whole width when the panel is a little higher than the
    // picture's proportion asks; at that height or lower, the height would limit it instead.
    const int width = kFirstOuterWidth - frameWidth;
    const int pictureHeight = static_cast<int>(std::nearbyint(width * double(picture::kCanvasHeight) / picture::kCanvasWidth));
    return QSize(width, kBarHeight + pictureHeight + 1);
}

PicturePreview::PicturePreview(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fmpcheat"));
    setWindowTitle(QStringLiteral("Puzzle preview"));
    Panel7 = new QWidget(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    toolstrip::Build(Panel7, {{&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }}});

    imcheat = new ScrollImage(this);
    imcheat->setObjectName(QStringLiteral("imcheat"));
    imcheat->setScaled(true);
    imcheat->setAllowOverSize(true);
    imcheat->setBevel(ScrollImage::bvNone);
    imcheat->setPicture(picture::BlackPicture(picture::kCanvasWidth, picture::kCanvasHeight));

    // Until a frame is known, the inside is the whole window.
    resize(FirstSize(0));

    frameWait_.setInterval(50);
    connect(&frameWait_, &QTimer::timeout, this, &PicturePreview::fitFirstSize);
}

void PicturePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || shownBefore_)
        return;
    shownBefore_ = true;
    const QVariant autoCentre = property("autoCentre");
    if (autoCentre.isValid() && !autoCentre.toBool())
        return;
    placement::CentreOnScreen(this);
    frameTicks_ = 0;
    frameWait_.start();
}

void PicturePreview::fitFirstSize()
{
    const QRect frame = frameGeometry();
    const QRect inside = geometry();
    const bool known = frame.size() != inside.size();
    // The window manager reports the frame a little after mapping; some never do.
    if (!known && isVisible() && ++frameTicks_ <= 100)
        return;
    frameWait_.stop();
    if (!known || !isVisible())
        return;
    const QSize size = FirstSize(frame.width() - inside.width());
    const QSize outer = size + frame.size() - inside.size();
    QPoint corner = frame.topLeft();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        corner = screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
    // Place and size in one step, by the inside: the frame keeps its corner where it is put.
    setGeometry(QRect(corner + (inside.topLeft() - frame.topLeft()), size));
}

void PicturePreview::setPicture(const QImage& picture)
{
    imcheat->setPicture(picture);
}

QImage PicturePreview::picture() const
{
    return imcheat->Picture();
}

void PicturePreview::btncloseClick()
{
    close();
}

void PicturePreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Panel7->setGeometry(0, 0, width(), kBarHeight);
    imcheat->setGeometry(0, kBarHeight, width(), std::max(0, height() - kBarHeight));
}
