#include "config/settings/game_settings.h"
#include "tests/preset_keys.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

using WriteSettingsTest = ScratchDirectoryTest;

// The file saved after starting without one and choosing 32-bit, windowed, antialiasing and
// dithering, high detail, volume 75 and the Classic keys.
TEST_F(WriteSettingsTest, WritesTheExactBytes) {
  const GameSettings settings{.ColorDepth = 32,
                              .ScreenMode = 2,
                              .Antialiasing = 1,
                              .Dithering = 1,
                              .DetailLevel = 1,
                              .SoundVolume = 75,
                              .ControlScheme = 1,
                              .Keys = testing::kClassic.codes};
  WriteFile(kSettingsFileName, std::string(500, 'x'));  // a longer old file is replaced whole

  const WriteResult result = WriteSettings(settings);

  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.error, "");
  EXPECT_EQ(ReadFile(kSettingsFileName),
            "1024\r\n768\r\n32\r\n2\r\n1\r\n1\r\n0\r\n1\r\n0\r\n75\r\n1\r\n"
            "18\r\n32\r\n45\r\n31\r\n16\r\n23\r\n37\r\n50\r\n36\r\n28\r\n");
}

struct ResolutionCase {
  std::int16_t width, height;
  std::string lines;  // the first two lines written
};

class WriteResolution : public WriteSettingsTest,
                        public ::testing::WithParamInterface<ResolutionCase> {};

TEST_P(WriteResolution, DefaultsOnlyWhenTheWidthIsZero) {
  ASSERT_TRUE(
      WriteSettings({.ScreenWidth = GetParam().width, .ScreenHeight = GetParam().height}).ok);
  EXPECT_EQ(ReadFile(kSettingsFileName).substr(0, GetParam().lines.size()), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteResolution,
                         ::testing::Values(ResolutionCase{0, 600, "1024\r\n768\r\n"},
                                           ResolutionCase{0, 0, "1024\r\n768\r\n"},
                                           ResolutionCase{800, 0, "800\r\n0\r\n"},
                                           ResolutionCase{-1, 5, "-1\r\n5\r\n"},
                                           ResolutionCase{-32768, 32767, "-32768\r\n32767\r\n"}));

class WriteThenRead : public WriteSettingsTest,
                      public ::testing::WithParamInterface<GameSettings> {};

TEST_P(WriteThenRead, ReadsBackWhatWasWritten) {
  ASSERT_TRUE(WriteSettings(GetParam()).ok);
  const ReadResult result = ReadSettings();
  EXPECT_EQ(result.ValuesRead, 21);
  EXPECT_EQ(result.settings, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteThenRead,
    ::testing::Values(
        GameSettings{640, 480, 16, 1, 0, 0, 1, 2, 1, 0, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        GameSettings{-32768, 32767, -1, 0, 2, 2, 2, 0, 2, 100, 0, {0, 237, -5, 300}}));

}  // namespace
}  // namespace krovan
