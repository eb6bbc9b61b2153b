// SPDX-License-Identifier: GPL-3.0-or-later
// What only Windows has: devices under the settings file's name, and the start
// by CreateProcess, which gets the command line whole.
#include <windows.h>

#include "test_support.h"

TEST_F(RealStart, DevicesAndFoldersAsSettingsFallBackWithoutBlocking) {
  fs::create_directory("norvan.cfg");
  for (const char* path : {"norvan.cfg", "NUL", "CON", "\\\\.\\NUL", "COM1"})
    EXPECT_EQ(Loaded(path), LaunchSettings{}) << path;
  // Every failed save cleaned up after itself: the folder holds O2EM.EXE and norvan.cfg.
  EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 2);
}

// The emulator's C runtime splits the line as CommandLineToArgvW does: each
// name comes back whole, quoted or not.
TEST_F(RealStart, TheNameComesBackAsOneArgument) {
  for (const std::string name : {"Alpha.bin", "My Game.bin", "a  b   c.bin", " lead.bin",
                                 "Munchkin's (USA, Europe) & Co!.bin", "caf\xC3\xA9.bin",
                                 "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1.bin"}) {
    ASSERT_TRUE(starter.Start({name, " -debug -s1=3 -s2=2  "})) << name;
    const std::string line = TakeRecord().at(1);
    const std::u8string utf8(line.begin(), line.end());
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(fs::path(utf8).c_str(), &count);
    ASSERT_TRUE(words && count == 5) << line;
    const std::u8string got = fs::path(words[1]).u8string();
    ::LocalFree(words);
    EXPECT_EQ(std::string(got.begin(), got.end()), name);
  }
}

// In a folder of its own: a started O2EM.EXE may still be running, and Windows
// neither replaces nor removes a running program.
TEST_F(RealStart, FailsWhenTheProgramCannotRun) {
  folder.Write("O2EM.EXE", "MZ broken");
  EXPECT_FALSE(starter.Start({"GAME.BIN", ""}));
  fs::remove("O2EM.EXE");
  EXPECT_FALSE(starter.Start({"GAME.BIN", ""}));
}
