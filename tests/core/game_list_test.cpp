#include "game_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const GameList& games) {
  std::vector<std::string> names;
  for (const GameEntry& game : games) names.push_back(game.name);
  return names;
}

TEST(MatchesGamePattern, IgnoresCaseOfTheExtensionOnly) {
  for (const char* name : {"GAME.BIN", "x.Bin", "a.bIN", ".bin", "my game.bin", "a;touch x;.bin"})
    EXPECT_TRUE(MatchesGamePattern(name)) << name;
  for (const char* name : {"bin", "GAME.BIN.bak", "game.bi", "gamebin", "game.bin ", "O2EM.EXE", ""})
    EXPECT_FALSE(MatchesGamePattern(name)) << name;
}

TEST(ListGames, KeepsFilesAndLinksToFilesOnly) {
  TempFolder folder;
  for (const char* name : {"b.bin", "A.BIN", ".hidden.bin", "notes.txt", "c.bin.txt"}) folder.Write(name, "");
  fs::create_directory(folder / "folder.bin");
  std::vector<std::string> want = {".hidden.bin", "A.BIN", "b.bin"};
#ifndef _WIN32  // links need a privilege there
  fs::create_symlink("b.bin", folder / "link-to-file.bin");
  fs::create_symlink("folder.bin", folder / "link-to-folder.bin");
  fs::create_symlink("missing", folder / "dangling.bin");
  want.push_back("link-to-file.bin");
#endif
  EXPECT_EQ(Names(ListGames(folder.path())), want);
}

TEST(ListGames, SortsWithoutRegardToCase) {
  TempFolder folder;
  for (const char* name : {"Zeta.bin", "alpha.BIN", "Game.bin", "_x.bin", "O2ROM.BIN"})
    folder.Write(name, "");
  EXPECT_EQ(Names(ListGames(folder.path())),
            (std::vector<std::string>{"_x.bin", "alpha.BIN", "Game.bin", "O2ROM.BIN", "Zeta.bin"}));
}

#ifndef _WIN32  // names that differ in case only are one name there
TEST(ListGames, NamesDifferingInCaseOnlyStandInByteOrder) {
  TempFolder folder;
  for (const char* name : {"game.bin", "GAME.BIN", "Game.bin", "gamE.bin"}) folder.Write(name, "");
  EXPECT_EQ(Names(ListGames(folder.path())),
            (std::vector<std::string>{"GAME.BIN", "Game.bin", "gamE.bin", "game.bin"}));
}
#endif

#ifdef _WIN32
// Names are UTF-16 there; the list holds them as UTF-8, which is what the
// process start turns back into UTF-16.
TEST(ListGames, GivesNamesAsUtf8) {
  TempFolder folder;
  std::ofstream(folder.path() / L"caf\u00e9 2.bin").put('x');
  const GameList games = ListGames(folder.path());
  ASSERT_EQ(games.size(), 1u);
  EXPECT_EQ(games[0].name, "caf\xC3\xA9 2.bin");
  EXPECT_EQ(games[0].display, games[0].name);
}
#else
TEST(ListGames, KeepsNamesByteExactAndMakesThemDisplayable) {
  TempFolder folder;
  const std::string latin1 = "caf\xE9.bin";  // not UTF-8
  const std::string utf8 = "caf\xC3\xA9 2.bin";
  folder.Write(latin1, "");
  folder.Write(utf8, "");
  const GameList games = ListGames(folder.path());
  ASSERT_EQ(games.size(), 2u);
  EXPECT_EQ(games[0].name, utf8);
  EXPECT_EQ(games[0].display, utf8);
  EXPECT_EQ(games[1].name, latin1);
  EXPECT_EQ(games[1].display, "caf\xEF\xBF\xBD.bin");
}
#endif

TEST(ListGames, MissingFolderGivesEmptyList) {
  EXPECT_TRUE(ListGames("/nonexistent/norvan").empty());
}

TEST(DisplayText, ReplacesEachInvalidSequence) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain.bin", "plain.bin"},
      {"\xE2\x86\x90", "\xE2\x86\x90"},                        // valid three-byte
      {"\xF0\x9F\x8E\xAE", "\xF0\x9F\x8E\xAE"},                // valid four-byte
      {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},                      // impossible byte
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
      {"\xE2\x86", "\xEF\xBF\xBD\xEF\xBF\xBD"},                // cut short
  };
  for (const auto& [bytes, want] : cases) EXPECT_EQ(DisplayText(bytes), want) << bytes;
}

TEST(StartUpRules, SelectionAndCount) {
  const struct {
    std::size_t entries;
    bool selectsFirst;
    long long count;
  } cases[] = {{0, false, -1}, {1, false, 0}, {2, true, 1}, {50, true, 49}};
  for (const auto& c : cases) {
    const GameList games(c.entries);
    EXPECT_EQ(InitialSelection(games).value_or(99), c.selectsFirst ? 0u : 99u) << c.entries;
    EXPECT_EQ(GameCount(games), c.count) << c.entries;
  }
}

}  // namespace
