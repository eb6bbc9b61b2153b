// Saves two records by turns, for ever, through SaveSettings into the file
// argv[1]: argv[2], argv[3], argv[2], ... After the first save it writes one
// byte to its standard output, so the kill test knows the loop runs.
#include <optional>

#include <unistd.h>

#include "fake_view.h"
#include "settings_file.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  FakeView views[2];
  for (int i = 0; i < 2; ++i) {
    const std::optional<LaunchSettings> record = ParseSettingsRecord(argv[2 + i]);
    if (!record) return 2;
    views[i].checks[0] = record->debug;
    views[i].checks[1] = record->noLimit;
    views[i].checks[2] = record->noSound;
    views[i].sticks[0] = record->stick1;
    views[i].sticks[1] = record->stick2;
  }
  for (unsigned long saves = 0;; ++saves) {
    if (!SaveSettings(views[saves % 2], argv[1])) return 1;
    if (saves == 0 && ::write(STDOUT_FILENO, "!", 1) != 1) return 1;
  }
}
