// The maze's pictures: one pixel a cell, walls black, the key's route red.
#include "maze/mazepicture.h"

#include <gtest/gtest.h>

using namespace maze;

namespace {
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
} // namespace

TEST(MazePicture, DrawsBothPicturesFromTheGrid)
{
    MazeGrid g;
    g.at(0, 0) = mcWall;
    g.at(2, 1) = mcRoute;
    g.at(3, 3) = mcWall;
    g.at(4, 1) = mcWall; // past the border of a maze of size 4
    g.at(1, 4) = mcRoute;
    QImage mainPicture(300, 300, QImage::Format_RGB32);
    mainPicture.fill(Qt::black);
    QImage key;
    DrawMazePictures(g, 4, mainPicture, key);

    ASSERT_EQ(mainPicture.size(), QSize(4, 4));
    ASSERT_EQ(key.size(), QSize(4, 4));
    EXPECT_EQ(mainPicture.depth(), 32);
    struct Case {
        int x, y;
        QRgb main, key;
    };
    const Case cases[] = {
        {0, 0, kBlack, kBlack}, {3, 3, kBlack, kBlack}, {2, 1, kWhite, kRed}, {1, 1, kWhite, kWhite}, {3, 1, kWhite, kWhite},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mainPicture.pixel(c.x, c.y), c.main) << c.x << "," << c.y;
        EXPECT_EQ(key.pixel(c.x, c.y), c.key) << c.x << "," << c.y;
    }
}
