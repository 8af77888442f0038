#include <oleacc.h>

#include <array>
#include <string>

#include "config/win32/accessible_names.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

// The name a Windows screen reader reads for a control: that of its client object.
std::wstring AccessibleName(HWND control) {
  IAccessible* accessible = nullptr;
  if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&accessible)))) {
    return L"(no accessible object)";
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT result = accessible->get_accName(self, &name);
  accessible->Release();
  std::wstring text = SUCCEEDED(result) && name != nullptr ? name : L"(no name)";
  SysFreeString(name);
  return text;
}

struct NameCase {
  ControlIndex control;
  const wchar_t* name;
};

constexpr NameCase kNames[] = {
    {Named("cmbKeys(0)"), L"Black Tank Move Up"},
    {Named("cmbKeys(1)"), L"Black Tank Move Right"},
    {Named("cmbKeys(2)"), L"Black Tank Move Down"},
    {Named("cmbKeys(3)"), L"Black Tank Move Left"},
    {Named("cmbKeys(4)"), L"Black Tank Fire"},
    {Named("cmbKeys(5)"), L"White Tank Move Up"},
    {Named("cmbKeys(6)"), L"White Tank Move Right"},
    {Named("cmbKeys(7)"), L"White Tank Move Down"},
    {Named("cmbKeys(8)"), L"White Tank Move Left"},
    {Named("cmbKeys(9)"), L"White Tank Fire"},
    {Named("cmbDepth"), L"Color Depth"},
    {Named("sdrSound"), L"Sound Volume"},
};

TEST_F(WindowTest, ScreenReadersReadEachListByItsTankAndAction) {
  std::array<HWND, form::kControlCount> controls{};
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    controls[control] = Control(control);
  }
  // Wine 8 creates the property services but sets no property (E_NOTIMPL).
  if (!win32::NameForScreenReaders(controls)) {
    GTEST_SKIP() << "the accessibility property services set no names on this system";
  }
  for (const NameCase& expected : kNames) {
    EXPECT_EQ(AccessibleName(Control(expected.control)), expected.name)
        << form::Row(expected.control).name;
  }
}

}  // namespace
}  // namespace krovan::testing
