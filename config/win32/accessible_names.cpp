#include "config/win32/accessible_names.h"

// initguid.h first: the identifiers of oleacc.h are defined here, as the uuid library would
// bring in those of all of Windows (40 KB).
#include <initguid.h>
#include <oleacc.h>

#include "config/form_layout.h"
#include "config/text/utf16.h"

namespace krovan::win32 {

bool NameForScreenReaders(const std::array<HWND, form::kControlCount>& controls) {
  // The property services are a COM object: COM is initialised on this thread while they are
  // used, unless it already was.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  bool named =
      SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, reinterpret_cast<void**>(&services)));
  for (ControlIndex control = 0; named && control < form::kControlCount; ++control) {
    const std::string_view name = form::Row(control).accessible_name;
    if (!name.empty()) {
      // The name is kept with the window, for as long as it exists.
      named = SUCCEEDED(services->SetHwndPropStr(controls[control], OBJID_CLIENT, CHILDID_SELF,
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
