#include <oleacc.h>

#include <array>
#include <string>

#include "config/win32/accessible_names.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

using win32::ControlId;

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
  ControlId control;
  const wchar_t* name;
};

constexpr NameCase kNames[] = {
    {ControlId::cmbKeys0, L"Black Tank Move Up"},
    {ControlId::cmbKeys1, L"Black Tank Move Right"},
    {ControlId::cmbKeys2, L"Black Tank Move Down"},
    {ControlId::cmbKeys3, L"Black Tank Move Left"},
    {ControlId::cmbKeys4, L"Black Tank Fire"},
    {ControlId::cmbKeys5, L"White Tank Move Up"},
    {ControlId::cmbKeys6, L"White Tank Move Right"},
    {ControlId::cmbKeys7, L"White Tank Move Down"},
    {ControlId::cmbKeys8, L"White Tank Move Left"},
    {ControlId::cmbKeys9, L"White Tank Fire"},
    {ControlId::cmbDepth, L"Color Depth"},
    {ControlId::sdrSound, L"Sound Volume"},
};

TEST_F(WindowTest, ScreenReadersReadEachListByItsTankAndAction) {
  std::array<HWND, win32::kControlCount> controls{};
  for (const win32::ControlSpec& spec : win32::kControls) {
    controls[static_cast<std::size_t>(spec.id)] = Control(spec.id);
  }
  // Wine 8 creates the property services but sets no property (E_NOTIMPL).
  if (!win32::NameForScreenReaders(controls)) {
    GTEST_SKIP() << "the accessibility property services set no names on this system";
  }
  for (const NameCase& expected : kNames) {
    EXPECT_EQ(AccessibleName(Control(expected.control)), expected.name)
        << "control " << static_cast<int>(expected.control);
  }
}

}  // namespace
}  // namespace krovan::testing
