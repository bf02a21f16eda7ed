#include "maze/mazekeywindow.h"

#include "controls/toolstrip.h"

#include "controls/placement.h"
#include "maze/mazegame.h"
#include "maze/mazepicture.h"
#include "maze/mazepictureview.h"
#include "maze/mazewindow.h"
#include "maze/windowparts.h"
#include "maze/windowsize.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/desk.h"

#include <QApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

using namespace maze;

namespace {
constexpr int kButtonSize = 25;
constexpr int kGapToMaze = 8;
} // namespace

MazeKeyWindow::MazeKeyWindow(Program& program, Desk& desk, const QWidget* maze)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint),
      program_(program), desk_(desk), maze_(maze), screenSize_(placement::PrimaryScreenSize)
{
    setObjectName(QStringLiteral("fmmzkey"));
    // Stored bounds may change its size, and so its picture size.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Key"));
    // The key is seldom the active window (the maze has the keys), yet its buttons explain themselves.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    panbuttons = new QWidget(this);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    toolstrip::Build(panbuttons, {
        {&btnSmaller, "btnSmaller", "smaller", "Decrease the puzzle size", [this] { btnSmallerClick(); }},
        {&btnLarger, "btnLarger", "larger", "increase the puzzle size", [this] { btnLargerClick(); }},
        {&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }, 8},
    });

    panh2 = WhitePanel(QStringLiteral("panh2"), this);
    panh1 = WhitePanel(QStringLiteral("panh1"), this);
    panw2 = WhitePanel(QStringLiteral("panw2"), this);
    panw1 = WhitePanel(QStringLiteral("panw1"), this);
    imanswer = new MazePictureView(this);
    imanswer->setObjectName(QStringLiteral("imanswer"));
    imanswer->setPicture(BlankMazePicture(kEasy));
    setPictureSize(300);

    // A box shown while the key is up (the maze's "Puzzle complete", a load error) opens in the
    // normal layer; the key steps down from the top layer while such a box is up, so it never
    // hides one. Its own boxes sit above it anyway.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { stayUnderOtherBoxes(); });
}

MazeWindowFrame MazeKeyWindow::frame() const
{
    return MazeWindowFrame{panbuttons, panh2, panh1, panw1, panw2, imanswer};
}

void MazeKeyWindow::setPictureSize(int pixels)
{
    frame().layOut(this, pixels);
}

void MazeKeyWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    frame().fitTo(this);
}

void MazeKeyWindow::DrawKey(const MazeGame& game)
{
    imanswer->setPicture(game.keyPicture());
}

void MazeKeyWindow::showEvent(QShowEvent* event)
{
    if (!placed_) {
        const QVariant autoCentre = property("autoCentre");
        if ((!autoCentre.isValid() || autoCentre.toBool()) && !placeBesideMaze())
            placement::CentreOnScreen(this);
        placed_ = true;
    }
    QWidget::showEvent(event);
}

bool MazeKeyWindow::placeBesideMaze()
{
    const QWidget* maze = maze_;
    if (!maze || !maze->isVisible() || !maze->screen())
        return false;
    // A frame the key has not had yet is taken to be as wide as the maze window's.
    const QRect mazeFrame = maze->frameGeometry();
    const QSize frameSize = size() + (mazeFrame.size() - maze->size());
    const std::optional<QPoint> corner =
        placement::PlaceBeside(maze->screen()->availableGeometry(), mazeFrame, frameSize, kGapToMaze);
    if (!corner)
        return false;
    // The corner is the frame's. A window made but not yet framed by the window system takes
    // a corner as its inside's: give it the inside's place in a frame like the maze's.
    const bool frameUnknown = testAttribute(Qt::WA_WState_Created) && frameGeometry() == geometry();
    move(frameUnknown ? *corner + (maze->geometry().topLeft() - mazeFrame.topLeft()) : *corner);
    return true;
}

void MazeKeyWindow::stayUnderOtherBoxes()
{
    QWindow* window = windowHandle();
    if (!window)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    const bool othersBox = isVisible() && modal && modal->window() != this &&
                           !(modal->parentWidget() && modal->parentWidget()->window() == this);
    if (othersBox != window->flags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    if (box_)
        box_->removeEventFilter(this);
    box_ = othersBox ? modal : nullptr;
    // The window's own flag, not the widget's: changing that would hide and show the key again.
    window->setFlag(Qt::WindowStaysOnTopHint, !othersBox);
    // Focus need not come back anywhere when the box closes: its hiding brings the key back up.
    if (box_)
        box_->installEventFilter(this);
}

bool MazeKeyWindow::event(QEvent* event)
{
    // Another window's box blocks the key the moment it shows: the key steps under it then, not
    // only once the box has the focus.
    if (event->type() == QEvent::WindowBlocked)
        stayUnderOtherBoxes();
    return QWidget::event(event);
}

bool MazeKeyWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::Hide)
        QTimer::singleShot(0, this, [this] { stayUnderOtherBoxes(); });
    return QWidget::eventFilter(watched, event);
}

void MazeKeyWindow::showPictureSize()
{
    program_.boxes.message(QStringLiteral("%1  %2").arg(imanswer->width()).arg(imanswer->height()));
}

void MazeKeyWindow::btnSmallerClick()
{
    setPictureSize(SmallerPictureSize(size()));
    showPictureSize();
}

void MazeKeyWindow::btnLargerClick()
{
    const QSize frameSize = frameGeometry().size() - size();
    if (const int pixels = LargerPictureSize(size(), frameSize, screenSize_()))
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
    showPictureSize();
}

void MazeKeyWindow::btncloseClick()
{
    close();
}
