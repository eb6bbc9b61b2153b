// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher_view.h"

namespace norvan {

StickMode SelectedStickMode(const LauncherView& view, Stick stick) {
  for (StickMode index = 0; index < kStickModeCount; ++index) {
    if (view.IsStickOptionSelected(stick, index)) return index;
  }
  return kNoStickMode;
}

LaunchSettings ReadLaunchSettings(const LauncherView& view) {
  return {view.GetCheck(CheckBox::Debug), view.GetCheck(CheckBox::NoLimit),
          view.GetCheck(CheckBox::NoSound), SelectedStickMode(view, Stick::One),
          SelectedStickMode(view, Stick::Two)};
}

}  // namespace norvan
