// Records the working folder and argv[0..], each ended by a NUL byte, in the
// file that RECORD_ARGS_TO names, so a test can read exactly what arrived. On
// Windows it records, after the folder, the command line as the process got it
// (UTF-8) and the window state it was asked to show.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size > 0 ? size - 1 : 0, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

}  // namespace
#endif

int main(int argc, char** argv) {
  const char* target = std::getenv("RECORD_ARGS_TO");
  if (!target) return 2;
  const std::string partial = std::string(target) + ".partial";
  {
    std::ofstream out(partial, std::ios::binary);
    out << std::filesystem::current_path().string() << '\0';
#ifdef _WIN32
    STARTUPINFOW startup{};
    ::GetStartupInfoW(&startup);
    const bool shown = startup.dwFlags & STARTF_USESHOWWINDOW;
    out << Utf8(::GetCommandLineW()) << '\0'
        << (shown ? std::to_string(startup.wShowWindow) : "none") << '\0';
#endif
    for (int i = 0; i < argc; ++i) out << argv[i] << '\0';
  }
  // Appears whole, so the test never reads half a record.
  return std::rename(partial.c_str(), target) == 0 ? 0 : 1;
}
