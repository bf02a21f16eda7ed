#include "controls/placement.h"

#include <gtest/gtest.h>

TEST(PlaceBeside, RightOfTheOwnerElseLeftElseCascadedOverIt)
{
    const QRect screen(0, 0, 1280, 1000);
    const QSize key(342, 394);
    struct Case {
        const char* what;
        QRect area;
        QRect owner;
        int gap;
        std::optional<QPoint> corner;
    };
    const Case cases[] = {
        {"room on the right", screen, {469, 303, 342, 394}, 8, QPoint(819, 303)},
        {"right edge exactly reached", screen, {0, 10, 930, 394}, 8, QPoint(938, 10)},
        {"right, no gap", screen, {0, 10, 938, 394}, 0, QPoint(938, 10)},
        {"no room right, room left", screen, {900, 50, 342, 394}, 8, QPoint(550, 50)},
        {"left edge exactly reached", screen, {350, 50, 900, 394}, 8, QPoint(0, 50)},
        {"left, no gap", screen, {342, 50, 900, 394}, 0, QPoint(0, 50)},
        {"no room either side: cascaded over it", screen, {200, 50, 942, 394}, 8, QPoint(232, 82)},
        {"cascade kept inside", screen, {200, 580, 942, 394}, 8, QPoint(232, 606)},
        {"low owner: moved up to fit", screen, {100, 800, 342, 394}, 8, QPoint(450, 606)},
        {"owner above the area: moved down", screen, {100, -40, 342, 394}, 8, QPoint(450, 0)},
        {"too high to fit", {0, 0, 1280, 380}, {0, 0, 342, 394}, 8, std::nullopt},
        {"a second screen's own area", {1280, 0, 1024, 768}, {1300, 20, 342, 394}, 8, QPoint(1650, 20)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placement::PlaceBeside(c.area, c.owner, key, c.gap), c.corner) << c.what;
}
