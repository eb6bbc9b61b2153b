#include "settings_file.h"

#include <gtest/gtest.h>

#include "fake_view.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile(kDefaultSettingsRecord);

TEST(FormatSettingsRecord, FiveFieldsAndCrLf) {
  EXPECT_EQ(FormatSettingsRecord({1, 0, 1, 3, 2}), "1,0,1,3,2\r\n");
  EXPECT_EQ(FormatSettingsRecord({}), "0,0,0,1,0\r\n");
  EXPECT_EQ(kDefaultFile, "0,0,0,1,0,\"#TRUE#\"\r\n");
}

struct ParseCase {
  const char* text;
  std::optional<LaunchSettings> want;
};

class ParseSettingsRecordTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSettingsRecordTest, Reads) {
  EXPECT_EQ(ParseSettingsRecord(GetParam().text), GetParam().want) << GetParam().text;
}

constexpr LaunchSettings kSaved{1, 0, 1, 3, 2};

INSTANTIATE_TEST_SUITE_P(
    Records, ParseSettingsRecordTest,
    testing::Values(
        ParseCase{"1,0,1,3,2\r\n", kSaved},
        ParseCase{"0,0,0,1,0,\"#TRUE#\"\r\n", LaunchSettings{0, 0, 0, 1, 0}},
        ParseCase{"1,0,1,3,2", kSaved},                     // no line end
        ParseCase{" 1 ,\t0, 1,3 , 2 \r\n", kSaved},         // blanks around fields
        ParseCase{"1\r\n0\n1\r3,2", kSaved},                // line ends separate too
        ParseCase{"1,0,1,3,2,9,\"x\"\r\nrubbish", kSaved},  // the rest is never read
        ParseCase{"+1,00,1,3,2", kSaved},
        ParseCase{"2,2,2,0,3", LaunchSettings{2, 2, 2, 0, 3}},
        ParseCase{"1,1", std::nullopt},        // too few fields
        ParseCase{"", std::nullopt},
        ParseCase{"0,0,3,1,0", std::nullopt},  // check value out of range
        ParseCase{"0,0,0,4,0", std::nullopt},  // stick value out of range
        ParseCase{"0,0,0,1,-1", std::nullopt},
        ParseCase{"0,,0,1,0", std::nullopt},   // empty field
        ParseCase{"0,0,0,1.5,0", std::nullopt},  // fraction
        ParseCase{"0,0,0,1,0x1", std::nullopt},
        ParseCase{"\"0\",0,0,1,0", std::nullopt},  // text, not a number
        ParseCase{"0,0,0,1,99999999999999999999", std::nullopt},
        ParseCase{"\xFF\xFE\x00\x01garbage", std::nullopt}));

struct LoadCase {
  const char* fileBefore;  // nullptr: no file
  LaunchSettings wantShown;
  const char* wantFileAfter;
};

class LoadSettingsTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadSettingsTest, AppliesOrFallsBack) {
  const LoadCase& c = GetParam();
  TempFolder folder;
  if (c.fileBefore) folder.Write("norvan.cfg", c.fileBefore);
  FakeView view;
  LoadSettings(view, folder / "norvan.cfg");
  EXPECT_EQ(ReadLaunchSettings(view), c.wantShown);
  EXPECT_EQ(folder.Read("norvan.cfg"), c.wantFileAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadSettingsTest,
    testing::Values(
        LoadCase{nullptr, {0, 0, 0, 1, 0}, kDefaultSettingsRecord.data()},
        LoadCase{"1,1", {0, 0, 0, 1, 0}, kDefaultSettingsRecord.data()},
        LoadCase{"0,0,3,1,0", {0, 0, 0, 1, 0}, kDefaultSettingsRecord.data()},
        LoadCase{"0,0,0,4,0", {0, 0, 0, 1, 0}, kDefaultSettingsRecord.data()},
        LoadCase{"1,0,1,3,2\r\n", {1, 0, 1, 3, 2}, "1,0,1,3,2\r\n"},
        LoadCase{"2,0,0,1,0\r\n", {2, 0, 0, 1, 0}, "2,0,0,1,0\r\n"},
        // equal sticks: stick 2 keeps the stored mode, stick 1 moves on
        LoadCase{"0,0,0,2,2\r\n", {0, 0, 0, 3, 2}, "0,0,0,2,2\r\n"},
        LoadCase{"0,0,0,3,3\r\n", {0, 0, 0, 0, 3}, "0,0,0,3,3\r\n"}));

TEST(LoadSettings, HugeFileIsReadOnlyAsFarAsTheRecord) {
  TempFolder folder;
  const fs::path path = folder / "norvan.cfg";
  folder.Write("norvan.cfg", "1,1,1,0,3\r\n");
  fs::resize_file(path, 8ull << 30);  // sparse: 8 GiB of NULs after the record
  FakeView view;
  LoadSettings(view, path);
  EXPECT_EQ(ReadLaunchSettings(view), (LaunchSettings{1, 1, 1, 0, 3}));

  fs::resize_file(path, 0);
  fs::resize_file(path, 8ull << 30);  // only NULs
  LoadSettings(view, path);
  EXPECT_EQ(ReadLaunchSettings(view), LaunchSettings{});
  EXPECT_EQ(folder.Read("norvan.cfg"), kDefaultFile);
}

TEST(LoadSettings, UnwritableFolderAppliesDefaultsFromMemory) {
  FakeView view;
  view.checks[2] = kGrayed;
  LoadSettings(view, "/nonexistent/norvan/norvan.cfg");
  EXPECT_EQ(ReadLaunchSettings(view), LaunchSettings{});
}

TEST(SaveSettings, ReplacesTheFileAndLeavesNoTemporary) {
  TempFolder folder;
  folder.Write("norvan.cfg", kDefaultFile);
  FakeView view;
  view.checks[0] = kGrayed;
  view.sticks[0] = kJoystick;
  view.sticks[1] = kRightKeyboard;
  ASSERT_TRUE(SaveSettings(view, folder / "norvan.cfg"));
  EXPECT_EQ(folder.Read("norvan.cfg"), "2,0,0,3,1\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(SaveSettings, FailureLeavesTheOldContent) {
  TempFolder folder;
  fs::create_directory(folder / "norvan.cfg");
  folder.Write("norvan.cfg/keep", "x");
  FakeView view;
  EXPECT_FALSE(SaveSettings(view, folder / "norvan.cfg"));
  EXPECT_EQ(folder.Read("norvan.cfg/keep"), "x");
  EXPECT_FALSE(SaveSettings(view, "/nonexistent/norvan/norvan.cfg"));
}

}  // namespace
