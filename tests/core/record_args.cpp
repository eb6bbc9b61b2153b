// Records argv[0..] and the working folder, each ended by a NUL byte, in the
// file that RECORD_ARGS_TO names, so a test can read exactly what arrived.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  const char* target = std::getenv("RECORD_ARGS_TO");
  if (!target) return 2;
  const std::string partial = std::string(target) + ".partial";
  {
    std::ofstream out(partial, std::ios::binary);
    out << std::filesystem::current_path().string() << '\0';
    for (int i = 0; i < argc; ++i) out << argv[i] << '\0';
  }
  // Appears whole, so the test never reads half a record.
  return std::rename(partial.c_str(), target) == 0 ? 0 : 1;
}
