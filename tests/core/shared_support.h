// SPDX-License-Identifier: GPL-3.0-or-later
// What the core tests and the window tests both use.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "process_start.h"

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with its contents.
struct TempFolder {
  TempFolder() {
    std::random_device random;
    do path = fs::temp_directory_path() / ("norvan-test-" + std::to_string(random()));
    while (!fs::create_directory(path));
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  // `name` in UTF-8 where names are Unicode, the bytes as they are elsewhere.
  fs::path operator/(const std::string& name) const {
    return path / std::u8string(name.begin(), name.end());
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path path;
};

// Makes `folder` the working folder for its lifetime.
struct WorkingFolder {
  explicit WorkingFolder(const fs::path& folder) { fs::current_path(folder); }
  ~WorkingFolder() { fs::current_path(previous); }
  fs::path previous = fs::current_path();
};

// Records each command line, as Windows would get it, instead of starting anything.
struct RecordingStarter : norvan::ProcessStarter {
  bool Start(const norvan::CommandLine& commandLine) override {
    started.push_back(commandLine.Text());
    return succeed;
  }
  std::vector<std::string> started;
  bool succeed = true;
};
