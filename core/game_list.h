// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvan {

// `bytes` as valid UTF-8 that shows what it says: each invalid sequence, and
// each control and bidirectional formatting character (which could hide or
// reorder parts of a name), replaced by U+FFFD.
std::string DisplayText(std::string_view bytes);

// One "*.bin" file of the game folder.
struct GameEntry {
  // The file name exactly as the file system gives it; on Linux any bytes but
  // '/' and NUL, not necessarily UTF-8. This is what the emulator receives.
  std::string name;

  // The name as the window shows it. Made only for the rows on screen, so a
  // huge folder costs no more to show than a small one.
  std::string Display() const { return DisplayText(name); }
};

using GameList = std::vector<GameEntry>;

// Whether a file name matches "*.bin", without regard to case.
bool MatchesGamePattern(std::string_view name);

// The game images of `folder`: the entries matching "*.bin" that are files or
// links to files (never folders), sorted by name without regard to ASCII case;
// names that differ only in case stand in byte order, so "GAME.BIN" comes
// before "game.bin". Dot-files count: a leading dot only hides a file, and the
// list shows hidden files. An unreadable folder gives an empty list.
GameList ListGames(const std::filesystem::path& folder);

// Sorts entries the way ListGames does.
void SortGames(GameList& games);

// The entry selected when the window loads: the first one when there are two
// or more, none otherwise.
std::optional<std::size_t> InitialSelection(const GameList& games);

// The number shown as the game count: the entries minus one, so -1 for an
// empty list (O2ROM.BIN is listed and counted too).
long long GameCount(const GameList& games);

}  // namespace norvan
