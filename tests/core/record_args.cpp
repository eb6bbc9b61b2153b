// The stand-in emulator for the process start tests: writes its working folder
// and, on Windows, its command line (UTF-8) and the window state it was asked
// for, elsewhere its argv, each ended by NUL, to "args" in the working folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
  std::ofstream out("args.partial", std::ios::binary);
  out << std::filesystem::current_path().string() << '\0';
#ifdef _WIN32
  STARTUPINFOW startup{};
  ::GetStartupInfoW(&startup);
  out << std::filesystem::path(::GetCommandLineW()).string() << '\0'
      << (startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1) << '\0';
#else
  for (int i = 0; i < argc; ++i) out << argv[i] << '\0';
#endif
  out.close();
  // Appears whole, so the test never reads half a record.
  return std::rename("args.partial", "args");
}
