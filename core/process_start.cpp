// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_start.h"

#include <algorithm>
#include <string_view>

namespace norvan {

namespace {

// The words of `text` between blanks; runs of blanks separate like one.
std::vector<std::string> SplitAtBlanks(std::string_view text) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (true) {
    pos = text.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) break;
    std::size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    words.emplace_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

}  // namespace

std::string CommandLine::Text() const {
  const bool quoted = game.find(' ') != std::string::npos;
  const char* quote = quoted ? "\"" : "";
  return std::string(kEmulatorProgram) + " " + quote + game + quote + options;
}

std::vector<std::string> CommandLine::Words() const {
  std::vector<std::string> words = {kEmulatorProgram, game};
  for (std::string& word : SplitAtBlanks(options)) words.push_back(std::move(word));
  return words;
}

bool CommandLine::Debug() const {
  const std::vector<std::string> words = SplitAtBlanks(options);
  return std::find(words.begin(), words.end(), "-debug") != words.end();
}

}  // namespace norvan
