// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_files.h"

#include <optional>
#include <string>

#include "platform.h"

namespace fs = std::filesystem;

namespace norvan {

namespace {

using NativeString = fs::path::string_type;

NativeString TemporaryPrefix(const fs::path& path) {
  return (fs::path(".") += path.filename()).native() + fs::path::value_type('.');
}

// The digits at `pos` of `text` as a number, moving `pos` past them.
std::optional<unsigned long> Number(const NativeString& text, std::size_t& pos) {
  const std::size_t start = pos;
  unsigned long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 10; ++pos)
    value = value * 10 + static_cast<unsigned long>(text[pos] - '0');
  if (pos == start) return std::nullopt;
  return value;
}

// The process id in `name` when it is one of `prefix`'s temporary names.
std::optional<unsigned long> TemporaryOwner(const NativeString& name, const NativeString& prefix) {
  if (name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  std::size_t pos = prefix.size();
  const std::optional<unsigned long> id = Number(name, pos);
  if (!id || pos >= name.size() || name[pos] != '.') return std::nullopt;
  ++pos;
  if (!Number(name, pos) || name.substr(pos) != fs::path(".tmp").native()) return std::nullopt;
  return id;
}

}  // namespace

fs::path TemporaryBeside(const fs::path& path) {
  static unsigned serial = 0;
  fs::path name(TemporaryPrefix(path));
  name += std::to_string(CurrentProcessId()) + "." + std::to_string(++serial) + ".tmp";
  return path.parent_path() / name;
}

void RemoveLeftoverTemporaries(const fs::path& path) {
  const NativeString prefix = TemporaryPrefix(path);
  const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::optional<unsigned long> owner =
        TemporaryOwner(it->path().filename().native(), prefix);
    if (owner && (*owner == CurrentProcessId() || !ProcessIsRunning(*owner))) {
      std::error_code ignored;
      fs::remove(it->path(), ignored);
    }
  }
}

}  // namespace norvan
