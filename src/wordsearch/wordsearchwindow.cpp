#include "wordsearch/wordsearchwindow.h"

#include "controls/placement.h"
#include "controls/toolstrip.h"
#include "platform/colours.h"
#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "printing/printholding.h"
#include "shell/launcherwindow.h"
#include "shell/music.h"
#include "shell/musicbuttons.h"
#include "shell/optionswindow.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/puzzlepicker.h"
#include "shell/desk.h"
#include "shell/winnerdialog.h"
#include "wordsearch/gridview.h"
#include "wordsearch/printpages.h"
#include "wordsearch/windowsizes.h"
#include "wordsearch/wordsearchfile.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchkind.h"
#include "wordsearch/wordsearchmaker.h"

#include <QApplication>
#include <QIcon>
#include <QListWidget>
#include <QResizeEvent>
#include <QToolButton>

using namespace wordsearch;

namespace {

const QString kCaption = QStringLiteral("Lettermoor     ");
constexpr int kTopMargin = 38;
constexpr int kStripHeight = 33;
constexpr int kMargin = 5;
constexpr int kButtonSize = 25;
constexpr int kGroupGap = 6;

} // namespace

WordSearchWindow::~WordSearchWindow() = default;

WordSearchWindow::WordSearchWindow(Program& program, Desk& desk, QWidget* parent)
    : PlayWindow(program, desk, parent, Qt::Window), game_(state_.puzzle), screenSize_(placement::PrimaryScreenSize)
{
    key_.setMaker(desk, [this] {
        auto* key = new WordSearchKeyWindow(program_, desk_, state_, this);
        key->PaintKey(game_.lettersPicture());
        return key;
    });
    maker_.setMaker(desk, [this] {
        auto* maker = new WordSearchMaker(program_, desk_, state_);
        // The key shows the puzzle being replaced: it goes while the maker is open.
        maker->hideKey = [this] {
            if (key_.built() && key_.built()->isVisible())
                key_.built()->hide();
        };
        return maker;
    });
    setObjectName(QStringLiteral("fmmain"));
    // Stored bounds may change its size, and so its zoom.
    setProperty("sizedByZoom", true);
    setWindowTitle(kCaption);
    buildControls();
    FormCreate();
}

void WordSearchWindow::buildControls()
{
    panh2 = new QWidget(this);
    panh2->setObjectName(QStringLiteral("panh2"));
    panbuttons = new QWidget(panh2);
    panbuttons->setObjectName(QStringLiteral("panbuttons"));
    panw1 = new QWidget(this);
    panw1->setObjectName(QStringLiteral("panw1"));
    panw2 = new QWidget(this);
    panw2->setObjectName(QStringLiteral("panw2"));
    panh1 = new QWidget(this);
    panh1->setObjectName(QStringLiteral("panh1"));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    panw3 = new QWidget(Panel1);
    panw3->setObjectName(QStringLiteral("panw3"));
    panw4 = new QWidget(Panel1);
    panw4->setObjectName(QStringLiteral("panw4"));
    lbItems = new QListWidget(panw3);
    lbItems->setObjectName(QStringLiteral("lbItems"));
    lbItems->setFont(fonts::mono(16));
    lbItems->setSelectionMode(QAbstractItemView::NoSelection);
    lbItems->setFocusPolicy(Qt::TabFocus); // reached by Tab; a click leaves the focus on the grid

    imPuzzle = new GridView(this);
    imPuzzle->setObjectName(QStringLiteral("imPuzzle"));
    // For the keyboard: the grid takes focus, arrows move a focus cell, Space or Enter clicks it.
    imPuzzle->setFocusPolicy(Qt::StrongFocus);
    imPuzzle->onPress = [this](QPoint at) { imPuzzleMouseDown(at.x(), at.y()); };
    imPuzzle->onKey = [this](int key) { return imPuzzleKeyDown(key); };
    setTabOrder(imPuzzle, lbItems);

    const int gap = kGroupGap;
    toolstrip::Build(panbuttons, {
        {&btnNew, "btnNew", "new", "Create new puzzle", [this] { btnNewClick(); }},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", [this] { BtnLoadClick(); }},
        {&SpeedButton4, "SpeedButton4", "edit", "Edit a saved puzzle", [this] { editPuzzle(); }},
        {&btncheat, "btncheat", "key", "(Cheat!) Show the key", [this] { btncheatClick(); }, gap},
        {&btnprint, "btnprint", "print", "Print the currently loaded puzzle", [this] { btnprintClick(); }},
        {&btnSmaller, "btnSmaller", "smaller", "Decrease the puzzle size", [this] { btnSmallerClick(); }, gap},
        {&btnLarger, "btnLarger", "larger", "Increase the puzzle size", [this] { btnLargerClick(); }},
        {&btnoptions, "btnoptions", "options", "Set properties", [this] { btnoptionsClick(); }, gap},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", [this] { btnmusicClick(); }},
        {&btnnext, "btnnext", "next", "Skip to the next song", [this] { btnnextClick(); }},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", [this] { showInstructions(); }, gap},
        {&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }, gap},
    }, {kMargin, (kStripHeight - kButtonSize) / 2, kButtonSize});
    btnmusic->setCheckable(true);
}

