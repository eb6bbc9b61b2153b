// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "game_list.h"
#include "launch_settings.h"
#include "launcher_view.h"
#include "process_start.h"

namespace norvan {

inline constexpr const char* kSystemRomName = "O2ROM.BIN";
// "02ROM" with a zero: the message users of this launcher have always seen.
inline constexpr const char* kSystemRomRefusal = "You can not play 02ROM.BIN!";
inline constexpr const char* kNoGameRefusal = "There are no available games!";
inline constexpr const char* kStartFailure = "Can not start O2EM.EXE!";

// The last text RunGame handed to the message window; the window copies it
// when it loads. Empty until the first refusal.
extern std::string WarningMessage;

// The file name as listed, then the debug, stick 1, stick 2, no-limit and
// no-sound parts. An option that is off, or grayed, is one blank; a stick with
// no mode has an empty digit.
CommandLine BuildCommandLine(const std::string& fileName, const LaunchSettings& settings);

// Starts the emulator on the selected game with the view's settings, or leaves
// a refusal in WarningMessage and shows the message window. Returns at once.
void RunGame(LauncherView& view, ProcessStarter& starter);

}  // namespace norvan
