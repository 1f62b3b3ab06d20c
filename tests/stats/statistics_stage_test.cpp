#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "stats/calculate_run.h"
#include "stats/globals.h"
#include "table_fixture.h"

namespace {

using stats_test::AgreesToSixDigits;
using stats_test::Cells;
using stats_test::Rows;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Warning(const char* share) {
  return std::string("Warning: Invalid results. ") + share +
         "% of cells with expected frequency less than 5.";
}
std::string Caution(const char* share) {
  return std::string("Caution: ") + share + "% of cells with expected frequency less than 5.";
}

stats::Statistics StatisticsOf(const Rows& rows) {
  const stats::RunResult run = stats::CalculateRun(Cells(rows));
  if (!run.statistics) throw std::runtime_error("the table did not pass the checks");
  return *run.statistics;
}

// Numbers as written to six significant digits; NaN where the value is NaN.
void ExpectNumber(const char* what, double actual, double written) {
  if (std::isnan(written)) {
    EXPECT_TRUE(std::isnan(actual)) << what << " = " << actual;
  } else {
    EXPECT_TRUE(AgreesToSixDigits(actual, written))
        << what << " = " << actual << ", not " << written;
  }
}

struct StatisticsCase {
  const char* name;
  Rows table;
  std::optional<std::string> message;
  double chi, p, cc, phi;
  std::optional<double> kappa;
  std::string ctext, cctext, ptext;
  std::optional<std::string> ktext;
};

TEST(StatisticsStage, ComputesTheTableAndItsResultLines) {
  const StatisticsCase cases[] = {
      {"2 x 2",
       {{"10", "20"}, {"30", "40"}},
       std::nullopt,
       0.793651,
       0.372998,
       0.0887357,
       0.0890871,
       -0.0869565,
       "Chi-square = .794  (df = 1, p = .3730)",
       "Contingency coefficient = .089",
       "Phi coefficient = .089",
       "Kappa = -.087"},
      {"3 x 3 diagonal",
       {{"20", "5", "5"}, {"5", "20", "5"}, {"5", "5", "20"}},
       std::nullopt,
       45,
       3.97596e-09,
       0.577350,
       0.5,
       0.5,
       "Chi-square = 45.000  (df = 4, p = .0000)",
       "Contingency coefficient = .577",
       "Phi coefficient = .500",
       "Kappa = .500"},
      {"3 x 2 leaves kappa alone",
       {{"12", "7"}, {"3", "9"}, {"8", "10"}},
       std::nullopt,
       4.37072,
       0.112437,
       0.286171,
       0.298661,
       std::nullopt,
       "Chi-square = 4.371  (df = 2, p = .1124)",
       "Contingency coefficient = .286",
       "Phi coefficient = .299",
       std::nullopt},
      {"observed equals expected",
       {{"10", "10"}, {"10", "10"}},
       std::nullopt,
       0,
       0.9999,
       0,
       0,
       0,
       "Chi-square = .000  (df = 1, p = .9999)",
       "Contingency coefficient = .000",
       "Phi coefficient = .000",
       "Kappa = .000"},
      {"2 x 2, all sparse",
       {{"3", "1"}, {"2", "4"}},
       Warning("100"),
       1.66667,
       0.196706,
       0.377964,
       0.408248,
       0.4,
       "Chi-square = 1.667  (df = 1, p = .1967)",
       "Contingency coefficient = .378",
       "Phi coefficient = .408",
       "Kappa = .400"},
      {"2 x 2 never gets the caution",
       {{"4", "1"}, {"6", "9"}},
       Warning("50"),
       2.4,
       0.121335,
       0.327327,
       0.346410,
       0.3,
       "Chi-square = 2.400  (df = 1, p = .1213)",
       "Contingency coefficient = .327",
       "Phi coefficient = .346",
       "Kappa = .300"},
      {"a third sparse",
       {{"2", "3", "4"}, {"5", "6", "7"}, {"8", "9", "10"}},
       Caution("33"),
       0.228571,
       0.993946,
       0.0649227,
       0.0460044,
       -0.0285714,
       "Chi-square = .229  (df = 4, p = .9939)",
       "Contingency coefficient = .065",
       "Phi coefficient = .046",
       "Kappa = -.029"},
      {"five of six sparse",
       {{"1", "1", "1"}, {"1", "1", "20"}},
       Warning("83"),
       6.51154,
       0.0385510,
       0.454577,
       0.510355,
       std::nullopt,
       "Chi-square = 6.512  (df = 2, p = .0386)",
       "Contingency coefficient = .455",
       "Phi coefficient = .510",
       std::nullopt},
      {"nine ones",
       {{"1", "1", "1"}, {"1", "1", "1"}, {"1", "1", "1"}},
       Warning("100"),
       0,
       0.9999,
       0,
       0,
       0,
       "Chi-square = .000  (df = 4, p = .9999)",
       "Contingency coefficient = .000",
       "Phi coefficient = .000",
       "Kappa = .000"},
      {"a zero row",
       {{"0", "0"}, {"5", "5"}},
       Warning("50"),
       kNaN,
       kNaN,
       kNaN,
       kNaN,
       0,
       "Chi-square = NaN  (df = 1, p = NaN)",
       "Contingency coefficient = NaN",
       "Phi coefficient = NaN",
       "Kappa = .000"},
      {"every count 0",
       {{"0", "0", "0"}, {"0", "0", "0"}, {"0", "0", "0"}},
       std::nullopt,
       kNaN,
       kNaN,
       kNaN,
       kNaN,
       kNaN,
       "Chi-square = NaN  (df = 4, p = NaN)",
       "Contingency coefficient = NaN",
       "Phi coefficient = NaN",
       "Kappa = NaN"},
      // pe = 1: the whole table in one diagonal cell.
      {"one diagonal cell",
       {{"0", "0"}, {"0", "7"}},
       Warning("75"),
       kNaN,
       kNaN,
       kNaN,
       kNaN,
       kNaN,
       "Chi-square = NaN  (df = 1, p = NaN)",
       "Contingency coefficient = NaN",
       "Phi coefficient = NaN",
       "Kappa = NaN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const stats::Statistics s = StatisticsOf(c.table);
    EXPECT_EQ(s.sparseMessage, c.message);
    ExpectNumber("chi", s.chi, c.chi);
    ExpectNumber("p", s.p, c.p);
    ExpectNumber("cc", s.cc, c.cc);
    ExpectNumber("phi", s.phi, c.phi);
    ASSERT_EQ(s.kappa.has_value(), c.kappa.has_value());
    if (c.kappa) ExpectNumber("kappa", *s.kappa, *c.kappa);
    EXPECT_EQ(s.ctext, c.ctext);
    EXPECT_EQ(s.cctext, c.cctext);
    EXPECT_EQ(s.ptext, c.ptext);
    EXPECT_EQ(s.ktext, c.ktext);
  }
}

TEST(StatisticsStage, TotalsAndExpectedCounts) {
  const stats::Statistics s = StatisticsOf({{"10", "20"}, {"30", "40"}});
  EXPECT_EQ(s.N, 100);
  EXPECT_EQ(s.df, 1);
  EXPECT_EQ(s.k, 0);
  EXPECT_EQ(s.share, 0.0);
  EXPECT_EQ(globals::row[1], 30);
  EXPECT_EQ(globals::row[2], 70);
  EXPECT_EQ(globals::col[1], 40);
  EXPECT_EQ(globals::col[2], 60);
  EXPECT_EQ(s.expected[1][1], 12.0);
  EXPECT_EQ(s.expected[1][2], 18.0);
  EXPECT_EQ(s.expected[2][1], 28.0);
  EXPECT_EQ(s.expected[2][2], 42.0);
  EXPECT_EQ(s.chi, 50.0 / 63.0);
  // The terms sum, row by row, to chi.
  EXPECT_EQ(((s.terms[1][1] + s.terms[1][2]) + s.terms[2][1]) + s.terms[2][2], s.chi);
  EXPECT_EQ(s.expected[0][0], 0.0);
  EXPECT_EQ(s.expected[3][3], 0.0);
}

// Values that the examples give exactly, to the bit.
TEST(StatisticsStage, ExactValues) {
  const stats::Statistics diagonal =
      StatisticsOf({{"20", "5", "5"}, {"5", "20", "5"}, {"5", "5", "20"}});
  EXPECT_EQ(diagonal.chi, 45.0);
  EXPECT_EQ(diagonal.phi, 0.5);
  EXPECT_EQ(*diagonal.kappa, std::nextafter(0.5, 0.0));

  const stats::Statistics third =
      StatisticsOf({{"2", "3", "4"}, {"5", "6", "7"}, {"8", "9", "10"}});
  EXPECT_EQ(third.expected[1][1], 2.5);
  EXPECT_EQ(third.expected[2][1], 5.0);  // exactly 5, so not sparse
  EXPECT_EQ(third.k, 3);
  EXPECT_TRUE(AgreesToSixDigits(third.share, 33.3333));
}

// A share of exactly 80% is not above 80: the caution, not the warning.
TEST(StatisticsStage, EightyPercentGetsTheCaution) {
  const stats::Statistics s =
      StatisticsOf({{"10", "1", "1", "1", "1"}, {"10", "1", "1", "1", "1"}});
  EXPECT_EQ(s.k, 8);
  EXPECT_EQ(s.share, 80.0);
  EXPECT_EQ(s.sparseMessage, Caution("80"));

  const stats::Statistics five = StatisticsOf(
      {{"10", "1", "1", "1", "1"}, {"10", "1", "1", "1", "1"}, {"10", "1", "1", "1", "1"}});
  EXPECT_EQ(five.k, 12);  // 12 of 15
  EXPECT_EQ(five.share, 80.0);
  EXPECT_EQ(five.sparseMessage, Caution("80"));
}

TEST(StatisticsStage, OneSparseCellOfFourIsAWarning) {
  const stats::Statistics s = StatisticsOf({{"1", "10"}, {"10", "30"}});
  EXPECT_EQ(s.k, 1);
  EXPECT_EQ(s.sparseMessage, Warning("25"));
}

// For so large a statistic the series alone would give p = .9999, the opposite of the truth.
TEST(StatisticsStage, PerfectAssociationHasATinyP) {
  const stats::Statistics s = StatisticsOf({{"800", "0"}, {"0", "800"}});
  EXPECT_EQ(s.chi, 1600.0);
  EXPECT_GE(s.p, 0.0);
  EXPECT_LE(s.p, 1e-300);
  EXPECT_EQ(s.ctext, "Chi-square = 1600.000  (df = 1, p = .0000)");
  EXPECT_EQ(s.cctext, "Contingency coefficient = .707");
  EXPECT_EQ(s.ptext, "Phi coefficient = 1.000");
  EXPECT_EQ(s.ktext, "Kappa = 1.000");
}

TEST(StatisticsStage, NeedsACheckedTable) {
  stats::CheckTable(Cells({{"1", "2"}}));
  EXPECT_THROW(stats::StatisticsStage(Cells({{"1", "2"}})), std::logic_error);
}

}  // namespace
