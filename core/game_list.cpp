// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_list.h"

#include "platform.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <span>

namespace norvan {

namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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

// The code point of a valid UTF-8 sequence.
char32_t CodePoint(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
  if (sequence.size() == 1) return byte(0);
  char32_t point = byte(0) & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) point = (point << 6) | (byte(i) & 0x3F);
  return point;
}

// Characters that would let a name pass for another: controls, which cut an
// entry off or are invisible, and the bidirectional embeddings, overrides and
// isolates, which turn text around: "photo", U+202E, "gpj.bin" reads as
// "photonib.jpg".
bool IsDisguising(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

// The byte at `depth` of a name, lower-cased; 0 past its end, since names
// cannot hold NUL and a shorter name sorts first.
std::size_t FoldedByte(const std::string& name, std::size_t depth) {
  return depth < name.size() ? static_cast<unsigned char>(AsciiLower(name[depth])) : 0;
}

// The list's order for two names that agree, lower-cased, in their first
// `depth` bytes: lower-cased bytes first, then the bytes as they are.
bool ListedBefore(const std::string& a, const std::string& b, std::size_t depth) {
  for (std::size_t i = depth; i < a.size() && i < b.size(); ++i) {
    const auto lowerA = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto lowerB = static_cast<unsigned char>(AsciiLower(b[i]));
    if (lowerA != lowerB) return lowerA < lowerB;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// Sorts entries whose names agree, lower-cased, in their first `depth` bytes
// by comparing them.
void SortByComparing(std::span<GameEntry> entries, std::size_t depth) {
  std::sort(entries.begin(), entries.end(), [depth](const GameEntry& a, const GameEntry& b) {
    return ListedBefore(a.name, b.name, depth);
  });
}

// Moves each entry into the part of `entries` for its byte at `depth`, and
// gives where each part ends.
std::array<std::size_t, 256> SplitByByte(std::span<GameEntry> entries, std::size_t depth) {
  std::array<std::size_t, 256> next{}, end{};
  for (const GameEntry& entry : entries) ++end[FoldedByte(entry.name, depth)];
  // Often all names go on alike, and nothing moves.
  const std::size_t first = FoldedByte(entries.front().name, depth);
  if (end[first] == entries.size()) {
    std::fill(end.begin() + first, end.end(), entries.size());
    return end;
  }
  std::exclusive_scan(end.begin(), end.end(), next.begin(), std::size_t{0});
  std::inclusive_scan(end.begin(), end.end(), end.begin());
  for (std::size_t value = 0; value < 256; ++value) {
    while (next[value] < end[value]) {
      GameEntry& entry = entries[next[value]];
      const std::size_t entryValue = FoldedByte(entry.name, depth);
      if (entryValue == value)
        ++next[value];
      else
        std::swap(entry, entries[next[entryValue]++]);
    }
  }
  return end;
}

// Sorts `entries`, whose names agree, lower-cased, in their first `depth`
// bytes, in place: a radix sort a byte at a time, which compares no strings,
// down to ranges small enough for comparing. It takes no memory: each fresh
// page costs a page fault, and for a copy of 100 000 entries, 3 MB, these
// cost more than the whole sort. The largest part of each split goes round
// again and only the others, each at most half the entries, are sorted by
// recursion, which so stays shallow however long the names.
void SortFrom(std::span<GameEntry> entries, std::size_t depth) {
  constexpr std::size_t kFewEntries = 64;
  while (entries.size() > kFewEntries) {
    const std::array<std::size_t, 256> end = SplitByByte(entries, depth);
    const auto part = [&](std::size_t value) {
      const std::size_t start = value ? end[value - 1] : 0;
      return entries.subspan(start, end[value] - start);
    };
    std::size_t largest = 0;
    for (std::size_t value = 1; value < 256; ++value)
      if (part(value).size() > part(largest).size()) largest = value;
    for (std::size_t value = 1; value < 256; ++value)
      if (value != largest && part(value).size() > 1) SortFrom(part(value), depth + 1);
    // The names that end here are equal but for case: their bytes order them.
    SortByComparing(part(0), depth);
    if (largest == 0) return;
    entries = part(largest);
    ++depth;
  }
  SortByComparing(entries, depth);
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
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string text;
  text.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t length = Utf8SequenceLength(bytes);
    if (length == 0) {
      text += kReplacement;
      bytes.remove_prefix(1);
      continue;
    }
    const std::string_view sequence = bytes.substr(0, length);
    text += IsDisguising(CodePoint(sequence)) ? kReplacement : sequence;
    bytes.remove_prefix(length);
  }
  return text;
}

void SortGames(GameList& games) {
  SortFrom(std::span<GameEntry>(games), 0);
}

GameList ListGames(const std::filesystem::path& folder) {
  GameList games = ListFiles(folder, MatchesGamePattern);
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

}  // namespace norvan
