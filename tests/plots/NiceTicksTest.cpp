// Round axis ticks, ordinary and odd ranges.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "plots/Plot.h"

using plots::NiceTicks;

namespace {

// Ticks enclose the range, step evenly, stay within the count, never "-0".
void ExpectEnclosing(double low, double high, int maxCount = 8) {
  const plots::TAxisTicks t = NiceTicks(low, high, maxCount);
  ASSERT_FALSE(t.Values.empty());
  EXPECT_GT(t.Step, 0);
  EXPECT_LE(t.Min, std::min(low, high));
  EXPECT_GE(t.Max, std::max(low, high));
  EXPECT_LE(static_cast<int>(t.Values.size()), std::max(maxCount, 1) + 2);
  for (size_t i = 1; i < t.Values.size(); ++i) EXPECT_NEAR(t.Values[i] - t.Values[i - 1], t.Step, t.Step * 1e-6);
  for (double v : t.Values) EXPECT_TRUE(std::isfinite(v) && !(v == 0 && std::signbit(v))) << v;
}

}  // namespace

TEST(NiceTicks, OrdinaryAndOddRanges) {
  const plots::TAxisTicks t = NiceTicks(0, 0.9, 4);
  EXPECT_EQ(t.Values, (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
  EXPECT_EQ(t.Decimals, 2);
  ExpectEnclosing(101.3, 108.9);
  ExpectEnclosing(10, 0, 5);  // reversed
  ExpectEnclosing(-7.3, -0.2);
  ExpectEnclosing(-1, 1, 4);
  ExpectEnclosing(0, 3e12);
  ExpectEnclosing(-1e300, 1e300);
  ExpectEnclosing(1e-7, 3e-7);
  ExpectEnclosing(0, 10, 0);
  // A zero range is widened around its value.
  for (double v : {0.0, -3.5, 1e9}) {
    ExpectEnclosing(v, v);
    EXPECT_LT(NiceTicks(v, v).Min, v);
  }
  // Near the largest double the ticks stay finite (the range is capped).
  for (const plots::TAxisTicks& huge :
       {NiceTicks(-1.7e308, 1.7e308), NiceTicks(0, 1.7e308, 1), NiceTicks(1.7e308, 1.7e308)}) {
    ASSERT_FALSE(huge.Values.empty());
    EXPECT_TRUE(std::isfinite(huge.Min) && std::isfinite(huge.Max) && std::isfinite(huge.Step) && huge.Step > 0);
    for (double v : huge.Values) EXPECT_TRUE(std::isfinite(v)) << v;
  }
  // Not finite: the ticks of [0, 1].
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (auto [low, high] : std::vector<std::pair<double, double>>{{nan, 1}, {0, inf}, {-inf, inf}}) {
    EXPECT_EQ(NiceTicks(low, high).Min, 0);
    EXPECT_EQ(NiceTicks(low, high).Max, 1);
  }
}

TEST(StationText, HundredsPlusFeet) {
  EXPECT_EQ(plots::StationText(10550), "105+50");
  EXPECT_EQ(plots::StationText(10000), "100+00");
  EXPECT_EQ(plots::StationText(7), "0+07");
  EXPECT_EQ(plots::StationText(12.5, 1), "0+12.5");
  EXPECT_EQ(plots::StationText(10550.25, 2), "105+50.25");
  // Rounding carries into the hundreds instead of printing "99+100".
  EXPECT_EQ(plots::StationText(9999.96, 1), "100+00.0");
  EXPECT_EQ(plots::StationText(9999.6), "100+00");
  EXPECT_EQ(plots::StationText(-150), "-1+50");
  EXPECT_EQ(plots::StationText(-0.2), "0+00");
  EXPECT_EQ(plots::StationText(std::numeric_limits<double>::quiet_NaN()), "");
}