void WordSearchWindow::FormCreate()
{
    ResetPlayWindow();
    setPictureSize(kPicturePixels);
}

void WordSearchWindow::setPictureSize(int pixels)
{
    zoom_ = ZoomOf(pixels);
    const int width = kMarginWidth + pixels;
    const int height = kMarginHeight + pixels;
    panh2->setGeometry(0, 0, width, kTopMargin);
    panbuttons->setGeometry(0, 0, width, kStripHeight);
    panw1->setGeometry(0, kTopMargin, kMargin, pixels);
    imPuzzle->setGeometry(kMargin, kTopMargin, pixels, pixels);
    panw2->setGeometry(kMargin + pixels, kTopMargin, kMargin, pixels);
    Panel1->setGeometry(2 * kMargin + pixels, kTopMargin, kListWidth + kMargin, pixels);
    panw3->setGeometry(0, 0, kListWidth, pixels);
    lbItems->setGeometry(0, 0, kListWidth, pixels);
    panw4->setGeometry(kListWidth, 0, kMargin, pixels);
    panh1->setGeometry(0, kTopMargin + pixels, width, kMargin);
    setFixedSize(width, height);
    refreshPicture();
}

void WordSearchWindow::resizeEvent(QResizeEvent* event)
{
    // The window keeps a fixed size of its own; a size given from outside (stored bounds from
    // the last run) picks the zoom that matches it, as the picture's width does when shown.
    QWidget::resizeEvent(event);
    // Fixed-size again too: a stored outer size applied before the frame exists is larger
    // than the window's own.
    const int pixels = PicturePixelsForRoom(width() - kMarginWidth);
    if (pixels != imPuzzle->width() || size() != QSize(kMarginWidth + pixels, kMarginHeight + pixels))
        setPictureSize(pixels);
}

QColor WordSearchWindow::highlight() const
{
    return ToQColor(program_.settings.effectiveHighlight);
}

QImage WordSearchWindow::picture() const
{
    return game_.picture(highlight());
}

void WordSearchWindow::refreshPicture()
{
    imPuzzle->setDrawing(PlayDrawing(state_.puzzle, game_, highlight()));
    imPuzzle->setFocusCell(game_.focusCell());
}

void WordSearchWindow::refreshList()
{
    const QStringList& words = game_.remaining();
    QStringList rows;
    for (int i = 0; i < lbItems->count(); ++i)
        rows << lbItems->item(i)->text();
    if (rows == words)
        return;
    // A word found leaves one row; the rows around it stay where the user scrolled them.
    if (rows.size() == words.size() + 1) {
        int changed = 0;
        while (changed < words.size() && rows[changed] == words[changed])
            ++changed;
        rows.removeAt(changed);
        if (rows == words) {
            delete lbItems->takeItem(changed);
            return;
        }
    }
    lbItems->clear();
    lbItems->addItems(words);
}

void WordSearchWindow::ResetPlayWindow()
{
    WordSearchState& state = state_;
    state.newPuzzle = true;
    music::ResetTunePosition(program_);
    ClearPuzzle(state.puzzle);
    setWindowTitle(kCaption + state.currentName);
}

void WordSearchWindow::ShowPuzzle()
{
    game_.restart();
    imPuzzle->unsetCursor();
    refreshPicture();
    refreshList();
    if (WordSearchKeyWindow* key = key_.built()) {
        key->PaintKey(game_.lettersPicture());
        if (key->isVisible())
            key->close();
    }
    setWindowTitle(kCaption + state_.currentName);
    // The options window's tune list follows the music folder again.
    if (OptionsWindow* options = desk_.options.built())
        options->RefreshTuneList();
}

void WordSearchWindow::RecolourHighlights()
{
    refreshPicture();
    if (WordSearchKeyWindow* key = key_.built())
        key->PaintKey(game_.lettersPicture());
}

printing::PageLayout WordSearchWindow::describePage(bool key) const
{
    // The pages show the puzzle as it was shown, whatever has been found since.
    const WordSearchPuzzle& puzzle = state_.puzzle;
    return key ? KeyPage(puzzle, highlight(), state_.currentName) : PuzzlePage(puzzle, state_.currentName);
}

void WordSearchWindow::imPuzzleMouseDown(int x, int y)
{
    if (const std::optional<QPoint> cell = CellAt(QPoint(x, y), zoom_))
        play(game_.click(*cell));
}

