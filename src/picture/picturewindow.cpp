#include "picture/picturewindow.h"

#include "controls/placement.h"
#include "controls/toolstrip.h"
#include "picture/picturefiles.h"
#include "picture/picturekind.h"
#include "picture/playrules.h"
#include "picture/picturepreview.h"
#include "picture/picturemaker.h"
#include "picture/tiles.h"
#include "controls/scrollimage.h"
#include "platform/filenames.h"
#include "platform/fonts.h"
#include "shell/cursortable.h"
#include "shell/musicbuttons.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "shell/puzzlepicker.h"
#include "shell/desk.h"
#include "shell/launcherwindow.h"

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

using namespace picture;

namespace {

const QString kCaption = QStringLiteral("Snapdoodle     ");
constexpr int kStripHeight = 33;
constexpr int kBoardWidth = 667;
constexpr int kBoardHeight = 502;
constexpr int kCellStep = 82;
constexpr int kCellOffset = 6;

QImage BoardBackground()
{
    QImage image(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int c = 1; c < kColumns; ++c)
        painter.fillRect(kCellOffset + kCellStep * c - 2, kCellOffset, 2, kCellStep * kRows - 2, Qt::white);
    for (int r = 1; r < kRows; ++r)
        painter.fillRect(kCellOffset, kCellOffset + kCellStep * r - 2, kCellStep * kColumns - 2, 2, Qt::white);
    return image;
}

// A red frame with a black frame inside it; the middle lets the piece show through.
QPixmap SelectionFrame()
{
    QImage image(kTileSize, kTileSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(0, 0, kTileSize, 2, Qt::red);
    painter.fillRect(0, kTileSize - 2, kTileSize, 2, Qt::red);
    painter.fillRect(0, 0, 2, kTileSize, Qt::red);
    painter.fillRect(kTileSize - 2, 0, 2, kTileSize, Qt::red);
    painter.fillRect(2, 2, kTileSize - 4, 2, Qt::black);
    painter.fillRect(2, kTileSize - 4, kTileSize - 4, 2, Qt::black);
    painter.fillRect(2, 2, 2, kTileSize - 4, Qt::black);
    painter.fillRect(kTileSize - 4, 2, 2, kTileSize - 4, Qt::black);
    painter.end();
    return QPixmap::fromImage(image);
}

QLabel* EmptyLabel(QWidget* parent, const QString& name, int x, int y)
{
    auto* label = new QLabel(QStringLiteral("Empty"), parent);
    label->setObjectName(name);
    label->setGeometry(x, y, 36, 20);
    label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("background: black; color: white;"));
    label->setFont(fonts::sans(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// Without the program's table (in tests): standard shapes of the same meaning.
QCursor StandardCursor(int index)
{
    switch (index) {
    case kCursorHand: return QCursor(Qt::PointingHandCursor);
    case kCursorPickup: return QCursor(Qt::OpenHandCursor);
    case kCursorDrop: return QCursor(Qt::DragMoveCursor);
    case kCursorDelete: return QCursor(Qt::ForbiddenCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

} // namespace

PictureWindow::~PictureWindow() = default;

PictureWindow::PictureWindow(Program& program, Desk& desk, QWidget* parent)
    : PlayWindow(program, desk, parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    maker_.setMaker(desk, [this] {
        auto* maker = new PictureMaker(program_, desk_, state_);
        maker->previewChanged = [this] { refreshPreview(); };
        return maker;
    });
    preview_.setMaker(desk, [this] {
        auto* preview = new PicturePreview;
        // The preview's control takes its grab and move cursors from the program's table.
        if (CursorTable* table = program_.cursors)
            preview->scrollImage()->setCursorSource([table](int index) { return table->cursor(index); });
        preview->setPicture(state_.preview);
        return preview;
    });
    setObjectName(QStringLiteral("fmpclick"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
    UpdateTitle();
    drawBoard();
}

void PictureWindow::buildControls()
{
    p7 = new QWidget(this);
    p7->setObjectName(QStringLiteral("p7"));
    p7->setGeometry(0, 0, kClientWidth, kStripHeight);
    toolstrip::Build(p7, {
        {&btnNew, "btnNew", "new", "Create new puzzle", [this] { btnNewClick(); }},
        {&BtnLoad, "BtnLoad", "load", "Load a saved puzzle", [this] { BtnLoadClick(); }},
        {&btnpicture, "btnpicture", "key", "Show un-scrambled image", [this] { btnpictureClick(); }, 6},
        {&btnoptions, "btnoptions", "options", "Set properties", [this] { btnoptionsClick(); }, 6},
        {&btnmusic, "btnmusic", "music", "Turn music ON/OFF", [this] { btnmusicClick(); }},
        {&btnnext, "btnnext", "next", "Skip to the next song", [this] { btnnextClick(); }},
        {&SpeedButton1, "SpeedButton1", "instructions", "Instructions", [this] { showInstructions(); }, 6},
        {&btnclose, "btnclose", "close", "Close", [this] { btncloseClick(); }, 6},
    });
    btnmusic->setCheckable(true);

    p1 = new QWidget(this);
    p1->setObjectName(QStringLiteral("p1"));
    p1->setGeometry(0, kStripHeight, kBoardWidth, kBoardHeight);
    Image1 = new QLabel(p1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kBoardWidth, kBoardHeight);
    Image1->setPixmap(QPixmap::fromImage(BoardBackground()));
    for (int k = 1; k <= kCells; ++k) {
        const int x = kCellOffset + kCellStep * ((k - 1) % kColumns);
        const int y = kCellOffset + kCellStep * ((k - 1) / kColumns);
        auto* cell = new QLabel(p1);
        cell->setObjectName(QStringLiteral("i%1").arg(k));
        cell->setGeometry(x, y, kTileSize, kTileSize);
        cell->installEventFilter(this);
        cells_[k] = cell;
        cellLabels_[k] = EmptyLabel(p1, QStringLiteral("pp%1").arg(k), x, y);
    }

    const char* frameNames[] = {"", "p4", "p5", "p6", "p8", "p2"};
    const int frameTops[] = {0, 37, 141, 246, 350, 454};
    const QPixmap selection = SelectionFrame();
    for (int n = 1; n <= kBoxes; ++n) {
        auto* frame = new QWidget(this);
        frame->setObjectName(QString::fromLatin1(frameNames[n]));
        frame->setGeometry(672, frameTops[n], 84, 84);
        // A palette, not a style sheet: a sheet's background reaches the selection frame
        // above the piece and would hide the piece behind grey.
        QPalette grey = frame->palette();
        grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        frame->setPalette(grey);
        frame->setAutoFillBackground(true);
        frames_[n] = frame;
        auto* box = new QLabel(frame);
        box->setObjectName(QStringLiteral("imstore%1").arg(n));
        box->setGeometry(2, 2, kTileSize, kTileSize);
        box->installEventFilter(this);
        boxes_[n] = box;
        auto* sel = new QLabel(frame);
        sel->setObjectName(QStringLiteral("imsel%1").arg(n));
        sel->setGeometry(2, 2, kTileSize, kTileSize);
        sel->setPixmap(selection);
        sel->setAttribute(Qt::WA_TransparentForMouseEvents);
        sel->hide();
        selections_[n] = sel;
        boxLabels_[n] = EmptyLabel(frame, QStringLiteral("Pane%1").arg(n), 2, 2);
    }
}

void PictureWindow::setCursorIndex(QWidget* widget, int index)
{
    widget->setProperty("cursorIndex", index);
    widget->setCursor(program_.cursors ? program_.cursors->cursor(index) : StandardCursor(index));
}

void PictureWindow::drawBoard()
{
    for (int k = 1; k <= kCells; ++k) {
        const QImage& tile = state_.boardTiles[k];
        cells_[k]->setPixmap(QPixmap::fromImage(tile.isNull() ? BlackTile() : tile));
        cellLabels_[k]->setVisible(look_.cellLabelShown[k]);
        setCursorIndex(cells_[k], look_.cellCursor[k]);
    }
    for (int n = 1; n <= kBoxes; ++n) {
        const QImage& piece = state_.boxes[n];
        boxes_[n]->setPixmap(QPixmap::fromImage(piece.isNull() ? BlackTile() : piece));
        boxLabels_[n]->setVisible(look_.boxLabelShown[n]);
        selections_[n]->setVisible(state_.selectedBox == n);
        setCursorIndex(boxes_[n], look_.boxCursor[n]);
    }
}

void PictureWindow::UpdateTitle()
{
    setWindowTitle(kCaption + state_.pictureName);
}

void PictureWindow::ResetBoard()
{
    picture::ResetBoard(state_);
    ResetLook(look_);
    UpdateTitle();
    drawBoard();
}

void PictureWindow::UpdateCursors()
{
    picture::UpdateCursors(state_, look_);
    drawBoard();
}

void PictureWindow::liftOrDrop(int k)
{
    LiftOrDrop(state_, k);
    UpdateCursors();
}

void PictureWindow::selectBox(int n)
{
    SelectBox(state_, n);
    // Also after a click on an empty box, so no cell keeps a "drop" cursor that drops nothing.
    UpdateCursors();
}

bool PictureWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        for (int k = 1; k <= kCells; ++k) {
            if (watched != cells_[k])
                continue;
            // A cell acts when the left button is let go over it.
            if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton
                && QRectF(widget->rect()).contains(mouse->position()))
                liftOrDrop(k);
            return true;
        }
        for (int n = 1; n <= kBoxes; ++n) {
            if (watched != boxes_[n])
                continue;
            if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton
                && QRectF(widget->rect()).contains(mouse->position()))
                selectBox(n);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PictureWindow::btnNewClick()
{
    ResetBoard();
    int result = QDialog::Rejected;
    result = maker_->exec();
    // The pieces built just now show no "Empty" labels and their hand cursors at once.
    if (result == QDialog::Accepted)
        picture::UpdateCursors(state_, look_);
    drawBoard();
    update();
    UpdateTitle();
}

void PictureWindow::BtnLoadClick()
{
    const auto load = [this](const QString& chosen) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const int code = LoadPictureFiles(program_.paths.programFolder, chosen, state_);
        QApplication::restoreOverrideCursor();
        if (code == 0) {
            state_.pictureName = filenames::replaceExtension(chosen, QString());
            UpdateTitle();
            refreshPreview();
        }
        return code;
    };
    puzzlefiles::PickAndLoad(program_, *desk_.picker, PictureKind(program_, state_), this, load, [this] { ResetBoard(); });
    UpdateCursors();
    if (preview_.built() && preview_.built()->isVisible())
        preview_.built()->close();
}

void PictureWindow::refreshPreview()
{
    if (PicturePreview* preview = preview_.built())
        preview->setPicture(state_.preview);
}

void PictureWindow::btnpictureClick()
{
    placement::ShowOrRaise(preview_);
}

void PictureWindow::FormShow()
{
    program_.activePuzzleType = puzzletype::kPicture;
    musicbuttons::FormShow(program_, btnmusic);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ResetBoard();
    state_.pictureName.clear();
    UpdateTitle();
    QApplication::restoreOverrideCursor();
}

void PictureWindow::FormClose()
{
    musicbuttons::FormClose(program_);
    if (preview_.built() && preview_.built()->isVisible())
        preview_.built()->close();
    if (QWidget* launcher = desk_.launcher.built())
        launcher->show();
    // The board is reset at the next showing: give its pictures back. The preview keeps its own.
    ReleaseBoard(state_);
    drawBoard();
}
