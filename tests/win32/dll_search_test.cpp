#include "config/win32/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace krovan {
namespace {

// The planted DLL lies beside this test program, where the loader looks first unless told not to.
std::wstring BesideThisProgram(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

TEST(DllSearch, TakesDllsByNameFromTheSystemOnly) {
  constexpr wchar_t kPlanted[] = L"krovan_planted.dll";
  const HMODULE by_path = LoadLibraryW(BesideThisProgram(kPlanted).c_str());
  ASSERT_NE(by_path, nullptr) << "the planted DLL is not beside the test";
  FreeLibrary(by_path);

  RestrictDllSearch();

  EXPECT_EQ(LoadLibraryW(kPlanted), nullptr) << "a DLL beside the program was loaded by name";
  const HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr) << "System32 is still searched";
  FreeLibrary(system);
}

}  // namespace
}  // namespace krovan
