// Any bytes as a command line: its words are never empty and hold no blank,
// and joined by one blank they give the text with its blanks squeezed and
// trimmed.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "process_start.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size), joined;
  for (const std::string& word : norvan::SplitAtBlanks(text)) {
    if (word.empty() || word.find(' ') != std::string::npos) std::abort();
    joined += (joined.empty() ? "" : " ") + word;
  }
  const auto blanks = [](char a, char b) { return a == ' ' && b == ' '; };
  text.erase(std::unique(text.begin(), text.end(), blanks), text.end());
  if (!text.empty() && text.back() == ' ') text.pop_back();
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  if (joined != text) std::abort();
  return 0;
}
