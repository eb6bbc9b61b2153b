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
