#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/win32/system_message.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using win32::ControlId;

std::vector<ControlId> OnControls(const Win32Window& window) {
  std::vector<ControlId> on;
  for (const win32::ControlSpec& spec : win32::kControls) {
    if ((spec.kind == win32::ControlKind::OptionButton ||
         spec.kind == win32::ControlKind::CheckBox) &&
        SendMessageW(window.Control(spec.id), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      on.push_back(spec.id);
    }
  }
  return on;
}

TEST_F(WindowTest, IsCreatedHiddenInItsInitialState) {
  EXPECT_FALSE(IsWindowVisible(window().Handle()));
  EXPECT_EQ(window().GetListIndex(DropDownList::cmbDepth), -1);
  EXPECT_EQ(SendMessageW(Control(ControlId::cmbDepth), CB_GETCOUNT, 0, 0), 3);
  EXPECT_THAT(OnControls(window()),
              ElementsAre(ControlId::optFullScreen, ControlId::chkDithering,
                          ControlId::chkWBuffering, ControlId::optLow, ControlId::optClassic));
  EXPECT_EQ(window().GetValue(Slider::sdrSound), 75);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_EQ(SendMessageW(Control(win32::ControlOf(cmbKeys(slot))), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(window().GetListIndex(cmbKeys(slot)), -1);
    EXPECT_TRUE(IsWindowEnabled(Control(win32::ControlOf(cmbKeys(slot)))));
  }
  EXPECT_THAT(Log(), IsEmpty());
}

TEST_F(WindowTest, HasAFixedFrameAndItsCaption) {
  wchar_t caption[64] = {};
  GetWindowTextW(window().Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Krovan 3D Configuration Utility 1.0");
  const LONG_PTR style = GetWindowLongPtrW(window().Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(style & WS_SYSMENU, 0) << "the close box";
}

TEST_F(WindowTest, ShowsCentredWithTheFocusOnTheColourDepth) {
  window().ShowForm();
  EXPECT_TRUE(IsWindowVisible(window().Handle()));
  EXPECT_EQ(GetFocus(), Control(ControlId::cmbDepth));

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window().Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(window().Handle(), &rect);
  EXPECT_NEAR(rect.left - monitor.rcWork.left, monitor.rcWork.right - rect.right, 1);
  EXPECT_NEAR(rect.top - monitor.rcWork.top, monitor.rcWork.bottom - rect.bottom, 1);
}

// A change made by code runs the control's routine once, after the change, nested inside the
// call; a change to the state already shown runs nothing.
struct ChangeCase {
  std::string name;
  std::function<void(Win32Window&)> change;
  std::vector<std::string> log;
};

class CodeChangeTest : public WindowTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(CodeChangeTest, RunsTheRoutineOnce) {
  GetParam().change(window());
  EXPECT_EQ(Log(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, CodeChangeTest,
    ::testing::Values(ChangeCase{"SelectDepth",
                                 [](Win32Window& w) { w.SetListIndex(DropDownList::cmbDepth, 1); },
                                 {"cmbDepth_Click 1"}},
                      ChangeCase{"SelectDepthTwice",
                                 [](Win32Window& w) {
                                   w.SetListIndex(DropDownList::cmbDepth, 2);
                                   w.SetListIndex(DropDownList::cmbDepth, 2);
                                 },
                                 {"cmbDepth_Click 2"}},
                      ChangeCase{"ClearDepth",
                                 [](Win32Window& w) {
                                   w.SetListIndex(DropDownList::cmbDepth, 0);
                                   w.SetListIndex(DropDownList::cmbDepth, -1);
                                 },
                                 {"cmbDepth_Click 0", "cmbDepth_Click -1"}},
                      ChangeCase{"SelectKey",
                                 [](Win32Window& w) {
                                   w.AppendItem(cmbKeys(3), "ESCAPE");
                                   w.SetListIndex(cmbKeys(3), 0);
                                 },
                                 {}},
                      ChangeCase{"TurnOnEnhanced",
                                 [](Win32Window& w) { w.TurnOn(OptionButton::optEnhanced); },
                                 {"optEnhanced_Click optEnhanced"}},
                      ChangeCase{"TurnOnCustomThenClassic",
                                 [](Win32Window& w) {
                                   w.TurnOn(OptionButton::optCustom);
                                   w.TurnOn(OptionButton::optClassic);
                                 },
                                 {"optCustom_Click optCustom", "optClassic_Click optClassic"}},
                      ChangeCase{"TurnOnClassicAlreadyOn",
                                 [](Win32Window& w) { w.TurnOn(OptionButton::optClassic); },
                                 {}},
                      ChangeCase{"TurnOnOtherFrames",
                                 [](Win32Window& w) {
                                   w.TurnOn(OptionButton::optWindowed);
                                   w.TurnOn(OptionButton::optHigh);
                                 },
                                 {}},
                      ChangeCase{"CheckAndSlider",
                                 [](Win32Window& w) {
                                   w.SetValue(CheckBox::chkDebug, 1);
                                   w.SetValue(Slider::sdrSound, 10);
                                 },
                                 {}}),
    [](const auto& info) { return info.param.name; });

// The user's changes, as the controls report them, run the same routines as the code's.
class UserChangeTest : public WindowTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(UserChangeTest, RunsTheSameRoutines) {
  GetParam().change(window());
  PumpMessages();
  EXPECT_EQ(Log(), GetParam().log);
}

void Click(Win32Window& w, ControlId id) {
  SendMessageW(w.Control(id), BM_CLICK, 0, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, UserChangeTest,
    ::testing::Values(ChangeCase{"ArrowDownInDepthList",
                                 [](Win32Window& w) {
                                   w.SetListIndex(DropDownList::cmbDepth, 0);
                                   SendMessageW(w.Control(ControlId::cmbDepth), WM_KEYDOWN, VK_DOWN,
                                                0);
                                 },
                                 {"cmbDepth_Click 0", "cmbDepth_Click 1"}},
                      ChangeCase{"ClickEnhanced",
                                 [](Win32Window& w) { Click(w, ControlId::optEnhanced); },
                                 {"optEnhanced_Click optEnhanced"}},
                      ChangeCase{"ClickClassicAlreadyOn",
                                 [](Win32Window& w) { Click(w, ControlId::optClassic); },
                                 {}},
                      ChangeCase{"ClickWindowedAndHigh",
                                 [](Win32Window& w) {
                                   Click(w, ControlId::optWindowed);
                                   Click(w, ControlId::optHigh);
                                 },
                                 {}},
                      ChangeCase{"ClickCheckBoxes",
                                 [](Win32Window& w) {
                                   Click(w, ControlId::chkAntialiasing);
                                   Click(w, ControlId::chkDebug);
                                 },
                                 {}},
                      ChangeCase{"PressButtons",
                                 [](Win32Window& w) {
                                   Click(w, ControlId::cmdReset);
                                   Click(w, ControlId::cmdOK);
                                   Click(w, ControlId::cmdCancel);
                                 },
                                 {"cmdReset_Click", "cmdOK_Click", "cmdCancel_Click"}}),
    [](const auto& info) { return info.param.name; });

struct Refusal {
  std::string name;
  std::function<bool(Win32Window&)> set;
};

class RefusalTest : public WindowTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, LeavesTheControlAsItWas) {
  window().SetListIndex(DropDownList::cmbDepth, 1);
  EXPECT_FALSE(GetParam().set(window()));
  EXPECT_EQ(window().GetListIndex(DropDownList::cmbDepth), 1);
  EXPECT_EQ(window().GetListIndex(cmbKeys(0)), -1);
  EXPECT_EQ(window().GetValue(Slider::sdrSound), 75);
  EXPECT_EQ(Log(), std::vector<std::string>{"cmbDepth_Click 1"});
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, RefusalTest,
    ::testing::Values(
        Refusal{"DepthPastTheEnd",
                [](Win32Window& w) { return w.SetListIndex(DropDownList::cmbDepth, 3); }},
        Refusal{"DepthBelowNone",
                [](Win32Window& w) { return w.SetListIndex(DropDownList::cmbDepth, -2); }},
        Refusal{"EmptyKeyList", [](Win32Window& w) { return w.SetListIndex(cmbKeys(0), 0); }},
        Refusal{"VolumeBelowRange",
                [](Win32Window& w) { return w.SetValue(Slider::sdrSound, -1); }},
        Refusal{"VolumeAboveRange",
                [](Win32Window& w) { return w.SetValue(Slider::sdrSound, 101); }},
        Refusal{"VolumeFarOut",
                [](Win32Window& w) { return w.SetValue(Slider::sdrSound, 32767); }}),
    [](const auto& info) { return info.param.name; });

TEST_F(WindowTest, CloseBoxEndsTheProgramWithoutARoutine) {
  window().ShowForm();
  SendMessageW(window().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(window().Handle(), nullptr);
  EXPECT_TRUE(PumpMessages()) << "the message loop is told to end";
  EXPECT_THAT(Log(), IsEmpty());
  EXPECT_THAT(watcher_.Messages(), IsEmpty());
}

// What OK does: a message, then the window closes from inside the button's own event.
class ClosingEvents final : public FormEvents {
 public:
  explicit ClosingEvents(ToolkitOperations& form) : form_(form) { form.Connect(*this); }
  void cmbDepth_Click() override {}
  void cmdOK_Click() override {
    form_.ShowMessage("Configuration have been saved.", "Notice", MessageIcon::Information);
    form_.CloseForm();
  }
  void cmdCancel_Click() override {}
  void cmdReset_Click() override {}
  void optClassic_Click() override {}
  void optEnhanced_Click() override {}
  void optCustom_Click() override {}

 private:
  ToolkitOperations& form_;
};

TEST_F(WindowTest, ClosesFromInsideARoutine) {
  ClosingEvents closing(window());
  window().ShowForm();
  Click(window(), ControlId::cmdOK);
  EXPECT_EQ(window().Handle(), nullptr);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(watcher_.Messages(), (std::vector<ShownMessage>{{"Configuration have been saved.",
                                                             "Notice", MessageIcon::Information}}));
}

TEST_F(WindowTest, MessageBoxesShowTextTitleAndIcon) {
  const std::vector<ShownMessage> shown = {
      {"High scores have been reset.", "Notice", MessageIcon::Information},
      {"The configuration could not be saved: \xC3\x9C", "Error", MessageIcon::Error},
  };
  window().ShowForm();
  for (const ShownMessage& message : shown) {
    window().ShowMessage(message.text, message.title, message.icon);
  }
  EXPECT_EQ(watcher_.Messages(), shown);
  EXPECT_TRUE(IsWindowVisible(window().Handle()));
}

TEST_F(WindowTest, RemovesFilesByUtf8Path) {
  namespace fs = std::filesystem;
  const fs::path directory = fs::temp_directory_path() / u8"krovan-\u00DCbung";
  fs::create_directories(directory);
  const fs::path file = directory / u8"highscore-\u00E9.dat";
  std::ofstream(file) << "scores";
  const std::u8string utf8 = file.u8string();

  const std::string path(utf8.begin(), utf8.end());
  const std::u8string folder_utf8 = directory.u8string();
  const std::string folder(folder_utf8.begin(), folder_utf8.end());
  using enum FileRemoval::Outcome;
  const struct {
    std::string path;
    FileRemoval expected;
  } kCases[] = {
      {path, {kRemoved}},
      {path, {kAbsent}},
      {folder + "\\missing\\highscore.dat", {kAbsent}},
      {folder, {kFailed, SystemMessage(ERROR_ACCESS_DENIED)}},
  };
  for (const auto& [target, expected] : kCases) {
    EXPECT_EQ(window().RemoveFile(target), expected) << target;
  }
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(fs::is_directory(directory));
  fs::remove_all(directory);
}

}  // namespace
}  // namespace krovan::testing
