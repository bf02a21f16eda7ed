#include "wordsearch/wordsearchkeywindow.h"

#include "controls/placement.h"

#include "shell/program.h"
#include "shell/windows.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/windowsizes.h"
#include "platform/colours.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QResizeEvent>
#include <QShowEvent>
#include <QToolButton>

namespace {

constexpr int kTopMargin = 38;
constexpr int kStripHeight = 33;
constexpr int kMargin = 5;
constexpr int kButtonSize = 25;

QToolButton* stripButton(QWidget* strip, const QString& name, const QString& icon, const QString& hint, int left)
{
    auto* button = new QToolButton(strip);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".png")));
    button->setIconSize(QSize(21, 21));
    button->setAutoRaise(true);
    button->setGeometry(left, (kStripHeight - kButtonSize) / 2, kButtonSize, kButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}


} // namespace

WordSearchKeyWindow::WordSearchKeyWindow(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint),
      program_(program), windows_(windows), state_(state), screenSize_(placement::PrimaryScreenSize)
{
    setObjectName(QStringLiteral("fmanswers"));
    // Stored bounds may change its size, and so its zoom.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Key"));

    panh2 = new QWidget(this);
    panh2->setObjectName(QStringLiteral("panh2"));
    panbuttons = new QWidget(panh2);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    SpeedButton2 = stripButton(panbuttons, QStringLiteral("SpeedButton2"), QStringLiteral("smaller"),
                               QStringLiteral("Decrease the puzzle size"), kMargin);
    SpeedButton3 = stripButton(panbuttons, QStringLiteral("SpeedButton3"), QStringLiteral("larger"),
                               QStringLiteral("Increase the puzzle size"), kMargin + kButtonSize);
    SpeedButton1 = stripButton(panbuttons, QStringLiteral("SpeedButton1"), QStringLiteral("close"),
                               QStringLiteral("Close"), kMargin + 2 * kButtonSize + 8);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    imanswer = new QLabel(this);
    imanswer->setObjectName(QStringLiteral("imanswer"));
    imanswer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    FormCreate();
}

void WordSearchKeyWindow::FormCreate()
{
    imanswerPicture_ = wordsearch::BlankPicture();
    setPictureSize(wordsearch::kPicturePixels);
}

void WordSearchKeyWindow::setPictureSize(int pixels)
{
    zoom_ = pixels / wordsearch::kPicturePixels;
    const int width = kMarginWidth + pixels;
    const int height = kMarginHeight + pixels;
    panh2->setGeometry(0, 0, width, kTopMargin);
    panbuttons->setGeometry(0, 0, width, kStripHeight);
    imanswer->setGeometry(kMargin, kTopMargin, pixels, pixels);
    setFixedSize(width, height);
    refreshPicture();
}

void WordSearchKeyWindow::resizeEvent(QResizeEvent* event)
{
    // A size given from outside (stored bounds) picks the matching zoom.
    QWidget::resizeEvent(event);
    const int pixels = wordsearch::PicturePixelsForRoom(width() - kMarginWidth);
    if (pixels != imanswer->width() || size() != QSize(kMarginWidth + pixels, kMarginHeight + pixels))
        setPictureSize(pixels);
}

void WordSearchKeyWindow::refreshPicture()
{
    const int pixels = wordsearch::kPicturePixels * zoom_;
    imanswer->setPixmap(QPixmap::fromImage(
        imanswerPicture_.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void WordSearchKeyWindow::PaintKey(const QImage& letters)
{
    imanswerPicture_ = wordsearch::KeyPicture(state_.puzzle, letters, ToQColor(program_.settings.effectiveHighlight));
    refreshPicture();
}

void WordSearchKeyWindow::showEvent(QShowEvent* event)
{
    if (!centred_)
        placement::CentreUnlessPlaced(this);
    centred_ = true;
    QWidget::showEvent(event);
}

void WordSearchKeyWindow::SpeedButton1Click()
{
    close();
}

void WordSearchKeyWindow::SpeedButton2Click()
{
    const int pixels = imanswer->width();
    setPictureSize(pixels == 900 || imanswer->height() == 900 ? 600 : 300);
}

void WordSearchKeyWindow::SpeedButton3Click()
{
    // The key grows when either screen dimension has room; the play window needs both.
    const QSize screen = screenSize_();
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    const int pixels = imanswer->width();
    if (pixels == 300) {
        if (!(screen.width() - frameWidth <= kMarginWidth + 600 && screen.height() - frameHeight <= kMarginHeight + 600))
            setPictureSize(600);
    } else if (pixels == 600) {
        if (!(screen.width() - 50 <= kMarginWidth + 900 && screen.height() - 50 <= kMarginHeight + 900))
            setPictureSize(900);
    }
    placement::KeepOnScreen(this);
}
