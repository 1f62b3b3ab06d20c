#include "stats/prob_module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "exact_tail.h"
#include "table_fixture.h"

namespace {

using ProbModule::x2prob;
using stats_test::AgreesToSixDigits;
using stats_test::ExactUpperTail;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The series alone, written out independently, without the mend for large statistics: the
// oracle for every argument where it gives a sound p.
double SeriesOnly(double x, double df) {
  const double a = 0.5 * static_cast<double>(static_cast<std::int64_t>(df));
  const double y = 0.5 * x;
  const double g = (a + 1.0) - 1.0;
  const double tmp = g + 5.5;
  const double c[6] = {76.18009173,  -86.50532033, 24.01409822,
                       -1.231739516, 0.00120858,   -5.364e-06};
  double ser = 1.0;
  for (int i = 0; i < 6; ++i) ser = ser + c[i] / (g + (i + 1.0));
  const double lnG = ((g + 0.5) * std::log(tmp) - tmp) + std::log(2.506628275 * ser);
  const double e = std::exp(((a * std::log(y)) - lnG) - y);
  double sum = 0.0;
  if (e != 0.0) {
    double term = 1.0, d = a;
    sum = 1.0;
    do {
      d = 1.0 + d;
      term = (term * y) / d;
      sum = term + sum;
    } while (term / sum > 1e-06);
  }
  const double p = 1.0 - sum * e;
  return p > 0.9999 ? 0.9999 : p;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(X2prob, Examples) {
  const struct {
    double x, df, p;
  } cases[] = {
      {3.841, 1, 0.0500137},    {5.991, 2, 0.0500117}, {0.793651, 1, 0.372998},
      {45, 4, 4.04266e-07},     {10, 1, 1.56557e-03},  {100, 1, 1.00870e-06},
      {5.0 / 3.0, 1, 0.196706}, {2.4, 1, 0.121335},    {0.228571, 4, 0.993946},
      {4.37072, 2, 0.112437},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(AgreesToSixDigits(x2prob(c.x, c.df), c.p))
        << "x2prob(" << c.x << ", " << c.df << ") = " << x2prob(c.x, c.df);
  }
}

TEST(X2prob, ZeroNanAndInfinity) {
  for (int df = 1; df <= 81; ++df) {
    EXPECT_EQ(x2prob(0.0, df), 0.9999) << df;
    EXPECT_TRUE(std::isnan(x2prob(kNaN, df))) << df;
    EXPECT_EQ(x2prob(kInf, df), 0.0) << df;
  }
}

// Where the series gives a finite p within [0, 0.9999] the result is the series' own, to the
// bit; where it does not (an overflowed sum giving -infinity, or an underflowed scale giving
// the cap), the result is the true tail, below 1e-300. No result leaves [0, 0.9999].
TEST(X2prob, SeriesWhereverItIsSoundTinyTailElsewhere) {
  const int dfs[] = {1, 2, 3, 4, 5, 6, 8, 9, 12, 16, 18, 25, 27, 36, 45, 49, 63, 64, 72, 81};
  int replaced = 0;
  for (const int df : dfs) {
    for (double x = 0.0; x <= 2500.0; x += 0.25) {
      const double series = SeriesOnly(x, df);
      const double p = x2prob(x, df);
      const bool sound = series >= 0.0 && series <= 0.9999 && !(x > df && series == 0.9999);
      if (sound) {
        ASSERT_TRUE(SameBits(p, series)) << "x2prob(" << x << ", " << df << ") = " << p;
      } else {
        ++replaced;
        ASSERT_GE(p, 0.0) << "x2prob(" << x << ", " << df << ")";
        ASSERT_LE(p, 1e-300) << "x2prob(" << x << ", " << df << ")";
      }
    }
  }
  EXPECT_GT(replaced, 0);
}

// Where the series breaks down, for the smallest and the largest df of a table.
TEST(X2prob, LargeStatistics) {
  const struct {
    double x, df, series;  // what the series alone gives there
  } cases[] = {
      {1421.75, 1, -kInf}, {1450, 1, -kInf},    {1497, 1, -kInf},    {1497.25, 1, 0.9999},
      {1600, 1, 0.9999},   {1738.5, 81, -kInf}, {1817.5, 81, -kInf}, {1817.75, 81, 0.9999},
      {5000, 81, 0.9999},  {1e6, 1, 0.9999},    {1e300, 4, 0.9999},  {1.7e308, 81, 0.9999},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SeriesOnly(c.x, c.df), c.series) << c.x << ", " << c.df;
    const double p = x2prob(c.x, c.df);
    EXPECT_GE(p, 0.0) << c.x << ", " << c.df;
    EXPECT_LE(p, 1e-300) << c.x << ", " << c.df;
  }
  // The last statistics the series still handles.
  EXPECT_TRUE(std::isfinite(SeriesOnly(1421.5, 1)));
  EXPECT_TRUE(SameBits(x2prob(1421.5, 1), SeriesOnly(1421.5, 1)));
  EXPECT_TRUE(SameBits(x2prob(1738.25, 81), SeriesOnly(1738.25, 81)));
}

// The tail that replaces the series is the true one where a double can hold it: for df 1 it
// is erfc(sqrt(x / 2)), for df 2 exp(-x / 2), for df 4 exp(-x / 2) (1 + x / 2).
TEST(X2prob, TrueTailWhereTheSeriesBreaksDown) {
  const struct {
    double x, df, tail;
  } cases[] = {
      {1421.75, 1, std::erfc(std::sqrt(1421.75 / 2))},
      {1430, 1, std::erfc(std::sqrt(715.0))},
      {1430, 2, std::exp(-715.0)},
      {1440, 4, std::exp(-720.0) * 721.0},
  };
  for (const auto& c : cases) {
    ASSERT_GT(c.tail, 0.0);
    EXPECT_NEAR(x2prob(c.x, c.df) / c.tail, 1.0, 1e-6) << c.x << ", " << c.df;
  }
}

// The reference itself, where the tail has a closed form: df 1 erfc(sqrt(y)), df 2 exp(-y),
// df 3 erfc(sqrt(y)) + 2 sqrt(y / pi) exp(-y), df 4 (1 + y) exp(-y). The figures below are
// measured against it, so it has to be far better than a double.
TEST(ExactUpperTail, AgreesWithTheClosedForms) {
  const long double pi = 3.141592653589793238462643383279503L;
  for (int i = 1; i <= 2800; ++i) {
    const double x = i * 0.5 - 0.13;
    const long double y = x / 2.0L;
    const long double closed[] = {
        std::erfc(std::sqrt(y)),
        std::exp(-y),
        std::erfc(std::sqrt(y)) + 2 * std::sqrt(y / pi) * std::exp(-y),
        (1 + y) * std::exp(-y),
    };
    for (int df = 1; df <= 4; ++df) {
      const long double rel = std::fabs(ExactUpperTail(x, df) / closed[df - 1] - 1);
      ASSERT_LE(rel, 1e-16L) << "x = " << x << ", df = " << df;
    }
  }
}

// What prob_module.h says of its accuracy, over the statistics a table can give.
TEST(X2prob, StaysWithinItsStatedErrorOfTheExactTail) {
  double worst = 0, worstBelow213 = 0, worstCapped = 0;
  for (int df = 1; df <= 81; ++df) {
    for (double x = 0; x <= 1400; x += 0.5) {
      const long double exact = ExactUpperTail(x, df);
      const double p = x2prob(x, df);
      const double excess = static_cast<double>(p - exact);
      if (exact > 0.9999L) {
        worstCapped = std::max(worstCapped, -excess);
        continue;
      }
      ASSERT_GE(excess, 0.0) << "x2prob(" << x << ", " << df << ") lies below the exact tail";
      worst = std::max(worst, excess);
      if (x < 213) worstBelow213 = std::max(worstBelow213, excess);
    }
  }
  EXPECT_LE(worst, 5.6e-6);
  EXPECT_GT(worst, 5.0e-6) << "the statement would be more than honest";
  EXPECT_LE(worstBelow213, 2e-6);
  EXPECT_LE(worstCapped, 1e-4);
}

}  // namespace
