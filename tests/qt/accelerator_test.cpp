#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/dialog/scenario.h"
#include "tests/qt/keyboard_helpers.h"
#include "tests/qt/running_program.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

// The program starts without krovan3d.cfg: 16-bit, Full Screen, Low, Classic with locked lists.
void ExpectKeyLists(RunningProgram& program, bool enabled, int first_key_index) {
  const QtWindow& window = program.window();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_EQ(Find<QComboBox>(window, NameOf(cmbKeys(slot))).isEnabled(), enabled) << slot;
  }
  EXPECT_EQ(window.GetListIndex(cmbKeys(0)), first_key_index);
}

struct AcceleratorCase {
  char letter;
  std::function<void(RunningProgram&)> arrange;
  std::function<void(RunningProgram&)> check;
};

void PrintTo(const AcceleratorCase& accelerator, std::ostream* out) {
  *out << "Alt+" << accelerator.letter;
}

class AcceleratorTest : public ::testing::TestWithParam<AcceleratorCase> {};

// The effect shows at once, with no wait between the key and the check.
TEST_P(AcceleratorTest, ActsAtOnce) {
  RunningProgram program;
  if (GetParam().arrange) {
    GetParam().arrange(program);
  }
  PressAlt(program, GetParam().letter);
  GetParam().check(program);
}

const auto kNothing = std::function<void(RunningProgram&)>();

void ExpectToggledWithFocus(RunningProgram& program, CheckBox box, int now) {
  EXPECT_EQ(program.window().GetValue(box), now);
  EXPECT_EQ(FocusName(), NameOf(box));
}

void ExpectOnWithFocus(RunningProgram& program, OptionButton on, OptionButton off) {
  EXPECT_TRUE(program.window().IsOn(on));
  EXPECT_FALSE(program.window().IsOn(off));
  EXPECT_EQ(FocusName(), NameOf(on));
}

INSTANTIATE_TEST_SUITE_P(
    Window, AcceleratorTest,
    ::testing::Values(
        AcceleratorCase{'C', kNothing,
                        [](RunningProgram& p) {
                          EXPECT_EQ(FocusName(), "cmbDepth");
                          EXPECT_EQ(p.window().GetListIndex(DropDownList::cmbDepth), 0);
                        }},
        AcceleratorCase{'S', kNothing,
                        [](RunningProgram& p) {
                          EXPECT_EQ(FocusName(), "sdrSound");
                          EXPECT_EQ(p.window().GetValue(Slider::sdrSound), 75);
                        }},
        AcceleratorCase{
            'F', [](RunningProgram& p) { p.window().TurnOn(OptionButton::optWindowed); },
            [](RunningProgram& p) {
              ExpectOnWithFocus(p, OptionButton::optFullScreen, OptionButton::optWindowed);
            }},
        AcceleratorCase{'W', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optWindowed,
                                            OptionButton::optFullScreen);
                          // The other frames keep their choice.
                          EXPECT_TRUE(p.window().IsOn(OptionButton::optLow));
                          EXPECT_TRUE(p.window().IsOn(OptionButton::optClassic));
                        }},
        AcceleratorCase{
            'A', kNothing,
            [](RunningProgram& p) { ExpectToggledWithFocus(p, CheckBox::chkAntialiasing, 1); }},
        AcceleratorCase{
            'D', kNothing,
            [](RunningProgram& p) { ExpectToggledWithFocus(p, CheckBox::chkDithering, 0); }},
        AcceleratorCase{
            'B', kNothing,
            [](RunningProgram& p) { ExpectToggledWithFocus(p, CheckBox::chkWBuffering, 0); }},
        AcceleratorCase{'O', [](RunningProgram& p) { p.window().TurnOn(OptionButton::optHigh); },
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optLow, OptionButton::optHigh);
                        }},
        AcceleratorCase{'H', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optHigh, OptionButton::optLow);
                          EXPECT_TRUE(p.window().IsOn(OptionButton::optFullScreen));
                        }},
        AcceleratorCase{
            'E', kNothing,
            [](RunningProgram& p) { ExpectToggledWithFocus(p, CheckBox::chkDebug, 1); }},
        AcceleratorCase{'I',
                        [](RunningProgram& p) { p.window().TurnOn(OptionButton::optEnhanced); },
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optClassic, OptionButton::optEnhanced);
                          ExpectKeyLists(p, false, kClassic.indexes[0]);
                        }},
        AcceleratorCase{'N', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optEnhanced, OptionButton::optClassic);
                          ExpectKeyLists(p, false, kEnhanced.indexes[0]);
                        }},
        AcceleratorCase{'U', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optCustom, OptionButton::optClassic);
                          ExpectKeyLists(p, true, kClassic.indexes[0]);
                        }},
        AcceleratorCase{'R', kNothing,
                        [](RunningProgram& p) {
                          EXPECT_EQ(p.watcher().Messages(), Notice("High scores have been reset."));
                          EXPECT_FALSE(std::filesystem::exists(p.HighScoreFile()));
                          EXPECT_TRUE(p.window().isVisible());
                        }},
        AcceleratorCase{'K', kNothing,
                        [](RunningProgram& p) {
                          EXPECT_EQ(p.watcher().Messages(),
                                    Notice("Configuration have been saved."));
                          EXPECT_TRUE(std::filesystem::exists(p.ConfigFile()));
                          EXPECT_FALSE(p.window().isVisible());
                        }},
        AcceleratorCase{'L', kNothing,
                        [](RunningProgram& p) {
                          EXPECT_EQ(p.watcher().Messages(), Notice("Changes have been cancelled."));
                          EXPECT_FALSE(std::filesystem::exists(p.ConfigFile()));
                          EXPECT_FALSE(p.window().isVisible());
                        }}),
    [](const auto& info) { return std::string("Alt") + info.param.letter; });

TEST(KeyboardTest, SixteenAcceleratorsEachWithItsOwnLetter) {
  RunningProgram program;
  std::multiset<std::string> letters;
  for (const QAbstractButton* button : program.window().findChildren<QAbstractButton*>()) {
    letters.insert(QKeySequence::mnemonic(button->text()).toString().toStdString());
  }
  for (const QLabel* label : program.window().findChildren<QLabel*>()) {
    // The row labels of the key lists have a buddy but no accelerator.
    const QKeySequence mnemonic = QKeySequence::mnemonic(label->text());
    if (label->buddy() != nullptr && !mnemonic.isEmpty()) {
      letters.insert(mnemonic.toString().toStdString());
    }
  }
  EXPECT_EQ(letters, (std::multiset<std::string>{
                         "Alt+A", "Alt+B", "Alt+C", "Alt+D", "Alt+E", "Alt+F", "Alt+H", "Alt+I",
                         "Alt+K", "Alt+L", "Alt+N", "Alt+O", "Alt+R", "Alt+S", "Alt+U", "Alt+W"}));
}

}  // namespace
}  // namespace krovan::testing
