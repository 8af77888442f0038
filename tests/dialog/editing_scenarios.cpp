// Changing controls after the load: the colour-depth rule, the schemes and the key lists.
#include "tests/dialog/scenario_lists.h"

namespace krovan::testing {

namespace {

using enum Button;
using enum CheckBox;
using enum OptionButton;

const std::string kCustomFile =
    ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3}, kEnhanced));

}  // namespace

std::vector<Scenario> EditingScenarios() {
  return {
      {.name = "Choosing24UnchecksUserCheckedWBuffering",
       .file = kNoFile,
       .actions = {ChooseDepth{2}, Toggle{chkWBuffering}, ChooseDepth{1}},
       .controls = ExpectedControls{.depth = 1, .boxes = {0, 1, 0, 0}}},
      {.name = "Choosing16ChecksUserUncheckedWBuffering",
       .file = kNoFile,
       .actions = {Toggle{chkWBuffering}, ChooseDepth{1}, ChooseDepth{0}},
       .controls = ExpectedControls{.depth = 0, .boxes = {0, 1, 1, 0}}},
      {.name = "WBufferingFreeAfterDepthChoiceAndSaved",
       .file = kNoFile,
       .actions = {ChooseDepth{2}, Toggle{chkWBuffering}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 32, 1, 0, 1, 1, 2, 0, 75, 1}, kClassic))},
      {.name = "OptionGroupsAreIndependent",
       .file = kNoFile,
       .actions = {Select{optWindowed}, Select{optHigh}, Select{optEnhanced},
                   Select{optFullScreen}},
       .controls =
           ExpectedControls{.detail = optHigh, .scheme = optEnhanced, .keys = kEnhanced.indexes}},
      {.name = "EveryControlReachesTheFile",
       .file = kNoFile,
       .actions = {ChooseDepth{1}, Select{optWindowed}, Toggle{chkAntialiasing},
                   Toggle{chkDithering}, Toggle{chkWBuffering}, Select{optHigh}, Toggle{chkDebug},
                   MoveSlider{100}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 24, 2, 1, 0, 1, 1, 1, 100, 1}, kClassic))},
      {.name = "SliderAtZeroSaved",
       .file = kNoFile,
       .actions = {MoveSlider{0}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 0, 1}, kClassic))},
      {.name = "EnhancedSavesSchemeTwoAndItsCodes",
       .file = kNoFile,
       .actions = {Select{optEnhanced}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 2}, kEnhanced))},
      {.name = "CustomAfterEnhancedKeepsEnhancedKeysUnlocked",
       .file = kNoFile,
       .actions = {Select{optEnhanced}, Select{optCustom}},
       .controls =
           ExpectedControls{.scheme = optCustom, .keys = kEnhanced.indexes, .keys_enabled = true}},
      {.name = "CustomPicksLostOnClassic",
       .file = Text(kCustomFile),
       .actions = {PickKey{0, 56}, PickKey{9, 1}, Select{optClassic}, Select{optCustom}},
       .controls = ExpectedControls{.scheme = optCustom, .keys_enabled = true}},
      {.name = "CustomPicksLostOnEnhanced",
       .file = kNoFile,
       .actions = {Select{optCustom}, PickKey{3, 56}, Select{optEnhanced}},
       .controls = ExpectedControls{.scheme = optEnhanced, .keys = kEnhanced.indexes}},
      {.name = "LockedListIgnoresPick",
       .file = kNoFile,
       .actions = {PickKey{0, 56}, PickKey{9, 143}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(kStartUpValues)},
      {.name = "LockedEnhancedListIgnoresPick",
       .file = kNoFile,
       .actions = {Select{optEnhanced}, PickKey{4, 0}},
       .controls = ExpectedControls{.scheme = optEnhanced, .keys = kEnhanced.indexes}},
      {.name = "CustomPicksAtListEndsAndDuplicatesSaved",
       .file = kNoFile,
       .actions = {Select{optCustom}, PickKey{0, 0}, PickKey{1, 143}, PickKey{2, 56},
                   PickKey{7, 56}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3},
                                         {1, 237, 57, 31, 16, 23, 37, 57, 36, 28}))},
      {.name = "TwoCommaEntriesStoreDifferentCodes",
       .file = Text(kCustomFile),
       .actions = {PickKey{5, 50}, PickKey{6, 114}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3},
                                         {200, 205, 208, 203, 157, 51, 179, 31, 30, 29}))},
  };
}

}  // namespace krovan::testing
