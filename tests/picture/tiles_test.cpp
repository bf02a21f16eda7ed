#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <gtest/gtest.h>

using namespace picture;

namespace {

bool ColumnBlack(const QImage& canvas, int x)
{
    for (int y = 0; y < canvas.height(); ++y)
        if (canvas.pixel(x, y) & 0xffffffu)
            return false;
    return true;
}

bool RowBlack(const QImage& canvas, int y)
{
    for (int x = 0; x < canvas.width(); ++x)
        if (canvas.pixel(x, y) & 0xffffffu)
            return false;
    return true;
}

QImage White(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(FitPicture, LetterboxesWithTruncatedSidesAndBlackBars)
{
    struct Case {
        QSize picture;
        QRect rect;
    };
    const Case cases[] = {
        {{1024, 768}, {0, 0, 640, 480}},
        {{800, 600}, {0, 0, 640, 480}},
        {{480, 480}, {80, 0, 479, 480}},   // (80, 0)-(559, 480)
        {{1280, 480}, {0, 120, 640, 239}}, // (0, 120)-(640, 359)
        {{4001, 3000}, {0, 0, 640, 479}},
        {{1, 100000}, {}},                  // a side of 0: nothing drawn
        {{0, 10}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(c.picture.width()).arg(c.picture.height()).toStdString());
        EXPECT_EQ(FitRect(c.picture), c.rect);
        if (c.rect.isEmpty() || c.picture.width() > 2000)
            continue;
        const QImage canvas = FitPicture(White(c.picture.width(), c.picture.height()));
        ASSERT_EQ(canvas.size(), QSize(640, 480));
        if (c.rect.left() > 0) {
            EXPECT_TRUE(ColumnBlack(canvas, c.rect.left() - 1));
            EXPECT_TRUE(ColumnBlack(canvas, c.rect.right() + 1));
        }
        if (c.rect.top() > 0) {
            EXPECT_TRUE(RowBlack(canvas, c.rect.top() - 1));
            EXPECT_TRUE(RowBlack(canvas, c.rect.bottom() + 1));
        }
        EXPECT_EQ(canvas.pixel(c.rect.topLeft()), 0xffffffffu);
        EXPECT_EQ(canvas.pixel(c.rect.bottomRight()), 0xffffffffu);
    }
}

TEST(FitPicture, TransparentPixelsBecomeWhite)
{
    QImage clear(64, 48, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(FitPicture(clear).pixel(320, 240), 0xffffffffu);
}

TEST(IsEmptyTile, OnlyPureBlackIsEmpty)
{
    QImage tile = BlackTile();
    EXPECT_TRUE(IsEmptyTile(tile));
    EXPECT_TRUE(IsEmptyTile(QImage()));
    for (const QRgb one : {qRgb(1, 0, 0), qRgb(0, 1, 0), qRgb(0, 0, 1)}) {
        QImage t = tile;
        t.setPixel(79, 79, one);
        EXPECT_FALSE(IsEmptyTile(t));
    }
    QImage grey(80, 80, QImage::Format_Grayscale8);
    grey.fill(0);
    EXPECT_TRUE(IsEmptyTile(grey));
    EXPECT_FALSE(IsEmptyTile(XTile()));
}

TEST(ScrambleTiles, NoPieceHomeWhenEvenOneWhenOdd)
{
    const QImage full = FitPicture(samples::Checker(640, 480));
    QImage oneBlack = full;
    for (int y = 400; y < 480; ++y)
        for (int x = 560; x < 640; ++x)
            oneBlack.setPixel(x, y, 0xff000000u);
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        for (const QImage* canvas : std::initializer_list<const QImage*>{&full, &oneBlack}) {
            PictureState state;
            Rng rng(seed);
            ASSERT_TRUE(BuildPicturePuzzle(state, *canvas, rng));
            const int pieces = static_cast<int>(state.puzzleCells.size());
            int home = 0;
            for (const QString& cell : state.puzzleCells)
                home += state.boardTiles[cell.toInt()] == state.answerTiles[cell.toInt()];
            EXPECT_EQ(home, pieces % 2) << "seed " << seed << " pieces " << pieces;
        }
    }
}

TEST(ScrambleTiles, PinnedSeedGivesTheSamePairs)
{
    PictureState state;
    Rng rng(20261207);
    ASSERT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(640, 480)), rng));
    QList<int> from;
    for (int k = 1; k <= 8; ++k)
        for (int j = 1; j <= 48; ++j)
            if (state.boardTiles[k] == state.answerTiles[j])
                from << j;
    EXPECT_EQ(from, (QList<int>{7, 22, 27, 40, 34, 39, 1, 21}));
}

TEST(BuildPicturePuzzle, BlackRowsBecomeScenery)
{
    PictureState state;
    state.pictureName = "stripes";
    Rng rng(5);
    ASSERT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(1280, 480)), rng));
    QStringList expected;
    for (int k = 9; k <= 40; ++k)
        expected << QString::number(k);
    EXPECT_EQ(state.puzzleCells, expected);
    EXPECT_EQ(state.pictureName, "stripes");
    for (int k : {1, 8, 41, 48}) {
        EXPECT_EQ(state.boardTiles[k], XTile());
        EXPECT_EQ(state.answerTiles[k], XTile());
    }
    EXPECT_FALSE(IsEmptyTile(state.preview.copy(0, 120, 640, 1)));
}

TEST(BuildPicturePuzzle, AllBlackIsRefusedAndChangesNothing)
{
    PictureState state;
    state.puzzleCells << "3";
    Rng rng(5);
    EXPECT_FALSE(BuildPicturePuzzle(state, BlackPicture(640, 480), rng));
    EXPECT_EQ(state.puzzleCells, QStringList{"3"});
}
