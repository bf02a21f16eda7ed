#include "wordsearch/wordsearchwindow.h"

#include "controls/placement.h"

#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/recolour.h"
#include "wordsearch/wordsearchkind.h"
#include "wordsearch/windowsizes.h"
#include "platform/colours.h"
#include "shell/puzzlepicker.h"
#include "shell/launcherwindow.h"
#include "shell/windows.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchmaker.h"
#include "shell/music.h"
#include "shell/musicbuttons.h"
#include "shell/winnerdialog.h"
#include "wordsearch/wordsearchfile.h"
#include "wordsearch/pagewindows_tmp.h"
#include "wordsearch/keypage.h"
#include "wordsearch/puzzlepage.h"
#include "printing/printpuzzle.h"
#include "printing/printprogresswindow.h"
#include "printing/printoptionsdialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
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

WordSearchWindow::WordSearchWindow(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent)
    : PlayWindow(program, windows, parent, Qt::Window), state_(state), screenSize_(placement::PrimaryScreenSize)
{
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
    lbItems->setSortingEnabled(true);
    lbItems->setSelectionMode(QAbstractItemView::NoSelection);
    lbItems->setFocusPolicy(Qt::TabFocus); // reached by Tab; a click leaves the focus on the grid

    imPuzzle = new QLabel(this);
    imPuzzle->setObjectName(QStringLiteral("imPuzzle"));
    imPuzzle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imPuzzle->installEventFilter(this);
    // For the keyboard: the grid takes focus, arrows move a focus cell, Space or Enter clicks it.
    imPuzzle->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(imPuzzle, lbItems);

    struct StripButton {
        QToolButton** button;
        const char* name;
        const char* icon;
        const char* hint;
        void (WordSearchWindow::*handler)();
        bool gapBefore;
    };
    const StripButton strip[] = {
        {&btnNew, "btnNew", "new", "Create new puzzle", &WordSearchWindow::btnNewClick, false},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", &WordSearchWindow::BtnLoadClick, false},
        {&SpeedButton4, "SpeedButton4", "edit", "Edit a saved puzzle", &WordSearchWindow::SpeedButton4Click, false},
        {&btncheat, "btncheat", "key", "(Cheat!) Show the key", &WordSearchWindow::btncheatClick, true},
        {&btnprint, "btnprint", "print", "Print the currently loaded puzzle", &WordSearchWindow::btnprintClick, false},
        {&btnSmaller, "btnSmaller", "smaller", "Decrease the puzzle size", &WordSearchWindow::btnSmallerClick, true},
        {&btnLarger, "btnLarger", "larger", "Increase the puzzle size", &WordSearchWindow::btnLargerClick, false},
        {&btnoptions, "btnoptions", "options", "Set properties", &WordSearchWindow::btnoptionsClick, true},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", &WordSearchWindow::btnmusicClick, false},
        {&btnnext, "btnnext", "next", "Skip to the next song", &WordSearchWindow::btnnextClick, false},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", &WordSearchWindow::SpeedButton1Click, true},
        {&btnclose, "btnclose", "close", "Close", &WordSearchWindow::btncloseClick, true},
    };
    int left = kMargin;
    for (const StripButton& entry : strip) {
        if (entry.gapBefore)
            left += kGroupGap;
        auto* button = new QToolButton(panbuttons);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setToolTip(QString::fromLatin1(entry.hint));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(entry.icon))));
        button->setIconSize(QSize(21, 21));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(left, (kStripHeight - kButtonSize) / 2, kButtonSize, kButtonSize);
        left += kButtonSize;
        *entry.button = button;
        const auto handler = entry.handler;
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
    btnmusic->setCheckable(true);
}

void WordSearchWindow::FormCreate()
{
    picture_ = BlankPicture();
    imcopy_ = BlankPicture();
    imblank_ = BlankPicture();
    ResetPlayWindow();
    setPictureSize(kPicturePixels);
}

