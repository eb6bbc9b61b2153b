// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include "test_support.h"

constexpr LaunchSettings kSaved = Settings(1, 0, 1, 3, 2), kDefaults{};
const std::string kDefaultFile = "0,0,0,1,0,\"#TRUE#\"\r\n", kBom = "\xEF\xBB\xBF";

TEST(LoadSettings, AppliesUsableRecordsAndReplacesOthersByTheDefault) {
  std::vector<std::pair<std::string, std::optional<LaunchSettings>>> cases = {
      {"1,0,1,3,2\r\n", kSaved},
      {kDefaultFile, kDefaults},
      {" 1 ,\t0, 1,3 , 2 ", kSaved},                  // blanks around fields, no line end
      {"1\r\n0\n1\r3,2,9,\"x\"\r\nrubbish", kSaved},  // line ends separate; the rest is ignored
      {"2,2,2,0,3", Settings(2, 2, 2, 0, 3)},
      {kBom + "1,0,1,3,2\r\n", kSaved},  // a byte order mark, as Windows editors write
  };
  // Unusable: too few fields, out of range, an empty field, a fraction, text, an overflow.
  for (const std::string& text : std::vector<std::string>{
           "", "1,1", "0,0,3,1,0", "0,0,0,4,0", "0,0,0,1,-1", "0,,0,1,0", "0,0,0,1.5,0",
           "\"0\",0,0,1,0", "0,0,0,1,99999999999999999999", kBom + kBom + "1,0,1,3,2"})
    cases.emplace_back(text, std::nullopt);
  for (const auto& [text, want] : cases) {
    EXPECT_EQ(ParseSettingsRecord(text), want) << text;
    TempFolder folder;
    folder.Write("norvan.cfg", text);
    EXPECT_EQ(Loaded(folder / "norvan.cfg"), want.value_or(kDefaults)) << text;
    EXPECT_EQ(folder.Read("norvan.cfg"), want ? text : kDefaultFile) << text;
  }
}

// Saves remove the temporary files that interrupted ones left, and leave none of their own.
TEST(SettingsFile, MissingHugeOrUnwritableAndReplacedWholeOrNotAtAll) {
  // Name, and whether a save removes it.
  const std::pair<std::string, bool> leftovers[] = {
      {".norvan.cfg.4000000000.1.tmp", true},
      {".norvan.cfg." + std::to_string(CurrentProcessId()) + ".7.tmp", true},
      {".norvan.cfg.12.tmp", false},
      {"norvan.cfg.4000000000.1.tmp", false},
      {".norvan.cfg.x.1.tmp", false},
      {".other.cfg.4000000000.1.tmp", false},
  };
  TempFolder folder;
  for (const auto& [name, removed] : leftovers) folder.Write(name, "half");
  EXPECT_EQ(Loaded(folder / "norvan.cfg"), kDefaults);
  EXPECT_EQ(Loaded("/nonexistent/norvan/norvan.cfg"), kDefaults);
  EXPECT_FALSE(SaveSettings(FakeView(), "/nonexistent/norvan/norvan.cfg"));
  folder.Write("norvan.cfg", "1,0,1,3,2\r\n");
  fs::resize_file(folder / "norvan.cfg", 8ull << 30);  // sparse NULs after the record
  EXPECT_EQ(Loaded(folder / "norvan.cfg"), kSaved);
  EXPECT_TRUE(SaveSettings(FakeView(Settings(2, 0, 1, 3, 1)), folder / "norvan.cfg"));
  EXPECT_EQ(folder.Read("norvan.cfg"), "2,0,1,3,1\r\n");
  for (const auto& [name, removed] : leftovers)
    EXPECT_NE(fs::exists(folder / name), removed) << name;
  fs::create_directories(folder / "in-the-way.cfg/keep");
  EXPECT_FALSE(SaveSettings(FakeView(), folder / "in-the-way.cfg"));
  EXPECT_TRUE(fs::exists(folder / "in-the-way.cfg/keep"));
  // norvan.cfg, in-the-way.cfg and the four files that are not leftovers.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 6);
}
