// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_list.h"

#include "test_support.h"

TEST(ListGames, FilesMatchingBinSortedWithoutRegardToCase) {
  // "name/" is a folder, "name>target" a link.
  const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {{"b.bin", "A.BIN", ".hidden.bin", "x.Bin", "gamebin", "c.bin.txt", "folder.bin/"},
       {".hidden.bin", "A.BIN", "b.bin", "x.Bin"}},
      // UTF-8 on Windows too, whatever the code page: Japanese and Greek fit none.
      {{"Zeta.bin", "alpha.BIN", "Game.bin", "_x.bin", "O2ROM.BIN", "caf\xC3\xA9 2.bin",
        "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1.bin"},
       {"_x.bin", "alpha.BIN", "caf\xC3\xA9 2.bin", "Game.bin", "O2ROM.BIN", "Zeta.bin",
        "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1.bin"}},
#ifndef _WIN32  // there names differing in case only are one, and links need a privilege
      {{"game.bin", "GAME.BIN", "gamE.bin", "caf\xE9.bin", "d/", "file.bin>game.bin",
        "folder.bin>d", "dangling.bin>none"},
       {"caf\xE9.bin", "file.bin", "GAME.BIN", "gamE.bin", "game.bin"}},
#endif
  };
  for (const auto& [files, want] : cases) {
    TempFolder folder;
    for (const std::string& file : files)
      if (const std::size_t arrow = file.find('>'); arrow != std::string::npos)
        fs::create_symlink(file.substr(arrow + 1), folder / file.substr(0, arrow));
      else
        file.back() == '/' ? void(fs::create_directory(folder / file)) : folder.Write(file, "");
    std::vector<std::string> names;
    for (const GameEntry& game : ListGames(folder.path)) names.push_back(game.name);
    EXPECT_EQ(names, want) << files[0];
  }
  EXPECT_TRUE(ListGames("/nonexistent/norvan").empty());
}

// Names a radix sort could misplace. Each row also runs with every name many
// times over, as a large folder gives the sort.
TEST(SortGames, OrdersByLowerCaseThenBytes) {
  const std::string k254(254, 'x');
  const std::vector<std::string> cases[] = {
      {"ab", "AB.bin", "ab.bin.bin"},  // each name the start of the next
      {"SIXTEEN BYTES ABA.bin", "sixteen bytes ABa.bin", "Sixteen bytes abZ.bin"},
      {"[", "_", "`", "a", "Z", "z["},  // '[' and '`' stand between the cases
      {"x", "X" + k254, "x" + k254, "y"},
  };
  for (const std::vector<std::string>& want : cases) {
    for (const std::size_t copies : {1, 40}) {
      GameList games;
      for (std::size_t copy = 0; copy < copies; ++copy)
        for (auto name = want.rbegin(); name != want.rend(); ++name) games.push_back({*name});
      SortGames(games);
      for (std::size_t i = 0; i < games.size(); ++i)
        ASSERT_EQ(games[i].name, want[i / copies]) << want[0] << " x" << copies << " at " << i;
    }
  }
}

// Many names that share starts of every length, against the order written out.
TEST(SortGames, AgreesWithComparingWholeNames) {
  const std::string letters = "aAbB[`_z\xC3\xA9.";
  std::mt19937 random(7);
  auto text = [&](std::size_t length) {
    std::string s;
    while (s.size() < length) s += letters[random() % letters.size()];
    return s;
  };
  std::vector<std::string> stems;
  for (int i = 0; i < 40; ++i) stems.push_back(text(random() % 30));
  GameList games;
  for (int i = 0; i < 5000; ++i)
    games.push_back({stems[random() % stems.size()] + text(1 + random() % 5)});
  auto key = [](const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    return std::pair(lower, name);
  };
  std::vector<std::string> want;
  for (const GameEntry& game : games) want.push_back(game.name);
  std::sort(want.begin(), want.end(), [&](auto& a, auto& b) { return key(a) < key(b); });
  SortGames(games);
  for (std::size_t i = 0; i < want.size(); ++i) ASSERT_EQ(games[i].name, want[i]) << i;
}

TEST(GameEntry, DisplayReplacesEachInvalidSequence) {
  const std::string kBad = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> cases[] = {
      {"\xC3\xA9 \xE2\x86\x90 \xF0\x9F\x8E\xAE", "\xC3\xA9 \xE2\x86\x90 \xF0\x9F\x8E\xAE"},
      {"caf\xE9.bin\xFF", "caf" + kBad + ".bin" + kBad},
      {"\xC0\xAF", kBad + kBad},                        // overlong
      {"\xED\xA0\x80", kBad + kBad + kBad},             // surrogate
      {"\xF4\x90\x80\x80", kBad + kBad + kBad + kBad},  // beyond U+10FFFF
      {"\xE2\x86", kBad + kBad},                        // cut short
      // Characters that disguise a name: controls, DEL, C1 controls, and the
      // bidirectional embeddings, overrides and isolates. Their neighbours stay.
      {"a\nb\tc\rd\x7F"
       "e\x01",
       "a" + kBad + "b" + kBad + "c" + kBad + "d" + kBad + "e" + kBad},
      {"\xC2\x85\xC2\x9F\xC2\xA0", kBad + kBad + "\xC2\xA0"},
      {"photo\xE2\x80\xAEgpj.bin", "photo" + kBad + "gpj.bin"},
      {"\xE2\x80\xA9\xE2\x80\xAA\xE2\x81\xA9\xE2\x81\xAA",
       "\xE2\x80\xA9" + kBad + kBad + "\xE2\x81\xAA"},
  };
  for (const auto& [name, want] : cases) EXPECT_EQ(GameEntry{name}.Display(), want) << name;
}
