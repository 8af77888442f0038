#pragma once

#include <array>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "tests/dialog/scenario.h"

// Building blocks shared by the scenario lists.
namespace krovan::testing {

std::vector<Scenario> LoadScenarios();
std::vector<Scenario> ButtonScenarios();
std::vector<Scenario> EditingScenarios();

using Keys = std::array<int, kKeySlotCount>;

// Lines 1 to 11 followed by the ten key lines: these codes, or a preset's.
inline std::vector<int> WithKeys(std::vector<int> head, const Keys& keys) {
  head.insert(head.end(), keys.begin(), keys.end());
  return head;
}
inline std::vector<int> WithKeys(std::vector<int> head, const PresetKeys& preset) {
  head.insert(head.end(), preset.codes.begin(), preset.codes.end());
  return head;
}

// A complete file with the Enhanced scheme, and what the window shows after loading it.
inline const std::string kEnhancedFile =
    ConfigText(WithKeys({1280, 1024, 32, 2, 0, 1, 0, 1, 0, 60, 2}, kEnhanced));
inline constexpr ExpectedControls kEnhancedFileControls = {.depth = 2,
                                                           .screen_mode = OptionButton::optWindowed,
                                                           .boxes = {0, 1, 0, 0},
                                                           .detail = OptionButton::optHigh,
                                                           .volume = 60,
                                                           .scheme = OptionButton::optEnhanced,
                                                           .keys = kEnhanced.indexes};

// What OK writes after starting without a file and changing nothing.
inline const std::vector<int> kStartUpValues =
    WithKeys({1024, 768, 16, 1, 0, 1, 1, 2, 0, 75, 1}, kClassic);

// No krovan3d.cfg. Scenarios name it rather than leave `file` to its default: GCC 12 at -O3
// wrongly warns (maybe-uninitialized) about the defaulted string in these long lists.
inline const ConfigFile kNoFile{};
inline ConfigFile Text(std::string text) {
  return {ConfigFile::Kind::kText, std::move(text)};
}
inline ConfigFile ReadOnlyText(std::string text) {
  return {ConfigFile::Kind::kReadOnlyText, std::move(text)};
}
inline ConfigFile DirectoryInstead() {
  return {ConfigFile::Kind::kDirectory, {}};
}

inline const ShownMessage kSaved{"Configuration have been saved.", "Notice",
                                 MessageIcon::Information};
inline const ShownMessage kCancelled{"Changes have been cancelled.", "Notice",
                                     MessageIcon::Information};
inline const ShownMessage kScoresReset{"High scores have been reset.", "Notice",
                                       MessageIcon::Information};

// In an expected text, the full paths of the scenario's krovan3d.cfg and of the high-score file
// beside the program. A text that ends in ". " is the start of the message, which the system's
// description of an error follows.
inline constexpr char kConfigFilePlace[] = "{krovan3d.cfg}";
inline constexpr char kProgramScoresPlace[] = "{program's highscore.dat}";

inline const ShownMessage kResetFailed{
    std::string("The high scores in ") + kProgramScoresPlace + " could not be reset. ", "Error",
    MessageIcon::Error};

// The message of a save that the system refused with `error_number`. Windows words its errors
// itself (and Wine differently from Windows), so there any description is accepted.
inline ShownMessage SaveFailed([[maybe_unused]] int error_number) {
  std::string text =
      std::string("The configuration could not be saved to ") + kConfigFilePlace + ". ";
#ifndef _WIN32
  text += std::generic_category().message(error_number) + ".";
#endif
  return {text, "Error", MessageIcon::Error};
}

}  // namespace krovan::testing
