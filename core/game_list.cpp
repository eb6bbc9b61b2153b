#include "game_list.h"

#include "platform.h"

#include <algorithm>
#include <cstdint>

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

// Eight bytes of a lower-cased name from `from` on, as one number that orders
// like them; names cannot hold NUL, so the zero padding past a name's end
// sorts first, as the shorter string does.
std::uint64_t Head(std::string_view lower, std::size_t from) {
  std::uint64_t head = 0;
  for (std::size_t i = from; i < from + 8; ++i)
    head = (head << 8) | (i < lower.size() ? static_cast<unsigned char>(lower[i]) : 0u);
  return head;
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
  // The lower-cased names live side by side in one block, and each key carries
  // the first sixteen bytes as two numbers: most comparisons end there without
  // touching memory, and the rest read the compact block, not names scattered
  // over the heap. Each name is moved once, at the end.
  std::string lower;
  for (const GameEntry& game : games) lower += game.name;
  for (char& c : lower) c = AsciiLower(c);

  struct Key {
    std::uint64_t head[2];
    std::string_view lower;
    std::size_t index;
  };
  std::vector<Key> keys(games.size());
  for (std::size_t i = 0, offset = 0; i < games.size(); offset += games[i++].name.size()) {
    const std::string_view name(lower.data() + offset, games[i].name.size());
    keys[i] = {{Head(name, 0), Head(name, 8)}, name, i};
  }
  std::sort(keys.begin(), keys.end(), [&games](const Key& a, const Key& b) {
    if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
    if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
    if (const int order = a.lower.compare(b.lower); order != 0) return order < 0;
    return games[a.index].name < games[b.index].name;
  });

  GameList sorted;
  sorted.reserve(games.size());
  for (const Key& key : keys) sorted.push_back(std::move(games[key.index]));
  games = std::move(sorted);
}

GameList ListGames(const std::filesystem::path& folder) {
  GameList games;
  for (std::string& name : ListFiles(folder, MatchesGamePattern))
    games.push_back({std::move(name)});
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
