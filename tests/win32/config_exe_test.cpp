#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "config/text/utf16.h"
#include "config/win32/executable_directory.h"
#include "config/win32/resource.h"

namespace krovan {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// config.exe is built beside this test program.
std::wstring ConfigExe() {
  return Widen(ExecutableDirectory()) + L"\\config.exe";
}

std::vector<char> VersionInfo() {
  const std::wstring exe = ConfigExe();
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  if (info.empty() ||
      !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) {
    return {};
  }
  return info;
}

std::string VersionString(std::vector<char>& info, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "(none)";
  }
  return Narrow(std::wstring_view(value, length > 0 ? length - 1 : 0));
}

TEST(ConfigExe, LivesBesideTheTests) {
  EXPECT_NE(GetFileAttributesW(ConfigExe().c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(ExecutableDirectory().back(), '\\');
}

TEST(ConfigExe, CarriesVersionOnePointZeroZero) {
  std::vector<char> info = VersionInfo();
  ASSERT_FALSE(info.empty()) << "no version resource";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct Field {
    const wchar_t* name;
    std::string value;
  };
  for (const Field& field : {Field{L"FileVersion", "1.00"}, Field{L"ProductVersion", "1.00"},
                             Field{L"ProductName", "config"}, Field{L"InternalName", "config"},
                             Field{L"OriginalFilename", "config.exe"}}) {
    EXPECT_EQ(VersionString(info, field.name), field.value) << Narrow(field.name);
  }
}

class ConfigExeResources : public ::testing::Test {
 protected:
  ConfigExeResources()
      : module_(LoadLibraryExW(ConfigExe().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~ConfigExeResources() override { FreeLibrary(module_); }

  std::string_view Resource(const wchar_t* type, int id) const {
    const HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
      return {};
    }
    return {static_cast<const char*>(LockResource(LoadResource(module_, found))),
            SizeofResource(module_, found)};
  }

  HMODULE module_;
};

#pragma pack(push, 2)
struct IconDirectoryEntry {
  BYTE width, height, colour_count, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
struct IconDirectory {
  WORD reserved, type, count;
  IconDirectoryEntry entries[1];
};
#pragma pack(pop)

// The icon: one 32 x 32 picture in 16 colours.
TEST_F(ConfigExeResources, HasASixteenColourIcon) {
  const std::string_view group = Resource(RT_GROUP_ICON, IDI_PROGRAM);
  ASSERT_GE(group.size(), sizeof(IconDirectory));
  const auto* directory = reinterpret_cast<const IconDirectory*>(group.data());
  ASSERT_EQ(directory->count, 1);
  const IconDirectoryEntry& icon = directory->entries[0];
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32);
  EXPECT_EQ(icon.colour_count, 16);
  EXPECT_EQ(icon.bit_count, 4);
}

// The manifest's elements, without its comments: what Windows acts on.
std::string WithoutComments(std::string text) {
  for (std::size_t start; (start = text.find("<!--")) != std::string::npos;) {
    text.erase(start, text.find("-->", start) + 3 - start);
  }
  return text;
}

TEST_F(ConfigExeResources, ManifestAsksForCommonControlsSixAndPerMonitorDpi) {
  const std::string manifest = WithoutComments(std::string(Resource(RT_MANIFEST, 1)));
  EXPECT_THAT(manifest, HasSubstr("Microsoft.Windows.Common-Controls"));
  EXPECT_THAT(manifest, HasSubstr("version=\"6.0.0.0\""));
  EXPECT_THAT(manifest, HasSubstr("<dpiAware"));
  EXPECT_THAT(manifest, HasSubstr("PerMonitorV2"));
  // Vista, 7, 8, 8.1, 10 and 11: no Windows runs it in an older version's compatibility mode.
  for (const char* id :
       {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
        "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
        "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_THAT(manifest, HasSubstr(std::string("<supportedOS Id=\"{") + id + "}\"/>"));
  }
}

// Any execution level, asInvoker included, would switch off the file virtualisation under which
// Windows runs the game, and config.exe would no longer see the game's files.
TEST_F(ConfigExeResources, ManifestAsksForNoExecutionLevel) {
  const std::string manifest = WithoutComments(std::string(Resource(RT_MANIFEST, 1)));
  ASSERT_THAT(manifest, HasSubstr("<assembly"));
  EXPECT_THAT(manifest, Not(HasSubstr("requestedExecutionLevel")));
  EXPECT_THAT(manifest, Not(HasSubstr("requestedPrivileges")));
}

// Without an execution level, UAC takes a 32-bit exe whose name, manifest or version strings
// hold one of these words for a setup program and asks for elevation.
TEST_F(ConfigExeResources, NothingLooksLikeASetupProgram) {
  std::vector<char> info = VersionInfo();
  ASSERT_FALSE(info.empty()) << "no version resource";
  const std::wstring exe = ConfigExe();
  std::vector<std::string> texts = {Narrow(exe.substr(exe.find_last_of(L'\\') + 1)),
                                    std::string(Resource(RT_MANIFEST, 1))};
  for (const wchar_t* field :
       {L"FileDescription", L"ProductName", L"InternalName", L"OriginalFilename", L"CompanyName"}) {
    texts.push_back(VersionString(info, field));
  }
  for (std::string& text : texts) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* word : {"setup", "install", "update", "patch", "upgrade"}) {
      EXPECT_THAT(text, Not(HasSubstr(word)));
    }
  }
}

}  // namespace
}  // namespace krovan
