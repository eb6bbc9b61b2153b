#include "launch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_view.h"

namespace {

struct CommandCase {
  LaunchSettings settings;
  const char* want;
};

class BuildCommandLineTest : public testing::TestWithParam<CommandCase> {};

TEST_P(BuildCommandLineTest, Layout) {
  EXPECT_EQ(BuildCommandLine("GAME.BIN", GetParam().settings), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BuildCommandLineTest,
    testing::Values(
        CommandCase{{0, 0, 0, 1, 0}, "O2EM.EXE GAME.BIN  -s1=1 -s2=0  "},
        CommandCase{{1, 1, 1, 3, 2}, "O2EM.EXE GAME.BIN -debug -s1=3 -s2=2 -nolimit -nosound"},
        CommandCase{{2, 2, 2, 0, 1}, "O2EM.EXE GAME.BIN  -s1=0 -s2=1  "},  // grayed is off
        CommandCase{{1, 0, 2, 2, 3}, "O2EM.EXE GAME.BIN -debug -s1=2 -s2=3  "},
        CommandCase{{0, 1, 0, 3, 0}, "O2EM.EXE GAME.BIN  -s1=3 -s2=0 -nolimit "},
        CommandCase{{2, 0, 1, 1, 2}, "O2EM.EXE GAME.BIN  -s1=1 -s2=2  -nosound"},
        CommandCase{{0, 0, 0, kNoStickMode, kNoStickMode}, "O2EM.EXE GAME.BIN  -s1= -s2=  "}));

// Every combination: the words in their fixed order, and always six blanks,
// so an option that is off still leaves its blank.
TEST(BuildCommandLine, EveryCombinationOfStatesAndModes) {
  for (CheckState debug = 0; debug <= 2; ++debug)
    for (CheckState noLimit = 0; noLimit <= 2; ++noLimit)
      for (CheckState noSound = 0; noSound <= 2; ++noSound)
        for (StickMode s1 = 0; s1 < 4; ++s1)
          for (StickMode s2 = 0; s2 < 4; ++s2) {
            const std::string line = BuildCommandLine("g.bin", {debug, noLimit, noSound, s1, s2});
            std::vector<std::string> want = {"O2EM.EXE", "g.bin"};
            if (debug == 1) want.push_back("-debug");
            want.push_back("-s1=" + std::to_string(s1));
            want.push_back("-s2=" + std::to_string(s2));
            if (noLimit == 1) want.push_back("-nolimit");
            if (noSound == 1) want.push_back("-nosound");
            EXPECT_EQ(SplitAtBlanks(line), want) << line;
            EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 6) << line;
          }
}

class RecordingStarter : public ProcessStarter {
 public:
  bool succeed = true;
  std::vector<std::string> started;
  bool Start(const std::string& commandLine) override {
    started.push_back(commandLine);
    return succeed;
  }
};

struct RunCase {
  const char* selected;
  bool starterSucceeds;
  const char* wantStarted;  // nullptr: nothing started
  const char* wantMessage;  // nullptr: no message window
};

class RunGameTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunGameTest, StartsOrRefuses) {
  const RunCase& c = GetParam();
  WarningMessage = "earlier";
  FakeView view;
  view.selectedFile = c.selected;
  view.sticks[0] = kRightKeyboard;
  RecordingStarter starter;
  starter.succeed = c.starterSucceeds;
  RunGame(view, starter);
  const std::vector<std::string> wantStarted =
      c.wantStarted ? std::vector<std::string>{c.wantStarted} : std::vector<std::string>{};
  EXPECT_EQ(starter.started, wantStarted);
  EXPECT_EQ(view.messageWindowShows, c.wantMessage ? 1 : 0);
  EXPECT_EQ(WarningMessage, c.wantMessage ? c.wantMessage : "earlier");
}

INSTANTIATE_TEST_SUITE_P(
    Selections, RunGameTest,
    testing::Values(
        RunCase{"GAME.BIN", true, "O2EM.EXE GAME.BIN  -s1=1 -s2=0  ", nullptr},
        RunCase{"O2ROM.BIN", true, nullptr, "You can not play 02ROM.BIN!"},
        RunCase{"", true, nullptr, "There are no available games!"},
        // the refusal is case-sensitive: a lower-case name is a game
        RunCase{"o2rom.bin", true, "O2EM.EXE o2rom.bin  -s1=1 -s2=0  ", nullptr},
        RunCase{"my game.bin", true, "O2EM.EXE my game.bin  -s1=1 -s2=0  ", nullptr},
        // a start that failed is said, not passed over as success
        RunCase{"GAME.BIN", false, "O2EM.EXE GAME.BIN  -s1=1 -s2=0  ", "Can not start O2EM.EXE!"}));

}  // namespace
