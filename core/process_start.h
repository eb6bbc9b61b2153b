#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace norvan {

// Starts a program from one command line text, without waiting for it.
class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // False when the program could not be started.
  virtual bool Start(const std::string& commandLine) = 0;
};

// The operating system's process start. On Windows the text goes whole to
// CreateProcess, which finds the program and splits the words the usual way.
// Elsewhere the text is split into words at blanks (no shell, no quotes, no
// escapes, no globbing), the first word is looked up in SearchFolders(), and
// the program starts detached in the working folder with the window state the
// desktop gives it.
class SystemProcessStarter : public ProcessStarter {
 public:
  bool Start(const std::string& commandLine) override;
};

// The words of `commandLine` between blanks; runs of blanks separate like one.
std::vector<std::string> SplitAtBlanks(std::string_view commandLine);

}  // namespace norvan
