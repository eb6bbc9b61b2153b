// What only Windows has: devices under the settings file's name, and the start
// by CreateProcess, which gets the command line whole.
#include <windows.h>

#include "test_support.h"

TEST(LoadSettings, DevicesAndFoldersFallBackWithoutBlocking) {
  TempFolder folder;
  WorkingFolder inFolder(folder.path);
  fs::create_directory("norvan.cfg");
  for (const char* path : {"norvan.cfg", "NUL", "CON", "\\\\.\\NUL", "COM1"})
    EXPECT_EQ(Loaded(path), LaunchSettings{}) << path;
  // Every failed save cleaned up after itself.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 1);
}

TEST_F(RealStart, CommandLineArrivesWholeAndMaximized) {
  // Quotes and UTF-8 pass untouched: splitting the words is the emulator's affair.
  for (const std::string name :
       {"my game.bin", "\"a b\".bin", "caf\xC3\xA9.bin", "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1.bin"}) {
    const std::string line = "O2EM.EXE " + name + " -debug -s1=3 -s2=2  ";
    ASSERT_TRUE(starter.Start(line)) << name;
    const std::u8string folder = fs::current_path().u8string();
    EXPECT_EQ(TakeRecord(),
              (std::vector<std::string>{
                  {folder.begin(), folder.end()}, line, std::to_string(SW_SHOWMAXIMIZED)}));
  }
}

TEST_F(RealStart, FailsWhenTheProgramCannotRun) {
  EXPECT_FALSE(starter.Start("   "));
  folder.Write("O2EM.EXE", "MZ broken");
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  fs::remove("O2EM.EXE");
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
}
