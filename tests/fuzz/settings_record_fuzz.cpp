// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the settings file: the reader must not crash, and a record it
// accepts must be in range and read back the same once saved.
#include <cstdint>
#include <cstdlib>

#include "settings_file.h"

using namespace norvan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto s = ParseSettingsRecord({reinterpret_cast<const char*>(data), size});
  const auto in = [](auto value, int highest) {
    return static_cast<int>(value) >= 0 && static_cast<int>(value) <= highest;
  };
  if (s && !(in(s->debug, 2) && in(s->noLimit, 2) && in(s->noSound, 2) && in(s->stick1, 3) &&
             in(s->stick2, 3) && ParseSettingsRecord(FormatSettingsRecord(*s)) == s))
    std::abort();
  return 0;
}
