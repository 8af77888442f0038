#include "config/layout_scale.h"

#include <gtest/gtest.h>

#include <vector>

namespace krovan::layout {
namespace {

using enum FactorSteps;

struct ScaleCase {
  const char* what;
  double dpi;
  std::vector<TextNeed> needs;
  FactorSteps steps;
  double factor;
};

class ScaleFactorTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleFactorTest, IsTheLeastThatFitsEveryNeed) {
  const ScaleCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ScaleFactor(c.needs, c.dpi, c.steps), c.factor) << c.what;
}

// 1500 x 300 twips are 100 x 20 pixels at factor 1.
constexpr form::Twips kBox = {0, 0, 1500, 300};
// 10.47 pixels wide at factor 1, between edges that round to 11 pixels apart.
constexpr form::Twips kOddBox = {7, 0, 157, 300};

INSTANTIATE_TEST_SUITE_P(
    Layout, ScaleFactorTest,
    ::testing::Values(
        ScaleCase{"the drawn size at 96 dpi", 96, {}, kTwentieths, 1.0},
        ScaleCase{"never smaller than drawn", 72, {}, kAny, 1.0},
        ScaleCase{"the resolution's factor", 144, {}, kTwentieths, 1.5},
        ScaleCase{"rounded up to a step", 110, {}, kTwentieths, 1.15},
        ScaleCase{"any factor: not rounded", 110, {}, kAny, 110 / 96.0},
        ScaleCase{"an exact fit", 96, {{100, 20, kBox}}, kTwentieths, 1.0},
        ScaleCase{"a pixel too wide", 96, {{101, 20, kBox}}, kTwentieths, 1.05},
        ScaleCase{"a pixel too tall", 96, {{100, 21, kBox}}, kTwentieths, 1.05},
        ScaleCase{"any factor: a pixel too wide", 96, {{101, 20, kBox}}, kAny, 1.01},
        ScaleCase{"the neediest control", 96, {{110, 0, kBox}, {100, 30, kBox}}, kTwentieths, 1.5},
        ScaleCase{"any factor: the neediest", 96, {{110, 0, kBox}, {100, 30, kBox}}, kAny, 1.5},
        ScaleCase{"needs within the resolution's", 192, {{150, 30, kBox}}, kAny, 2.0},
        ScaleCase{"steps: the rounded box", 96, {{11, 0, kOddBox}}, kTwentieths, 1.0},
        ScaleCase{"any factor: the unrounded box", 96, {{11, 0, kOddBox}}, kAny, 11 * 15.0 / 157}));

}  // namespace
}  // namespace krovan::layout
