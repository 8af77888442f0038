// OK, Cancel, Reset High Scores and the close box, checked by the file, the messages and whether
// the window stays open.
#include <cerrno>

#include "tests/dialog/scenario_lists.h"

namespace krovan::testing {

namespace {

using enum Button;
using enum OptionButton;
using enum HighScores;

constexpr ScoreFiles kProgramScores = {.program = kFile};

// Space for White Tank Fire, the rest as Enhanced.
constexpr Keys kEnhancedWithSpace = {200, 205, 208, 203, 157, 17, 32, 31, 30, 57};

}  // namespace

std::vector<Scenario> ButtonScenarios() {
  return {
      {.name = "TypicalRunEnhancedToCustomWithSpace",
       .file = Text(kEnhancedFile),
       .actions = {Select{optCustom}, PickKey{9, 56}, Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after =
           ConfigText(WithKeys({1280, 1024, 32, 2, 0, 1, 0, 1, 0, 60, 3}, kEnhancedWithSpace))},
      {.name = "NoFileOkWritesStartUpState",
       .file = kNoFile,
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(kStartUpValues)},
      {.name = "OkWithoutChangesRewritesLfFileWithCrLf",
       .file = Text(
           ConfigText(WithKeys({800, 600, 24, 2, 1, 0, 1, 1, 1, 40, 3}, kEnhancedCodes), "\n")),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({800, 600, 24, 2, 1, 0, 1, 1, 1, 40, 3}, kEnhancedCodes))},
      {.name = "OkWritesStrayValuesInTheirPlainForm",
       .file = Text(ConfigText({-1, 0, 15, 0, 2, -1, 2, 0, 2, 0, 1})),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({-1, 0, 16, 2, 0, 0, 0, 2, 0, 0, 1}, kClassicCodes))},
      {.name = "WidthZeroWritesDefaultResolution",
       .file = Text(ConfigText({0, 600, 16})),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(kStartUpValues)},
      {.name = "WidthOnlyKeepsWidthWithHeightZero",
       .file = Text("800\r\n"),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({800, 0, 16, 1, 0, 1, 1, 2, 0, 75, 1}, kClassicCodes))},
      {.name = "CustomWithoutKeyLinesSavesClassicCodes",
       .file = Text(ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3})),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3}, kClassicCodes))},
      {.name = "UnknownScanCodesSavedAsEscape",
       .file = Text(ConfigText(
           {1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 9, 0, 300, 84, 238, 257, -1, 89, 1, 237, 179})),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after =
           ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 3, 1, 1, 1, 1, 1, 1, 1, 1, 237, 179})},
      {.name = "PresetWithGarbageKeyLinesSavesPresetCodes",
       .file = Text(ConfigText({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 2}) + "a\r\nb\r\n"),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after =
           ConfigText(WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 2}, kEnhancedCodes))},
      {.name = "OkAfterRefusedVolumeWritesFullFile",
       .file =
           Text(ConfigText(WithKeys({1024, 768, 24, 2, 1, 0, 1, 1, 1, 101, 2}, kEnhancedCodes))),
       .actions = {Press{cmdOK}},
       .messages = {kSaved},
       .open = false,
       .file_after = ConfigText(WithKeys({1024, 768, 24, 2, 1, 0, 1, 1, 1, 75, 1}, kClassicCodes))},
      {.name = "ReadOnlyFileSaveFailsAndCloses",
       .file = ReadOnlyText(kEnhancedFile),
       .actions = {Select{optCustom}, PickKey{9, 56}, Press{cmdOK}},
       .messages = {SaveFailed(EACCES)},
       .open = false},
      {.name = "DirectoryInPlaceOfFileSaveFailsAndCloses",
       .file = DirectoryInstead(),
       .actions = {Press{cmdOK}},
       .messages = {SaveFailed(EISDIR)},
       .open = false},
      {.name = "CancelAfterChangesLeavesFileIdentical",
       .file = Text(kEnhancedFile + "trailing text\r\n"),
       .scores = kProgramScores,
       .actions = {ChooseDepth{0}, Toggle{CheckBox::chkDebug}, Select{optCustom}, PickKey{0, 1},
                   MoveSlider{5}, Press{cmdCancel}},
       .messages = {kCancelled},
       .open = false,
       .scores_after = kProgramScores},
      {.name = "CancelWithoutFileCreatesNone",
       .file = kNoFile,
       .actions = {Press{cmdCancel}},
       .messages = {kCancelled},
       .open = false},
      {.name = "CloseBoxShowsNothingAndWritesNothing",
       .file = Text(kEnhancedFile),
       .actions = {Select{optCustom}, PickKey{9, 56}, CloseBox{}},
       .open = false},
      {.name = "ResetDeletesHighScoresAndStaysOpen",
       .file = Text(kEnhancedFile),
       .scores = kProgramScores,
       .actions = {Press{cmdReset}},
       .messages = {kScoresReset},
       .controls = kEnhancedFileControls},
      {.name = "ResetWithoutDataFolderStillReports",
       .file = kNoFile,
       .actions = {Press{cmdReset}},
       .messages = {kScoresReset},
       .controls = ExpectedControls{}},
      {.name = "ResetFindsGameFolderScores",
       .file = kNoFile,
       .scores = {.game = kFile},
       .actions = {Press{cmdReset}},
       .messages = {kScoresReset},
       .controls = ExpectedControls{}},
      {.name = "ResetDeletesOnlyProgramFolderScores",
       .file = kNoFile,
       .scores = {.program = kFile, .game = kFile},
       .actions = {Press{cmdReset}},
       .messages = {kScoresReset},
       .controls = ExpectedControls{},
       .scores_after = {.game = kFile}},
      {.name = "ResetFailureReportedAndStaysOpen",
       .file = kNoFile,
       .scores = {.program = kDirectory, .game = kFile},
       .actions = {Press{cmdReset}},
       .messages = {kResetFailed},
       .controls = ExpectedControls{},
       .scores_after = {.program = kDirectory, .game = kFile}},
      {.name = "ResetTwiceReportsTwice",
       .file = kNoFile,
       .scores = kProgramScores,
       .actions = {Press{cmdReset}, Press{cmdReset}},
       .messages = {kScoresReset, kScoresReset},
       .controls = ExpectedControls{}},
      {.name = "ResetThenOkSaves",
       .file = kNoFile,
       .scores = kProgramScores,
       .actions = {Press{cmdReset}, Press{cmdOK}},
       .messages = {kScoresReset, kSaved},
       .open = false,
       .file_after = ConfigText(kStartUpValues)},
  };
}

}  // namespace krovan::testing
