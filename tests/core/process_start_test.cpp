#include "process_start.h"

#include <gtest/gtest.h>

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

}  // namespace
