// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "launch_settings.h"
#include "launcher_view.h"

namespace norvan {

inline constexpr const char* kSettingsFileName = "norvan.cfg";

// What LoadSettings writes when the file is missing or unusable.
inline constexpr std::string_view kDefaultSettingsRecord = "0,0,0,1,0,\"#TRUE#\"\r\n";

// The most of the file that is ever read; a record is a dozen bytes.
inline constexpr std::size_t kSettingsReadLimit = 4096;

// The record SaveSettings writes, e.g. "1,0,1,3,2\r\n".
std::string FormatSettingsRecord(const LaunchSettings& settings);

// The first five fields of `text`, or nothing when they are not usable.
// One UTF-8 byte order mark at the start is skipped.
// Fields are separated by commas or line ends; blanks around a field are
// ignored; a field in double quotes is text. Anything after the fifth field
// is ignored. A usable field is a whole decimal number in range (check states
// 0 to 2, stick modes 0 to 3): an empty field, a fraction such as "1.5", text
// or a number out of range makes the record unusable.
std::optional<LaunchSettings> ParseSettingsRecord(std::string_view text);

// Reads the settings file and applies it to the view: the three check boxes,
// then stick 1, then stick 2, each stick selection running its click handler.
// A missing or unusable file is replaced by the default record, which is then
// read again the same way; if even that fails (a read-only folder, say), the
// defaults are applied from memory.
void LoadSettings(LauncherView& view, const std::filesystem::path& path = kSettingsFileName);

// Writes the view's settings atomically. False, with the old file left as it
// was, when the file cannot be written.
bool SaveSettings(const LauncherView& view, const std::filesystem::path& path = kSettingsFileName);

}  // namespace norvan
