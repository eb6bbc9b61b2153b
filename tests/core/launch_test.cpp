// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch.h"

#include "test_support.h"

// The line Windows gets: a name with a blank is quoted, so that the emulator's
// C runtime gives it back as one argument; any other name stands as it is.
TEST(BuildCommandLine, TheNameThenTheOptionsInTheirOrderAndABlankForEachOffOne) {
  const std::tuple<const char*, LaunchSettings, const char*> cases[] = {
      {"GAME.BIN", Settings(0, 0, 0, 1, 0), "O2EM.EXE GAME.BIN  -s1=1 -s2=0  "},
      {"My Game.bin", Settings(1, 1, 1, 3, 2),
       "O2EM.EXE \"My Game.bin\" -debug -s1=3 -s2=2 -nolimit -nosound"},
      // Grayed counts as off.
      {" lead  two   three.bin", Settings(2, 2, 2, 0, 3),
       "O2EM.EXE \" lead  two   three.bin\"  -s1=0 -s2=3  "},
      // The sticks stand between debug and no limit, whichever are on.
      {"Munchkin's (USA, Europe) & Co!.bin", Settings(0, 1, 0, 0, 1),
       "O2EM.EXE \"Munchkin's (USA, Europe) & Co!.bin\"  -s1=0 -s2=1 -nolimit "},
      {"K.C.'s(USA,Europe)&Co!.bin", Settings(0, 0, 1, 1, 0),
       "O2EM.EXE K.C.'s(USA,Europe)&Co!.bin  -s1=1 -s2=0  -nosound"},
      {"GAME.BIN", Settings(0, 0, 0, kNoStickMode, kNoStickMode), "O2EM.EXE GAME.BIN  -s1= -s2=  "},
  };
  for (const auto& [name, settings, want] : cases)
    EXPECT_EQ(BuildCommandLine(name, settings).Text(), want);
}

TEST(RunGame, StartsTheSelectedGameOrRefuses) {
  const std::tuple<const char*, bool, std::vector<std::string>, const char*> cases[] = {
      // selected, start succeeds, started, message ("earlier": none shown)
      {"GAME.BIN", true, {"O2EM.EXE GAME.BIN  -s1=1 -s2=0  "}, "earlier"},
      {"o2rom.bin", true, {"O2EM.EXE o2rom.bin  -s1=1 -s2=0  "}, "earlier"},
      {"O2ROM.BIN", true, {}, "You can not play 02ROM.BIN!"},
      {"", true, {}, "There are no available games!"},
      {"GAME.BIN", false, {"O2EM.EXE GAME.BIN  -s1=1 -s2=0  "}, "Can not start O2EM.EXE!"},
  };
  for (const auto& [selected, succeeds, started, message] : cases) {
    WarningMessage = "earlier";
    FakeView view(Settings(0, 0, 0, 1, 0));
    view.selectedFile = selected;
    RecordingStarter starter;
    starter.succeed = succeeds;
    RunGame(view, starter);
    EXPECT_EQ(std::tuple(starter.started, WarningMessage, view.messageShows),
              std::tuple(started, message, std::string(message) == "earlier" ? 0 : 1))
        << selected;
  }
}
