// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include <charconv>
#include <vector>

#include "platform.h"

namespace norvan {

namespace {

constexpr std::size_t kRecordFields = 5;
constexpr int kHighestCheckState = static_cast<int>(CheckState::Grayed);
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

struct Field {
  std::string_view text;
  bool quoted = false;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Consumes one separator at `pos`: a comma or a line end (CR LF counts as one).
std::size_t SkipSeparator(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return pos;
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

std::vector<Field> ReadFields(std::string_view text, std::size_t count) {
  std::vector<Field> fields;
  std::size_t pos = 0;
  while (fields.size() < count && pos < text.size()) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    Field field;
    if (pos < text.size() && text[pos] == '"') {
      const std::size_t close = text.find('"', pos + 1);
      field = {text.substr(pos + 1, close == std::string_view::npos ? close : close - pos - 1),
               true};
      pos = close == std::string_view::npos ? text.size() : close + 1;
    }
    const std::size_t end = std::min(text.find_first_of(",\r\n", pos), text.size());
    if (!field.quoted) field.text = TrimBlanks(text.substr(pos, end - pos));
    fields.push_back(field);
    pos = SkipSeparator(text, end);
  }
  return fields;
}

std::optional<std::int16_t> WholeNumber(const Field& field, int highest) {
  if (field.quoted) return std::nullopt;
  std::string_view digits = field.text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  if (value < 0 || value > highest) return std::nullopt;
  return static_cast<std::int16_t>(value);
}

std::optional<LaunchSettings> ReadSettingsFile(const std::filesystem::path& path) {
  const std::optional<std::string> text = ReadSmallRegularFile(path, kSettingsReadLimit);
  if (!text) return std::nullopt;
  return ParseSettingsRecord(*text);
}

void ApplySettings(LauncherView& view, const LaunchSettings& settings) {
  view.SetCheck(CheckBox::Debug, settings.debug);
  view.SetCheck(CheckBox::NoLimit, settings.noLimit);
  view.SetCheck(CheckBox::NoSound, settings.noSound);
  view.SelectStickOption(Stick::One, settings.stick1);
  view.SelectStickOption(Stick::Two, settings.stick2);
}

}  // namespace

std::string FormatSettingsRecord(const LaunchSettings& s) {
  std::string record;
  const auto number = [](CheckState state) { return static_cast<std::int16_t>(state); };
  for (const std::int16_t value :
       {number(s.debug), number(s.noLimit), number(s.noSound), s.stick1, s.stick2}) {
    if (!record.empty()) record += ',';
    record += std::to_string(value);
  }
  return record + "\r\n";
}

std::optional<LaunchSettings> ParseSettingsRecord(std::string_view text) {
  // Editors on Windows like to start a UTF-8 file with a byte order mark.
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  const std::vector<Field> fields = ReadFields(text, kRecordFields);
  if (fields.size() < kRecordFields) return std::nullopt;
  std::optional<std::int16_t> values[kRecordFields];
  for (std::size_t i = 0; i < kRecordFields; ++i) {
    values[i] = WholeNumber(fields[i], i < 3 ? kHighestCheckState : kJoystick);
    if (!values[i]) return std::nullopt;
  }
  const auto check = [](std::int16_t value) { return static_cast<CheckState>(value); };
  return LaunchSettings{check(*values[0]), check(*values[1]), check(*values[2]), *values[3],
                        *values[4]};
}

void LoadSettings(LauncherView& view, const std::filesystem::path& path) {
  std::optional<LaunchSettings> settings = ReadSettingsFile(path);
  if (!settings) {
    ReplaceFileAtomically(path, kDefaultSettingsRecord);
    settings = ReadSettingsFile(path);
  }
  ApplySettings(view, settings.value_or(LaunchSettings{}));
}

bool SaveSettings(const LauncherView& view, const std::filesystem::path& path) {
  return ReplaceFileAtomically(path, FormatSettingsRecord(ReadLaunchSettings(view)));
}

}  // namespace norvan
