#include "shell/cursortable.h"
#include "brainloft_resources.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitBrainloftResources(); }
};

bool HasTransparentAndOpaque(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    bool clear = false, solid = false;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const int alpha = qAlpha(argb.pixel(x, y));
            clear = clear || alpha == 0;
            solid = solid || alpha == 255;
        }
    return clear && solid;
}

TEST(CursorTableNames, AreTheFortySevenNamesInIndexOrder)
{
    const QStringList expected = {
        "hand", "draw", "pen", "brush", "crayon", "marker", "eraser", "fill", "spray", "roller",
        "pick", "magnify", "zoomin", "zoomout", "grab", "move", "pickup", "drop", "multidrop", "edit",
        "noedit", "props", "delete", "line", "fills", "filldl", "filldr", "fillcd", "fillc", "fillh",
        "fillv", "circle", "square", "rndrect", "line2", "nofill", "noreplace", "nopick", "replace",
        "moveu", "moveur", "mover", "movedr", "moved", "movedl", "movel", "moveul"};
    EXPECT_EQ(CursorTable::names(), expected);

    const CursorTable table;
    for (int i = 1; i <= CursorTable::Count; ++i)
        EXPECT_EQ(table.indexOf(expected[i - 1]), i) << expected[i - 1].toStdString();
    EXPECT_EQ(table.indexOf("hand"), 1);
    EXPECT_EQ(table.indexOf("delete"), 23);
    EXPECT_EQ(table.indexOf("MoveUL"), 47);
    EXPECT_EQ(table.indexOf("line3"), 0);
    EXPECT_EQ(table.indexOf(""), 0);
}

