#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <string>
#include <vector>

#include "tests/dialog/window_state.h"
#include "tests/qt/keyboard_helpers.h"
#include "tests/qt/running_program.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

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
  const WindowState before = StateOf(window, Screen{window});
  auto& target = Find<QWidget>(window, std::get<0>(GetParam()));
  target.setFocus(Qt::OtherFocusReason);
  QTest::keyClick(&target, std::get<1>(GetParam()));
  EXPECT_TRUE(program.watcher().Messages().empty());
  EXPECT_TRUE(window.isVisible());
  ExpectWindow(StateOf(window, Screen{window}), before, "after the key");
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
