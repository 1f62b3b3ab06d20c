#include "framework/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(ToInt64, TruncatesTowardZeroAndSaturates) {
  const struct {
    double value;
    std::int64_t count;
  } cases[] = {
      {3.9, 3},
      {-3.9, -3},
      {0.5, 0},
      {-0.0, 0},
      {1e18, 1000000000000000000},
      {9223372036854774784.0, 9223372036854774784},  // the largest double below 2^63
      {-9223372036854775808.0, kMin},                // -2^63 is in range
      {9223372036854775808.0, kMax},                 // 2^63 is not
      {1e19, kMax},
      {-1e19, kMin},
      {9e99, kMax},
      {kInf, kMax},
      {-kInf, kMin},
      {kNaN, 0},
      {-kNaN, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::ToInt64(c.value), c.count) << c.value;
}

// The square must be the exact square rounded once: the rounding error, found exactly with a
// fused multiply-add, is at most half a unit in the last place.
TEST(Pow, SquaresAreCorrectlyRounded) {
  std::uint64_t state = 12345;
  for (int n = 0; n < 20000; ++n) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double v = std::ldexp(1.0 + static_cast<double>(state >> 12) / 4503599627370496.0,
                                static_cast<int>(state % 200) - 100);
    const double square = fw::Pow(v, 2.0);
    const double error = std::fma(v, v, -square);
    const double halfUlp = (std::nextafter(square, kInf) - square) / 2.0;
    ASSERT_LE(std::fabs(error), halfUlp) << v;
    ASSERT_EQ(fw::Pow(-v, 2.0), square);
  }
  EXPECT_EQ(fw::Pow(1e200, 2.0), kInf);
  EXPECT_EQ(fw::Pow(1e-200, 2.0), 0.0);
  EXPECT_TRUE(std::isnan(fw::Pow(kNaN, 2.0)));
}

TEST(Pow, OtherExponents) {
  EXPECT_EQ(fw::Pow(2.0, 10.0), 1024.0);
  EXPECT_EQ(fw::Pow(9.0, 0.5), 3.0);
  EXPECT_EQ(fw::Pow(2.0, -1.0), 0.5);
}

// What the probability function relies on at the ends of the range.
TEST(Math, IeeeBehaviourAtTheEnds) {
  EXPECT_EQ(fw::Log(0.0), -kInf);
  EXPECT_TRUE(std::isnan(fw::Log(-1.0)));
  EXPECT_EQ(fw::Exp(-kInf), 0.0);
  EXPECT_EQ(fw::Exp(-746.0), 0.0);
  EXPECT_GT(fw::Exp(-745.0), 0.0);
  EXPECT_EQ(fw::Exp(710.0), kInf);
  EXPECT_EQ(fw::Sqrt(2.25), 1.5);
  EXPECT_TRUE(std::isnan(fw::Sqrt(kNaN)));
  EXPECT_EQ(fw::Abs(-0.5), 0.5);
  EXPECT_EQ(fw::Abs(-kInf), kInf);
}

}  // namespace
