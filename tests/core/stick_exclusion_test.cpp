#include "stick_exclusion.h"

#include <gtest/gtest.h>

#include "fake_view.h"

namespace {

struct ExclusionCase {
  StickMode stick1, stick2;  // before
  Stick clicked;
  StickMode index;
  StickMode wantStick1, wantStick2;
  std::size_t wantHandlerRuns;  // the click itself, plus the other stick's move
};

class StickExclusionTest : public testing::TestWithParam<ExclusionCase> {};

TEST_P(StickExclusionTest, OtherStickGivesWayOnce) {
  const ExclusionCase& c = GetParam();
  FakeView view;
  view.sticks[0] = c.stick1;
  view.sticks[1] = c.stick2;
  view.SelectStickOption(c.clicked, c.index);
  EXPECT_EQ(view.sticks[0], c.wantStick1);
  EXPECT_EQ(view.sticks[1], c.wantStick2);
  EXPECT_EQ(view.clickHandlerRuns.size(), c.wantHandlerRuns);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, StickExclusionTest,
    testing::Values(
        // stick 1 takes stick 2's mode: stick 2 moves on
        ExclusionCase{kRightKeyboard, kDisable, Stick::One, kDisable, kDisable, kRightKeyboard, 2},
        ExclusionCase{kDisable, kJoystick, Stick::One, kJoystick, kJoystick, kDisable, 2},
        ExclusionCase{kDisable, kLeftKeyboard, Stick::One, kLeftKeyboard, kLeftKeyboard, kJoystick, 2},
        // stick 2 takes stick 1's mode: stick 1 moves on
        ExclusionCase{kLeftKeyboard, kJoystick, Stick::Two, kLeftKeyboard, kJoystick, kLeftKeyboard, 2},
        ExclusionCase{kJoystick, kDisable, Stick::Two, kJoystick, kDisable, kJoystick, 2},
        // moving would land on the clicked stick's old mode: still one move only
        ExclusionCase{kRightKeyboard, kDisable, Stick::Two, kRightKeyboard, kLeftKeyboard, kRightKeyboard, 2},
        // no conflict, or the option was selected already: nothing else moves
        ExclusionCase{kRightKeyboard, kDisable, Stick::One, kJoystick, kJoystick, kDisable, 1},
        ExclusionCase{kRightKeyboard, kDisable, Stick::One, kRightKeyboard, kRightKeyboard, kDisable, 0},
        ExclusionCase{kRightKeyboard, kDisable, Stick::Two, kDisable, kRightKeyboard, kDisable, 0}));

TEST(NextStickMode, FollowsTheIndexAndWraps) {
  EXPECT_EQ(NextStickMode(kDisable), kRightKeyboard);
  EXPECT_EQ(NextStickMode(kRightKeyboard), kLeftKeyboard);
  EXPECT_EQ(NextStickMode(kLeftKeyboard), kJoystick);
  EXPECT_EQ(NextStickMode(kJoystick), kDisable);
}

}  // namespace
