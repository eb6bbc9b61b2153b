// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "launch_settings.h"

namespace norvan {

// The main window as the core sees it: the controls that hold the launch
// settings and the game selection, and the message window.
class LauncherView {
 public:
  virtual ~LauncherView() = default;

  // The name of the selected game list entry, byte for byte; empty with no selection.
  virtual std::string SelectedFileName() const = 0;

  virtual CheckState GetCheck(CheckBox box) const = 0;
  virtual void SetCheck(CheckBox box, CheckState state) = 0;

  virtual bool IsStickOptionSelected(Stick stick, StickMode index) const = 0;
  // Selects the option as a click would: when the selection changes, the
  // stick's click handler runs before this returns.
  virtual void SelectStickOption(Stick stick, StickMode index) = 0;

  // Shows the message window modeless, creating it if it does not exist.
  virtual void ShowMessageWindow() = 0;
};

// The stick's selected mode, the first selected option in index order, or
// kNoStickMode when none is selected.
StickMode SelectedStickMode(const LauncherView& view, Stick stick);

// The five settings as the controls hold them now.
LaunchSettings ReadLaunchSettings(const LauncherView& view);

}  // namespace norvan
