#include "config/text/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace krovan {
namespace {

struct Conversion {
  std::string utf8;
  std::u16string utf16;
  bool round_trip;  // false: the UTF-8 is malformed and comes back as U+FFFD
};

class Utf16Test : public ::testing::TestWithParam<Conversion> {};

TEST_P(Utf16Test, ConvertsBothWays) {
  const Conversion& conversion = GetParam();
  EXPECT_EQ(Utf16(conversion.utf8), conversion.utf16);
  if (conversion.round_trip) {
    EXPECT_EQ(Utf8(conversion.utf16), conversion.utf8);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf16Test,
    ::testing::Values(Conversion{"", u"", true}, Conversion{"krovan3d.cfg", u"krovan3d.cfg", true},
                      Conversion{"C:\\Spiele\\Kr\xC3\xB6van \xE2\x82\xAC",
                                 u"C:\\Spiele\\Kr\u00F6van \u20AC", true},
                      Conversion{"\xF0\x9F\x98\x80", u"\U0001F600", true},
                      // The edges of the surrogate range and of each sequence length.
                      Conversion{"\xED\x9F\xBF", u"\uD7FF", true},
                      Conversion{"\xEE\x80\x80", u"\uE000", true},
                      Conversion{"\xEF\xBF\xBF", u"\uFFFF", true},
                      Conversion{"\xF0\x90\x80\x80", u"\U00010000", true},
                      Conversion{"\xF4\x8F\xBF\xBF", u"\U0010FFFF", true},
                      Conversion{"\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD", false},
                      Conversion{"a\xFF"
                                 "b",
                                 u"a\uFFFDb", false},
                      Conversion{"\xE2\x82", u"\uFFFD\uFFFD", false},
                      Conversion{"\xC0\xAF", u"\uFFFD\uFFFD", false},
                      Conversion{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
                      Conversion{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false}));

TEST(Utf16Test, LoneSurrogatesBecomeReplacementCharacters) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } kCases[] = {
      {u"a\xD800"
       u"b",
       "a\xEF\xBF\xBD"
       "b"},
      {u"\xDC00", "\xEF\xBF\xBD"},
      {u"\xDFFF", "\xEF\xBF\xBD"},
      {u"a\xD800", "a\xEF\xBF\xBD"},                            // a high surrogate as the last unit
      {u"\xDBFF\xDBFF\xDFFF", "\xEF\xBF\xBD\xF4\x8F\xBF\xBF"},  // a high one, then a pair
  };
  for (const auto& [utf16, utf8] : kCases) {
    EXPECT_EQ(Utf8(utf16), utf8) << utf8;
  }
}

}  // namespace
}  // namespace krovan
