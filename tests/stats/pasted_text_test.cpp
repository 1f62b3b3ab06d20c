// The statistics take whatever text they are given, not only the digits a cell lets in: every
// shape of it must give a defined result, and totals beyond what typing can reach must not wrap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/math.h"
#include "framework/text.h"
#include "stats/calculate_run.h"
#include "stats/globals.h"
#include "table_fixture.h"

namespace {

using stats_test::Cells;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

stats::Statistics StatisticsOf(const stats_test::Rows& rows) {
  const stats::RunResult run = stats::CalculateRun(Cells(rows));
  if (!run.statistics) throw std::runtime_error("the table did not pass the checks");
  return *run.statistics;
}

TEST(PastedText, CellTextsBecomeCounts) {
  const struct {
    const char* text;
    std::int64_t count;
  } cases[] = {
      {"12", 12},
      {" 12", 12},
      {"3.9", 3},
      {"-3.9", -3},
      {"+7", 7},
      {"1e3", 1000},
      {"12abc", 12},
      {"1.5.", 1},
      {"abc", 0},
      {" ", 0},
      {".", 0},
      {"1e", 1},
      {"-0", 0},
      {".5", 0},
      {"9e18", 9000000000000000000},
      {"9e99", kMax},
      {"-9e99", kMin},
      {"1e400", kMax},
      {"-1e400", kMin},
      {"9223372036854775807", kMax},
      {"-9223372036854775808", kMin},
  };
  stats::CellTexts texts{};
  for (int r = 1; r <= 2; ++r) {
    for (int c = 1; c <= 2; ++c) texts[r][c] = std::string("1");
  }
  for (const auto& c : cases) {
    texts[2][2] = std::string(c.text);
    ASSERT_TRUE(stats::CalculateRun(texts).statistics.has_value());
    EXPECT_EQ(globals::data[2][2], c.count) << '"' << c.text << '"';
  }
}

// Totals of 2e10 make row x col and N x N leave 64 bits; formed exactly, they give the
// same results as the small table 1, 1 / 1, 1 and 1, 0 / 0, 1.
TEST(PastedText, ProductsOfLargeTotalsAreExact) {
  const stats::Statistics even = StatisticsOf({{"1e10", "1e10"}, {"1e10", "1e10"}});
  EXPECT_EQ(even.N, 40000000000);
  EXPECT_EQ(even.expected[1][1], 1e10);
  EXPECT_EQ(even.chi, 0.0);
  EXPECT_EQ(even.p, 0.9999);
  EXPECT_EQ(*even.kappa, 0.0);
  EXPECT_EQ(even.ctext, "Chi-square = .000  (df = 1, p = .9999)");
  EXPECT_EQ(even.ktext, "Kappa = .000");

  const stats::Statistics diagonal = StatisticsOf({{"1e10", "0"}, {"0", "1e10"}});
  EXPECT_EQ(diagonal.chi, 2e10);
  EXPECT_EQ(diagonal.phi, 1.0);
  EXPECT_EQ(*diagonal.kappa, 1.0);
  EXPECT_EQ(diagonal.ctext, "Chi-square = 20000000000.000  (df = 1, p = .0000)");
  EXPECT_EQ(diagonal.cctext, "Contingency coefficient = .707");
  EXPECT_EQ(diagonal.ptext, "Phi coefficient = 1.000");
  EXPECT_EQ(diagonal.ktext, "Kappa = 1.000");

  // (q - 1) x N: q - 1 = 2 on a 3 x 3 table whose N is 9e18.
  const stats::Statistics wide =
      StatisticsOf({{"1e18", "1e18", "1e18"}, {"1e18", "1e18", "1e18"}, {"1e18", "1e18", "1e18"}});
  EXPECT_EQ(wide.N, 9000000000000000000);
  EXPECT_EQ(wide.expected[2][2], 1e18);
  EXPECT_EQ(wide.chi, 0.0);
  EXPECT_EQ(wide.phi, 0.0);
  EXPECT_EQ(*wide.kappa, 0.0);
}

// A total that would leave the 64-bit range stops at its limit.
TEST(PastedText, TotalsSaturate) {
  StatisticsOf({{"9e99", "9e99"}, {"9e99", "9e99"}});
  EXPECT_EQ(globals::row[1], kMax);
  EXPECT_EQ(globals::col[2], kMax);
  const stats::Statistics high = StatisticsOf({{"9e99", "9e99"}, {"9e99", "9e99"}});
  EXPECT_EQ(high.N, kMax);

  const stats::Statistics low = StatisticsOf({{"-9e99", "-9e99"}, {"-9e99", "-9e99"}});
  EXPECT_EQ(low.N, kMin);
  EXPECT_EQ(globals::row[2], kMin);

  // The largest and the smallest count cancel without overflowing.
  const stats::Statistics mixed = StatisticsOf({{"9e99", "-9e99"}, {"5", "5"}});
  EXPECT_EQ(globals::row[1], -1);
  EXPECT_EQ(mixed.N, 9);
}

// Every shape of pasted text that comes to mind, as single texts and as whole tables.
std::vector<std::string> Shapes() {
  std::vector<std::string> shapes;
  const char alphabet[] = {' ', '\t', '+', '-', '.', 'e', 'E', '0', '1', '5', '9', 'a', 'x'};
  // Every text of up to four characters over the alphabet (a cell holds four).
  std::vector<std::string> level = {""};
  for (int length = 1; length <= 4; ++length) {
    std::vector<std::string> next;
    for (const auto& stem : level) {
      for (const char ch : alphabet) next.push_back(stem + ch);
    }
    shapes.insert(shapes.end(), next.begin(), next.end());
    level = std::move(next);
  }
  const std::string longer[] = {
      "9e99",
      "-9e99",
      "1e10",
      "-1e10",
      "1e18",
      "1e19",
      "-1e19",
      "9e18",
      "9223372036854775807",
      "9223372036854775808",
      "-9223372036854775808",
      "-9223372036854775809",
      "1e308",
      "1e309",
      "-1e309",
      "1e-400",
      "4.9e-324",
      "1e99999999999999999999",
      "0x7FFFFFFFFFFFFFFF",
      "inf",
      "-inf",
      "nan",
      "NaN",
      "1,5",
      "\xC3\xA9",
      "\xFF\xFE",
      "12\n34",
      "\r\n",
      "\x7F",
      std::string(300, '9'),
      "0." + std::string(400, '0') + "1",
      "." + std::string(350, '9') + "e-10",
  };
  shapes.insert(shapes.end(), std::begin(longer), std::end(longer));
  return shapes;
}

TEST(PastedText, EveryShapeReadsAsANumber) {
  for (const auto& text : Shapes()) {
    const double v = fw::Val(text);
    ASSERT_FALSE(std::isnan(v)) << '"' << text << '"';
    (void)fw::ToInt64(v);
  }
}

// Whole runs over tables of such texts: nothing undefined (the sanitizer build runs this),
// and every result is one of the defined forms.
TEST(PastedText, WholeRunsOverPastedTables) {
  const std::vector<std::string> shapes = Shapes();
  const char* const extremes[] = {"9e99", "-9e99", "1e10", "-1e10", "1e18", "0", "-5", "5", ""};
  std::uint64_t state = 2024;
  const auto next = [&state] {
    state = state * 6364136223846793005u + 1442695040888963407u;
    return state >> 33;
  };
  for (int n = 0; n < 3000; ++n) {
    stats::CellTexts texts{};
    const std::uint64_t rows = 2 + next() % 9, cols = 2 + next() % 9;
    for (std::uint64_t r = 1; r <= rows; ++r) {
      for (std::uint64_t c = 1; c <= cols; ++c) {
        // Half the tables are all extremes, which reach the 64-bit limits more often.
        texts[r][c] =
            n % 2 ? extremes[next() % std::size(extremes)] : shapes[next() % shapes.size()];
      }
    }
    const stats::RunResult run = stats::CalculateRun(texts);
    if (!run.statistics) {
      EXPECT_NE(run.check.endedAt, stats::CheckEnd::Passed);
      continue;
    }
    const stats::Statistics& s = *run.statistics;
    EXPECT_TRUE(std::isnan(s.p) || (s.p >= 0.0 && s.p <= 0.9999)) << s.p;
    EXPECT_EQ(s.ctext.rfind("Chi-square = ", 0), 0u);
    EXPECT_EQ(s.cctext.rfind("Contingency coefficient = ", 0), 0u);
    EXPECT_EQ(s.ptext.rfind("Phi coefficient = ", 0), 0u);
    EXPECT_EQ(s.ktext.has_value(), globals::nr == globals::nc);
  }
}

}  // namespace
