#include "stats/prob_module.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "exact_tail.h"
#include "table_fixture.h"

namespace {

using ProbModule::x2prob;
using stats_test::AgreesToSixDigits;
using stats_test::ExactUpperTail;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(X2prob, Examples) {
  const struct {
    double x, df, p;
  } cases[] = {
      {3.841, 1, 0.0500137},    {5.991, 2, 0.0500116}, {0.793651, 1, 0.372998},
      {45, 4, 3.97596e-09},     {10, 1, 1.56540e-03},  {100, 1, 1.52397e-23},
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

// Arguments no caller passes: a negative statistic, and df 0 (all of the mass at 0).
TEST(X2prob, OutsideTheCallersRange) {
  for (int df = 1; df <= 81; ++df) EXPECT_TRUE(std::isnan(x2prob(-1.0, df))) << df;
  EXPECT_TRUE(std::isnan(x2prob(0.0, 0)));
  for (const double x : {1e-300, 0.5, 2.0}) {
    EXPECT_GE(x2prob(x, 0), 0.0) << x;
    EXPECT_LE(x2prob(x, 0), 1e-9) << x;
  }
  for (const double x : {2.01, 10.0, 1e6}) EXPECT_EQ(x2prob(x, 0), 0.0) << x;
}

// Beyond the statistics the accuracy test sweeps, out to the largest double: a tail of 1e-300
// or less, never negative, never the cap.
TEST(X2prob, LargeStatistics) {
  const struct {
    double x, df;
  } cases[] = {
      {1421.75, 1}, {1450, 1},     {1497, 1},  {1497.25, 1}, {1600, 1},  {1738.5, 81},
      {1817.5, 81}, {1817.75, 81}, {5000, 81}, {1e6, 1},     {1e300, 4}, {1.7e308, 81},
  };
  for (const auto& c : cases) {
    const double p = x2prob(c.x, c.df);
    EXPECT_GE(p, 0.0) << c.x << ", " << c.df;
    EXPECT_LE(p, 1e-300) << c.x << ", " << c.df;
  }
}

// Where a double can still hold the tail of a large statistic, it is the true one: for df 1
// erfc(sqrt(x / 2)), for df 2 exp(-x / 2), for df 4 exp(-x / 2) (1 + x / 2). Some of these are
// subnormal, hence the loose bound.
TEST(X2prob, TrueTailOfLargeStatistics) {
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

// The largest error seen, and where.
struct Worst {
  double error = 0, x = 0;
  int df = 0;
  void Take(double e, double atX, int atDf) {
    if (e > error) *this = {e, atX, atDf};
  }
};

std::ostream& operator<<(std::ostream& os, const Worst& w) {
  return os << w.error << " at x = " << w.x << ", df = " << w.df;
}

// What prob_module.h says of its accuracy, over the statistics a table can give: each figure
// holds, and is reached, so that the header neither understates nor overstates the error.
TEST(X2prob, StaysWithinItsStatedErrorOfTheExactTail) {
  Worst absolute, relative, relativeBeyond, capped;
  for (int df = 1; df <= 81; ++df) {
    for (int i = 0; i <= 140000; ++i) {
      const double x = i * 0.01;
      const long double exact = ExactUpperTail(x, df);
      const double p = x2prob(x, df);
      ASSERT_GE(p, 0.0) << "x2prob(" << x << ", " << df << ")";
      ASSERT_LE(p, 0.9999) << "x2prob(" << x << ", " << df << ")";
      const long double error = std::fabs(p - exact);
      if (exact > 0.9999L) {
        capped.Take(static_cast<double>(error), x, df);
        continue;
      }
      absolute.Take(static_cast<double>(error), x, df);
      relative.Take(static_cast<double>(error / exact), x, df);
      if (x > df + 2) relativeBeyond.Take(static_cast<double>(error / exact), x, df);
    }
  }
  EXPECT_LE(absolute.error, 7.5e-11) << absolute;
  EXPECT_GT(absolute.error, 7.0e-11) << absolute;
  EXPECT_NEAR(absolute.x, 3.0, 1e-9) << absolute;
  EXPECT_EQ(absolute.df, 1) << absolute;

  EXPECT_LE(relative.error, 9.0e-10) << relative;
  EXPECT_GT(relative.error, 8.5e-10) << relative;
  EXPECT_NEAR(relative.x, 3.0, 1e-9) << relative;
  EXPECT_EQ(relative.df, 1) << relative;

  EXPECT_LE(relativeBeyond.error, 1.9e-13) << relativeBeyond;
  EXPECT_GT(relativeBeyond.error, 1.7e-13) << relativeBeyond;
  EXPECT_NEAR(relativeBeyond.x, 1390, 10) << relativeBeyond;

  EXPECT_LE(capped.error, 1e-4) << capped;
}

}  // namespace
