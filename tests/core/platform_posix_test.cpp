// What only POSIX systems have: FIFOs and devices under the settings file's
// name, the program search by permission, and the start by fork and exec.
#include "process_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>

#include "fake_view.h"
#include "settings_file.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Whatever stands under the name, loading neither hangs nor crashes, and ends
// with the defaults shown.
TEST(LoadSettings, NonRegularFilesFallBackWithoutBlocking) {
  TempFolder folder;
  const std::vector<std::function<void(const fs::path&)>> makers = {
      [](const fs::path& p) { fs::create_directory(p); },
      [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
      [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
      [](const fs::path& p) { fs::create_symlink("/dev/tty", p); },
      [](const fs::path& p) { fs::create_symlink(p.parent_path(), p); },
      [](const fs::path& p) { fs::create_symlink("norvan.cfg", p); },  // a loop
      [](const fs::path& p) { fs::create_symlink("missing", p); },
  };
  for (std::size_t i = 0; i < makers.size(); ++i) {
    const fs::path path = folder / ("case" + std::to_string(i)) / "norvan.cfg";
    fs::create_directory(path.parent_path());
    makers[i](path);
    FakeView view;
    view.checks[0] = kChecked;
    LoadSettings(view, path);
    EXPECT_EQ(ReadLaunchSettings(view), LaunchSettings{}) << i;
  }
}

TEST(FindProgram, TakesTheFirstExecutableFile) {
  TempFolder folder;
  for (const char* dir : {"a", "b", "c", "d"}) fs::create_directory(folder / dir);
  folder.Write("b/O2EM.EXE", "not executable");
  fs::create_directory(folder / "c/O2EM.EXE");
  folder.Write("d/O2EM.EXE", "#!/bin/sh\n");
  fs::permissions(folder / "d/O2EM.EXE", fs::perms::owner_all);
  const std::vector<fs::path> folders = {folder / "a", folder / "b", folder / "c", folder / "d"};
  EXPECT_EQ(FindProgram("O2EM.EXE", folders), folder / "d/O2EM.EXE");
  EXPECT_EQ(FindProgram("o2em.exe", folders), fs::path());
  EXPECT_EQ(FindProgram("O2EM.EXE", {folder / "a"}), fs::path());
}

// The real start, against a copy of record_args named O2EM.EXE in the
// working folder: what it records is exactly the argv it received.
class RealStartTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::copy_file(RECORD_ARGS_PATH, folder / "O2EM.EXE");
    ::setenv("RECORD_ARGS_TO", (folder / "args").c_str(), 1);
  }
  void TearDown() override { ::unsetenv("RECORD_ARGS_TO"); }

  // The recorded working folder and argv, or nothing after ten seconds.
  std::vector<std::string> WaitForRecord() {
    for (int i = 0; i < 1000 && !fs::exists(folder / "args"); ++i)
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

TEST_F(RealStartTest, NamesArriveByteForByteAndRunNothing) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"GAME.BIN", {"GAME.BIN"}},
      {"my game.bin", {"my", "game.bin"}},
      {"a;touch x;.bin", {"a;touch", "x;.bin"}},
      {"a;touch\tx;.bin", {"a;touch\tx;.bin"}},
      {"$(touch y).bin", {"$(touch", "y).bin"}},
      {"`touch z`.bin", {"`touch", "z`.bin"}},
      {"-rf.bin", {"-rf.bin"}},
      {"*.bin", {"*.bin"}},
      {"caf\xE9\x01.bin", {"caf\xE9\x01.bin"}},
  };
  for (const auto& [name, words] : cases) {
    fs::remove(folder / "args");
    ASSERT_TRUE(starter.Start("O2EM.EXE " + name + " -debug -s1=3 -s2=2  ")) << name;
    std::vector<std::string> want = {fs::current_path().string(), "O2EM.EXE"};
    want.insert(want.end(), words.begin(), words.end());
    want.insert(want.end(), {"-debug", "-s1=3", "-s2=2"});
    EXPECT_EQ(WaitForRecord(), want) << name;
  }
  for (const char* planted : {"x", "y", "z"}) EXPECT_FALSE(fs::exists(folder / planted));
}

TEST_F(RealStartTest, LeavesNoChildToReap) {
  ASSERT_TRUE(starter.Start("O2EM.EXE GAME.BIN"));
  WaitForRecord();
  // Every process we forked has been reaped; the emulator belongs to init.
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(RealStartTest, FailsWhenTheProgramCannotRun) {
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", "/nonexistent", 1);
  fs::remove(folder / "O2EM.EXE");
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  folder.Write("O2EM.EXE", "\177ELF broken");  // executable, but exec fails
  fs::permissions(folder / "O2EM.EXE", fs::perms::owner_all);
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  EXPECT_FALSE(starter.Start("   "));
  ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
