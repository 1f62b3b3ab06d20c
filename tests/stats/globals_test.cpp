#include "stats/globals.h"

#include <gtest/gtest.h>

#include "stats/calculate_run.h"
#include "table_fixture.h"

namespace {

using stats_test::Cells;
using stats_test::TablesAreZero;

// Taken while the program starts, before any test has run a stage.
const bool kZeroAtStartUp = globals::nr == 0 && globals::nc == 0 && TablesAreZero();

void Scribble() {
  for (std::size_t i = 0; i <= 10; ++i) {
    globals::row[i] = 7;
    globals::col[i] = -7;
    for (std::size_t j = 0; j <= 10; ++j) globals::data[i][j] = 100 * i + j;
  }
  globals::nr = 9;
  globals::nc = 4;
}

TEST(Globals, StartsAtZero) {
  EXPECT_TRUE(kZeroAtStartUp);
}

TEST(Globals, InitialisersZeroTheTablesAndLeaveTheSizes) {
  Scribble();
  globals::col_Init();
  globals::data_Init();
  globals::row_Init();
  globals::nr_Init();
  globals::nc_Init();
  EXPECT_TRUE(TablesAreZero());
  EXPECT_EQ(globals::nr, 9);
  EXPECT_EQ(globals::nc, 4);
}

TEST(Globals, ResetZeroesEverything) {
  Scribble();
  stats::Reset();
  EXPECT_EQ(globals::nr, 0);
  EXPECT_EQ(globals::nc, 0);
  EXPECT_TRUE(TablesAreZero());
}

TEST(Globals, SizeStopLeavesTheSizesAndZeroTables) {
  Scribble();
  const auto run = stats::CalculateRun(Cells({{"1"}, {"2"}, {"3"}, {"4"}, {"5"}}));
  EXPECT_EQ(run.check.endedAt, stats::CheckEnd::Size);
  EXPECT_EQ(globals::nr, 5);
  EXPECT_EQ(globals::nc, 1);
  EXPECT_TRUE(TablesAreZero());
}

TEST(Globals, MissingStopLeavesTheSizesAndZeroTables) {
  Scribble();
  const auto run = stats::CalculateRun(Cells({{"1", "2", "3"}, {"4", "", "6"}}));
  EXPECT_EQ(run.check.endedAt, stats::CheckEnd::Missing);
  EXPECT_EQ(globals::nr, 2);
  EXPECT_EQ(globals::nc, 3);
  EXPECT_TRUE(TablesAreZero());
}

// Only the nr x nc block and its totals are written; everything else keeps the reset's 0,
// whatever an earlier, larger table left there.
TEST(Globals, RunFillsOnlyTheBlockAndItsTotals) {
  stats::CalculateRun(Cells({{"1", "2", "3", "4"},
                             {"5", "6", "7", "8"},
                             {"9", "10", "11", "12"},
                             {"13", "14", "15", "16"}}));
  Scribble();
  stats::CalculateRun(Cells({{"12", "7"}, {"3", "9"}, {"8", "10"}}));

  const std::int64_t counts[4][3] = {{0, 0, 0}, {0, 12, 7}, {0, 3, 9}, {0, 8, 10}};
  for (std::size_t i = 0; i <= 10; ++i) {
    for (std::size_t j = 0; j <= 10; ++j) {
      const std::int64_t expected = (i <= 3 && j <= 2) ? counts[i][j] : 0;
      EXPECT_EQ(globals::data[i][j], expected) << i << ", " << j;
    }
  }
  const std::int64_t rows[11] = {0, 19, 12, 18};
  const std::int64_t cols[11] = {0, 23, 26};
  for (std::size_t i = 0; i <= 10; ++i) {
    EXPECT_EQ(globals::row[i], rows[i]) << i;
    EXPECT_EQ(globals::col[i], cols[i]) << i;
  }
  EXPECT_EQ(globals::nr, 3);
  EXPECT_EQ(globals::nc, 2);

  stats::Reset();  // Clear after a successful run: back to the start-up state
  EXPECT_EQ(globals::nr, 0);
  EXPECT_EQ(globals::nc, 0);
  EXPECT_TRUE(TablesAreZero());
}

}  // namespace
