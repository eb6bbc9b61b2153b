// What only Windows has: devices under the settings file's name, the program
// search by file name, and the start by CreateProcess with the whole command
// line, against a copy of record_args named O2EM.EXE in the working folder.
#include "process_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "fake_view.h"
#include "platform.h"
#include "settings_file.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(LoadSettings, DevicesAndFoldersFallBackWithoutBlocking) {
  TempFolder folder;
  WorkingFolder inFolder(folder.path());
  fs::create_directory(folder / "norvan.cfg");
  for (const char* path : {"norvan.cfg", "NUL", "CON", "\\\\.\\NUL", "COM1"}) {
    FakeView view;
    view.checks[0] = kChecked;
    LoadSettings(view, path);
    EXPECT_EQ(ReadLaunchSettings(view), LaunchSettings{}) << path;
  }
  // Every failed save cleaned up after itself.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(IsExecutableFile, ProgramFilesByName) {
  TempFolder folder;
  for (const char* name : {"a.exe", "B.COM", "c.bin", "exe"}) folder.Write(name, "");
  fs::create_directory(folder / "d.exe");
  EXPECT_TRUE(IsExecutableFile(folder / "a.exe"));
  EXPECT_TRUE(IsExecutableFile(folder / "B.COM"));
  for (const char* name : {"c.bin", "exe", "d.exe", "missing.exe"})
    EXPECT_FALSE(IsExecutableFile(folder / name)) << name;
}

TEST(LauncherFolder, IsTheFolderOfTheRunningProgram) {
  EXPECT_TRUE(fs::exists(LauncherFolder() / "core_tests.exe"));
}

class RealStartTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(LauncherFolder() / "record_args.exe", folder / "O2EM.EXE");
    ::SetEnvironmentVariableW(L"RECORD_ARGS_TO", (folder / "args").c_str());
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"RECORD_ARGS_TO", nullptr); }

  // The recorded working folder, command line, window state and argv, or
  // nothing after thirty seconds.
  std::vector<std::string> WaitForRecord() {
    for (int i = 0; i < 3000 && !fs::exists(folder / "args"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string bytes = folder.Read("args");
    std::vector<std::string> fields;
    for (std::size_t pos = 0, end; (end = bytes.find('\0', pos)) != std::string::npos;
         pos = end + 1)
      fields.push_back(bytes.substr(pos, end - pos));
    return fields;
  }

  TempFolder folder;
  WorkingFolder inFolder{folder.path()};
  SystemProcessStarter starter;
};

TEST_F(RealStartTest, CommandLineArrivesWholeAndMaximized) {
  // Quotes and UTF-8 pass through untouched; splitting is the emulator's affair.
  for (const std::string name : {"GAME.BIN", "my game.bin", "\"a b\".bin", "caf\xC3\xA9.bin"}) {
    fs::remove(folder / "args");
    const std::string line = "O2EM.EXE " + name + " -debug -s1=3 -s2=2  ";
    ASSERT_TRUE(starter.Start(line)) << name;
    const std::vector<std::string> record = WaitForRecord();
    ASSERT_GE(record.size(), 4u) << name;
    EXPECT_EQ(record[0], fs::current_path().string()) << name;
    EXPECT_EQ(record[1], line);
    EXPECT_EQ(record[2], std::to_string(SW_SHOWMAXIMIZED)) << name;
    EXPECT_EQ(record[3], "O2EM.EXE") << name;
  }
}

TEST_F(RealStartTest, EmulatorSeesTheWordsBetweenBlanks) {
  ASSERT_TRUE(starter.Start("O2EM.EXE GAME.BIN  -s1=1 -s2=0  "));
  const std::vector<std::string> record = WaitForRecord();
  EXPECT_EQ(std::vector<std::string>(record.begin() + std::min<std::size_t>(record.size(), 3),
                                     record.end()),
            (std::vector<std::string>{"O2EM.EXE", "GAME.BIN", "-s1=1", "-s2=0"}));
}

TEST_F(RealStartTest, FailsWhenTheProgramCannotRun) {
  fs::remove(folder / "O2EM.EXE");
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  folder.Write("O2EM.EXE", "MZ broken");
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  EXPECT_FALSE(starter.Start("   "));
}

}  // namespace
