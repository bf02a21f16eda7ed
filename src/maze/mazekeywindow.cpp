#include "maze/mazekeywindow.h"

#include "controls/placement.h"
#include "maze/mazegrid.h"
#include "maze/mazepicture.h"
#include "maze/mazepictureview.h"
#include "maze/windowparts.h"
#include "maze/windowsize.h"
#include "platform/messageboxes.h"
#include "shell/program.h"

#include <QResizeEvent>
#include <QShowEvent>
#include <QToolButton>

using namespace maze;

namespace {
constexpr int kButtonSize = 25;
} // namespace

MazeKeyWindow::MazeKeyWindow(Program& program, Windows&, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowStaysOnTopHint),
      program_(program), screenSize_(placement::PrimaryScreenSize)
{
    setObjectName(QStringLiteral("fmmzkey"));
    // Stored bounds may change its size, and so its picture size.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Key"));

    panbuttons = new QWidget(this);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    btnSmaller = BarButton(panbuttons, QStringLiteral("btnSmaller"), QStringLiteral("smaller"),
                           QStringLiteral("Decrease the puzzle size"), 5);
    btnLarger = BarButton(panbuttons, QStringLiteral("btnLarger"), QStringLiteral("larger"),
                          QStringLiteral("increase the puzzle size"), 5 + kButtonSize);
    btnclose = BarButton(panbuttons, QStringLiteral("btnclose"), QStringLiteral("close"), QStringLiteral("Close"),
                         5 + 2 * kButtonSize + 8);
    connect(btnSmaller, &QToolButton::clicked, this, [this] { btnSmallerClick(); });
    connect(btnLarger, &QToolButton::clicked, this, [this] { btnLargerClick(); });
    connect(btnclose, &QToolButton::clicked, this, [this] { btncloseClick(); });

    panh2 = WhitePanel(QStringLiteral("panh2"), this);
    panh1 = WhitePanel(QStringLiteral("panh1"), this);
    panw2 = WhitePanel(QStringLiteral("panw2"), this);
    panw1 = WhitePanel(QStringLiteral("panw1"), this);
    imanswer = new MazePictureView(this);
    imanswer->setObjectName(QStringLiteral("imanswer"));
    imblank = new MazePictureView(this);
    imblank->setObjectName(QStringLiteral("imblank"));
    imblank->hide();
    FormCreate();
}

void MazeKeyWindow::FormCreate()
{
    imblank->setPicture(BlankMazePicture(kEasy));
    imanswer->setPicture(imblank->picture());
    setPictureSize(300);
}

void MazeKeyWindow::setPictureSize(int pixels)
{
    MazeWindowFrame{panbuttons, panh2, panh1, panw1, panw2, imanswer}.layOut(this, pixels);
}

void MazeKeyWindow::resizeEvent(QResizeEvent* event)
{
    // A size given from outside (stored bounds) picks the matching picture size.
    QWidget::resizeEvent(event);
    const int pixels = PictureSizeForRoom(width() - WindowMargins{}.width);
    if (pixels != imanswer->width())
        setPictureSize(pixels);
}

void MazeKeyWindow::SetPicture(const QImage& picture)
{
    imanswer->setPicture(picture);
}

void MazeKeyWindow::ClearPicture()
{
    imanswer->picture().fill(Qt::white);
    imanswer->update();
}

const QImage& MazeKeyWindow::picture() const
{
    return imanswer->picture();
}

void MazeKeyWindow::showEvent(QShowEvent* event)
{
    if (!centred_)
        placement::CentreUnlessPlaced(this);
    centred_ = true;
    QWidget::showEvent(event);
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
    const QSize frame = frameGeometry().size() - size();
    if (const int pixels = LargerPictureSize(size(), frame, screenSize_()))
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
    showPictureSize();
}

void MazeKeyWindow::btncloseClick()
{
    close();
}
