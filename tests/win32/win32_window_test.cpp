#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "config/text/utf16.h"
#include "tests/dialog/toolkit_conformance.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

using ::testing::IsEmpty;

class Win32WindowUnderTest final : public ToolkitUnderTest {
 public:
  ~Win32WindowUnderTest() override {
    window_.reset();
    PumpMessages();
  }

  ToolkitOperations& form() override { return *window_; }
  void Press(Button button) override {
    SendMessageW(window_->Control(form::IndexOf(button)), BM_CLICK, 0, 0);
    PumpMessages();
  }
  bool IsEnabled(DropDownList list) const override { return IsWindowEnabled(List(list)); }
  std::vector<std::string> Items(DropDownList list) const override {
    std::vector<std::string> items;
    const auto count = static_cast<WPARAM>(SendMessageW(List(list), CB_GETCOUNT, 0, 0));
    for (WPARAM index = 0; index < count; ++index) {
      std::wstring text(
          static_cast<std::size_t>(SendMessageW(List(list), CB_GETLBTEXTLEN, index, 0)), L'\0');
      text.push_back(L'\0');
      SendMessageW(List(list), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
      text.pop_back();
      items.push_back(Narrow(text));
    }
    return items;
  }
  std::vector<ShownMessage> Messages() const override { return watcher_.Messages(); }

 private:
  HWND List(DropDownList list) const { return window_->Control(form::IndexOf(list)); }

  MessageBoxWatcher watcher_;
  std::unique_ptr<Win32Window> window_ = std::make_unique<Win32Window>(GetModuleHandleW(nullptr));
};

std::unique_ptr<ToolkitUnderTest> MakeWin32Window() {
  return std::make_unique<Win32WindowUnderTest>();
}

INSTANTIATE_TEST_SUITE_P(Win32Window, ToolkitConformanceTest, ::testing::Values(&MakeWin32Window));

TEST_F(WindowTest, IsCreatedHiddenWithAFixedFrameAndItsCaption) {
  EXPECT_FALSE(IsWindowVisible(window().Handle()));
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
  EXPECT_EQ(GetFocus(), Control(Named("cmbDepth")));

  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window().Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(window().Handle(), &rect);
  EXPECT_NEAR(rect.left - monitor.rcWork.left, monitor.rcWork.right - rect.right, 1);
  EXPECT_NEAR(rect.top - monitor.rcWork.top, monitor.rcWork.bottom - rect.bottom, 1);
}

// The user's changes, as the controls report them, run the same routines as the code's.
struct ChangeCase {
  std::string name;
  std::function<void(Win32Window&)> change;
  std::vector<std::string> log;
};

class UserChangeTest : public WindowTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(UserChangeTest, RunsTheSameRoutines) {
  GetParam().change(window());
  PumpMessages();
  EXPECT_EQ(Log(), GetParam().log);
}

void Click(Win32Window& w, ControlIndex id) {
  SendMessageW(w.Control(id), BM_CLICK, 0, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Window, UserChangeTest,
    ::testing::Values(ChangeCase{"ArrowDownInDepthList",
                                 [](Win32Window& w) {
                                   w.SetListIndex(DropDownList::cmbDepth, 0);
                                   SendMessageW(w.Control(Named("cmbDepth")), WM_KEYDOWN, VK_DOWN,
                                                0);
                                 },
                                 {"cmbDepth_Click 0", "cmbDepth_Click 1"}},
                      ChangeCase{"ClickEnhanced",
                                 [](Win32Window& w) { Click(w, Named("optEnhanced")); },
                                 {"optEnhanced_Click optEnhanced"}},
                      ChangeCase{"ClickClassicAlreadyOn",
                                 [](Win32Window& w) { Click(w, Named("optClassic")); },
                                 {}},
                      ChangeCase{"ClickWindowedAndHigh",
                                 [](Win32Window& w) {
                                   Click(w, Named("optWindowed"));
                                   Click(w, Named("optHigh"));
                                 },
                                 {}},
                      ChangeCase{"ClickCheckBoxes",
                                 [](Win32Window& w) {
                                   Click(w, Named("chkAntialiasing"));
                                   Click(w, Named("chkDebug"));
                                 },
                                 {}}),
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
  Click(window(), Named("cmdOK"));
  EXPECT_EQ(window().Handle(), nullptr);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(watcher_.Messages(), (std::vector<ShownMessage>{{"Configuration have been saved.",
                                                             "Notice", MessageIcon::Information}}));
}

TEST_F(WindowTest, MessageBoxLeavesTheWindowShown) {
  window().ShowForm();
  window().ShowMessage("High scores have been reset.", "Notice", MessageIcon::Information);
  EXPECT_EQ(watcher_.Messages().size(), 1U);
  EXPECT_TRUE(IsWindowVisible(window().Handle()));
}

}  // namespace
}  // namespace krovan::testing