void WordSearchWindow::play(WordSearchGame::Click click)
{
    using Click = WordSearchGame::Click;
    if (click == Click::marked)
        imPuzzle->setCursor(Qt::WhatsThisCursor);
    else if (click != Click::ignored)
        imPuzzle->unsetCursor();
    refreshPicture();
    if (click == Click::found || click == Click::completed)
        refreshList();
    if (click == Click::completed) {
        if (desk_.winner)
            desk_.winner->exec();
        update();
        ShowPuzzle();
    }
}

void WordSearchWindow::endSelection()
{
    if (game_.waitingForFirstClick())
        return;
    game_.endSelection();
    imPuzzle->unsetCursor();
    refreshPicture();
}

bool WordSearchWindow::imPuzzleKeyDown(int key)
{
    const int arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    const QPoint steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        if (key == arrows[i]) {
            game_.moveFocus(steps[i].x(), steps[i].y());
            refreshPicture();
            return true;
        }
    }
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        play(game_.clickFocus());
        return true;
    }
    return false;
}

void WordSearchWindow::btnSmallerClick()
{
    setPictureSize(SmallerPicture(imPuzzle->width()));
}

void WordSearchWindow::btnLargerClick()
{
    const QSize frame = frameGeometry().size() - size();
    const int pixels = LargerPlayPicture(imPuzzle->width(), screenSize_(), frame, QSize(kMarginWidth, kMarginHeight));
    if (pixels != imPuzzle->width())
        setPictureSize(pixels);
    placement::KeepOnScreen(this);
    lbItems->update();
}

puzzlefiles::Pick WordSearchWindow::pickAndLoad(bool forEditing)
{
    const auto load = [this, forEditing](const QString& picked) {
        ResetPlayWindow();
        ShowPuzzle();
        state_.currentName = picked;
        if (forEditing)
            state_.newPuzzle = false;
        const int code = LoadWordSearchFile(program_.paths.programFolder, picked, state_.puzzle);
        if (code == 0)
            state_.currentName = filenames::replaceExtension(picked, QString());
        return code;
    };
    return puzzlefiles::PickAndLoad(program_, *desk_.picker, wordsearch::WordSearchKind(program_, state_), this, load,
                                    [this] {
                                        state_.currentName.clear();
                                        ResetPlayWindow();
                                    });
}

void WordSearchWindow::btnNewClick()
{
    state_.newPuzzle = true;
    ResetPlayWindow();
    ShowPuzzle();
    maker_->exec();
    update();
    ShowPuzzle();
}

void WordSearchWindow::BtnLoadClick()
{
    if (pickAndLoad(false) == puzzlefiles::Pick::Nothing)
        return;
    ShowPuzzle();
}

void WordSearchWindow::editPuzzle()
{
    const puzzlefiles::Pick pick = pickAndLoad(true);
    if (pick == puzzlefiles::Pick::Nothing)
        return;
    if (pick == puzzlefiles::Pick::Loaded) {
        bool built = false;
        {
            maker_->exec();
            built = maker_->built();
        }
        update();
        if (built)
            setWindowTitle(kCaption + state_.currentName);
        else
            ResetPlayWindow();
    }
    ShowPuzzle();
}

void WordSearchWindow::btncheatClick()
{
    if (!game_.loaded())
        return;
    placement::ShowOrRaise(key_);
}

void WordSearchWindow::btnprintClick()
{
    if (!game_.loaded()) {
        program_.boxes.warning(QStringLiteral("Print notice"),
                               QStringLiteral("You must create a puzzle or have one\nloaded before you can print it!"));
    } else {
        printing::PrintHolding(program_, desk_, {key_.built(), panbuttons, this}, printing::PageSteps::together,
                               state_.currentName, [this](bool key) { return describePage(key); });
    }
    raise();
    activateWindow();
}

void WordSearchWindow::btnoptionsClick()
{
    endSelection();
    PlayWindow::btnoptionsClick();
    // A new highlight colour shows at once in the words found and in the key.
    RecolourHighlights();
}

void WordSearchWindow::FormShow()
{
    program_.activePuzzleType = puzzletype::kWordSearch;
    ResetPlayWindow();
    ShowPuzzle();
    state_.currentName.clear();
    setWindowTitle(kCaption);
    musicbuttons::FormShow(program_, btnmusic);
    zoom_ = ZoomOf(imPuzzle->width());
}

void WordSearchWindow::FormClose()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (key_.built() && key_.built()->isVisible())
        key_.built()->close();
    musicbuttons::FormClose(program_);
    if (QWidget* launcher = desk_.launcher)
        launcher->show();
    QApplication::restoreOverrideCursor();
}
