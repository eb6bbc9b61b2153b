#include "stick_exclusion.h"

StickMode NextStickMode(StickMode mode) {
  return static_cast<StickMode>((mode + 1) % kStickModeCount);
}

void StickExclusion(LauncherView& view, Stick stick, StickMode index) {
  const Stick other = stick == Stick::One ? Stick::Two : Stick::One;
  if (view.IsStickOptionSelected(stick, index) == view.IsStickOptionSelected(other, index)) {
    view.SelectStickOption(other, NextStickMode(index));
  }
}
