// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-in emulator for the process start tests: writes its working folder
// and, on Windows, its command line (UTF-8), elsewhere its argv, then
// "ignored:" with the signals it ignores, then whether its standard input is a
// terminal, each ended by NUL, to "args" in the working folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>

#include <unistd.h>
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  std::ofstream out("args.partial", std::ios::binary);
#ifdef _WIN32
  // UTF-8 whatever the ANSI code page, as the tests compare it.
  for (const std::filesystem::path& text :
       {std::filesystem::current_path(), std::filesystem::path(::GetCommandLineW())})
    out << reinterpret_cast<const char*>(text.u8string().c_str()) << '\0';
#else
  out << std::filesystem::current_path().string() << '\0';
  for (int i = 0; i < argc; ++i) out << argv[i] << '\0';
  out << "ignored:";
  for (int signal = 1; signal < NSIG; ++signal) {
    struct sigaction action;
    if (::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN)
      out << ' ' << signal;
  }
  out << '\0' << (::isatty(0) ? "input: terminal" : "input: no terminal") << '\0';
#endif
  out.close();
  // Appears whole, so the test never reads half a record.
  return std::rename("args.partial", "args");
}
