// Starting the window on various configuration files, checked by what the controls show.
#include <string>

#include "tests/dialog/scenario_lists.h"

namespace krovan::testing {

namespace {

using enum OptionButton;

// W, A, S, D, Space; Up, Left, Down, Right, Right Control.
constexpr Keys kStoredCodes = {17, 30, 31, 32, 57, 200, 203, 208, 205, 157};
constexpr Keys kStoredIndexes = {16, 29, 30, 31, 56, 120, 122, 125, 123, 106};

std::string SchemeName(int scheme) {
  return scheme < 0 ? "Minus" + std::to_string(-scheme) : std::to_string(scheme);
}

// A stored scheme that is neither 1 nor 2 selects Custom and reads the ten key lines.
Scenario OtherSchemeSelectsCustom(int scheme) {
  return {.name = "Scheme" + SchemeName(scheme) + "SelectsCustomWithStoredKeys",
          .file = Text(
              ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, scheme}, kStoredCodes))),
          .controls =
              ExpectedControls{.scheme = optCustom, .keys = kStoredIndexes, .keys_enabled = true}};
}

// The slider refuses the volume, which ends the load: the scheme and keys are never applied.
Scenario VolumeOutOfRangeStopsLoad(int volume) {
  return {.name = "Volume" + SchemeName(volume) + "StopsLoadBeforeScheme",
          .file = Text(
              ConfigText(WithKeys({1024, 768, 24, 2, 1, 0, 1, 1, 1, volume, 3}, kStoredCodes))),
          .controls = ExpectedControls{
              .depth = 1, .screen_mode = optWindowed, .boxes = {1, 0, 1, 1}, .detail = optHigh}};
}

// Lines 12 to 21 are not read for a preset scheme, whatever they hold.
Scenario PresetIgnoresKeyLines(int scheme, OptionButton button, const Keys& indexes) {
  return {.name = "Scheme" + SchemeName(scheme) + "IgnoresGarbageKeyLines",
          .file = Text(ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, scheme}) +
                       "key\r\n\r\n99999\r\n-\r\n"),
          .controls = ExpectedControls{.scheme = button, .keys = indexes}};
}

}  // namespace

std::vector<Scenario> LoadScenarios() {
  std::vector<Scenario> list = {
      {.name = "NoFileShowsStartUpState", .controls = ExpectedControls{}},
      {.name = "EmptyFileShowsStartUpState", .file = Text(""), .controls = ExpectedControls{}},
      {.name = "EnhancedFileShowsEnhancedKeysLocked",
       .file = Text(kEnhancedFile),
       .controls = kEnhancedFileControls},
      // Depth 24 unchecks W-Buffering, then line 7 checks it again.
      {.name = "Depth24StoredWBufferingAndCustomKeys",
       .file = Text(ConfigText(WithKeys({1024, 768, 24, 1, 0, 1, 1, 2, 0, 75, 3}, kStoredCodes))),
       .controls =
           ExpectedControls{
               .depth = 1, .scheme = optCustom, .keys = kStoredIndexes, .keys_enabled = true}},
      {.name = "Depth32KeepsStoredWBuffering",
       .file = Text(ConfigText({800, 600, 32, 1, 0, 1, 1, 2, 0, 75, 1})),
       .controls = ExpectedControls{.depth = 2}},
      {.name = "Depth32StoredWBufferingOffStaysOff",
       .file = Text(ConfigText({800, 600, 32, 1, 0, 0, 0, 2, 0, 75, 1})),
       .controls = ExpectedControls{.depth = 2, .boxes = {0, 0, 0, 0}}},
      {.name = "EndsAfterDepth24LeavesRuleResult",
       .file = Text("1024\r\n768\r\n24\r\n"),
       .controls = ExpectedControls{.depth = 1, .boxes = {0, 1, 0, 0}}},
      {.name = "EndsAfterCustomSchemeShowsClassicKeysUnlocked",
       .file = Text(ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3})),
       .controls = ExpectedControls{.scheme = optCustom, .keys_enabled = true}},
      {.name = "EndsAfterFourKeysKeepsClassicForTheRest",
       .file = Text(ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3, 17, 30, 31, 32})),
       .controls = ExpectedControls{.scheme = optCustom,
                                    .keys = {16, 29, 30, 31, 15, 22, 36, 49, 35, 27},
                                    .keys_enabled = true}},
      {.name = "BadValueEndsLoadAtThatLine",
       .file = Text("1024\r\n768\r\n32\r\n2\r\n1\r\nx\r\n0\r\n1\r\n"),
       .controls = ExpectedControls{.depth = 2, .screen_mode = optWindowed, .boxes = {1, 1, 0, 0}}},
      {.name = "UnknownScanCodesShowEscape",
       .file = Text(ConfigText(
           {1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3, 0, 300, 84, 238, 257, -1, 89, 1, 237, 32767})),
       .controls = ExpectedControls{.scheme = optCustom,
                                    .keys = {0, 0, 0, 0, 0, 0, 0, 0, 143, 0},
                                    .keys_enabled = true}},
      {.name = "NumPadCommaSelectsSecondCommaEntry",
       .file = Text(ConfigText(
           {1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3, 179, 51, 18, 32, 45, 31, 16, 23, 37, 50})),
       .controls = ExpectedControls{.scheme = optCustom,
                                    .keys = {114, 50, 17, 31, 44, 30, 15, 22, 36, 49},
                                    .keys_enabled = true}},
      // Only 1 means on, full screen or high; only 24 and 32 are told apart.
      {.name = "OnlyValueOneSwitchesOn",
       .file = Text(ConfigText({1024, 768, 15, 0, 2, -1, 2, 0, 2, 0, 1})),
       .controls =
           ExpectedControls{.screen_mode = optWindowed, .boxes = {0, 0, 0, 0}, .volume = 0}},
      {.name = "CommaSeparatedLfFileReadsAsLines",
       .file = Text("0,0,24\n2, 1 ,1\n0\n1,1\n100\n2\n"),
       .controls = ExpectedControls{.depth = 1,
                                    .screen_mode = optWindowed,
                                    .boxes = {1, 1, 0, 1},
                                    .detail = optHigh,
                                    .volume = 100,
                                    .scheme = optEnhanced,
                                    .keys = kEnhanced.indexes}},
      PresetIgnoresKeyLines(1, optClassic, kClassic.indexes),
      PresetIgnoresKeyLines(2, optEnhanced, kEnhanced.indexes),
  };
  for (const int scheme : {0, 3, 4, 9, -1}) {
    list.push_back(OtherSchemeSelectsCustom(scheme));
  }
  for (const int volume : {-1, 101, 32767}) {
    list.push_back(VolumeOutOfRangeStopsLoad(volume));
  }
  return list;
}

}  // namespace krovan::testing
