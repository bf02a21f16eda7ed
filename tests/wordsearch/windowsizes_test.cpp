#include "wordsearch/windowsizes.h"

#include <gtest/gtest.h>

using namespace wordsearch;

namespace {

const QSize kPlayMargin(221, 43);
const QSize kKeyMargin(10, 43);
const QSize kFrame(2, 25);

} // namespace

TEST(WindowSizes, SmallerAndRoomPickAPictureSize)
{
    const struct {
        int pixels, smaller, zoom;
    } sizes[] = {{300, 300, 1}, {600, 300, 2}, {900, 600, 3}};
    for (const auto& s : sizes) {
        EXPECT_EQ(SmallerPicture(s.pixels), s.smaller) << s.pixels;
        EXPECT_EQ(ZoomOf(s.pixels), s.zoom) << s.pixels;
    }
    const std::pair<int, int> rooms[] = {{0, 300}, {599, 300}, {600, 600}, {899, 600}, {900, 900}, {2000, 900}};
    for (const auto& [room, pixels] : rooms)
        EXPECT_EQ(PicturePixelsForRoom(room), pixels) << room;
}

TEST(WindowSizes, ThePlayWindowGrowsOnlyWithRoomBothWays)
{
    const struct {
        int pixels;
        QSize screen;
        int grown;
    } cases[] = {
        {300, {1280, 800}, 600},  {600, {1280, 800}, 600},   // 900 never fits 800 pixels high
        {600, {1920, 1200}, 900}, {900, {1920, 1200}, 900},
        {300, {1920, 643}, 300},  {300, {823, 1200}, 300},   // room one way only
        {300, {824, 669}, 600},   {300, {824, 668}, 300},    // more than margin, picture and frame, or not
    };
    for (const auto& c : cases)
        EXPECT_EQ(LargerPlayPicture(c.pixels, c.screen, kFrame, kPlayMargin), c.grown)
            << c.pixels << " on " << c.screen.width() << "x" << c.screen.height();
}

TEST(WindowSizes, TheKeyGrowsWithRoomEitherWay)
{
    const struct {
        int pixels;
        QSize screen;
        int grown;
    } cases[] = {
        {300, {1024, 768}, 600},  {600, {1024, 768}, 900}, // 974 is wider than 910 although 718 is lower than 943
        {900, {1920, 1200}, 900}, {300, {612, 668}, 300},  // no room either way with the frame
        {300, {612, 669}, 600},   {300, {613, 600}, 600},
        {600, {960, 993}, 600},   {600, {961, 600}, 900},  // 50 short of room both ways, then one pixel over
    };
    for (const auto& c : cases)
        EXPECT_EQ(LargerKeyPicture(c.pixels, c.screen, kFrame, kKeyMargin), c.grown)
            << c.pixels << " on " << c.screen.width() << "x" << c.screen.height();
}

TEST(WindowSizes, AClickLandsInTheCellUnderIt)
{
    const struct {
        QPoint pixel;
        int zoom;
        std::optional<QPoint> cell;
    } cases[] = {
        {{45, 10}, 2, QPoint(1, 0)},  {{0, 0}, 1, QPoint(0, 0)},    {{14, 15}, 1, QPoint(0, 1)},
        {{299, 299}, 1, QPoint(19, 19)}, {{899, 450}, 3, QPoint(19, 10)}, {{300, 5}, 1, std::nullopt},
        {{-1, 5}, 1, std::nullopt},    {{5, 600}, 2, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellAt(c.pixel, c.zoom), c.cell) << c.pixel.x() << "," << c.pixel.y() << " at zoom " << c.zoom;
}
