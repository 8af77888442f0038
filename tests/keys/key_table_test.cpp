#include "config/keys/key_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

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

// The two keys named "Comma (,)" (key_table.cpp) are two keys.
TEST(KeyTableTest, TheTwoCommasAreDifferentKeys) {
  EXPECT_EQ(GetKeyCode(50), 51);
  EXPECT_EQ(GetKeyCode(114), 179);
  EXPECT_EQ(GetIndex(179), 114);
  EXPECT_EQ(GetIndex(51), 50);
}

}  // namespace
}  // namespace krovan
