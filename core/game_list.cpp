#include "game_list.h"

#include "platform.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
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

// Eight bytes as one number that orders like them.
std::uint64_t BigEndian(const unsigned char* bytes) {
  std::uint64_t number = 0;
  for (int i = 0; i < 8; ++i) number = (number << 8) | bytes[i];
  return number;
}

// Eight bytes with their ASCII capitals lower-cased, all at once: a byte's
// high bit marks whether it lies from 'A' to 'Z', and moved down to 0x20 it
// lower-cases it. Bytes above 0x7F stay as they are.
std::uint64_t LowerCased(std::uint64_t bytes) {
  constexpr std::uint64_t kEach = 0x0101010101010101;
  const std::uint64_t ascii = bytes & (0x7F * kEach);
  const std::uint64_t fromA = ascii + (0x80 - 'A') * kEach;
  const std::uint64_t pastZ = ascii + (0x7F - 'Z') * kEach;
  return bytes | ((fromA & ~pastZ & ~bytes & (0x80 * kEach)) >> 2);
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

// A game's place in the sort, with 24 bytes of its name lower-cased, from a
// multiple of 24 on, as three chunks of eight. Reading the names, scattered
// over memory, costs more than sorting, so each is read once for every 24
// bytes the sort needs, not once for every eight; most names differ within
// their first 24 bytes.
constexpr std::size_t kChunks = 3;
struct SortKey {
  std::array<std::uint64_t, kChunks> chunks;
  std::string* name;
};
using SortKeys = std::span<SortKey>;

// Names cannot hold NUL, so the zero padding past a name's end sorts first,
// as the shorter name does. The work for each name is kept small, so that
// the processor reads several names, scattered over memory, at once.
void ReadChunks(SortKeys keys, std::size_t depth) {
  for (SortKey& key : keys) {
    unsigned char bytes[8 * kChunks] = {};
    const std::string& name = *key.name;
    if (depth < name.size())
      std::memcpy(bytes, name.data() + depth, std::min(sizeof bytes, name.size() - depth));
    for (std::size_t i = 0; i < kChunks; ++i) key.chunks[i] = LowerCased(BigEndian(bytes + 8 * i));
  }
}

// Sorts `keys` by one of their chunks, a byte at a time from `byte` (7, the
// highest) down: each key is swapped into its byte's part of the range, and
// each part is sorted by the next byte. In place, since fresh memory for a
// second copy of the keys costs more than swapping them.
void SortByChunk(SortKeys keys, std::size_t chunk, int byte = 7) {
  const auto byteOf = [chunk, byte](const SortKey& key) {
    return (key.chunks[chunk] >> (8 * byte)) & 0xFF;
  };
  constexpr std::size_t kFewKeys = 32;
  if (keys.size() <= kFewKeys) {
    std::sort(keys.begin(), keys.end(), [chunk](const SortKey& a, const SortKey& b) {
      return a.chunks[chunk] < b.chunks[chunk];
    });
    return;
  }
  std::array<std::size_t, 256> next{}, end{};
  for (const SortKey& key : keys) ++end[byteOf(key)];
  std::exclusive_scan(end.begin(), end.end(), next.begin(), std::size_t{0});
  std::inclusive_scan(end.begin(), end.end(), end.begin());
  for (std::size_t value = 0; value < 256; ++value) {
    while (next[value] < end[value]) {
      SortKey& key = keys[next[value]];
      const std::size_t keyValue = byteOf(key);
      if (keyValue == value)
        ++next[value];
      else
        std::swap(key, keys[next[keyValue]++]);
    }
  }
  if (byte == 0) return;
  for (std::size_t value = 0, start = 0; value < 256; start = end[value++])
    if (end[value] - start > 1)
      SortByChunk(keys.subspan(start, end[value] - start), chunk, byte - 1);
}

// Sorts a few keys by comparing: their chunks from `chunk` on, then the names
// past the chunks.
void SortByComparing(SortKeys keys, std::size_t depth, std::size_t chunk) {
  const std::size_t pastChunks = depth + 8 * (kChunks - chunk);
  std::sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
    for (std::size_t i = chunk; i < kChunks; ++i)
      if (a.chunks[i] != b.chunks[i]) return a.chunks[i] < b.chunks[i];
    return ListedBefore(*a.name, *b.name, pastChunks);
  });
}

// Sorts `keys`, whose names agree, lower-cased, in their first `depth` bytes:
// a radix sort on eight bytes at a time, which compares no strings, down to
// ranges small enough for comparing.
void SortFrom(SortKeys keys, std::size_t depth) {
  constexpr std::size_t kSmallRange = 32;
  const std::size_t chunk = depth / 8 % kChunks;
  if (chunk == 0) ReadChunks(keys, depth);
  if (keys.size() <= kSmallRange) return SortByComparing(keys, depth, chunk);
  SortByChunk(keys, chunk);
  // Each run of equal chunks goes on with the next eight bytes; when they
  // hold a name's end, all the run's names are equal but for case.
  for (auto run = keys.begin(); run != keys.end();) {
    const auto end = std::find_if(run, keys.end(), [&](const SortKey& key) {
      return key.chunks[chunk] != run->chunks[chunk];
    });
    if ((run->chunks[chunk] & 0xFF) == 0)
      std::sort(run, end, [](const SortKey& a, const SortKey& b) { return *a.name < *b.name; });
    else if (end - run > 1)
      SortFrom({run, end}, depth + 8);
    run = end;
  }
}

// The games of `keys` in the list's order, their names moved out of where the
// keys point. The list is made in order, not sorted in place: its entries are
// then written one after the other, and each name read does not wait for the
// one before, as it would when following the cycles of the permutation.
GameList InListOrder(std::vector<SortKey> keys) {
  SortFrom(keys, 0);
  GameList games;
  games.reserve(keys.size());
  for (const SortKey& key : keys) games.push_back({std::move(*key.name)});
  return games;
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
  std::vector<SortKey> keys;
  keys.reserve(games.size());
  for (GameEntry& game : games) keys.push_back({{}, &game.name});
  games = InListOrder(std::move(keys));
}

GameList ListGames(const std::filesystem::path& folder) {
  std::vector<std::string> names = ListFiles(folder, MatchesGamePattern);
  std::vector<SortKey> keys;
  keys.reserve(names.size());
  for (std::string& name : names) keys.push_back({{}, &name});
  return InListOrder(std::move(keys));
}

std::optional<std::size_t> InitialSelection(const GameList& games) {
  if (games.size() >= 2) return 0;
  return std::nullopt;
}

long long GameCount(const GameList& games) {
  return static_cast<long long>(games.size()) - 1;
}

}  // namespace norvan
