#include <chrono>
#include <vector>

#include "config/settings/settings_text.h"
#include "tests/preset_keys.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

using namespace std::string_literals;

const std::vector<int> kKeys(testing::kClassic.codes.begin(), testing::kClassic.codes.end());

// Lines 1 to 11 of a typical file with the given scheme, then `keys`.
std::vector<int> Values(int scheme, const std::vector<int>& keys = {}) {
  std::vector<int> values = {1024, 768, 32, 2, 1, 1, 0, 1, 0, 75, scheme};
  values.insert(values.end(), keys.begin(), keys.end());
  return values;
}

std::string Lines(const std::vector<int>& values, std::string_view end = "\r\n") {
  std::string text;
  for (const int value : values) {
    text += std::to_string(value) + std::string(end);
  }
  return text;
}

// The record that holds `values` in file order, every other field 0.
GameSettings Record(const std::vector<int>& values) {
  GameSettings settings;
  for (std::size_t n = 0; n < values.size(); ++n) {
    auto& target =
        n < kLineFields.size() ? settings.*kLineFields[n] : settings.Keys[n - kLineFields.size()];
    target = static_cast<std::int16_t>(values[n]);
  }
  return settings;
}

struct ReadCase {
  std::string name;
  std::string text;
  std::vector<int> values;  // the values read, in file order

  friend void PrintTo(const ReadCase& read, std::ostream* out) { *out << read.name; }
};

const std::vector<ReadCase> kReadCases = {
    {"Empty", "", {}},
    {"OnlyWidth", "800\r\n", {800}},
    {"LastValueWithoutLineEnd", "800\r\n600", {800, 600}},
    {"ClassicSkipsKeys", Lines(Values(1, kKeys)), Values(1)},
    {"EnhancedIgnoresGarbageKeys", Lines(Values(2)) + "garbage\r\n\r\n1.5\r\n", Values(2)},
    {"CustomWithoutKeys", Lines(Values(3)), Values(3)},
    {"CustomCutAfterLine15", Lines(Values(3, {18, 32, 45, 31})), Values(3, {18, 32, 45, 31})},
    {"CustomKeys", Lines(Values(3, kKeys)), Values(3, kKeys)},
    {"SchemeZeroReadsKeys", Lines(Values(0, kKeys)), Values(0, kKeys)},
    {"SchemeFourReadsKeys", Lines(Values(4, kKeys)), Values(4, kKeys)},
    {"SchemeMinusOneReadsKeys", Lines(Values(-1, kKeys)), Values(-1, kKeys)},
    {"LinesAfterTheLastAreIgnored", Lines(Values(3, kKeys)) + "junk\r\n", Values(3, kKeys)},
    {"Extremes", Lines({32767, -32768}), {32767, -32768}},
    {"AboveRange", "5\r\n32768\r\n", {5}},
    {"BelowRange", "5\r\n-32769\r\n", {5}},
    {"BlanksAndTabs", " \t800 \t\r\n\t600\r\n", {800, 600}},
    {"Commas", "800,600 , 32\r\n24", {800, 600, 32, 24}},
    {"LoneLfAndCr", "1\n2\r3\r\n4", {1, 2, 3, 4}},
    {"LfOnlyFile", Lines(Values(3, kKeys), "\n"), Values(3, kKeys)},
    {"CrOnlyFile", Lines(Values(3, kKeys), "\r"), Values(3, kKeys)},
    {"CrBeforeCrLfIsAnEmptyLine", "1\r\r\n2\r\n", {1}},
    {"EmptyLine", "1\r\n\r\n3\r\n", {1}},
    {"BlankLine", "1\r\n \t\r\n3\r\n", {1}},
    {"EmptyFieldBetweenCommas", "1,,3", {1}},
    {"Letters", "1\r\nabc\r\n", {1}},
    {"DigitsThenLetters", "12abc\r\n", {}},
    {"Fraction", "1.5\r\n", {}},
    {"TwoNumbersOnALine", "1 2\r\n", {}},
    {"Signs", "+5\r\n-0\r\n007\r\n", {5, 0, 7}},
    {"PlusMinus", "+-5\r\n", {}},
    {"SignAlone", "-\r\n", {}},
    {"NulAfterLineEnd", "1\r\n\0\r\n"s, {1}},
    {"NulInField", "1\0\r\n"s, {}},
    {"Field64Characters", std::string(62, ' ') + "42\r\n", {42}},
    {"Field65Characters", std::string(63, ' ') + "42\r\n", {}},
    {"LongDigitField", std::string(63, '0') + "42\r\n", {}},
};

class ReadSettingsFromText : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingsFromText, ReadsTheValuesUpToTheFirstFailure) {
  const ReadResult result = ReadSettingsFrom(GetParam().text);
  EXPECT_EQ(result.ValuesRead, static_cast<int>(GetParam().values.size()));
  EXPECT_EQ(result.settings, Record(GetParam().values));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadSettingsFromText, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return info.param.name; });

using ReadSettingsTest = ScratchDirectoryTest;

TEST_F(ReadSettingsTest, NoFileReadsNothing) {
  const ReadResult result = ReadSettings();
  EXPECT_EQ(result.ValuesRead, 0);
  EXPECT_EQ(result.settings, GameSettings{});
}

TEST_F(ReadSettingsTest, ReadsTheFileInTheCurrentDirectory) {
  WriteFile(kSettingsFileName, Lines(Values(3, kKeys)));
  const ReadResult result = ReadSettings();
  EXPECT_EQ(result.ValuesRead, 21);
  EXPECT_EQ(result.settings, Record(Values(3, kKeys)));
}

// A reader that took in the whole file would need seconds, or gigabytes of memory.
TEST_F(ReadSettingsTest, HugeFilesReadFast) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows fills an extended file with real zeros instead of leaving a hole";
#endif
  constexpr std::uintmax_t kHugeSize = std::uintmax_t{4} << 30;  // sparse: no disk space used
  const std::vector<ReadCase> cases = {
      {"ValuesThenNulBytes", Lines(Values(3, kKeys)), Values(3, kKeys)},
      {"NulBytesInTheFirstField", "1", {}},
  };
  for (const ReadCase& huge : cases) {
    SCOPED_TRACE(huge.name);
    WriteFile(kSettingsFileName, huge.text);
    std::filesystem::resize_file(kSettingsFileName, kHugeSize);
    const auto start = std::chrono::steady_clock::now();
    const ReadResult result = ReadSettings();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(result.ValuesRead, static_cast<int>(huge.values.size()));
  }
}

}  // namespace
}  // namespace krovan
