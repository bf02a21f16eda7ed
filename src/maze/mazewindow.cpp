#include "maze/mazewindow.h"

#include "controls/placement.h"
#include "controls/namedialog.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazekind.h"
#include "maze/mazepicture.h"
#include "maze/mazepictureview.h"
#include "maze/state.h"
#include "maze/printpage.h"
#include "maze/mazekeywindow.h"
#include "maze/windowparts.h"
#include "maze/windowsize.h"
#include "platform/filenames.h"
#include "platform/messageboxes.h"
#include "printing/printpuzzle.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"
#include "shell/musicbuttons.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/puzzlepicker.h"
#include "shell/launcherwindow.h"
#include "shell/winnerdialog.h"
#include "shell/windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>

using namespace maze;

namespace {

const QString kCaption = QStringLiteral("Windlepath     ");
constexpr int kEasyAfterFailedLoad = kEasy;

// The arrow keys as the key handler knows them; any other key gets a code outside 37..40.
int keyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return static_cast<int>(Direction::Left);
    case Qt::Key_Up:
        return static_cast<int>(Direction::Up);
    case Qt::Key_Right:
        return static_cast<int>(Direction::Right);
    case Qt::Key_Down:
        return static_cast<int>(Direction::Down);
    default:
        return 0;
    }
}

} // namespace

