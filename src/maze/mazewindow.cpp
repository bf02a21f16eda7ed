#include "maze/mazewindow.h"

#include "controls/toolstrip.h"

#include "controls/namedialog.h"
#include "controls/placement.h"
#include "maze/mazekeywindow.h"
#include "maze/mazekind.h"
#include "maze/mazepictureview.h"
#include "maze/printpages.h"
#include "maze/windowparts.h"
#include "maze/windowsize.h"
#include "platform/colours.h"
#include "platform/messageboxes.h"
#include "printing/printoptionsdialog.h"
#include "printing/printprogresswindow.h"
#include "printing/printholding.h"
#include "shell/musicbuttons.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/launcherwindow.h"
#include "shell/puzzlepicker.h"
#include "shell/desk.h"
#include "shell/winnerdialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>

using namespace maze;

namespace {

const QString kCaption = QStringLiteral("Windlepath     ");

std::optional<Direction> arrowFor(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return Direction::Left;
    case Qt::Key_Up:
        return Direction::Up;
    case Qt::Key_Right:
        return Direction::Right;
    case Qt::Key_Down:
        return Direction::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

MazeWindow::~MazeWindow() = default;

MazeWindow::MazeWindow(Program& program, Desk& desk, QWidget* parent)
    : PlayWindow(program, desk, parent,
                 Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                     Qt::WindowMinimizeButtonHint),
      game_(state_), screenSize_(placement::PrimaryScreenSize)
{
    key_.setMaker(desk, [this] {
        auto* key = new MazeKeyWindow(program_, desk_, this);
        key->DrawKey(game_);
        return key;
    });
    setObjectName(QStringLiteral("fmmaze"));
    // Stored bounds may change its size, and so its zoom.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Windlepath"));
    buildControls();
    setPictureSize(300);
    showGame();
}

void MazeWindow::buildControls()
{
    Panbuttons = new QWidget(this);
    Panbuttons->setObjectName(QStringLiteral("Panbuttons"));
    panh2 = WhitePanel(QStringLiteral("panh2"), this);
    panh1 = WhitePanel(QStringLiteral("panh1"), this);
    panw1 = WhitePanel(QStringLiteral("panw1"), this);
    panw2 = WhitePanel(QStringLiteral("panw2"), this);
    immain = new MazePictureView(this);
    immain->setObjectName(QStringLiteral("immain"));

    toolstrip::Build(Panbuttons, {
        {&btnNew, "btnNew", "new", "Create new puzzle", [this] { btnNewClick(); }},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", [this] { BtnLoadClick(); }},
        {&btncheat, "btncheat", "key", "(Cheat!) Show the key", [this] { btncheatClick(); }, 6},
        {&btnprint, "btnprint", "print", "Print the currently loaded puzzle", [this] { btnprintClick(); }},
        {&btnSmaller, "btnSmaller", "smaller", "Decrease the puzzle size", [this] { btnSmallerClick(); }, 6},
        {&btnLarger, "btnLarger", "larger", "Increase the puzzle size", [this] { btnLargerClick(); }},
        {&btnoptions, "btnoptions", "options", "Set properties", [this] { btnoptionsClick(); }, 6},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", [this] { btnmusicClick(); }},
        {&btnnext, "btnnext", "next", "Skip to the next song", [this] { btnnextClick(); }},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", [this] { showInstructions(); }, 6},
        {&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }, 6},
    });
    btnmusic->setCheckable(true);

    tmflash = new QTimer(this);
    tmflash->setObjectName(QStringLiteral("tmflash"));
    tmflash->setInterval(500);
    connect(tmflash, &QTimer::timeout, this, [this] { flashCursor(); });

    sd1 = new NameDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    puzzlefiles::ConfigureNameDialog(*sd1);
    setFocusPolicy(Qt::StrongFocus);
}

MazeWindowFrame MazeWindow::frame() const
{
    return MazeWindowFrame{Panbuttons, panh2, panh1, panw1, panw2, immain};
}

void MazeWindow::setPictureSize(int pixels)
{
    frame().layOut(this, pixels);
}

void MazeWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    frame().fitTo(this);
}

