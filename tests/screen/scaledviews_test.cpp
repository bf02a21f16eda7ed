// The puzzle views, the cursors and the button icons on a screen of the scale the test runs at
// (QT_SCALE_FACTOR): one device pixel a unit, or more, or a fraction more, where rounding shows.
#include "brainloft_resources.h"
#include "buttonicons.h"
#include "cryptogram/cellpanel.h"
#include "cryptogram/cryptogram.h"
#include "cryptogram/game.h"
#include "maze/mazepictureview.h"
#include "platform/rng.h"
#include "shell/cursortable.h"
#include "wordsearch/gridview.h"
#include "wordsearch/windowsizes.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

using namespace wordsearch;

namespace {

qreal Ratio()
{
    return qApp->devicePixelRatio();
}

QImage Grab(QWidget& view)
{
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A press as the window system delivers one at device pixel (x, y): in view units, fractional
// wherever a unit is not a whole number of pixels.
void PressDevicePixel(QWidget& view, int x, int y)
{
    const QPointF at(x / Ratio(), y / Ratio());
    QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
}

class ScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitBrainloftResources(); }
};

} // namespace

// Every cell's inner square in the highlight colour and no letters: along a row the squares are
// runs of coloured pixels, run k being cell k. A press on any pixel of a run must find that cell
// through the window's own mapping, and presses across the gaps must never go back a cell.
TEST_F(ScreenTest, GridPressesLandOnTheCellDrawnUnderThem)
{
    GridDrawing squares;
    squares.highlight = QColor(180, 16, 203);
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            squares.bars << GridBar{x, y, x, y};

    // Drawn sharp, or enlarged from the picture as the windows still give it.
    for (const int zoom : {1, 2, 3})
    for (const bool picture : {false, true}) {
        SCOPED_TRACE(zoom);
        SCOPED_TRACE(picture ? "picture" : "drawing");
        GridView view;
        view.resize(300 * zoom, 300 * zoom);
        if (picture)
            view.setPicture(DrawingPicture(squares, LetterPictures{}));
        else
            view.setDrawing(squares);
        QPoint pressed(-1, -1);
        view.onPress = [&](QPoint at) { pressed = CellAt(at, zoom).value_or(QPoint(-1, -1)); };
        const QImage shown = Grab(view);
        ASSERT_EQ(shown.width(), qRound(300 * zoom * Ratio()));

        for (const int row : {0, 7, 19}) {
            // Down the middle of the row's squares, and across that row's pixels.
            const int y = qFloor((row * 15 + 7.5) * zoom * Ratio());
            int cell = -1;
            bool inSquare = false;
            int lastPressed = -1;
            for (int x = 0; x < shown.width(); ++x) {
                const bool coloured = shown.pixel(x, y) != qRgb(255, 255, 255);
                if (coloured && !inSquare)
                    ++cell;
                inSquare = coloured;
                PressDevicePixel(view, x, y);
                ASSERT_EQ(pressed.y(), row) << x;
                if (coloured) {
                    ASSERT_EQ(pressed.x(), cell) << "pixel " << x;
                }
                ASSERT_GE(pressed.x(), lastPressed) << "pixel " << x;
                lastPressed = pressed.x();
            }
            EXPECT_EQ(cell, kField - 1);
            EXPECT_EQ(lastPressed, kField - 1);
        }
    }
}

// Where a device pixel is a unit the grid is the letter pictures, pixel for pixel; on a denser
// screen it is the printed page's drawing at the screen's own resolution.
TEST_F(ScreenTest, GridShowsLetterPicturesOrTheSharpDrawing)
{
    GridDrawing drawing;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            drawing.grid[x][y] = char('A' + (x * 7 + y * 3) % 26);
    drawing.highlight = QColor(40, 200, 90);
    drawing.bars << GridBar{2, 3, 9, 3} << GridBar{5, 5, 12, 12};
    drawing.marked = QPoint(15, 6);

    GridView view;
    view.resize(600, 600);
    view.setDrawing(drawing);
    const QImage shown = Grab(view);
    const QImage enlarged = view.picture().scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (Ratio() == 1) {
        EXPECT_EQ(view.picture(), DrawingPicture(drawing, LoadLetterPictures()));
        EXPECT_EQ(shown, enlarged.convertToFormat(QImage::Format_RGB32));
        return;
    }
    printing::PageLayout grid;
    grid.size = QSize(300, 300);
    AddGridItems(grid, drawing, QPoint(0, 0));
    QImage sharp(shown.size(), QImage::Format_RGB32);
    sharp.fill(Qt::white);
    QPainter painter(&sharp);
    printing::RenderPage(painter, grid, sharp.rect());
    painter.end();
    EXPECT_EQ(shown, sharp);
    EXPECT_NE(shown, enlarged.convertToFormat(QImage::Format_RGB32));
}

