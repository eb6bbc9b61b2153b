// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace norvan {

// The emulator's command line in its two parts: the game's name, which is one
// argument whatever it holds, and the option text after it, laid out as the
// emulator has always received it ("  -s1=1 -s2=0  ").
struct CommandLine {
  std::string game;
  std::string options;

  // The whole line as Windows passes it: "O2EM.EXE ", the name, the options.
  // A name with a blank stands in double quotes, or the emulator's C runtime
  // would split it; a Windows file name can hold neither a quote nor a tab.
  std::string Text() const;

  // The argument vector as POSIX passes it: "O2EM.EXE", the name byte for
  // byte, then each option word.
  std::vector<std::string> Words() const;

  // Whether the emulator runs its debugger, which talks on its standard input
  // and output.
  bool Debug() const;
};

inline constexpr const char* kEmulatorProgram = "O2EM.EXE";

// Starts the emulator without waiting for it.
class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // False when the program could not be started.
  virtual bool Start(const CommandLine& commandLine) = 0;
};

// The operating system's process start. On Windows the line's Text() goes
// whole to CreateProcess, which finds the program and starts it maximized.
// Elsewhere the program of Words() is looked up in SearchFolders() and started
// with those words, detached, in the working folder, with the window state the
// desktop gives it; there is no shell. Either way the emulator inherits our
// standard input and output, where its debugger talks; on POSIX systems a
// debugger with no terminal to inherit gets a terminal window of its own, as
// a console program does on Windows.
class SystemProcessStarter : public ProcessStarter {
 public:
  bool Start(const CommandLine& commandLine) override;
};

}  // namespace norvan
