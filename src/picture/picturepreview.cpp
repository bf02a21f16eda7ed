#include "picture/picturepreview.h"

#include "controls/scrollimage.h"
#include "picture/state.h"
#include "picture/tiles.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

namespace {
constexpr int kBarHeight = 33;
}

PicturePreview::PicturePreview(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fmpcheat"));
    setWindowTitle(QStringLiteral("Puzzle preview"));
    Panel7 = new QWidget(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    btnclose = new QToolButton(Panel7);
    btnclose->setObjectName(QStringLiteral("btnclose"));
    btnclose->setToolTip(QStringLiteral("Close"));
    btnclose->setIcon(QIcon(QStringLiteral(":/icons/close.png")));
    btnclose->setIconSize(QSize(21, 21));
    btnclose->setAutoRaise(true);
    btnclose->setGeometry(5, 4, 25, 25);
    connect(btnclose, &QToolButton::clicked, this, &PicturePreview::btncloseClick);

    imcheat = new ScrollImage(this);
    imcheat->setObjectName(QStringLiteral("imcheat"));
    imcheat->setScaled(true);
    imcheat->setAllowOverSize(true);
    imcheat->setBevel(ScrollImage::bvNone);
    imcheat->setPicture(picture::BlackPicture(picture::kCanvasWidth, picture::kCanvasHeight));

    // Carried by the window; nothing draws them.
    for (const char* name : {"imblank", "immaze", "imnoborder", "imkey"}) {
        auto* hidden = new QLabel(this);
        hidden->setObjectName(QString::fromLatin1(name));
        hidden->setGeometry(0, 0, 300, 300);
        hidden->hide();
    }
    resize(204, 184);

    frameWait_.setInterval(50);
    connect(&frameWait_, &QTimer::timeout, this, &PicturePreview::fitFrame);
}

void PicturePreview::setVisible(bool visible)
{
    // A frame known before the first showing means the sizes given so far were inner sizes.
    if (visible && !frameFitted_ && frameGeometry() != geometry())
        frameFitted_ = true;
    QWidget::setVisible(visible);
    if (visible && !frameFitted_) {
        frameTicks_ = 0;
        fitFrame();
        if (!frameFitted_)
            frameWait_.start();
    }
}

void PicturePreview::fitFrame()
{
    const QSize frame = frameGeometry().size() - size();
    const bool known = frame.width() > 0 || frame.height() > 0;
    // The window manager reports the frame a little after mapping; some never do.
    if (!known && isVisible() && ++frameTicks_ <= 100)
        return;
    frameWait_.stop();
    if (!isVisible())
        return;
    frameFitted_ = true;
    if (!known)
        return;
    const QSize outer = size();
    resize(outer - frame);
    const QVariant autoCentre = property("autoCentre");
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && (!autoCentre.isValid() || autoCentre.toBool()))
        move(screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2));
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
