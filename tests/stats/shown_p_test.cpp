// The p that the chi-square line shows, to four decimals, against the exact upper tail of the
// run's own statistic.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "exact_tail.h"
#include "framework/text.h"
#include "stats/calculate_run.h"
#include "table_fixture.h"

namespace {

using stats_test::Cells;
using stats_test::ExactUpperTail;
using stats_test::Rows;

// The text between "p = " and the closing parenthesis of the chi-square line.
std::string ShownP(const std::string& ctext) {
  const std::size_t from = ctext.find("p = ");
  const std::size_t to = ctext.rfind(')');
  if (from == std::string::npos || to == std::string::npos || to < from) return "?";
  return ctext.substr(from + 4, to - from - 4);
}

stats::Statistics StatisticsOf(const stats::CellTexts& texts) {
  const stats::RunResult run = stats::CalculateRun(texts);
  if (!run.statistics) throw std::runtime_error("the table did not pass the checks");
  return *run.statistics;
}

// 2 x 2 tables whose tail lies just below a rounding boundary: a p a few millionths too high
// showed the next digit up.
TEST(ShownP, TailsJustBelowARoundingBoundary) {
  const struct {
    Rows table;
    const char* shown;
  } cases[] = {
      {{{"0", "10"}, {"24", "9"}}, ".0000"},   // 4.97e-5
      {{{"0", "17"}, {"32", "34"}}, ".0002"},  // 2.497e-4
      {{{"0", "15"}, {"37", "32"}}, ".0001"},  // 1.497e-4
      {{{"0", "16"}, {"25", "33"}}, ".0012"},  // 1.2498e-3
  };
  for (const auto& c : cases) {
    const stats::Statistics s = StatisticsOf(Cells(c.table));
    EXPECT_EQ(ShownP(s.ctext), c.shown) << s.ctext;
  }
}

// Seeded random tables, 2 x 2 to 5 x 5 with counts 0 to 60: the shown p is the exact tail
// rounded to four decimals (0.9999 at most), unless the tail lies within 1e-9 of a boundary
// between two shown values. A table with an empty row or column shows NaN.
TEST(ShownP, RandomTablesShowTheExactTailRounded) {
  std::mt19937 random(20240516);
  int compared = 0, nearABoundary = 0, empty = 0;
  for (int n = 0; n < 5000; ++n) {
    const int rows = 2 + static_cast<int>(random() % 4), cols = 2 + static_cast<int>(random() % 4);
    Rows table(rows, std::vector<std::string>(cols));
    for (auto& row : table) {
      for (auto& cell : row) cell = std::to_string(random() % 61);
    }
    const stats::Statistics s = StatisticsOf(Cells(table));
    if (std::isnan(s.chi)) {
      ++empty;
      EXPECT_EQ(ShownP(s.ctext), "NaN") << s.ctext;
      continue;
    }
    long double exact = ExactUpperTail(s.chi, static_cast<int>(s.df));
    if (exact > 0.9999L) exact = 0.9999L;
    const long double tenThousandths = exact * 10000;
    if (std::fabs(tenThousandths - std::floor(tenThousandths) - 0.5L) < 1e-5L) {
      ++nearABoundary;
      continue;
    }
    ++compared;
    ASSERT_EQ(ShownP(s.ctext), fw::Format(static_cast<double>(exact), ".0000"))
        << "table " << n << ": " << s.ctext << ", exact tail " << static_cast<double>(exact);
  }
  EXPECT_GT(compared, 4500);
  EXPECT_LT(nearABoundary, 5);
  EXPECT_GT(empty, 0);
}

}  // namespace
