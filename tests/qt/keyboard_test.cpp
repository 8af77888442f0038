#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/dialog/scenario.h"
#include "tests/qt/running_program.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

// The program starts without krovan3d.cfg: 16-bit, Full Screen, Low, Classic with locked lists.
void PressAlt(RunningProgram& program, char letter) {
  QTest::keyClick(&program.window(), static_cast<Qt::Key>(letter), Qt::AltModifier);
}

std::string FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus == nullptr ? "(none)" : focus->objectName().toStdString();
}

void ExpectKeyLists(RunningProgram& program, bool enabled, int first_key_index) {
  const QtWindow& window = program.window();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_EQ(Find<QComboBox>(window, NameOf(cmbKeys(slot))).isEnabled(), enabled) << slot;
  }
  EXPECT_EQ(window.GetListIndex(cmbKeys(0)), first_key_index);
}

std::vector<ShownMessage> Notice(const std::string& text) {
  return {{text, "Notice", MessageIcon::Information}};
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
                          ExpectKeyLists(p, false, kClassicKeyIndexes[0]);
                        }},
        AcceleratorCase{'N', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optEnhanced, OptionButton::optClassic);
                          ExpectKeyLists(p, false, kEnhancedKeyIndexes[0]);
                        }},
        AcceleratorCase{'U', kNothing,
                        [](RunningProgram& p) {
                          ExpectOnWithFocus(p, OptionButton::optCustom, OptionButton::optClassic);
                          ExpectKeyLists(p, true, kClassicKeyIndexes[0]);
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

struct FocusCase {
  std::string name;
  std::vector<OptionButton> turned_on;
  std::vector<std::string> order;  // from cmbDepth, Tab by Tab, back to cmbDepth
};

void PrintTo(const FocusCase& focus, std::ostream* out) {
  *out << focus.name;
}

class FocusOrderTest : public ::testing::TestWithParam<FocusCase> {};

std::vector<std::string> KeyListsFromNineToZero() {
  std::vector<std::string> lists;
  for (KeySlot slot = kKeySlotCount - 1; slot >= 0; --slot) {
    lists.emplace_back(NameOf(cmbKeys(slot)));
  }
  return lists;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> joined;
  for (const auto& part : parts) {
    joined.insert(joined.end(), part.begin(), part.end());
  }
  return joined;
}

std::vector<std::string> Visit(Qt::Key key, Qt::KeyboardModifiers modifiers, std::size_t steps) {
  std::vector<std::string> visited;
  for (std::size_t step = 0; step < steps; ++step) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    visited.push_back(FocusName());
  }
  return visited;
}

TEST_P(FocusOrderTest, TabAndShiftTabVisitTheControlsInOrder) {
  RunningProgram program;
  for (OptionButton button : GetParam().turned_on) {
    program.window().TurnOn(button);
  }
  const std::vector<std::string>& order = GetParam().order;
  Find<QWidget>(program.window(), "cmbDepth").setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(Visit(Qt::Key_Tab, Qt::NoModifier, order.size()), order);

  std::vector<std::string> backwards(order.rbegin() + 1, order.rend());
  backwards.push_back(order.back());
  EXPECT_EQ(Visit(Qt::Key_Backtab, Qt::ShiftModifier, order.size()), backwards);
}

INSTANTIATE_TEST_SUITE_P(
    Window, FocusOrderTest,
    ::testing::Values(
        FocusCase{
            "LockedLists",
            {},
            {"optFullScreen", "chkAntialiasing", "chkDithering", "chkWBuffering", "optLow",
             "chkDebug", "sdrSound", "optClassic", "cmdReset", "cmdOK", "cmdCancel", "cmbDepth"}},
        FocusCase{"CustomWindowedHigh",
                  {OptionButton::optCustom, OptionButton::optWindowed, OptionButton::optHigh},
                  Join({{"optWindowed", "chkAntialiasing", "chkDithering", "chkWBuffering",
                         "optHigh", "chkDebug", "sdrSound"},
                        KeyListsFromNineToZero(),
                        {"optCustom", "cmdReset", "cmdOK", "cmdCancel", "cmbDepth"}})}),
    [](const auto& info) { return info.param.name; });

TEST(KeyboardTest, OpensWithTheFocusOnTheFirstControlOfTheTabOrder) {
  RunningProgram program;
  EXPECT_EQ(FocusName(), "cmbDepth");
}

TEST(KeyboardTest, KeyListsReachableRightAfterCustom) {
  RunningProgram program;
  PressAlt(program, 'U');
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusName(), "cmbKeys(0)");
}

