#include "maze/tfmmzkey.h"

#include "controls/placement.h"
#include "maze/mazegrid.h"
#include "maze/mazepicture.h"
#include "maze/mazepictureview.h"
#include "maze/windowsize.h"
#include "platform/messageboxes.h"
#include "shell/program.h"

#include <QGuiApplication>
#include <QIcon>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

using namespace maze;

namespace {

constexpr int kBarHeight = 33;
constexpr int kMargin = 20;
constexpr int kButtonSize = 25;

QSize primaryScreenSize()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QWidget* whitePanel(const char* name, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    return panel;
}

QToolButton* barButton(QWidget* bar, const char* name, const char* icon, const char* hint, int left)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(hint));
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(icon))));
    button->setIconSize(QSize(21, 21));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, (kBarHeight - kButtonSize) / 2, kButtonSize, kButtonSize);
    return button;
}

} // namespace

Tfmmzkey::Tfmmzkey(Program& program, Windows&, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint),
      program_(program), screenSize_(primaryScreenSize)
{
    setObjectName(QStringLiteral("fmmzkey"));
    // Stored bounds may change its size, and so its picture size.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Key"));

    panbuttons = new QWidget(this);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    btnSmaller = barButton(panbuttons, "btnSmaller", "smaller", "Decrease the puzzle size", 5);
    btnLarger = barButton(panbuttons, "btnLarger", "larger", "increase the puzzle size", 5 + kButtonSize);
    btnclose = barButton(panbuttons, "btnclose", "close", "Close", 5 + 2 * kButtonSize + 8);
    connect(btnSmaller, &QToolButton::clicked, this, [this] { btnSmallerClick(); });
    connect(btnLarger, &QToolButton::clicked, this, [this] { btnLargerClick(); });
    connect(btnclose, &QToolButton::clicked, this, [this] { btncloseClick(); });

    panh2 = whitePanel("panh2", this);
    panh1 = whitePanel("panh1", this);
    panw2 = whitePanel("panw2", this);
    panw1 = whitePanel("panw1", this);
    imanswer = new MazePictureView(this);
    imanswer->setObjectName(QStringLiteral("imanswer"));
    imblank = new MazePictureView(this);
    imblank->setObjectName(QStringLiteral("imblank"));
    imblank->hide();
    FormCreate();
}

void Tfmmzkey::FormCreate()
{
    imblank->setPicture(BlankMazePicture(kEasy));
    imanswer->setPicture(imblank->picture());
    setPictureSize(300);
}

void Tfmmzkey::setPictureSize(int pixels)
{
    const int width = kMarginWidth + pixels;
    panbuttons->setGeometry(0, 0, width, kBarHeight);
    panh2->setGeometry(0, kBarHeight, width, kMargin);
    panw1->setGeometry(0, kBarHeight + kMargin, kMargin, pixels);
    imanswer->setGeometry(kMargin, kBarHeight + kMargin, pixels, pixels);
    panw2->setGeometry(kMargin + pixels, kBarHeight + kMargin, kMargin, pixels);
    panh1->setGeometry(0, kBarHeight + kMargin + pixels, width, kMargin);
    setFixedSize(width, kMarginHeight + pixels);
}

void Tfmmzkey::resizeEvent(QResizeEvent* event)
{
    // A size given from outside (stored bounds) picks the matching picture size.
    QWidget::resizeEvent(event);
    const int pixels = PictureSizeForRoom(width() - kMarginWidth);
    if (pixels != imanswer->width())
        setPictureSize(pixels);
}

void Tfmmzkey::SetPicture(const QImage& picture)
{
    imanswer->setPicture(picture);
}

void Tfmmzkey::ClearPicture()
{
    imanswer->picture().fill(Qt::white);
    imanswer->update();
}

const QImage& Tfmmzkey::picture() const
{
    return imanswer->picture();
}

void Tfmmzkey::showEvent(QShowEvent* event)
{
    if (!centred_)
        placement::CentreUnlessPlaced(this);
    centred_ = true;
    QWidget::showEvent(event);
}

void Tfmmzkey::showPictureSize()
{
    program_.boxes.message(QStringLiteral("%1  %2").arg(imanswer->width()).arg(imanswer->height()));
}

void Tfmmzkey::btnSmallerClick()
{
    setPictureSize(SmallerPictureSize(size()));
    showPictureSize();
}

void Tfmmzkey::btnLargerClick()
{
    const QSize frame = frameGeometry().size() - size();
    if (const int pixels = LargerPictureSize(size(), frame, screenSize_()))
        setPictureSize(pixels);
    showPictureSize();
}

void Tfmmzkey::btncloseClick()
{
    close();
}
