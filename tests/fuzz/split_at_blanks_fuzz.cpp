// Any bytes as a command line: its words are never empty and hold no blank,
// and joined by one blank they give the text with its blanks squeezed and
// trimmed. The first byte also picks settings: a command line built around the
// rest as file name splits into "O2EM.EXE", the name's words, then the options.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "launch.h"
#include "process_start.h"

namespace {

std::string Squeezed(std::string_view text) {
  std::string squeezed;
  bool afterBlank = false;
  for (const char c : text) {
    if (c == ' ') {
      afterBlank = !squeezed.empty();
      continue;
    }
    if (afterBlank) squeezed += ' ';
    afterBlank = false;
    squeezed += c;
  }
  return squeezed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> words = SplitAtBlanks(text);
  std::string joined;
  for (const std::string& word : words) {
    if (word.empty() || word.find(' ') != std::string::npos) std::abort();
    joined += (joined.empty() ? "" : " ") + word;
  }
  if (joined != Squeezed(text)) std::abort();

  if (size == 0) return 0;
  const unsigned pick = data[0];
  const auto check = [&](int shift) { return static_cast<CheckState>((pick >> shift) % 3); };
  const LaunchSettings settings{check(4), check(5), check(6), static_cast<StickMode>(pick & 3),
                                static_cast<StickMode>(pick >> 2 & 3)};
  const std::string name = text.substr(1);
  std::vector<std::string> want = {"O2EM.EXE"};
  for (std::string& word : SplitAtBlanks(name)) want.push_back(std::move(word));
  if (settings.debug == kChecked) want.push_back("-debug");
  want.push_back("-s1=" + std::to_string(settings.stick1));
  want.push_back("-s2=" + std::to_string(settings.stick2));
  if (settings.noLimit == kChecked) want.push_back("-nolimit");
  if (settings.noSound == kChecked) want.push_back("-nosound");
  if (SplitAtBlanks(BuildCommandLine(name, settings)) != want) std::abort();
  return 0;
}
