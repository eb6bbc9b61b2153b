// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform.h"
#include "settings_file.h"
#include "shared_support.h"

using namespace norvan;

// Settings as the file writes them, e.g. Settings(1, 0, 1, 3, 2).
constexpr LaunchSettings Settings(int debug, int noLimit, int noSound, int stick1, int stick2) {
  return {CheckState(debug), CheckState(noLimit), CheckState(noSound), StickMode(stick1),
          StickMode(stick2)};
}

// The main window's controls as plain values.
struct FakeView : LauncherView {
  // By default the window's design state.
  explicit FakeView(const LaunchSettings& s = Settings(0, 0, 0, kLeftKeyboard, kDisable))
      : checks{s.debug, s.noLimit, s.noSound}, sticks{s.stick1, s.stick2} {}

  std::string SelectedFileName() const override { return selectedFile; }
  CheckState GetCheck(CheckBox box) const override { return checks[int(box)]; }
  void SetCheck(CheckBox box, CheckState state) override { checks[int(box)] = state; }
  bool IsStickOptionSelected(Stick s, StickMode i) const override { return sticks[int(s)] == i; }
  void SelectStickOption(Stick stick, StickMode index) override { sticks[int(stick)] = index; }
  void ShowMessageWindow() override { ++messageShows; }

  std::string selectedFile;
  CheckState checks[3];
  StickMode sticks[2];
  int messageShows = 0;
};

// What LoadSettings shows, starting from controls that all differ from the defaults.
inline LaunchSettings Loaded(const fs::path& path) {
  FakeView view(Settings(2, 2, 2, kJoystick, kLeftKeyboard));
  LoadSettings(view, path);
  return ReadLaunchSettings(view);
}

// The real process start, against a copy of record_args named O2EM.EXE in
// the working folder.
struct RealStart : testing::Test {
  void SetUp() override { fs::copy_file(LauncherFolder() / RECORD_ARGS, "O2EM.EXE"); }

  // The NUL-ended fields record_args wrote in the working folder, removed
  // for the next start; none after thirty seconds. Read until there are
  // some: under Wine the file may show before it can be read.
  std::vector<std::string> TakeRecord() {
    std::vector<std::string> fields;
    for (int i = 0; i < 3000 && fields.empty(); ++i) {
      std::ifstream in("args", std::ios::binary);
      for (std::string field; std::getline(in, field, '\0');) fields.push_back(field);
      if (fields.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    fs::remove("args");
    return fields;
  }

  TempFolder folder;
  WorkingFolder inFolder{folder.path};
  SystemProcessStarter starter;
};