void WordSearchWindow::setPictureSize(int pixels)
{
    zoom_ = pixels / kPicturePixels;
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

void WordSearchWindow::refreshPicture()
{
    // Whole-number zooms of a picture of letters: plain pixel copies keep the letters sharp.
    const int pixels = kPicturePixels * zoom_;
    QPixmap shown = QPixmap::fromImage(picture_.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    if (imPuzzle->hasFocus()) {
        // Drawn on the screen only: the picture itself (and so the print page) stays as it is.
        const int cell = zoom_ * kCellPixels;
        QPainter painter(&shown);
        painter.setPen(QPen(QColor(0, 120, 215), 2));
        painter.drawRect(QRect(focusCell_.x() * cell + 1, focusCell_.y() * cell + 1, cell - 2, cell - 2));
    }
    imPuzzle->setPixmap(shown);
}

QColor WordSearchWindow::highlight() const
{
    return ToQColor(program_.settings.effectiveHighlight);
}

void WordSearchWindow::ResetPlayWindow()
{
    WordSearchState& state = state_;
    state.newPuzzle = true;
    music::ResetTunePosition(program_);
    ClearPuzzle(state.puzzle);
    letters_ = LoadLetterPictures();
    state.currentFolder = program_.paths.programFolder;
    setWindowTitle(kCaption + state.currentName);
}

void WordSearchWindow::ShowPuzzle()
{
    const WordSearchState& state = state_;
    lbItems->clear();
    picture_ = imblank_;
    for (const WordSlot& slot : state.puzzle.wordSlots)
        if (!slot.isEmpty())
            lbItems->addItem(QString::fromLatin1(slot.word()));

    DrawLetters();
    waiting_ = true;
    start_ = QPoint(0, 0);
    imPuzzle->unsetCursor();
    imcopy_ = picture_;
    refreshPicture();

    if (WordSearchKeyWindow* key = windows_.fmanswers) {
        key->PaintKey(imcopy_);
        if (key->isVisible())
            key->close();
    }
    setWindowTitle(kCaption + state.currentName);
    PreparePrintPages();
    emit puzzleShown();
}

void WordSearchWindow::RecolourHighlights(const QImage& colourPicture)
{
    RecolourPicture(picture_, colourPicture);
    refreshPicture();
}

void WordSearchWindow::PreparePrintPages()
{
    if (!windows_.fmpage || !windows_.FmKey)
        return;
    QStringList words;
    for (int i = 0; i < lbItems->count(); ++i)
        words << lbItems->item(i)->text();
    const QImage key = windows_.fmanswers ? windows_.fmanswers->keyPicture() : QImage();
    wordsearch::PreparePrintPages(*windows_.fmpage, *windows_.FmKey, words, picture_, key, state_.currentName);
}

void WordSearchWindow::DrawLetters()
{
    wordsearch::DrawLetters(picture_, state_.puzzle.grid, letters_);
}

void WordSearchWindow::MarkStartCell()
{
    wordsearch::MarkStartCell(picture_, start_.x(), start_.y(), highlight());
    refreshPicture();
}

void WordSearchWindow::UnmarkStartCell()
{
    wordsearch::UnmarkStartCell(picture_, start_.x(), start_.y(), highlight());
    refreshPicture();
}

void WordSearchWindow::imPuzzleMouseDown(int x, int y)
{
    if (lbItems->count() == 0)
        return;
    const int cell = zoom_ * kCellPixels;
    const int column = x / cell;
    const int row = y / cell;
    if (x < 0 || y < 0 || column >= kField || row >= kField)
        return;
    if (waiting_) {
        start_ = QPoint(column, row);
        MarkStartCell();
        waiting_ = false;
        imPuzzle->setCursor(Qt::WhatsThisCursor);
    } else {
        end_ = QPoint(column, row);
        UnmarkStartCell();
        CheckSelection();
        waiting_ = true;
        imPuzzle->unsetCursor();
    }
}

void WordSearchWindow::CheckSelection()
{
    const WordSearchPuzzle& puzzle = state_.puzzle;
    const int x1 = start_.x() + 1;
    const int y1 = start_.y() + 1;
    const int x2 = end_.x() + 1;
    const int y2 = end_.y() + 1;
    int n = puzzle.index.at(x1, y1, x2, y2);
    if (n == 0)
        n = puzzle.index.at(x2, y2, x1, y1);
    if (n < 1 || n > kSlotCount)
        return;
    const QList<QListWidgetItem*> rows =
        lbItems->findItems(QString::fromLatin1(puzzle.wordSlots[n - 1].word()), Qt::MatchExactly);
    if (rows.isEmpty())
        return;

    PaintWordHighlight(picture_, x1, y1, x2, y2, highlight());
    OverlayLetters(picture_, imcopy_);
    refreshPicture();
    // findItems keeps the list's order, so the first hit is the first matching row.
    delete lbItems->takeItem(lbItems->row(rows.first()));

    if (lbItems->count() == 0) {
        if (windows_.FmWinner)
            windows_.FmWinner->exec();
        update();
        ShowPuzzle();
    }
}

void WordSearchWindow::endSelection()
{
    if (waiting_)
        return;
    UnmarkStartCell();
    waiting_ = true;
    imPuzzle->unsetCursor();
}

bool WordSearchWindow::imPuzzleKeyDown(int key)
{
    const QPoint steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const int arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    for (int i = 0; i < 4; ++i) {
        if (key != arrows[i])
            continue;
        const QPoint next = focusCell_ + steps[i];
        if (next.x() >= 0 && next.y() >= 0 && next.x() < kField && next.y() < kField)
            focusCell_ = next;
        refreshPicture();
        return true;
    }
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int cell = zoom_ * kCellPixels;
        imPuzzleMouseDown(focusCell_.x() * cell + cell / 2, focusCell_.y() * cell + cell / 2);
        return true;
    }
    return false;
}

bool WordSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imPuzzle && event->type() == QEvent::KeyPress)
        return imPuzzleKeyDown(static_cast<QKeyEvent*>(event)->key());
    if (watched == imPuzzle && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        refreshPicture();
    if (watched == imPuzzle &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        imPuzzleMouseDown(at.x(), at.y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void WordSearchWindow::btnSmallerClick()
{
    const bool largest = imPuzzle->width() == 900 || imPuzzle->height() == 900;
    setPictureSize(largest ? 600 : 300);
}

void WordSearchWindow::btnLargerClick()
{
    // The play window grows only when the screen has room in both directions.
    const QSize screen = screenSize_();
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    const auto fits = [&](int pixels) {
        return screen.width() - frameWidth > kMarginWidth + pixels &&
               screen.height() - frameHeight > kMarginHeight + pixels;
    };
    const int pixels = imPuzzle->width();
    if (pixels == 300 && fits(600))
        setPictureSize(600);
    else if (pixels == 600 && fits(900))
        setPictureSize(900);
    placement::KeepOnScreen(this);
    lbItems->update();
}

WordSearchWindow::Pick WordSearchWindow::pickAndLoad(bool forEditing)
{
    if (!windows_.fmfiles)
        return Pick::nothing;
    WordSearchState& state = state_;
    state.currentFolder = program_.paths.puzzleFolder();
    const QString picked =
        puzzlefiles::PickPuzzleFile(program_, *windows_.fmfiles, wordsearch::WordSearchKind(program_, state_), this);
    if (picked.isEmpty())
        return Pick::nothing;

    ResetPlayWindow();
    ShowPuzzle();
    state.currentName = picked;
    if (forEditing)
        state.newPuzzle = false;
    if (LoadWordSearchFile(program_.paths.programFolder, picked, state.puzzle) != 0) {
        puzzlefiles::ShowLoadError(program_);
        state.currentName.clear();
        ResetPlayWindow();
        return Pick::failed;
    }
    state.currentName = filenames::replaceExtension(picked, QString());
    return Pick::loaded;
}

void WordSearchWindow::btnNewClick()
{
    state_.newPuzzle = true;
    ResetPlayWindow();
    ShowPuzzle();
    if (windows_.fmGenerator)
        windows_.fmGenerator->exec();
    update();
    ShowPuzzle();
}

void WordSearchWindow::BtnLoadClick()
{
    if (pickAndLoad(false) == Pick::nothing)
        return;
    ShowPuzzle();
}

void WordSearchWindow::SpeedButton4Click()
{
    const Pick pick = pickAndLoad(true);
    if (pick == Pick::nothing)
        return;
    if (pick == Pick::loaded) {
        bool built = false;
        if (windows_.fmGenerator) {
            windows_.fmGenerator->exec();
            built = windows_.fmGenerator->built();
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
    WordSearchKeyWindow* key = windows_.fmanswers;
    if (lbItems->count() == 0 || !key)
        return;
    if (key->isVisible()) {
        key->setWindowState(key->windowState() & ~Qt::WindowMinimized);
        key->raise();
        key->activateWindow();
    } else {
        key->show();
    }
}

void WordSearchWindow::btnprintClick()
{
    if (lbItems->count() == 0) {
        program_.boxes.warning(QStringLiteral("Print notice"),
                               QStringLiteral("You must create a puzzle or have one\nloaded before you can print it!"));
    } else if (windows_.fmprint && windows_.fmnowprint && windows_.fmpage && windows_.FmKey) {
        // The run lets messages through to animate its progress: no click may reach these.
        QWidget* key = windows_.fmanswers;
        QWidget* keyStrip = key ? key->findChild<QWidget*>(QStringLiteral("panbuttons")) : nullptr;
        const QList<QWidget*> held = {keyStrip, key, panbuttons, this};
        for (QWidget* w : held)
            if (w)
                w->setEnabled(false);
        printing::PrintPuzzle(program_, *windows_.fmprint, *windows_.fmnowprint, *windows_.fmpage, *windows_.FmKey,
                              printing::kWordSearchPages, state_.currentName);
        for (QWidget* w : held)
            if (w)
                w->setEnabled(true);
    }
    raise();
    activateWindow();
}

void WordSearchWindow::btnoptionsClick()
{
    endSelection();
    PlayWindow::btnoptionsClick();
}

void WordSearchWindow::FormShow()
{
    program_.activePuzzleType = puzzletype::kWordSearch;
    ResetPlayWindow();
    ShowPuzzle();
    state_.currentName.clear();
    setWindowTitle(kCaption);
    musicbuttons::FormShow(program_, btnmusic);
    const int pixels = imPuzzle->width();
    zoom_ = pixels == 600 ? 2 : pixels == 900 ? 3 : 1;
}

void WordSearchWindow::FormClose()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (windows_.fmanswers && windows_.fmanswers->isVisible())
        windows_.fmanswers->close();
    musicbuttons::FormClose(program_);
    if (QWidget* launcher = windows_.fmpuzzletype)
        launcher->show();
    QApplication::restoreOverrideCursor();
}
