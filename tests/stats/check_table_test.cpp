#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "stats/calculate_run.h"
#include "stats/globals.h"
#include "table_fixture.h"

namespace {

using stats::CellPos;
using stats::CheckEnd;

const char* const kSizeMessage = "There must be at least a 2 x 2 table.";

stats::CellTexts Filled(const std::vector<std::pair<int, int>>& cells, const char* text = "1") {
  stats::CellTexts texts{};
  for (const auto& [r, c] : cells) texts[r][c] = std::string(text);
  return texts;
}

std::vector<std::pair<int, int>> Block(int rows, int cols) {
  std::vector<std::pair<int, int>> cells;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= cols; ++c) cells.emplace_back(r, c);
  }
  return cells;
}

std::vector<std::pair<int, int>> Without(std::vector<std::pair<int, int>> cells,
                                         const std::vector<std::pair<int, int>>& gone) {
  std::erase_if(cells, [&](const auto& cell) {
    return std::find(gone.begin(), gone.end(), cell) != gone.end();
  });
  return cells;
}

struct CheckCase {
  const char* name;
  stats::CellTexts texts;
  CheckEnd end;
  std::int64_t nr;
  std::int64_t nc;
  std::string message;
};

TEST(CheckTable, SizesAndChecksTheTable) {
  stats::CellTexts blankCorner = Filled(Block(2, 2));
  blankCorner[2][2] = " ";
  stats::CellTexts blankSizer = Filled(Block(2, 2));
  blankSizer[2][1] = " ";
  blankSizer[1][2] = "\t";

  const CheckCase cases[] = {
      {"all empty", {}, CheckEnd::Size, 0, 0, kSizeMessage},
      {"data11 only", Filled({{1, 1}}), CheckEnd::Size, 1, 1, kSizeMessage},
      {"first column of five", Filled({{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}), CheckEnd::Size, 5,
       1, kSizeMessage},
      {"first row of ten", Filled(Block(1, 10)), CheckEnd::Size, 1, 10, kSizeMessage},
      // Only the first column and the first row size the table.
      {"a full block but the first row", Filled(Without(Block(10, 10), Block(1, 10))),
       CheckEnd::Size, 10, 0, kSizeMessage},
      {"data11 empty", Filled({{2, 1}, {1, 2}, {2, 2}}), CheckEnd::Missing, 2, 2,
       "Missing data in row 1. Results will be inaccurate."},
      {"two holes: the higher row is named", Filled(Without(Block(3, 3), {{2, 3}, {3, 2}})),
       CheckEnd::Missing, 3, 3, "Missing data in row 3. Results will be inaccurate."},
      {"a gap in the first column", Filled({{1, 1}, {1, 2}, {2, 1}, {2, 2}, {4, 1}, {4, 2}}),
       CheckEnd::Missing, 4, 2, "Missing data in row 3. Results will be inaccurate."},
      {"a hole in row 10", Filled(Without(Block(10, 10), {{10, 7}})), CheckEnd::Missing, 10, 10,
       "Missing data in row 10. Results will be inaccurate."},
      {"a blank is a text", blankCorner, CheckEnd::Passed, 2, 2, ""},
      {"blanks size the table", blankSizer, CheckEnd::Passed, 2, 2, ""},
      {"a count outside the block is ignored", Filled({{1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 3}}),
       CheckEnd::Passed, 2, 2, ""},
      {"cells outside the block may be empty or not",
       Filled(Without(Block(3, 4), {{3, 4}, {1, 4}})), CheckEnd::Passed, 3, 3, ""},
      {"full grid", Filled(Block(10, 10)), CheckEnd::Passed, 10, 10, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const stats::CheckResult result = stats::CheckTable(c.texts);
    EXPECT_EQ(result.endedAt, c.end);
    EXPECT_EQ(globals::nr, c.nr);
    EXPECT_EQ(globals::nc, c.nc);
    EXPECT_EQ(result.message, c.message);
    // Only the size message sends the focus back to data11.
    EXPECT_EQ(result.focusFirstCell, c.end == CheckEnd::Size);
    if (c.end != CheckEnd::Passed) {
      EXPECT_TRUE(result.hide.empty());
    }
    EXPECT_TRUE(stats_test::TablesAreZero());
  }
}

TEST(CheckTable, HidesRowsThenColumnsInOrder) {
  const stats::CheckResult result = stats::CheckTable(Filled(Block(2, 2)));
  ASSERT_EQ(result.endedAt, CheckEnd::Passed);
  std::vector<CellPos> expected;
  for (int r = 3; r <= 10; ++r) {
    for (int c = 1; c <= 10; ++c) expected.push_back({r, c});
  }
  for (int c = 3; c <= 10; ++c) {
    for (int r = 1; r <= 10; ++r) expected.push_back({r, c});
  }
  EXPECT_EQ(result.hide, expected);
  // Cells in both a hidden row and a hidden column come twice, (3, 3) among them.
  EXPECT_EQ(std::count(result.hide.begin(), result.hide.end(), CellPos{3, 3}), 2);
  EXPECT_EQ(std::count(result.hide.begin(), result.hide.end(), CellPos{2, 3}), 1);
}

TEST(CheckTable, HidesNothingBeyondAFullSide) {
  const struct {
    int rows;
    int cols;
    std::size_t hidden;
    CellPos first;
  } cases[] = {
      {10, 10, 0, {0, 0}},
      {2, 10, 80, {3, 1}},  // rows 3 to 10, no column
      {10, 2, 80, {1, 3}},  // columns 3 to 10, no row
      {9, 9, 20, {10, 1}},
  };
  for (const auto& c : cases) {
    const stats::CheckResult result = stats::CheckTable(Filled(Block(c.rows, c.cols)));
    ASSERT_EQ(result.endedAt, CheckEnd::Passed);
    ASSERT_EQ(result.hide.size(), c.hidden) << c.rows << " x " << c.cols;
    if (c.hidden > 0) {
      EXPECT_EQ(result.hide.front(), c.first) << c.rows << " x " << c.cols;
    }
  }
}

// A run that ends at a check leaves no count of an earlier run behind.
TEST(CheckTable, StoppedRunAfterASuccessfulOne) {
  stats::CellTexts texts = Filled(Block(3, 3), "5");
  ASSERT_TRUE(stats::CalculateRun(texts).statistics.has_value());
  texts[2][2] = "";
  const stats::RunResult again = stats::CalculateRun(texts);
  EXPECT_EQ(again.check.endedAt, CheckEnd::Missing);
  EXPECT_EQ(again.check.message, "Missing data in row 2. Results will be inaccurate.");
  EXPECT_FALSE(again.statistics.has_value());
  EXPECT_TRUE(stats_test::TablesAreZero());
}

// A 3 x 3 run, then the same grid with data31 and data13 emptied: a 2 x 2 run that hides
// row 3 and column 3 too.
TEST(CheckTable, ShrinkingTheTableHidesMore) {
  stats::CellTexts texts = Filled(Block(3, 3), "5");
  EXPECT_EQ(stats::CheckTable(texts).hide.size(), 140u);
  texts[3][1] = "";
  texts[1][3] = "";
  const stats::CheckResult result = stats::CheckTable(texts);
  ASSERT_EQ(result.endedAt, CheckEnd::Passed);
  EXPECT_EQ(result.hide.size(), 160u);
  EXPECT_EQ(result.hide.front(), (CellPos{3, 1}));
}

}  // namespace