// Enter and Escape on a control that is not a button: the window has no default button and no
// cancel button, so nothing is pressed and nothing changes.
class InertKeyTest : public ::testing::TestWithParam<std::tuple<std::string, Qt::Key>> {};

TEST_P(InertKeyTest, PressesNothing) {
  RunningProgram program;
  QtWindow& window = program.window();
  const auto snapshot = [&window] {
    std::vector<int> state{window.GetListIndex(DropDownList::cmbDepth),
                           window.GetValue(Slider::sdrSound)};
    for (int box = 0; box < form::kCheckBoxCount; ++box) {
      state.push_back(window.GetValue(static_cast<CheckBox>(box)));
    }
    for (int button = 0; button < form::kOptionButtonCount; ++button) {
      state.push_back(window.IsOn(static_cast<OptionButton>(button)));
    }
    return state;
  };
  const std::vector<int> before = snapshot();
  auto& target = Find<QWidget>(window, std::get<0>(GetParam()));
  target.setFocus(Qt::OtherFocusReason);
  QTest::keyClick(&target, std::get<1>(GetParam()));
  EXPECT_TRUE(program.watcher().Messages().empty());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(snapshot(), before);
}

std::string InertKeyName(const ::testing::TestParamInfo<InertKeyTest::ParamType>& info) {
  return std::get<0>(info.param) + "_" +
         QKeySequence(std::get<1>(info.param)).toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Window, InertKeyTest,
    ::testing::Combine(::testing::Values("chkDithering", "optFullScreen", "optClassic", "sdrSound"),
                       ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape)),
    InertKeyName);

INSTANTIATE_TEST_SUITE_P(Buttons, InertKeyTest,
                         ::testing::Combine(::testing::Values("cmdReset", "cmdOK", "cmdCancel"),
                                            ::testing::Values(Qt::Key_Escape)),
                         InertKeyName);

TEST(KeyboardTest, EnterPressesTheButtonThatHasTheFocus) {
  RunningProgram program;
  auto& reset = Find<QWidget>(program.window(), "cmdReset");
  reset.setFocus(Qt::OtherFocusReason);
  QTest::keyClick(&reset, Qt::Key_Return);
  EXPECT_EQ(program.watcher().Messages(), Notice("High scores have been reset."));
}

TEST(KeyboardTest, SliderStepsByOneAndTenWithinItsRange) {
  RunningProgram program;
  PressAlt(program, 'S');
  struct Step {
    Qt::Key key;
    int value;
  };
  for (const auto& [key, value] : std::vector<Step>{{Qt::Key_Right, 76},
                                                    {Qt::Key_Left, 75},
                                                    {Qt::Key_Up, 76},
                                                    {Qt::Key_Down, 75},
                                                    {Qt::Key_PageUp, 85},
                                                    {Qt::Key_PageDown, 75},
                                                    {Qt::Key_End, 100},
                                                    {Qt::Key_Right, 100},
                                                    {Qt::Key_PageUp, 100},
                                                    {Qt::Key_PageDown, 90},
                                                    {Qt::Key_Home, 0},
                                                    {Qt::Key_Left, 0},
                                                    {Qt::Key_PageDown, 0},
                                                    {Qt::Key_PageUp, 10}}) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(program.window().GetValue(Slider::sdrSound), value)
        << QKeySequence(key).toString().toStdString();
  }
}

TEST(KeyboardTest, ClickOnTheTrackBesideTheThumbMovesTen) {
  RunningProgram program;
  auto& slider = Find<QSlider>(program.window(), "sdrSound");
  QStyleOptionSlider option;
  option.initFrom(&slider);
  option.orientation = Qt::Horizontal;
  option.minimum = slider.minimum();
  option.maximum = slider.maximum();
  option.sliderPosition = slider.value();
  option.tickPosition = slider.tickPosition();
  const QRect groove =
      slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
  QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(groove.left() + 2, groove.center().y()));
  EXPECT_EQ(slider.value(), 65);
  QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(groove.right() - 2, groove.center().y()));
  EXPECT_EQ(slider.value(), 75);
}

}  // namespace
}  // namespace krovan::testing
