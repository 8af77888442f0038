#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/dialog/scenario.h"
#include "tests/dialog/scenario_lists.h"
#include "tests/dialog/window_state.h"
#include "tests/scratch_directory.h"

namespace krovan::testing {

namespace fs = std::filesystem;

namespace {

constexpr std::array kDepthItems = {"16-bit", "24-bit", "32-bit"};
// Every key list's length and some of its entries, written out here rather than read from the
// key table that fills the lists: the first and last, a digit, a letter, and keys whose names
// are words or carry their symbol.
constexpr int kKeyListLength = 144;
constexpr std::pair<int, std::string_view> kKeyEntries[] = {{0, "ESCAPE"},
                                                            {1, "1"},
                                                            {10, "0"},
                                                            {15, "Q"},
                                                            {42, "Backslash (\\)"},
                                                            {56, "Space"},
                                                            {106, "Right Control"},
                                                            {143, "Media Select"}};

// The temporary game directory (made the current one) and program directory of one run; both
// are removed, and the old current directory restored, when the run ends however it ends.
class ScenarioDirectories {
 public:
  explicit ScenarioDirectories(const Scenario& scenario) : game_(ScratchDirectory::kMakeCurrent) {
    const fs::path config = ConfigPath();
    switch (scenario.file.kind) {
      case ConfigFile::Kind::kNone:
        break;
      case ConfigFile::Kind::kText:
        WriteFile(config, scenario.file.text);
        break;
      case ConfigFile::Kind::kReadOnlyText:
        WriteFile(config, scenario.file.text);
        fs::permissions(config,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        break;
      case ConfigFile::Kind::kDirectory:
        fs::create_directory(config);
        break;
    }
    for (const auto& [folder, scores] : {std::pair{program_.path(), scenario.scores.program},
                                         std::pair{game_.path(), scenario.scores.game}}) {
      PlaceScores(folder, scores);
    }
  }
  ScenarioDirectories(const ScenarioDirectories&) = delete;
  ScenarioDirectories& operator=(const ScenarioDirectories&) = delete;

  ~ScenarioDirectories() {
    // A read-only file cannot be deleted on every platform.
    std::error_code ignored;
    fs::permissions(ConfigPath(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }

  fs::path ConfigPath() const { return game_.path() / "krovan3d.cfg"; }
  // The places handed to the routines: the program folder's first.
  std::vector<std::string> HighScoreFiles() const {
    std::vector<std::string> files;
    for (const fs::path& folder : {program_.path(), game_.path()}) {
      const std::u8string text = ScoresPath(folder).u8string();
      files.emplace_back(text.begin(), text.end());
    }
    return files;
  }
  fs::path ProgramScoresPath() const { return ScoresPath(program_.path()); }
  ScoreFiles ScoresLeft() const { return {ScoresAt(program_.path()), ScoresAt(game_.path())}; }

 private:
  static fs::path ScoresPath(const fs::path& folder) { return folder / "data" / "highscore.dat"; }

  static void PlaceScores(const fs::path& folder, HighScores scores) {
    if (scores == HighScores::kNone) {
      return;
    }
    fs::create_directory(folder / "data");
    if (scores == HighScores::kDirectory) {
      fs::create_directory(ScoresPath(folder));
    } else {
      WriteFile(ScoresPath(folder), "scores");
    }
  }

  static HighScores ScoresAt(const fs::path& folder) {
    const fs::file_status status = fs::symlink_status(ScoresPath(folder));
    if (!fs::exists(status)) {
      return HighScores::kNone;
    }
    return fs::is_directory(status) ? HighScores::kDirectory : HighScores::kFile;
  }

  ScratchDirectory game_;
  ScratchDirectory program_;
};

struct Perform {
  UserDriver& driver;

  void operator()(const ChooseDepth& action) const { driver.ChooseDepth(action.index); }
  void operator()(const Toggle& action) const { driver.Click(action.box); }
  void operator()(const Select& action) const { driver.Click(action.button); }
  void operator()(const PickKey& action) const { driver.PickKey(action.slot, action.index); }
  void operator()(const MoveSlider& action) const { driver.MoveSlider(action.value); }
  void operator()(const Press& action) const { driver.Press(action.button); }
  void operator()(const CloseBox&) const { driver.CloseBox(); }
};

// The controls a user's action may change: the one it is on, and those that the routine it
// starts changes. Every other control must keep what it showed.
struct MayChange {
  std::vector<ControlIndex> operator()(const ChooseDepth&) const {
    return {form::IndexOf(DropDownList::cmbDepth), form::IndexOf(CheckBox::chkWBuffering)};
  }
  std::vector<ControlIndex> operator()(const Toggle& action) const {
    return {form::IndexOf(action.box)};
  }
  std::vector<ControlIndex> operator()(const Select& action) const {
    std::vector<ControlIndex> changed;
    for (const OptionButton member : form::GroupOf(action.button).Members()) {
      changed.push_back(form::IndexOf(member));
    }
    const auto schemes = form::GroupOf(OptionButton::optClassic).Members();
    if (std::ranges::find(schemes, action.button) != schemes.end()) {
      for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
        changed.push_back(form::IndexOf(cmbKeys(slot)));
      }
    }
    return changed;
  }
  std::vector<ControlIndex> operator()(const PickKey& action) const {
    return {form::IndexOf(cmbKeys(action.slot))};
  }
  std::vector<ControlIndex> operator()(const MoveSlider&) const {
    return {form::IndexOf(Slider::sdrSound)};
  }
  std::vector<ControlIndex> operator()(const Press&) const { return {}; }
  std::vector<ControlIndex> operator()(const CloseBox&) const { return {}; }
};

WindowState StateOf(const UserDriver& driver) {
  return StateOf(driver.form(), driver);
}

// The window that `expected` describes.
WindowState Showing(const ExpectedControls& expected) {
  WindowState state{};
  state[form::IndexOf(DropDownList::cmbDepth)].value = expected.depth;
  for (const OptionButton button : {expected.screen_mode, expected.detail, expected.scheme}) {
    state[form::IndexOf(button)].value = 1;
  }
  for (std::size_t box = 0; box < kCheckBoxes.size(); ++box) {
    state[form::IndexOf(kCheckBoxes[box])].value = expected.boxes[box];
  }
  state[form::IndexOf(Slider::sdrSound)].value = expected.volume;
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    state[form::IndexOf(cmbKeys(slot))] = {expected.keys[slot], expected.keys_enabled};
  }
  return state;
}

// Matches a shown message as Scenario::messages describes it.
::testing::Matcher<ShownMessage> MessageLike(const ShownMessage& expected,
                                             const ScenarioDirectories& directories) {
  using ::testing::AllOf;
  using ::testing::Field;
  std::string wanted = expected.text;
  for (const auto& [place, path] :
       {std::pair{kConfigFilePlace, directories.ConfigPath()},
        std::pair{kProgramScoresPlace, directories.ProgramScoresPath()}}) {
    if (const std::size_t at = wanted.find(place); at != std::string::npos) {
      const std::u8string text = path.u8string();
      wanted.replace(at, std::string_view(place).size(), std::string(text.begin(), text.end()));
    }
  }
  const auto text =
      wanted.ends_with(". ")
          ? ::testing::Matcher<std::string>(AllOf(::testing::StartsWith(wanted),
                                                  ::testing::SizeIs(::testing::Gt(wanted.size()))))
          : ::testing::Matcher<std::string>(wanted);
  return AllOf(Field("text", &ShownMessage::text, text),
               Field("title", &ShownMessage::title, expected.title),
               Field("icon", &ShownMessage::icon, expected.icon));
}

void ExpectLists(const UserDriver& driver) {
  for (int entry = 0; entry < static_cast<int>(kDepthItems.size()); ++entry) {
    EXPECT_EQ(driver.ItemText(DropDownList::cmbDepth, entry), kDepthItems[entry]);
  }
  EXPECT_EQ(driver.ItemCount(DropDownList::cmbDepth), static_cast<int>(kDepthItems.size()));
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    ASSERT_EQ(driver.ItemCount(cmbKeys(slot)), kKeyListLength) << "key list " << slot;
    for (const auto& [entry, name] : kKeyEntries) {
      ASSERT_EQ(driver.ItemText(cmbKeys(slot), entry), name) << "key list " << slot;
    }
  }
}

void ExpectControls(const UserDriver& driver, const ExpectedControls& expected) {
  ExpectWindow(StateOf(driver), Showing(expected), "at the end");
  ExpectLists(driver);
}

void ExpectConfigFile(const ScenarioDirectories& directories, const Scenario& scenario) {
  const fs::path config = directories.ConfigPath();
  if (scenario.file_after) {
    EXPECT_EQ(ReadFile(config), *scenario.file_after);
  } else {
    switch (scenario.file.kind) {
      case ConfigFile::Kind::kNone:
        EXPECT_FALSE(fs::exists(config)) << "no krovan3d.cfg was to be written";
        break;
      case ConfigFile::Kind::kText:
      case ConfigFile::Kind::kReadOnlyText:
        EXPECT_EQ(ReadFile(config), scenario.file.text) << "krovan3d.cfg was to stay as it was";
        break;
      case ConfigFile::Kind::kDirectory:
        EXPECT_TRUE(fs::is_directory(config));
        EXPECT_TRUE(fs::is_empty(config));
        break;
    }
  }
  // Besides krovan3d.cfg the game folder holds only the data folder the scenario made.
  for (const fs::directory_entry& entry : fs::directory_iterator(config.parent_path())) {
    EXPECT_THAT(entry.path().filename().string(),
                ::testing::AnyOf(config.filename().string(), "data"))
        << "left behind: " << entry.path();
  }
}

}  // namespace

std::string ConfigText(const std::vector<int>& values, const std::string& line_end) {
  std::string text;
  for (const int value : values) {
    text += std::to_string(value) + line_end;
  }
  return text;
}

const std::vector<Scenario>& AllScenarios() {
  static const std::vector<Scenario> all = [] {
    std::vector<Scenario> list = LoadScenarios();
    for (auto more : {ButtonScenarios(), EditingScenarios()}) {
      list.insert(list.end(), more.begin(), more.end());
    }
    return list;
  }();
  return all;
}

void RunScenario(const Scenario& scenario, UserDriver& driver) {
  const ScenarioDirectories directories(scenario);
  driver.Start(directories.HighScoreFiles());
  WindowState before = StateOf(driver);
  for (std::size_t step = 0; step < scenario.actions.size(); ++step) {
    std::visit(Perform{driver}, scenario.actions[step]);
    if (driver.IsVisible()) {
      const WindowState after = StateOf(driver);
      ExpectWindow(after, before, "after step " + std::to_string(step + 1),
                   std::visit(MayChange{}, scenario.actions[step]));
      before = after;
    }
  }
  std::vector<::testing::Matcher<ShownMessage>> messages;
  for (const ShownMessage& expected : scenario.messages) {
    messages.push_back(MessageLike(expected, directories));
  }
  EXPECT_THAT(driver.Messages(), ::testing::ElementsAreArray(messages));
  EXPECT_EQ(driver.IsVisible(), scenario.open);
  if (scenario.controls) {
    ExpectControls(driver, *scenario.controls);
  }
  ExpectConfigFile(directories, scenario);
  EXPECT_EQ(directories.ScoresLeft(), scenario.scores_after);
}

std::string ScenarioName(const ::testing::TestParamInfo<Scenario>& info) {
  return info.param.name;
}

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.name;
}

void PrintTo(const ShownMessage& message, std::ostream* out) {
  *out << '"' << message.text << "\" titled \"" << message.title << "\" with the ";
  PrintTo(message.icon, out);
}

void PrintTo(const ScoreFiles& scores, std::ostream* out) {
  constexpr std::array kNames = {"none", "file", "directory"};
  *out << "program folder: " << kNames.at(static_cast<std::size_t>(scores.program))
       << ", game folder: " << kNames.at(static_cast<std::size_t>(scores.game));
}

}  // namespace krovan::testing

namespace krovan {

void PrintTo(MessageIcon icon, std::ostream* out) {
  *out << (icon == MessageIcon::Information ? "information" : "error") << " icon";
}

}  // namespace krovan
