// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "launcher_view.h"

namespace norvan {

// The mode a stick gives way to: the next index, 3 wrapping to 0.
StickMode NextStickMode(StickMode mode);

// Keeps the two sticks on different modes. Runs from a stick's click handler
// once option `index` of `stick` has become selected: when the other stick
// holds the same mode it moves on to the next one. Selecting it runs the other
// stick's handler in turn, which finds this stick on the old mode and stops.
void StickExclusion(LauncherView& view, Stick stick, StickMode index);

}  // namespace norvan
