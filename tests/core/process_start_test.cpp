#include "process_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <sys/wait.h>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(SplitAtBlanks, BlanksOnlyNoQuotingOrEscapes) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"O2EM.EXE GAME.BIN  -s1=1 -s2=0  ", {"O2EM.EXE", "GAME.BIN", "-s1=1", "-s2=0"}},
      {"O2EM.EXE my game.bin", {"O2EM.EXE", "my", "game.bin"}},
      {"O2EM.EXE \"a b\".bin", {"O2EM.EXE", "\"a", "b\".bin"}},
      {"O2EM.EXE a\\ b\ttab.bin", {"O2EM.EXE", "a\\", "b\ttab.bin"}},
      {"O2EM.EXE *.bin $(id).bin", {"O2EM.EXE", "*.bin", "$(id).bin"}},
      {"   ", {}},
      {"", {}},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(SplitAtBlanks(text), want) << text;
}

TEST(SearchFolders, LauncherFolderThenWorkingFolderThenPath) {
  EXPECT_EQ(SearchFolders("/opt/norvan", "/usr/bin::/bin"),
            (std::vector<fs::path>{"/opt/norvan", ".", "/usr/bin", ".", "/bin"}));
  EXPECT_EQ(SearchFolders("", ""), (std::vector<fs::path>{"."}));
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
    for (std::size_t pos = 0, end; (end = bytes.find('\0', pos)) != std::string::npos; pos = end + 1)
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
  folder.Write("O2EM.EXE", "\x7F" "ELF broken");  // executable, but exec fails
  fs::permissions(folder / "O2EM.EXE", fs::perms::owner_all);
  EXPECT_FALSE(starter.Start("O2EM.EXE GAME.BIN"));
  EXPECT_FALSE(starter.Start("   "));
  ::setenv("PATH", path.c_str(), 1);
}

}  // namespace
