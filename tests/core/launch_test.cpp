// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch.h"

#include "test_support.h"

// The options stand in their order with a blank for each one off. The line is
// the one Windows gets: a name with a blank is quoted, so that the emulator's
// C runtime gives it back as one argument; any other name stands as it is.
// Settings {} are 0,0,0,1,0.
TEST(RunGame, StartsTheSelectedGameWithItsOptionsOrRefuses) {
  const std::tuple<const char*, LaunchSettings, bool, const char*, const char*> cases[] = {
      // selected, settings, start succeeds, started ("": nothing), message ("earlier": none shown)
      {"GAME.BIN", {}, true, "O2EM.EXE GAME.BIN  -s1=1 -s2=0  ", "earlier"},
      {"My Game.bin", Settings(1, 1, 1, 3, 2), true,
       "O2EM.EXE \"My Game.bin\" -debug -s1=3 -s2=2 -nolimit -nosound", "earlier"},
      // Grayed counts as off.
      {" lead  two   three.bin", Settings(2, 2, 2, 0, 3), true,
       "O2EM.EXE \" lead  two   three.bin\"  -s1=0 -s2=3  ", "earlier"},
      // The sticks stand between debug and no limit, whichever are on.
      {"Munchkin's (USA, Europe) & Co!.bin", Settings(0, 1, 0, 0, 1), true,
       "O2EM.EXE \"Munchkin's (USA, Europe) & Co!.bin\"  -s1=0 -s2=1 -nolimit ", "earlier"},
      {"K.C.'s(USA,Europe)&Co!.bin", Settings(0, 0, 1, 1, 0), true,
       "O2EM.EXE K.C.'s(USA,Europe)&Co!.bin  -s1=1 -s2=0  -nosound", "earlier"},
      {"GAME.BIN", Settings(0, 0, 0, kNoStickMode, kNoStickMode), true,
       "O2EM.EXE GAME.BIN  -s1= -s2=  ", "earlier"},
      {"o2rom.bin", {}, true, "O2EM.EXE o2rom.bin  -s1=1 -s2=0  ", "earlier"},
      {"O2ROM.BIN", {}, true, "", "You can not play 02ROM.BIN!"},
      {"", {}, true, "", "There are no available games!"},
      {"GAME.BIN", {}, false, "O2EM.EXE GAME.BIN  -s1=1 -s2=0  ", "Can not start O2EM.EXE!"},
  };
  for (const auto& [selected, settings, succeeds, started, message] : cases) {
    WarningMessage = "earlier";
    FakeView view(settings);
    view.selectedFile = selected;
    RecordingStarter starter;
    starter.succeed = succeeds;
    RunGame(view, starter);
    EXPECT_EQ(std::tuple(starter.started, WarningMessage, view.messageShows),
              std::tuple(std::vector<std::string>(*started ? 1 : 0, started), message,
                         std::string(message) == "earlier" ? 0 : 1))
        << selected;
  }
}