// Each maze cell a block of whole device pixels in its own colour, the blocks in order with
// widths differing by at most one pixel, and the cursor's cell exactly over its block.
TEST_F(ScreenTest, MazeCellsAreWholeDevicePixels)
{
    for (const int n : {31, 61, 101}) {
        SCOPED_TRACE(n);
        QImage cells(n, n, QImage::Format_RGB32);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                cells.setPixel(x, y, qRgb(x * 2, y * 2, 77));
        MazePictureView view;
        view.resize(300, 300);
        view.setPicture(cells);
        view.setMarkedCell(QPoint(n / 2, 3), QColor(255, 0, 0));
        const QImage shown = Grab(view);
        ASSERT_EQ(shown.width(), qRound(300 * Ratio()));

        const int base = shown.width() / n;
        for (const int y : {0, shown.height() / 2, shown.height() - 1}) {
            int previous = -1;
            int run = 0;
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb pixel = shown.pixel(x, y);
                ASSERT_EQ(qBlue(pixel), 77) << "a blend at " << x << "," << y;
                const int column = qRed(pixel) / 2;
                if (column != previous) {
                    ASSERT_EQ(column, previous + 1) << x;
                    if (previous >= 0) {
                        ASSERT_TRUE(run == base || run == base + 1) << run;
                    }
                    run = 0;
                }
                previous = column;
                ++run;
            }
            EXPECT_EQ(previous, n - 1);
        }
        const QRect cursor = view.cellRect(n / 2, 3);
        for (const QPoint p : {cursor.topLeft(), cursor.bottomRight()}) {
            EXPECT_EQ(shown.pixel(p), qRgb(255, 0, 0));
            EXPECT_NE(shown.pixel(p + QPoint(p == cursor.topLeft() ? -1 : 1, 0)), qRgb(255, 0, 0));
        }
        if (Ratio() == 1) { // one view pixel a device pixel: the cells as ever
            EXPECT_EQ(view.cellRect(1, 1), QRect(QPoint(300 / n, 300 / n), QPoint(600 / n - 1, 600 / n - 1)));
        }
    }
}

// The cryptogram's cells stand where they stand at one pixel a unit, and each letter is drawn
// inside its own cell at the screen's resolution.
TEST_F(ScreenTest, CryptogramCellsKeepTheirPlacesAndLetters)
{
    cryptogram::Cryptogram puzzle;
    cryptogram::MakerLines lines;
    lines[0] = "I";
    Rng rng(3);
    cryptogram::BuildCryptogramPuzzle(puzzle, lines, 0, rng);
    cryptogram::CryptogramGame game(puzzle);
    game.StartPlaying();
    CellPanel panel(game);
    panel.resize(519, 961);
    EXPECT_EQ(panel.cipherRect(0), QRect(8, 9, 12, 15));
    EXPECT_EQ(panel.guessRect(659), QRect(392, 879, 12, 15));

    const QImage shown = Grab(panel);
    const QRect cell = panel.cipherRect(0);
    const QRect device = QRectF(QPointF(cell.topLeft()) * Ratio(), QSizeF(cell.size()) * Ratio()).toAlignedRect();
    const QRgb background = shown.pixel(0, 0);
    int inside = 0;
    // Above the guess cells, which start where the cipher cells end.
    for (int y = 0; y <= device.bottom(); ++y)
        for (int x = 0; x < device.right() + 2 * device.width(); ++x) {
            if (shown.pixel(x, y) == background)
                continue;
            ASSERT_TRUE(device.adjusted(-1, -1, 1, 1).contains(x, y)) << "ink outside the cell at " << x << "," << y;
            ++inside;
        }
    EXPECT_GT(inside, 3 * Ratio() * Ratio());
}

// Cursors and icons come from pictures drawn at twice their size on a denser screen, sized to
// the screen's pixels; where a device pixel is a unit they are the pictures of that size.
TEST_F(ScreenTest, CursorsAndIconsAreDrawnForTheScreensPixels)
{
    CursorTable table;
    table.load();
    const QString twice = Ratio() > 1 ? QStringLiteral("@2x") : QString();
    for (const char* name : {"delete", "grab", "fillh"}) {
        SCOPED_TRACE(name);
        const QCursor cursor = table.cursor(table.indexOf(QLatin1String(name)));
        const QImage source(QStringLiteral(":/cursors/%1%2.png").arg(QLatin1String(name), twice));
        ASSERT_FALSE(source.isNull());
        EXPECT_EQ(cursor.pixmap().width(), qRound(32 * Ratio()));
        EXPECT_EQ(cursor.pixmap().devicePixelRatio(), Ratio());
        if (Ratio() == 1 || Ratio() == 2) {
            EXPECT_EQ(cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                      source.convertToFormat(QImage::Format_ARGB32));
        }
    }
    EXPECT_EQ(table.cursor(table.indexOf("delete")).hotSpot(), QPoint(1, 1));

    for (const char* name : {"new", "print", "close"}) {
        SCOPED_TRACE(name);
        const QPixmap icon = ButtonIcon(QLatin1String(name)).pixmap(QSize(21, 21), Ratio());
        const QPixmap disabled = ButtonIcon(QLatin1String(name)).pixmap(QSize(21, 21), Ratio(), QIcon::Disabled);
        EXPECT_EQ(icon.width(), qRound(21 * Ratio()));
        EXPECT_EQ(disabled.width(), icon.width());
        const QImage source(QStringLiteral(":/icons/%1%2.png").arg(QLatin1String(name), twice));
        ASSERT_EQ(source.width(), Ratio() > 1 ? 42 : 21);
        if (Ratio() == 1 || Ratio() == 2) {
            EXPECT_EQ(icon.toImage().convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
        }
    }
    // Qt's own look-up of a file icon finds the larger picture on a screen of two.
    if (Ratio() == 2) {
        EXPECT_EQ(QIcon(QStringLiteral(":/icons/key.png")).pixmap(QSize(21, 21), 2).toImage().convertToFormat(QImage::Format_ARGB32),
                  QImage(QStringLiteral(":/icons/key@2x.png")).convertToFormat(QImage::Format_ARGB32));
    }
}
