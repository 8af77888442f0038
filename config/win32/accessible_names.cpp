#include "config/win32/accessible_names.h"

// initguid.h first: the identifiers of oleacc.h are defined here, as the uuid library would
// bring in those of all of Windows (40 KB).
#include <initguid.h>
#include <oleacc.h>

#include "config/text/utf16.h"

namespace krovan::win32 {

bool NameForScreenReaders(const std::array<HWND, kControlCount>& controls) {
  // The property services are a COM object: COM is initialised on this thread while they are
  // used, unless it already was.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  bool named =
      SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, reinterpret_cast<void**>(&services)));
  for (std::size_t i = 0; named && i < kControlCount; ++i) {
    const std::string_view name = RowOf(static_cast<ControlId>(i)).accessible_name;
    if (!name.empty()) {
      // The name is kept with the window, for as long as it exists.
      named = SUCCEEDED(services->SetHwndPropStr(controls[i], OBJID_CLIENT, CHILDID_SELF,
                                                 PROPID_ACC_NAME, Widen(name).c_str()));
    }
  }
  if (services != nullptr) {
    services->Release();
  }
  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return named;
}

}  // namespace krovan::win32