MazeWindow::MazeWindow(Program& program, Windows& windows, MazeState& state, QWidget* parent)
    : PlayWindow(program, windows, parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMinimizeButtonHint), state_(state), screenSize_(placement::PrimaryScreenSize)
{
    setObjectName(QStringLiteral("fmmaze"));
    // Stored bounds may change its size, and so its zoom.
    setProperty("sizedByZoom", true);
    setWindowTitle(QStringLiteral("Windlepath"));
    buildControls();
    FormCreate();
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
    imblank = new MazePictureView(this);
    imblank->setObjectName(QStringLiteral("imblank"));
    imblank->hide();

    struct Entry {
        QToolButton** button;
        const char* name;
        const char* icon;
        const char* hint;
        void (MazeWindow::*handler)();
        bool gapBefore;
    };
    const Entry bar[] = {
        {&btnNew, "btnNew", "new", "Create new puzzle", &MazeWindow::btnNewClick, false},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", &MazeWindow::BtnLoadClick, false},
        {&btncheat, "btncheat", "key", "(Cheat!) Show the key", &MazeWindow::btncheatClick, true},
        {&btnprint, "btnprint", "print", "Print the currently loaded puzzle", &MazeWindow::btnprintClick, false},
        {&btnSmaller, "btnSmaller", "smaller", "Decrease the puzzle size", &MazeWindow::btnSmallerClick, true},
        {&btnLarger, "btnLarger", "larger", "Increase the puzzle size", &MazeWindow::btnLargerClick, false},
        {&btnoptions, "btnoptions", "options", "Set properties", &MazeWindow::btnoptionsClick, true},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", &MazeWindow::btnmusicClick, false},
        {&btnnext, "btnnext", "next", "Skip to the next song", &MazeWindow::btnnextClick, false},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", &MazeWindow::SpeedButton1Click, true},
        {&btnclose, "btnclose", "close", "Close", &MazeWindow::btncloseClick, true},
    };
    int left = 5;
    for (const Entry& entry : bar) {
        if (entry.gapBefore)
            left += 6;
        *entry.button = BarButton(Panbuttons, QString::fromLatin1(entry.name), QString::fromLatin1(entry.icon),
                                  QString::fromLatin1(entry.hint), left);
        left += (*entry.button)->width();
        const auto handler = entry.handler;
        connect(*entry.button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
    btnmusic->setCheckable(true);

    tmflash = new QTimer(this);
    tmflash->setObjectName(QStringLiteral("tmflash"));
    tmflash->setInterval(500);
    connect(tmflash, &QTimer::timeout, this, [this] { tmflashTimer(); });

    sd1 = new NameDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    puzzlefiles::ConfigureNameDialog(*sd1);
    setFocusPolicy(Qt::StrongFocus);
}

void MazeWindow::FormCreate()
{
    imblank->setPicture(BlankMazePicture(kEasy));
    immain->setPicture(imblank->picture());
    setPictureSize(300);
}

void MazeWindow::setPictureSize(int pixels)
{
    zoom_ = pixels / 300;
    MazeWindowFrame{Panbuttons, panh2, panh1, panw1, panw2, immain}.layOut(this, pixels);
}

void MazeWindow::resizeEvent(QResizeEvent* event)
{
    // The window keeps a fixed size of its own; a size given from outside (stored bounds from
    // the last run) picks the picture size that matches it.
    QWidget::resizeEvent(event);
    const int pixels = PictureSizeForRoom(width() - WindowMargins{}.width);
    if (pixels != immain->width())
        setPictureSize(pixels);
}

QImage& MazeWindow::mainPicture()
{
    return immain->picture();
}

const QImage& MazeWindow::picture() const
{
    return immain->picture();
}

bool MazeWindow::mazePresent() const
{
    return ShowsMaze(immain->picture());
}

bool MazeWindow::flashing() const
{
    return tmflash->isActive();
}

void MazeWindow::UpdateTitle()
{
    setWindowTitle(kCaption + name_);
}

void MazeWindow::clearMainPicture()
{
    mainPicture().fill(Qt::white);
    immain->update();
}

void MazeWindow::clearPictures()
{
    clearMainPicture();
    if (MazeKeyWindow* key = windows_.fmmzkey)
        key->ClearPicture();
}

void MazeWindow::DrawMaze()
{
    QImage keyPicture;
    DrawMazePictures(state_.grid, state_.size, mainPicture(), keyPicture);
    immain->update();
    if (MazeKeyWindow* key = windows_.fmmzkey)
        key->SetPicture(keyPicture);
    if (const std::optional<int> entrance = FindEntrance(state_.grid, state_.size))
        cursor_ = Cell{*entrance, 0};
    UpdateTitle();
}

void MazeWindow::PaintCursor(int x, int y, bool on)
{
    // The colour is read at every paint, so a change in the options shows at the next flash.
    maze::PaintCursor(mainPicture(), x, y, on, static_cast<std::uint32_t>(program_.settings.mazeCursor));
    immain->updateCell(x, y);
}

void MazeWindow::keyPressEvent(QKeyEvent* event)
{
    FormKeyUp(keyCode(event->key()));
    event->accept();
}

void MazeWindow::FormKeyUp(int key)
{
    // Without a maze on show the grid may be stale or empty: there is nothing to walk. While the
    // exit's dialogue runs, a queued key must not reach the exit a second time.
    if (inExit_ || !mazePresent())
        return;
    const int n = state_.size;
    if (key >= static_cast<int>(Direction::Left) && key <= static_cast<int>(Direction::Down)) {
        if (const std::optional<Cell> next = MoveCursor(state_.grid, n, cursor_, static_cast<Direction>(key))) {
            PaintCursor(cursor_.x, cursor_.y, false);
            cursor_ = *next;
            PaintCursor(cursor_.x, cursor_.y, true);
        }
    }
    if (!IsAtExit(cursor_.y, n))
        return;
    inExit_ = true;
    tmflash->stop();
    QCoreApplication::processEvents();
    if (windows_.FmWinner)
        windows_.FmWinner->exec();
    update();
    DrawMaze();
    tmflash->start();
    inExit_ = false;
}

void MazeWindow::tmflashTimer()
{
    PaintCursor(cursor_.x, cursor_.y, flashOn_);
    flashOn_ = !flashOn_;
}

void MazeWindow::btnSmallerClick()
{
    setPictureSize(SmallerPictureSize(size()));
}

void MazeWindow::btnLargerClick()
{
    const QSize frame = frameGeometry().size() - size();
    if (const int pixels = LargerPictureSize(size(), frame, screenSize_()))
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
}

void MazeWindow::btnNewClick()
{
    if (windows_.fmmzkey && windows_.fmmzkey->isVisible())
        windows_.fmmzkey->close();
    flashOn_ = true;
    clearMainPicture();
    // The maze keeps its own size; a level no maze can have gives the hard size, kept as the level.
    state_.size = GenerateMaze(state_.grid, program_.settings.mzlevel, program_.rng);
    program_.settings.mzlevel = state_.size;
    DrawMaze();
    tmflash->start();
    const puzzlefiles::SaveResult saved =
        puzzlefiles::SaveAfterBuild(program_, *sd1, MazeKind(program_, state_), name_, this);
    if (saved == puzzlefiles::SaveResult::Declined)
        name_.clear();
    UpdateTitle();
}

void MazeWindow::BtnLoadClick()
{
    if (!windows_.fmfiles)
        return;
    const QString picked = puzzlefiles::PickPuzzleFile(program_, *windows_.fmfiles, MazeKind(program_, state_), this);
    if (picked.isEmpty())
        return;
    clearPictures();
    name_ = picked;
    if (LoadMazeFile(program_.paths.programFolder, picked, state_.grid, state_.size) == 0) {
        name_ = filenames::replaceExtension(picked, QString());
        program_.settings.mzlevel = state_.size;
        DrawMaze();
        flashOn_ = true;
        tmflash->start();
        return;
    }
    name_.clear();
    flashOn_ = false;
    tmflash->stop();
    PaintCursor(cursor_.x, cursor_.y, false);
    program_.settings.mzlevel = kEasyAfterFailedLoad;
    puzzlefiles::ShowLoadError(program_);
    clearPictures();
    UpdateTitle();
}

void MazeWindow::btncheatClick()
{
    MazeKeyWindow* key = windows_.fmmzkey;
    if (!mazePresent() || !key)
        return;
    if (key->isVisible()) {
        key->setWindowState(key->windowState() & ~Qt::WindowMinimized);
        key->raise();
        key->activateWindow();
    } else {
        key->show();
    }
}

void MazeWindow::btnprintClick()
{
    MazePrintPage* page = windows_.fmmazeprint;
    if (!mazePresent()) {
        program_.boxes.warning(QStringLiteral("Print error"),
                               QStringLiteral("You must create or load a maze before you can print one!"));
    } else if (page && windows_.fmprint && windows_.fmnowprint) {
        // The run lets messages through to animate its progress: no click or key may reach these.
        MazeKeyWindow* key = windows_.fmmzkey;
        QWidget* keyBar = key ? key->findChild<QWidget*>(QStringLiteral("panbuttons")) : nullptr;
        const QList<QWidget*> held = {keyBar, key, Panbuttons, this};
        for (QWidget* w : held)
            if (w)
                w->setEnabled(false);
        // The cursor is no part of the maze on paper.
        tmflash->stop();
        PaintCursor(cursor_.x, cursor_.y, false);
        printing::PrintPuzzle(program_, *windows_.fmprint, *windows_.fmnowprint, *page, *page, printing::kMazePages,
                              name_, [this, page, key](const QString& which, const QString& name) {
                                  QImage keyPicture;
                                  if (key) {
                                      keyPicture = key->picture();
                                  } else {
                                      QImage unused;
                                      DrawMazePictures(state_.grid, state_.size, unused, keyPicture);
                                  }
                                  page->FillPrintPage(which, name, state_.size, picture(), keyPicture);
                              });
        for (QWidget* w : held)
            if (w)
                w->setEnabled(true);
        tmflash->start();
    }
    raise();
    activateWindow();
}

void MazeWindow::FormShow()
{
    name_.clear();
    UpdateTitle();
    program_.activePuzzleType = puzzletype::kMaze;
    clearMainPicture();
    musicbuttons::FormShow(program_, btnmusic);
    const int pixels = immain->width();
    zoom_ = pixels == 600 ? 2 : pixels == 900 ? 3 : 1;
}

void MazeWindow::FormClose()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (windows_.fmmzkey && windows_.fmmzkey->isVisible())
        windows_.fmmzkey->close();
    tmflash->stop();
    musicbuttons::FormClose(program_);
    if (QWidget* launcher = windows_.fmpuzzletype)
        launcher->show();
    QApplication::restoreOverrideCursor();
}
