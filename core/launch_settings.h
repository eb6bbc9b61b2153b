#pragma once

#include <cstdint>

// The five emulator options, in the order the settings file stores them.
// Their one home is the main window's controls; the core reads and writes
// them there through LauncherView.

// 0 unchecked, 1 checked, 2 grayed. Only 1 counts as on.
using CheckState = std::int16_t;
inline constexpr CheckState kUnchecked = 0;
inline constexpr CheckState kChecked = 1;
inline constexpr CheckState kGrayed = 2;

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

struct LaunchSettings {
  CheckState debug = kUnchecked;
  CheckState noLimit = kUnchecked;
  CheckState noSound = kUnchecked;
  StickMode stick1 = kRightKeyboard;
  StickMode stick2 = kDisable;

  bool operator==(const LaunchSettings&) const = default;
};

enum class CheckBox { Debug, NoLimit, NoSound };
enum class Stick { One, Two };
