#include "temp_folder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder() {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = std::filesystem::temp_directory_path() / ("norvan-test-" + std::to_string(entropy()));
    // False when the name is taken: then another try.
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("no fresh temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(path_ / name, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

WorkingFolder::WorkingFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::filesystem::current_path(previous_);
}
