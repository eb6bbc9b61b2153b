// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace norvan {

// The five emulator options, in the order the settings file stores them.
// Their one home is the main window's controls; the core reads and writes
// them there through LauncherView.

// The values are the settings file's. Only Checked counts as on.
enum class CheckState : std::int16_t { Unchecked = 0, Checked = 1, Grayed = 2 };

// 0 "Disable", 1 "Right Keyboard", 2 "Left Keyboard", 3 "Joystick": the option's
// Index in its stick group, the digit on the emulator command line and the value
// in the settings file.
using StickMode = std::int16_t;
inline constexpr StickMode kDisable = 0;
inline constexpr StickMode kRightKeyboard = 1;
inline constexpr StickMode kLeftKeyboard = 2;
inline constexpr StickMode kJoystick = 3;
inline constexpr StickMode kStickModeCount = 4;
// What a stick reads as when none of its options is selected.
inline constexpr StickMode kNoStickMode = -1;

// Value-initialised, these are the defaults the settings file falls back to:
// stick 1 on Right Keyboard. The main window starts out differently, with
// stick 1 on Left Keyboard, until the settings are loaded over it.
struct LaunchSettings {
  CheckState debug = CheckState::Unchecked;
  CheckState noLimit = CheckState::Unchecked;
  CheckState noSound = CheckState::Unchecked;
  StickMode stick1 = kRightKeyboard;
  StickMode stick2 = kDisable;

  bool operator==(const LaunchSettings&) const = default;
};

enum class CheckBox { Debug, NoLimit, NoSound };
enum class Stick { One, Two };

}  // namespace norvan
