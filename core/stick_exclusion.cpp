// SPDX-License-Identifier: GPL-3.0-or-later
#include "stick_exclusion.h"

namespace norvan {

StickMode NextStickMode(StickMode mode) {
  return static_cast<StickMode>((mode + 1) % kStickModeCount);
}

void StickExclusion(LauncherView& view, Stick stick, StickMode index) {
  const Stick other = stick == Stick::One ? Stick::Two : Stick::One;
  // Comparing the two states, rather than testing the other stick alone, is
  // the rule as designed: it runs only once `index` has become selected on
  // `stick`, so equal means both hold it. The other stick's handler, run by
  // the selection below, finds this stick on another mode and stops there.
  if (view.IsStickOptionSelected(stick, index) == view.IsStickOptionSelected(other, index)) {
    view.SelectStickOption(other, NextStickMode(index));
  }
}

}  // namespace norvan
