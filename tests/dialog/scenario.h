#pragma once

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "config/toolkit.h"
#include "tests/dialog/user_driver.h"
#include "tests/preset_keys.h"

namespace krovan::testing {

// What a user does, one step of a scenario.
struct ChooseDepth {
  int index;
};
struct Toggle {
  CheckBox box;
};
struct Select {
  OptionButton button;
};
struct PickKey {
  KeySlot slot;
  int index;
};
struct MoveSlider {
  int value;
};
struct Press {
  Button button;
};
struct CloseBox {};

using Action = std::variant<ChooseDepth, Toggle, Select, PickKey, MoveSlider, Press, CloseBox>;

// What lies at krovan3d.cfg before the window starts.
struct ConfigFile {
  enum class Kind { kNone, kText, kReadOnlyText, kDirectory };
  Kind kind = Kind::kNone;
  std::string text{};
};

// What lies at data/highscore.dat of the program folder and of the game folder, the two places
// Reset High Scores is given, in that order.
enum class HighScores { kNone, kFile, kDirectory };
struct ScoreFiles {
  HighScores program = HighScores::kNone;
  HighScores game = HighScores::kNone;
  bool operator==(const ScoreFiles&) const = default;
};

// The state of every control the routines use. The defaults are what the window shows after
// starting without a configuration file.
struct ExpectedControls {
  int depth = 0;  // cmbDepth's selected index
  OptionButton screen_mode = OptionButton::optFullScreen;
  std::array<int, 4> boxes = {0, 1, 1, 0};  // by CheckBox
  OptionButton detail = OptionButton::optLow;
  int volume = 75;
  OptionButton scheme = OptionButton::optClassic;
  std::array<int, kKeySlotCount> keys = kClassic.indexes;  // selected index by KeySlot
  bool keys_enabled = false;
};

struct Scenario {
  std::string name{};  // the test's name: letters, digits and underscores
  ConfigFile file{};
  ScoreFiles scores{};
  std::vector<Action> actions{};

  // Expected after the actions.
  // Every message box in order. A text ending in ": " stands for that text followed by the
  // system's description of an error, whatever its wording.
  std::vector<ShownMessage> messages{};
  bool open = true;
  std::optional<ExpectedControls> controls{};  // checked only while the window is open
  std::optional<std::string> file_after{};     // nullopt: krovan3d.cfg exactly as it was
  ScoreFiles scores_after{};
};

// krovan3d.cfg text: one value per line, each ended by `line_end`.
std::string ConfigText(const std::vector<int>& values, const std::string& line_end = "\r\n");

const std::vector<Scenario>& AllScenarios();

// Runs one scenario in fresh temporary directories and checks its expectations with EXPECT_*.
void RunScenario(const Scenario& scenario, UserDriver& driver);

// For INSTANTIATE_TEST_SUITE_P: the scenario's name.
std::string ScenarioName(const ::testing::TestParamInfo<Scenario>& info);

void PrintTo(const Scenario& scenario, std::ostream* out);
void PrintTo(const ShownMessage& message, std::ostream* out);
void PrintTo(const ScoreFiles& scores, std::ostream* out);

}  // namespace krovan::testing

namespace krovan {

void PrintTo(MessageIcon icon, std::ostream* out);

}  // namespace krovan
