#pragma once

#include <string>
#include <utility>
#include <vector>

#include "launcher_view.h"
#include "stick_exclusion.h"

// The main window's controls as plain values. Stick groups behave like option
// groups: selecting an option deselects the others and runs the click handler.
class FakeView : public LauncherView {
 public:
  std::string selectedFile;
  CheckState checks[3] = {kUnchecked, kUnchecked, kUnchecked};
  StickMode sticks[2] = {kLeftKeyboard, kDisable};  // the window's design state
  std::vector<std::pair<Stick, StickMode>> clickHandlerRuns;
  int messageWindowShows = 0;

  std::string SelectedFileName() const override { return selectedFile; }
  CheckState GetCheck(CheckBox box) const override { return checks[static_cast<int>(box)]; }
  void SetCheck(CheckBox box, CheckState state) override { checks[static_cast<int>(box)] = state; }
  bool IsStickOptionSelected(Stick stick, StickMode index) const override {
    return sticks[static_cast<int>(stick)] == index;
  }
  void SelectStickOption(Stick stick, StickMode index) override {
    if (sticks[static_cast<int>(stick)] == index) return;
    sticks[static_cast<int>(stick)] = index;
    clickHandlerRuns.emplace_back(stick, index);
    StickExclusion(*this, stick, index);
  }
  void ShowMessageWindow() override { ++messageWindowShows; }
};
