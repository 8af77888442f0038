#include "config/keys/key_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string_view>

namespace krovan {
namespace {

struct Lookup {
  int argument;
  int result;
};

void PrintTo(const Lookup& lookup, std::ostream* out) {
  *out << lookup.argument;
}

class GetKeyCodeTest : public ::testing::TestWithParam<Lookup> {};

TEST_P(GetKeyCodeTest, GivesTheRowsScanCodeOrZero) {
  EXPECT_EQ(GetKeyCode(static_cast<std::int16_t>(GetParam().argument)), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, GetKeyCodeTest,
                         ::testing::Values(Lookup{0, 1}, Lookup{56, 57}, Lookup{82, 83},
                                           Lookup{83, 86}, Lookup{143, 237}, Lookup{-1, 0},
                                           Lookup{144, 0}, Lookup{-32768, 0}, Lookup{32767, 0}));

class GetIndexTest : public ::testing::TestWithParam<Lookup> {};

TEST_P(GetIndexTest, GivesTheRowsListIndexOrZero) {
  EXPECT_EQ(GetIndex(static_cast<ScanCode>(GetParam().argument)), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, GetIndexTest,
                         ::testing::Values(Lookup{1, 0}, Lookup{83, 82}, Lookup{86, 83},
                                           Lookup{200, 120}, Lookup{237, 143}, Lookup{51, 50},
                                           Lookup{179, 114}, Lookup{0, 0}, Lookup{84, 0},
                                           Lookup{85, 0}, Lookup{89, 0}, Lookup{238, 0},
                                           Lookup{257, 0}, Lookup{-1, 0}, Lookup{-32768, 0},
                                           Lookup{32767, 0}));

TEST(KeyTableTest, RoundTripsEveryRow) {
  for (const KeyRow& key : KeyTable) {
    EXPECT_EQ(GetIndex(GetKeyCode(key.list_index)), key.list_index);
    EXPECT_EQ(GetKeyCode(GetIndex(key.scan_code)), key.scan_code);
  }
}

// Compares both lookups over every 16-bit argument with a plain search of the table, which
// catches truncation to 8 bits (257 is not 1) and reads outside the table.
TEST(KeyTableTest, LookupsAreTotalOverEverySixteenBitArgument) {
  for (int argument = std::numeric_limits<std::int16_t>::min();
       argument <= std::numeric_limits<std::int16_t>::max(); ++argument) {
    const auto value = static_cast<std::int16_t>(argument);
    int expected_index = 0;
    int expected_code = 0;
    for (const KeyRow& key : KeyTable) {
      if (key.scan_code == value) {
        expected_index = key.list_index;
      }
      if (key.list_index == value) {
        expected_code = key.scan_code;
      }
    }
    ASSERT_EQ(GetIndex(value), expected_index) << "scan code " << argument;
    ASSERT_EQ(GetKeyCode(value), expected_code) << "list index " << argument;
  }
}

struct Name {
  int row;
  std::string_view text;
};

void PrintTo(const Name& name, std::ostream* out) {
  *out << "row " << name.row;
}

class KeyNameTest : public ::testing::TestWithParam<Name> {};

TEST_P(KeyNameTest, ShowsTheKeysName) {
  EXPECT_EQ(KeyTable[GetParam().row].name, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Samples, KeyNameTest,
                         ::testing::Values(Name{0, "ESCAPE"}, Name{27, "Return/Enter"},
                                           Name{39, "Apostrophe (')"}, Name{42, "Backslash (\\)"},
                                           Name{50, "Comma (,)"}, Name{56, "Space"},
                                           Name{106, "Right Control"}, Name{114, "Comma (,)"},
                                           Name{120, "Up"}, Name{143, "Media Select"}));

TEST(KeyTableTest, BackslashNameHoldsOneBackslash) {
  const std::string_view name = KeyTable[42].name;
  EXPECT_EQ(name.size(), 13u);
  EXPECT_EQ(name.find('\\'), name.rfind('\\'));
}

TEST(KeyTableTest, TheTwoCommasAreDifferentKeys) {
  EXPECT_EQ(KeyTable[50].name, KeyTable[114].name);
  EXPECT_EQ(GetKeyCode(50), 51);
  EXPECT_EQ(GetKeyCode(114), 179);
  EXPECT_EQ(GetIndex(179), 114);
  int commas = 0;
  for (const KeyRow& key : KeyTable) {
    commas += key.name == "Comma (,)" ? 1 : 0;
  }
  EXPECT_EQ(commas, 2);
}

}  // namespace
}  // namespace krovan