TEST(CursorTableIndices, OutsideTheTableGiveTheArrowAndIgnoreSet)
{
    CursorTable table;
    for (int index : {0, -1, 48, 1000}) {
        EXPECT_EQ(table.cursor(index).shape(), Qt::ArrowCursor) << index;
        table.set(index, QCursor(Qt::WaitCursor));
        EXPECT_EQ(table.cursor(index).shape(), Qt::ArrowCursor) << index;
    }
    EXPECT_EQ(table.cursor(1).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(table.cursor(47).shape(), Qt::SizeFDiagCursor);
}

TEST(CursorTableIndices, SetReplacesOneIndexOnly)
{
    CursorTable table;
    table.set(16, QCursor(Qt::BusyCursor));
    EXPECT_EQ(table.cursor(16).shape(), Qt::BusyCursor);
    EXPECT_EQ(table.cursor(15).shape(), Qt::OpenHandCursor);
    EXPECT_EQ(table.cursor(17).shape(), Qt::ClosedHandCursor);
}

TEST_F(ResourcesTest, EveryLoadedCursorIsAPictureOrAFittingShape)
{
    CursorTable table;
    table.load();
    int pictures = 0;
    for (int i = 1; i <= CursorTable::Count; ++i) {
        const QString name = CursorTable::names()[i - 1];
        SCOPED_TRACE(name.toStdString());
        const QCursor cursor = table.cursor(i);
        if (QFile::exists(":/cursors/" + name + ".png")) {
            ++pictures;
            ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
            EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
            EXPECT_TRUE(HasTransparentAndOpaque(cursor.pixmap().toImage()));
            EXPECT_TRUE(QRect(0, 0, 32, 32).contains(cursor.hotSpot()));
        } else {
            // Without a picture of its own a cursor must still say something.
            EXPECT_EQ(cursor.shape(), CursorTable::fallbackShape(i));
            EXPECT_NE(cursor.shape(), Qt::ArrowCursor);
        }
    }
    // The plain cross would do for most; most get a picture instead.
    EXPECT_GE(pictures, 30);
    // The picture puzzle's "nothing to do here" cursor is our arrow with an X.
    EXPECT_EQ(table.cursor(23).shape(), Qt::BitmapCursor);
    EXPECT_EQ(table.cursor(23).hotSpot(), QPoint(1, 1));
    // The scroll image's open hand (15) and closed hand (16) are ours and tell themselves apart.
    ASSERT_EQ(table.cursor(15).shape(), Qt::BitmapCursor);
    ASSERT_EQ(table.cursor(16).shape(), Qt::BitmapCursor);
    EXPECT_NE(table.cursor(15).pixmap().toImage(), table.cursor(16).pixmap().toImage());
}

TEST_F(ResourcesTest, ALoadLeftForLaterHappensAtTheFirstAskOrSet)
{
    for (bool ask : {true, false}) {
        CursorTable table;
        table.loadOnFirstUse();
        if (ask) {
            EXPECT_EQ(table.cursor(23).shape(), Qt::BitmapCursor);
        } else {
            table.set(5, QCursor(Qt::IBeamCursor));
            EXPECT_EQ(table.cursor(5).shape(), Qt::IBeamCursor) << "what is set stays, the load came first";
            EXPECT_EQ(table.cursor(23).shape(), Qt::BitmapCursor);
        }
    }
}

TEST_F(ResourcesTest, MissingFolderFallsBackToShapesEverywhere)
{
    CursorTable table;
    table.set(5, QCursor(Qt::WaitCursor));
    table.load(QStringLiteral(":/no-such-folder"));
    for (int i = 1; i <= CursorTable::Count; ++i) {
        EXPECT_EQ(table.cursor(i).shape(), CursorTable::fallbackShape(i)) << i;
        EXPECT_NE(table.cursor(i).shape(), Qt::BitmapCursor) << i;
    }
}

TEST_F(ResourcesTest, BrokenPictureFallsBackAndBadHotSpotMeansCentre)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile broken(dir.filePath("hand.png"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG\r\n\x1a\nnot really a picture");
    }
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(3, 3, qRgba(0, 0, 0, 255));
    picture.setText("hotspot", "40,2");   // outside the picture
    ASSERT_TRUE(picture.save(dir.filePath("draw.png")));
    picture.setText("hotspot", "3,3");
    ASSERT_TRUE(picture.save(dir.filePath("pen.png")));

    CursorTable table;
    table.load(dir.path());
    EXPECT_EQ(table.cursor(1).shape(), Qt::PointingHandCursor);
    ASSERT_EQ(table.cursor(2).shape(), Qt::BitmapCursor);
    EXPECT_EQ(table.cursor(2).hotSpot(), QPoint(16, 16));
    ASSERT_EQ(table.cursor(3).shape(), Qt::BitmapCursor);
    EXPECT_EQ(table.cursor(3).hotSpot(), QPoint(3, 3));
    EXPECT_EQ(table.cursor(4).shape(), Qt::CrossCursor);
}

TEST_F(ResourcesTest, LettersAreDistinctFifteenPixelBlackOnWhiteCapitals)
{
    QSet<QByteArray> seen;
    for (char c = 'A'; c <= 'Z'; ++c) {
        SCOPED_TRACE(std::string(1, c));
        const QImage letter(QStringLiteral(":/LETTER/") + QChar(c));
        ASSERT_FALSE(letter.isNull());
        ASSERT_EQ(letter.size(), QSize(15, 15));
        EXPECT_EQ(letter.depth(), 1);

        const QImage rgb = letter.convertToFormat(QImage::Format_RGB32);
        int ink = 0;
        QByteArray bits;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x) {
                const QRgb pixel = rgb.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << x << "," << y;
                const bool black = pixel == 0;
                bits.append(black ? '1' : '0');
                if (!black)
                    continue;
                ++ink;
                // The play window inverts offsets 2..12 to mark a cell.
                EXPECT_TRUE(x >= 2 && x <= 12 && y >= 2 && y <= 12) << x << "," << y;
            }
        EXPECT_GE(ink, 20);
        EXPECT_FALSE(seen.contains(bits)) << "same picture as an earlier letter";
        seen.insert(bits);
    }
}

TEST_F(ResourcesTest, LauncherArtworkCarriesTheTitleStrip)
{
    const QImage art(QStringLiteral(":/artwork/launcher.png"));
    ASSERT_EQ(art.size(), QSize(600, 465));
    // The strip the launcher drags by: dark from y 6 to y 31, light below it.
    auto dark = [&](int x, int y) {
        const QColor c = art.pixelColor(x, y);
        return c.red() < 0x40 && c.green() < 0x40 && c.blue() > c.red();
    };
    for (int x = 6; x <= 591; ++x) {
        EXPECT_TRUE(dark(x, 6) && dark(x, 31)) << x;
        EXPECT_FALSE(dark(x, 33)) << x;
    }
    // Room for the minimise and close buttons at the right end.
    for (int y = 8; y <= 28; ++y)
        for (int x = 545; x <= 590; ++x)
            ASSERT_TRUE(dark(x, y)) << x << "," << y;
}

TEST_F(ResourcesTest, ButtonIconsLoad)
{
    for (const char* name : {"new", "load", "edit", "key", "print", "smaller", "larger", "options",
                             "music", "next", "instructions", "close"}) {
        const QImage icon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_EQ(icon.size(), QSize(21, 21)) << name;
        EXPECT_TRUE(HasTransparentAndOpaque(icon)) << name;
    }
}

} // namespace
