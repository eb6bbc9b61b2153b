#include "process_start.h"

namespace norvan {

std::vector<std::string> SplitAtBlanks(std::string_view commandLine) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (true) {
    pos = commandLine.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) break;
    std::size_t end = commandLine.find(' ', pos);
    if (end == std::string_view::npos) end = commandLine.size();
    words.emplace_back(commandLine.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

}  // namespace norvan
