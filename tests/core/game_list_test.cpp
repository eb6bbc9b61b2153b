// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_list.h"

#include <algorithm>

#include "test_support.h"

std::vector<std::string> Names(const GameList& games) {
  std::vector<std::string> names;
  for (const GameEntry& game : games) names.push_back(game.name);
  return names;
}

TEST(ListGames, FilesMatchingBinSortedWithoutRegardToCase) {
  // "name/" is a folder, "name>target" a link. UTF-8 on Windows too, whatever
  // the code page: Japanese and Greek fit none.
  const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {{"b.bin", "A.BIN", ".hidden.bin", "x.Bin", "gamebin", "c.bin.txt", "folder.bin/", "Zeta.bin",
        "_x.bin", "caf\xC3\xA9 2.bin", "\xE6\x97\xA5\xE6\x9C\xAC \xCE\xB1.bin"},
       {".hidden.bin", "_x.bin", "A.BIN", "b.bin", "caf\xC3\xA9 2.bin", "x.Bin", "Zeta.bin",
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
    EXPECT_EQ(Names(ListGames(folder.path)), want) << files[0];
  }
  EXPECT_TRUE(ListGames("/nonexistent/norvan").empty());
}

// Many names that share starts of every length, and names a radix sort could
// misplace, each many times over as a large folder gives the sort, against
// the order written out.
TEST(SortGames, AgreesWithComparingWholeNames) {
  const std::string letters = "aAbB[`_z\xC3\xA9.", k254(254, 'x');
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
  // Each the start of the next; equal but for case; '[' and '`' between the
  // cases; 1 and 255 bytes.
  for (const std::string& name : std::vector<std::string>{
           "ab", "AB.bin", "ab.bin.bin", "SIXTEEN BYTES ABA.bin", "sixteen bytes ABa.bin", "[", "`",
           "Z", "z[", "y", "X" + k254, "x" + k254})
    games.insert(games.end(), 40, {name});
  std::shuffle(games.begin(), games.end(), random);
  std::vector<std::string> want = Names(games);
  std::ranges::sort(want, {}, [](const std::string& name) {
    std::string lower = name;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    return std::pair(lower, name);
  });
  SortGames(games);
  EXPECT_EQ(Names(games), want);
}

// The replacement character, U+FFFD, to join with other literals.
#define FFFD "\xEF\xBF\xBD"

TEST(GameEntry, DisplayReplacesEachInvalidSequence) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xC3\xA9 \xE2\x86\x90 \xF0\x9F\x8E\xAE", "\xC3\xA9 \xE2\x86\x90 \xF0\x9F\x8E\xAE"},
      {"caf\xE9.bin\xFF", "caf" FFFD ".bin" FFFD},
      {"\xC0\xAF", FFFD FFFD},                    // overlong
      {"\xED\xA0\x80", FFFD FFFD FFFD},           // surrogate
      {"\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD},  // beyond U+10FFFF
      {"\xE2\x86", FFFD FFFD},                    // cut short
      // Characters that disguise a name: controls, DEL, C1 controls, and the
      // bidirectional embeddings, overrides and isolates. Their neighbours stay.
      {"a\nb\tc\rd\x7F\x01", "a" FFFD "b" FFFD "c" FFFD "d" FFFD FFFD},
      {"\xC2\x85\xC2\x9F\xC2\xA0", FFFD FFFD "\xC2\xA0"},
      {"photo\xE2\x80\xAEgpj.bin", "photo" FFFD "gpj.bin"},
      {"\xE2\x80\xA9\xE2\x80\xAA\xE2\x81\xA9\xE2\x81\xAA", "\xE2\x80\xA9" FFFD FFFD "\xE2\x81\xAA"},
  };
  for (const auto& [name, want] : cases) EXPECT_EQ(GameEntry{name}.Display(), want) << name;
}
