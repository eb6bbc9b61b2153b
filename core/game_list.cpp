#include "game_list.h"

#include <algorithm>
#include <exception>
#include <system_error>

namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

// Length of the valid UTF-8 sequence at the start of `s`, or 0 if it is not one.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

struct SortItem {
  std::string key;  // lower-cased once, so the sort compares plain bytes
  GameEntry entry;
};

// The entry's name as bytes; empty for a name that has no such form (on
// Windows, one that is not valid UTF-16), which then never matches.
std::string FileName(const std::filesystem::directory_entry& entry) {
  try {
    return entry.path().filename().string();
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

bool MatchesGamePattern(std::string_view name) {
  constexpr std::string_view kSuffix = ".bin";
  if (name.size() < kSuffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - kSuffix.size());
  return std::equal(tail.begin(), tail.end(), kSuffix.begin(),
                    [](char a, char b) { return AsciiLower(a) == b; });
}

std::string DisplayText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t length = Utf8SequenceLength(bytes);
    if (length == 0) {
      text += "\xEF\xBF\xBD";
      bytes.remove_prefix(1);
    } else {
      text.append(bytes.substr(0, length));
      bytes.remove_prefix(length);
    }
  }
  return text;
}

void SortGames(GameList& games) {
  std::vector<SortItem> items;
  items.reserve(games.size());
  for (GameEntry& entry : games) items.push_back({AsciiLower(entry.name), std::move(entry)});
  std::sort(items.begin(), items.end(), [](const SortItem& a, const SortItem& b) {
    if (const int order = a.key.compare(b.key); order != 0) return order < 0;
    return a.entry.name < b.entry.name;
  });
  for (std::size_t i = 0; i < items.size(); ++i) games[i] = std::move(items[i].entry);
}

GameList ListGames(const std::filesystem::path& folder) {
  GameList games;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error), end;
  for (; !error && it != end; it.increment(error)) {
    // Only the name decides until it matches; a link costs a stat after that.
    std::string name = FileName(*it);
    if (!MatchesGamePattern(name)) continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string display = DisplayText(name);
    games.push_back({std::move(name), std::move(display)});
  }
  SortGames(games);
  return games;
}

std::optional<std::size_t> InitialSelection(const GameList& games) {
  if (games.size() >= 2) return 0;
  return std::nullopt;
}

long long GameCount(const GameList& games) {
  return static_cast<long long>(games.size()) - 1;
}