int MazeWindow::zoom() const
{
    const int pixels = immain->width();
    return pixels == 600 ? 2 : pixels == 900 ? 3 : 1;
}

bool MazeWindow::flashing() const
{
    return tmflash->isActive();
}

void MazeWindow::UpdateTitle()
{
    setWindowTitle(kCaption + game_.name());
}

void MazeWindow::showGame()
{
    immain->setPicture(game_.mainPicture());
    showCursor();
    if (MazeKeyWindow* key = key_.built())
        key->DrawKey(game_);
    UpdateTitle();
}

void MazeWindow::showCursor()
{
    // The colour is read at every paint, so a change in the options shows at the next flash.
    const Cell cursor = game_.cursor();
    std::optional<QPoint> cell;
    if (game_.shown() && game_.cursorLit())
        cell = QPoint(cursor.x, cursor.y);
    immain->setMarkedCell(cell, ToQColor(static_cast<std::uint32_t>(program_.settings.mazeCursor)));
}

void MazeWindow::flashCursor()
{
    game_.Flash();
    showCursor();
}

void MazeWindow::keyPressEvent(QKeyEvent* event)
{
    pressKey(arrowFor(event->key()));
    event->accept();
}

void MazeWindow::pressKey(std::optional<Direction> arrow)
{
    const KeyOutcome outcome = game_.Press(arrow);
    if (outcome.moved)
        showCursor();
    if (!outcome.atExit)
        return;
    tmflash->stop();
    QCoreApplication::processEvents();
    if (desk_.winner)
        desk_.winner->exec();
    update();
    game_.Restart();
    showGame();
    tmflash->start();
}

void MazeWindow::btnSmallerClick()
{
    setPictureSize(SmallerPictureSize(size()));
}

void MazeWindow::btnLargerClick()
{
    const QSize frameSize = frameGeometry().size() - size();
    if (const int pixels = LargerPictureSize(size(), frameSize, screenSize_()))
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
}

void MazeWindow::btnNewClick()
{
    if (key_.built() && key_.built()->isVisible())
        key_.built()->close();
    game_.NewMaze(program_.settings.mzlevel, program_.rng);
    showGame();
    tmflash->start();
    QString name = game_.name();
    const puzzlefiles::SaveResult saved =
        puzzlefiles::SaveAfterBuild(program_, *sd1, MazeKind(program_, game_.state()), name, this);
    game_.setName(saved == puzzlefiles::SaveResult::Declined ? QString() : name);
    UpdateTitle();
}

void MazeWindow::BtnLoadClick()
{
    const auto load = [this](const QString& picked) {
        const int code = game_.LoadMaze(program_.paths.programFolder, picked, program_.settings.mzlevel);
        // A maze that could not be read is gone from the window before the error shows.
        if (code != 0)
            tmflash->stop();
        showGame();
        if (code == 0)
            tmflash->start();
        return code;
    };
    puzzlefiles::PickAndLoad(program_, *desk_.picker, MazeKind(program_, game_.state()), this, load);
}

void MazeWindow::btncheatClick()
{
    if (!game_.shown())
        return;
    placement::ShowOrRaise(key_);
}

void MazeWindow::btnprintClick()
{
    if (!game_.shown()) {
        program_.boxes.warning(QStringLiteral("Print error"),
                               QStringLiteral("You must create or load a maze before you can print one!"));
    } else {
        tmflash->stop();
        game_.HideCursor();
        showCursor();
        printing::PrintHolding(program_, desk_, {key_.built(), Panbuttons, this}, printing::PageSteps::eachAnnounced, game_.name(),
                               [this](bool keyPage) { return MazePage(game_, keyPage, game_.name()); });
        tmflash->start();
    }
    raise();
    activateWindow();
}

void MazeWindow::FormShow()
{
    game_.setName(QString());
    program_.activePuzzleType = puzzletype::kMaze;
    game_.HideMaze();
    showGame();
    musicbuttons::FormShow(program_, btnmusic);
}

void MazeWindow::FormClose()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (key_.built() && key_.built()->isVisible())
        key_.built()->close();
    tmflash->stop();
    musicbuttons::FormClose(program_);
    if (QWidget* launcher = desk_.launcher)
        launcher->show();
    QApplication::restoreOverrideCursor();
}
