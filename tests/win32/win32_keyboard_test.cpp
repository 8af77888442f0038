#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

using ::testing::IsEmpty;

constexpr LPARAM kAltDown = LPARAM{1} << 29;  // a key message's context code

// Alt+letter, as the window's message loop sees it once the key has been translated.
struct Accelerator {
  char letter;
  std::function<void(Win32Window&)> before;  // brings the window where the key can act
  std::function<bool(const Win32Window&)> effect;
  std::vector<std::string> log;
  std::optional<ControlIndex> focus{};
};

class AcceleratorTest : public WindowTest, public ::testing::WithParamInterface<Accelerator> {};

TEST_P(AcceleratorTest, ActsAtOnce) {
  const Accelerator& accelerator = GetParam();
  accelerator.before(window());
  Focus(Named("chkDebug"));
  Key(WM_SYSCHAR, static_cast<WPARAM>(accelerator.letter), kAltDown);
  EXPECT_TRUE(accelerator.effect(window()));
  EXPECT_EQ(Log(), accelerator.log);
  if (accelerator.focus) {
    EXPECT_EQ(Focused(), *accelerator.focus);
  }
}

void Nothing(Win32Window&) {}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, AcceleratorTest,
    ::testing::Values(
        Accelerator{
            'c',
            Nothing,
            [](const Win32Window& w) { return w.GetListIndex(DropDownList::cmbDepth) == -1; },
            {},
            Named("cmbDepth")},
        Accelerator{'s',
                    Nothing,
                    [](const Win32Window& w) { return w.GetValue(Slider::sdrSound) == 75; },
                    {},
                    Named("sdrSound")},
        Accelerator{'f',
                    [](Win32Window& w) { w.TurnOn(OptionButton::optWindowed); },
                    [](const Win32Window& w) { return w.IsOn(OptionButton::optFullScreen); },
                    {}},
        Accelerator{'w',
                    Nothing,
                    [](const Win32Window& w) {
                      return w.IsOn(OptionButton::optWindowed) &&
                             !w.IsOn(OptionButton::optFullScreen);
                    },
                    {}},
        Accelerator{'a',
                    Nothing,
                    [](const Win32Window& w) { return w.GetValue(CheckBox::chkAntialiasing) == 1; },
                    {}},
        Accelerator{'d',
                    Nothing,
                    [](const Win32Window& w) { return w.GetValue(CheckBox::chkDithering) == 0; },
                    {}},
        Accelerator{'b',
                    Nothing,
                    [](const Win32Window& w) { return w.GetValue(CheckBox::chkWBuffering) == 0; },
                    {}},
        Accelerator{'o',
                    [](Win32Window& w) { w.TurnOn(OptionButton::optHigh); },
                    [](const Win32Window& w) { return w.IsOn(OptionButton::optLow); },
                    {}},
        Accelerator{
            'h', Nothing, [](const Win32Window& w) { return w.IsOn(OptionButton::optHigh); }, {}},
        Accelerator{'e',
                    Nothing,
                    [](const Win32Window& w) { return w.GetValue(CheckBox::chkDebug) == 1; },
                    {}},
        Accelerator{'i',
                    [](Win32Window& w) { w.TurnOn(OptionButton::optCustom); },
                    [](const Win32Window& w) { return w.IsOn(OptionButton::optClassic); },
                    {"optCustom_Click optCustom", "optClassic_Click optClassic"}},
        Accelerator{'n',
                    Nothing,
                    [](const Win32Window& w) { return w.IsOn(OptionButton::optEnhanced); },
                    {"optEnhanced_Click optEnhanced"}},
        Accelerator{'u',
                    Nothing,
                    [](const Win32Window& w) { return w.IsOn(OptionButton::optCustom); },
                    {"optCustom_Click optCustom"}},
        Accelerator{'r', Nothing, [](const Win32Window&) { return true; }, {"cmdReset_Click"}},
        Accelerator{'k', Nothing, [](const Win32Window&) { return true; }, {"cmdOK_Click"}},
        Accelerator{'l', Nothing, [](const Win32Window&) { return true; }, {"cmdCancel_Click"}}),
    [](const auto& info) { return std::string(1, info.param.letter); });

// Enter and Escape press nothing: the window has no default and no cancel button.
class EnterEscapeTest : public WindowTest,
                        public ::testing::WithParamInterface<std::tuple<ControlIndex, WPARAM>> {};

TEST_P(EnterEscapeTest, PressNoButton) {
  const auto [focus, key] = GetParam();
  Focus(focus);
  Key(WM_KEYDOWN, key);
  EXPECT_THAT(Log(), IsEmpty());
  EXPECT_TRUE(IsWindowVisible(window().Handle()));
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, EnterEscapeTest,
    ::testing::Combine(::testing::Values(Named("chkDithering"), Named("optFullScreen"),
                                         Named("optClassic"), Named("cmbDepth"), Named("sdrSound")),
                       ::testing::Values(VK_RETURN, VK_ESCAPE)));

// Enter presses the push button that Tab has brought the focus to, as in every dialog.
TEST_F(WindowTest, EnterPressesTheFocusedButton) {
  Focus(Named("cmbKeys(0)"));
  Key(WM_KEYDOWN, VK_TAB);
  ASSERT_EQ(Focused(), Named("cmdReset"));
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Log(), std::vector<std::string>{"cmdReset_Click"});
}

// Alt+F4 is the close command wherever the focus is: no routine runs, the program ends.
class AltF4Test : public WindowTest, public ::testing::WithParamInterface<ControlIndex> {};

