// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch.h"

#include "test_support.h"

TEST(BuildCommandLine, OptionsInTheirOrderAndABlankForEachOffOne) {
  const std::pair<LaunchSettings, const char*> cases[] = {
      {Settings(0, 0, 0, 1, 0), "O2EM.EXE GAME.BIN  -s1=1 -s2=0  "},
      {Settings(1, 1, 1, 3, 2), "O2EM.EXE GAME.BIN -debug -s1=3 -s2=2 -nolimit -nosound"},
      // Grayed counts as off.
      {Settings(2, 2, 2, 0, 3), "O2EM.EXE GAME.BIN  -s1=0 -s2=3  "},
      // The sticks stand between debug and no limit, whichever are on.
      {Settings(0, 1, 0, 0, 1), "O2EM.EXE GAME.BIN  -s1=0 -s2=1 -nolimit "},
      {Settings(0, 0, 1, 1, 0), "O2EM.EXE GAME.BIN  -s1=1 -s2=0  -nosound"},
      {Settings(0, 0, 0, kNoStickMode, kNoStickMode), "O2EM.EXE GAME.BIN  -s1= -s2=  "},
  };
  for (const auto& [settings, want] : cases)
    EXPECT_EQ(BuildCommandLine("GAME.BIN", settings).Text(), want);
}

// The line Windows gets: a name with a blank is quoted, so that the emulator's
// C runtime gives it back as one argument; any other name stands as it is.
TEST(BuildCommandLine, QuotesANameWithABlank) {
  const std::pair<const char*, const char*> cases[] = {
      {"Alpha.bin", "O2EM.EXE Alpha.bin  -s1=1 -s2=0  "},
      {"My Game.bin", "O2EM.EXE \"My Game.bin\"  -s1=1 -s2=0  "},
      {" lead  two   three.bin", "O2EM.EXE \" lead  two   three.bin\"  -s1=1 -s2=0  "},
      {"Munchkin's (USA, Europe) & Co!.bin",
       "O2EM.EXE \"Munchkin's (USA, Europe) & Co!.bin\"  -s1=1 -s2=0  "},
      {"K.C.'s(USA,Europe)&Co!.bin", "O2EM.EXE K.C.'s(USA,Europe)&Co!.bin  -s1=1 -s2=0  "},
  };
  for (const auto& [name, want] : cases)
    EXPECT_EQ(BuildCommandLine(name, LaunchSettings{}).Text(), want);
}

struct FakeStarter : ProcessStarter {
  bool Start(const CommandLine& commandLine) override {
    started += commandLine.Text();
    return succeed;
  }
  bool succeed = true;
  std::string started;
};

TEST(RunGame, StartsTheSelectedGameOrRefuses) {
  const char* const kGame = "O2EM.EXE GAME.BIN  -s1=1 -s2=0  ";
  const std::tuple<const char*, bool, const char*, const char*> cases[] = {
      // selected, start succeeds, started, message ("earlier": none shown)
      {"GAME.BIN", true, kGame, "earlier"},
      {"o2rom.bin", true, "O2EM.EXE o2rom.bin  -s1=1 -s2=0  ", "earlier"},
      {"O2ROM.BIN", true, "", "You can not play 02ROM.BIN!"},
      {"", true, "", "There are no available games!"},
      {"GAME.BIN", false, kGame, "Can not start O2EM.EXE!"},
  };
  for (const auto& [selected, succeeds, started, message] : cases) {
    WarningMessage = "earlier";
    FakeView view(Settings(0, 0, 0, 1, 0));
    view.selectedFile = selected;
    FakeStarter starter;
    starter.succeed = succeeds;
    RunGame(view, starter);
    EXPECT_EQ(std::tuple(starter.started, WarningMessage, view.messageShows),
              std::tuple(started, message, std::string(message) == "earlier" ? 0 : 1))
        << selected;
  }
}
