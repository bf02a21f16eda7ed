#include "platform/colours.h"

#include <gtest/gtest.h>

TEST(Colours, ConvertBetweenBgrValuesAndQColor)
{
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0)) << "the low byte is red";
    EXPECT_EQ(ToQColor(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(ToQColor(0xCB10B4), QColor(180, 16, 203));
    EXPECT_EQ(ToQColor(0xFF0000FF), QColor(255, 0, 0)) << "the top byte is not a colour";
    EXPECT_EQ(FromQColor(QColor(108, 108, 255)), 0xFF6C6Cu);
    EXPECT_EQ(FromQColor(QColor(9, 255, 9, 10)), 0x09FF09u) << "alpha is dropped";
    EXPECT_EQ(FromQColor(QColor::fromHsv(120, 255, 255)), 0x00FF00u) << "any colour model";
    EXPECT_EQ(FromQColor(QColor()), 0u);
    for (std::uint32_t bgr : {0x000000u, 0xFFFFFFu, 0x123456u, 0xA6A600u})
        EXPECT_EQ(FromQColor(ToQColor(bgr)), bgr);
}