TEST_P(AltF4Test, ClosesTheWindow) {
  Focus(GetParam());
  Key(WM_SYSKEYDOWN, VK_F4, kAltDown);
  EXPECT_EQ(window().Handle(), nullptr);
  EXPECT_THAT(Log(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Win32Window, AltF4Test,
                         ::testing::Values(Named("cmbDepth"), Named("cmbKeys(0)"),
                                           Named("sdrSound"), Named("cmdOK")));

// The controls the focus visits, pressing `key` until it comes back to where it started.
std::vector<ControlIndex> TabRound(const std::function<void()>& key,
                                   const std::function<ControlIndex()>& focused) {
  std::vector<ControlIndex> visited = {focused()};
  for (int step = 0; step < form::kControlCount; ++step) {
    key();
    if (focused() == visited.front()) {
      break;
    }
    visited.push_back(focused());
  }
  return visited;
}

const std::vector<ControlIndex> kKeyListsInTabOrder = {
    Named("cmbKeys(9)"), Named("cmbKeys(8)"), Named("cmbKeys(7)"), Named("cmbKeys(6)"),
    Named("cmbKeys(5)"), Named("cmbKeys(4)"), Named("cmbKeys(3)"), Named("cmbKeys(2)"),
    Named("cmbKeys(1)"), Named("cmbKeys(0)")};

std::vector<ControlIndex> Concat(std::vector<ControlIndex> head,
                                 const std::vector<ControlIndex>& middle,
                                 const std::vector<ControlIndex>& tail) {
  head.insert(head.end(), middle.begin(), middle.end());
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// Tab stops at the option button of each frame that is on.
TEST_F(WindowTest, TabVisitsTheControlsInTheirOrder) {
  Focus(Named("cmbDepth"));
  const auto tab = [this] { Key(WM_KEYDOWN, VK_TAB); };
  const auto focused = [this] { return Focused(); };
  EXPECT_EQ(TabRound(tab, focused),
            Concat({Named("cmbDepth"), Named("optFullScreen"), Named("chkAntialiasing"),
                    Named("chkDithering"), Named("chkWBuffering"), Named("optLow"),
                    Named("chkDebug"), Named("sdrSound"), Named("optClassic")},
                   kKeyListsInTabOrder, {Named("cmdReset"), Named("cmdOK"), Named("cmdCancel")}));

  window().TurnOn(OptionButton::optHigh);
  window().TurnOn(OptionButton::optEnhanced);
  for (KeySlot slot : {0, 5, 9}) {
    window().SetEnabled(cmbKeys(slot), false);
  }
  Focus(Named("cmbDepth"));
  EXPECT_EQ(
      TabRound(tab, focused),
      Concat({Named("cmbDepth"), Named("optFullScreen"), Named("chkAntialiasing"),
              Named("chkDithering"), Named("chkWBuffering"), Named("optHigh"), Named("chkDebug"),
              Named("sdrSound")},
             {Named("cmbKeys(8)"), Named("cmbKeys(7)"), Named("cmbKeys(6)"), Named("cmbKeys(4)"),
              Named("cmbKeys(3)"), Named("cmbKeys(2)"), Named("cmbKeys(1)")},
             {Named("optEnhanced"), Named("cmdReset"), Named("cmdOK"), Named("cmdCancel")}));
}

// The arrow keys move among the option buttons of a frame, in drawn order and round, and turn
// on the one they reach.
struct ArrowCase {
  ControlIndex from;
  WPARAM key;
  ControlIndex to;
  std::vector<std::string> log;
};

class ArrowTest : public WindowTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(ArrowTest, MovesWithinTheFrame) {
  Focus(GetParam().from);
  Key(WM_KEYDOWN, GetParam().key);
  EXPECT_EQ(Focused(), GetParam().to);
  EXPECT_EQ(SendMessageW(Control(GetParam().to), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(GetParam().from), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Log(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, ArrowTest,
    ::testing::Values(
        ArrowCase{
            Named("optClassic"), VK_RIGHT, Named("optEnhanced"), {"optEnhanced_Click optEnhanced"}},
        ArrowCase{Named("optClassic"), VK_LEFT, Named("optCustom"), {"optCustom_Click optCustom"}},
        ArrowCase{Named("optFullScreen"), VK_DOWN, Named("optWindowed"), {}},
        ArrowCase{Named("optLow"), VK_UP, Named("optHigh"), {}}));

// The slider: the arrow keys move it by 1, Page Up and Page Down by 10, within 0 to 100.
struct SliderKey {
  int from;
  WPARAM key;
  int to;
};

class SliderKeyTest : public WindowTest, public ::testing::WithParamInterface<SliderKey> {};

TEST_P(SliderKeyTest, MovesTheThumb) {
  window().SetValue(Slider::sdrSound, GetParam().from);
  Focus(Named("sdrSound"));
  Key(WM_KEYDOWN, GetParam().key);
  EXPECT_EQ(window().GetValue(Slider::sdrSound), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Win32Window, SliderKeyTest,
                         ::testing::Values(SliderKey{75, VK_RIGHT, 76}, SliderKey{75, VK_LEFT, 74},
                                           SliderKey{75, VK_NEXT, 85}, SliderKey{75, VK_PRIOR, 65},
                                           SliderKey{100, VK_RIGHT, 100}, SliderKey{0, VK_LEFT, 0},
                                           SliderKey{95, VK_NEXT, 100}, SliderKey{5, VK_PRIOR, 0},
                                           SliderKey{75, VK_HOME, 0}, SliderKey{75, VK_END, 100}));

}  // namespace
}  // namespace krovan::testing
