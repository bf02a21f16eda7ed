#include "wordsearch/wordsearchkeywindow.h"

#include "controls/toolstrip.h"

#include "controls/placement.h"
#include "platform/colours.h"
#include "shell/program.h"
#include "shell/desk.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/gridview.h"
#include "wordsearch/windowsizes.h"
#include "wordsearch/wordsearchwindow.h"

#include <QApplication>
#include <QIcon>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

namespace {

constexpr int kTopMargin = 38;
constexpr int kStripHeight = 33;
constexpr int kMargin = 5;
constexpr int kButtonSize = 25;


} // namespace

WordSearchKeyWindow::WordSearchKeyWindow(Program& program, Desk& desk, wordsearch::WordSearchState& state,
                                         const QWidget* owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint),
      program_(program), desk_(desk), owner_(owner), state_(state), screenSize_(placement::PrimaryScreenSize)
{
    setObjectName(QStringLiteral("fmanswers"));
    // Stored bounds may change its size, and so its zoom.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Key"));

    panh2 = new QWidget(this);
    panh2->setObjectName(QStringLiteral("panh2"));
    panbuttons = new QWidget(panh2);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    toolstrip::Build(panbuttons, {
        {&SpeedButton2, "SpeedButton2", "smaller", "Decrease the puzzle size", [this] { makeSmaller(); }},
        {&SpeedButton3, "SpeedButton3", "larger", "Increase the puzzle size", [this] { makeLarger(); }},
        {&SpeedButton1, "SpeedButton1", "close", "Close", [this] { close(); }, 8},
    }, {kMargin, (kStripHeight - kButtonSize) / 2, kButtonSize});

    imanswer = new GridView(this);
    imanswer->setObjectName(QStringLiteral("imanswer"));

    FormCreate();
}

void WordSearchKeyWindow::FormCreate()
{
    keyPicture_ = wordsearch::BlankPicture();
    imanswer->setPicture(keyPicture_);
    setPictureSize(wordsearch::kPicturePixels);
}

void WordSearchKeyWindow::setPictureSize(int pixels)
{
    zoom_ = wordsearch::ZoomOf(pixels);
    const int width = kMarginWidth + pixels;
    const int height = kMarginHeight + pixels;
    panh2->setGeometry(0, 0, width, kTopMargin);
    panbuttons->setGeometry(0, 0, width, kStripHeight);
    imanswer->setGeometry(kMargin, kTopMargin, pixels, pixels);
    setFixedSize(width, height);
}

void WordSearchKeyWindow::resizeEvent(QResizeEvent* event)
{
    // A size given from outside (stored bounds) picks the matching zoom.
    QWidget::resizeEvent(event);
    const int pixels = wordsearch::PicturePixelsForRoom(width() - kMarginWidth);
    if (pixels != imanswer->width() || size() != QSize(kMarginWidth + pixels, kMarginHeight + pixels))
        setPictureSize(pixels);
}

void WordSearchKeyWindow::PaintKey(const QImage& letters)
{
    const QColor highlight = ToQColor(program_.settings.effectiveHighlight);
    keyPicture_ = wordsearch::KeyPicture(state_.puzzle, letters, highlight);
    imanswer->setDrawing(wordsearch::KeyDrawing(state_.puzzle, highlight));
}

void WordSearchKeyWindow::showEvent(QShowEvent* event)
{
    if (!placed_)
        placeFirstTime();
    placed_ = true;
    QWidget::showEvent(event);
    qApp->installEventFilter(this);
    keepOnTop(!modalShown(this));
}

void WordSearchKeyWindow::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

void WordSearchKeyWindow::placeFirstTime()
{
    const QVariant autoCentre = property("autoCentre");
    if (autoCentre.isValid() && !autoCentre.toBool())
        return; // stored bounds placed it
    // Beside the play window, so that the key hides none of the grid; its frame is taken to be
    // as thick as the play window's, since its own is not known before it is shown.
    if (const QWidget* owner = owner_; owner && owner->isVisible()) {
        const QRect area = screenArea_ ? screenArea_()
                           : owner->screen() ? owner->screen()->availableGeometry()
                                             : QRect();
        const QSize frame = owner->frameGeometry().size() - owner->size();
        if (const std::optional<QPoint> at = placement::PlaceBeside(area, owner->frameGeometry(), size() + frame)) {
            // Placed by its inside: the frame a window manager puts around a window not yet
            // shown is not known, and so a place that includes it would be off by its size.
            const QPoint inside = owner->geometry().topLeft() - owner->frameGeometry().topLeft();
            setGeometry(QRect(*at + inside, size()));
            return;
        }
    }
    placement::CentreOnScreen(this);
}

bool WordSearchKeyWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w != this && w->isWindow() && w->isModal())
            keepOnTop(event->type() == QEvent::Hide && !modalShown(w));
    }
    return QWidget::eventFilter(watched, event);
}

bool WordSearchKeyWindow::modalShown(const QWidget* except)
{
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [except](const QWidget* w) { return w != except && w->isVisible() && w->isModal(); });
}

void WordSearchKeyWindow::keepOnTop(bool onTop)
{
    QWindow* handle = windowHandle();
    if (handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
}

void WordSearchKeyWindow::makeSmaller()
{
    setPictureSize(wordsearch::SmallerPicture(imanswer->width()));
}

void WordSearchKeyWindow::makeLarger()
{
    // The key grows when either screen dimension has room; the play window needs both.
    const QSize frame = frameGeometry().size() - size();
    const int pixels = wordsearch::LargerKeyPicture(imanswer->width(), screenSize_(), frame,
                                                    QSize(kMarginWidth, kMarginHeight));
    if (pixels != imanswer->width())
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
}
