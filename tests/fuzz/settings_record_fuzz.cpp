// Any bytes as the settings file: the reader must not crash, and a record it
// accepts must be in range and read back the same once saved.
#include <cstdint>
#include <cstdlib>

#include "settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<LaunchSettings> settings =
      ParseSettingsRecord({reinterpret_cast<const char*>(data), size});
  if (!settings) return 0;
  for (const CheckState check : {settings->debug, settings->noLimit, settings->noSound})
    if (check < kUnchecked || check > kGrayed) std::abort();
  for (const StickMode stick : {settings->stick1, settings->stick2})
    if (stick < kDisable || stick > kJoystick) std::abort();
  if (ParseSettingsRecord(FormatSettingsRecord(*settings)) != settings) std::abort();
  return 0;
}
