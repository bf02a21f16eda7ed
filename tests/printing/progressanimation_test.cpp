#include "printing/progressanimation.h"

#include <gtest/gtest.h>

#include <set>

using namespace printing;

TEST(ProgressAnimation, EachStateShowsOrHidesItsBlock)
{
    // state -> block, shown (+) or hidden (-)
    const int table[27][2] = {{0, 0},   {1, 1},   {2, 1},   {3, 1},   {1, -1},  {4, 1},   {2, -1},
                              {5, 1},   {3, -1},  {6, 1},   {4, -1},  {7, 1},   {5, -1},  {8, 1},
                              {6, -1},  {9, 1},   {7, -1},  {10, 1},  {8, -1},  {11, 1},  {9, -1},
                              {12, 1},  {10, -1}, {13, 1},  {11, -1}, {12, -1}, {13, -1}};
    EXPECT_FALSE(ProgressAction(0).has_value());
    EXPECT_FALSE(ProgressAction(27).has_value());
    for (int state = 1; state <= kProgressStates; ++state) {
        const auto change = ProgressAction(state);
        ASSERT_TRUE(change.has_value()) << state;
        EXPECT_EQ(change->block, table[state][0]) << state;
        EXPECT_EQ(change->visible, table[state][1] > 0) << state;
    }
}

// The blocks shown after n steps from a new window: a run of three slides right, and a full
// cycle (the first step of state 0 does nothing) leaves none.
TEST(ProgressAnimation, ARunOfThreeSlidesAcross)
{
    const struct {
        int steps;
        std::set<int> shown;
    } cases[] = {{1, {}}, {4, {1, 2, 3}}, {10, {4, 5, 6}}, {20, {9, 10, 11}}, {24, {11, 12, 13}}, {27, {}},
                 {30, {1, 2, 3}}};
    for (const auto& c : cases) {
        std::set<int> shown;
        int state = 0;
        for (int i = 0; i < c.steps; ++i) {
            if (const auto change = ProgressAction(state)) {
                if (change->visible)
                    shown.insert(change->block);
                else
                    shown.erase(change->block);
            }
            state = NextProgressState(state);
        }
        EXPECT_EQ(shown, c.shown) << c.steps << " steps";
    }
}
