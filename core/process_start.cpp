#include "process_start.h"

#include "platform.h"

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

std::vector<std::filesystem::path> SearchFolders(const std::filesystem::path& launcherFolder,
                                                 std::string_view pathVariable) {
  std::vector<std::filesystem::path> folders;
  if (!launcherFolder.empty()) folders.push_back(launcherFolder);
  folders.emplace_back(".");
  std::size_t pos = 0;
  while (pos <= pathVariable.size() && !pathVariable.empty()) {
    std::size_t end = pathVariable.find(':', pos);
    if (end == std::string_view::npos) end = pathVariable.size();
    const std::string_view item = pathVariable.substr(pos, end - pos);
    folders.emplace_back(item.empty() ? std::string_view(".") : item);
    pos = end + 1;
  }
  return folders;
}

std::filesystem::path FindProgram(const std::string& name,
                                  const std::vector<std::filesystem::path>& folders) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : "";
  for (const auto& folder : folders) {
    std::filesystem::path candidate = folder / name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}
