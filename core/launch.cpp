// SPDX-License-Identifier: GPL-3.0-or-later
#include "launch.h"

namespace norvan {

std::string WarningMessage;

namespace {

std::string OptionPart(CheckState state, const char* option) {
  return state == CheckState::Checked ? option : " ";
}

std::string StickDigit(StickMode mode) {
  return mode == kNoStickMode ? "" : std::to_string(mode);
}

void Refuse(LauncherView& view, const char* message) {
  WarningMessage = message;
  view.ShowMessageWindow();
}

}  // namespace

CommandLine BuildCommandLine(const std::string& fileName, const LaunchSettings& settings) {
  std::string options = OptionPart(settings.debug, " -debug");
  options += " -s1=" + StickDigit(settings.stick1) + " -s2=" + StickDigit(settings.stick2);
  options += OptionPart(settings.noLimit, " -nolimit") + OptionPart(settings.noSound, " -nosound");
  return {fileName, options};
}

void RunGame(LauncherView& view, ProcessStarter& starter) {
  const std::string fileName = view.SelectedFileName();
  if (fileName == kSystemRomName) return Refuse(view, kSystemRomRefusal);
  if (fileName.empty()) return Refuse(view, kNoGameRefusal);
  // The launcher has no message of its own for a failed start, but saying
  // nothing would look like success.
  if (!starter.Start(BuildCommandLine(fileName, ReadLaunchSettings(view)))) {
    Refuse(view, kStartFailure);
  }
}

}  // namespace norvan
