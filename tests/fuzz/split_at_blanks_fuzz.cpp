// Any bytes as a command line: its words are never empty and hold no blank,
// and joined by one blank they give the text with its blanks squeezed and
// trimmed. The first byte also picks settings: a command line built around the
// rest as file name splits into "O2EM.EXE", the name's words, then the options.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launch.h"
#include "process_start.h"

using namespace norvan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size), joined;
  for (const std::string& word : SplitAtBlanks(text)) {
    if (word.empty() || word.find(' ') != std::string::npos) std::abort();
    joined += (joined.empty() ? "" : " ") + word;
  }
  if (size == 0) return 0;
  const std::string name = text.substr(1);
  const LaunchSettings s{CheckState(data[0] % 3), CheckState(data[0] / 3 % 3),
                         CheckState(data[0] / 9 % 3), StickMode(data[0] / 27 % 4),
                         StickMode(data[0] >> 6)};
  const std::string words = "O2EM.EXE " + name + (s.debug == CheckState::Checked ? " -debug" : "") +
                            " -s1=" + std::to_string(s.stick1) +
                            " -s2=" + std::to_string(s.stick2) +
                            (s.noLimit == CheckState::Checked ? " -nolimit" : "") +
                            (s.noSound == CheckState::Checked ? " -nosound" : "");
  if (SplitAtBlanks(BuildCommandLine(name, s)) != SplitAtBlanks(words)) std::abort();

  const auto blanks = [](char a, char b) { return a == ' ' && b == ' '; };
  text.erase(std::unique(text.begin(), text.end(), blanks), text.end());
  if (text.back() == ' ') text.pop_back();
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  if (joined != text) std::abort();
  return 0;
}
