// The size rules the maze window and its key share, and where the key first opens.
#include "maze/windowsize.h"

#include <gtest/gtest.h>

using namespace maze;

TEST(WindowSize, SizeButtonsStepBetweenTheThreeSizesAsTheScreenAllows)
{
    const QSize frame(2, 21);
    struct Case {
        QSize client;
        QSize screen;
        int smaller;
        int larger; // 0: no room, nothing changes
    };
    const Case cases[] = {
        {{340, 373}, {1920, 1200}, 300, 600},
        {{640, 673}, {1920, 1200}, 300, 900},
        {{940, 973}, {1920, 1200}, 600, 0},
        {{340, 373}, {1000, 800}, 300, 600},
        {{640, 673}, {1000, 800}, 300, 0},   // 900 needs 973 + 21 rows
        {{640, 673}, {1000, 994}, 300, 0},   // one row short
        {{640, 673}, {1000, 995}, 300, 900},
        {{640, 673}, {942, 1200}, 300, 0},   // 940 + 2 must stay under the width
        {{340, 999}, {1920, 1200}, 300, 600}, // "is" a size by either dimension
        {{500, 500}, {1920, 1200}, 300, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SmallerPictureSize(c.client), c.smaller) << c.client.width() << "x" << c.client.height();
        EXPECT_EQ(LargerPictureSize(c.client, frame, c.screen), c.larger)
            << c.client.width() << "x" << c.client.height() << " on " << c.screen.width() << "x" << c.screen.height();
    }
    EXPECT_EQ(ClientSizeFor(600), QSize(640, 673));
    for (auto [room, pixels] : {std::pair{0, 300}, {302, 300}, {599, 300}, {600, 600}, {899, 600}, {916, 900}})
        EXPECT_EQ(PictureSizeForRoom(room), pixels) << room;
}
