// The Calculate run without its window: the checking stage and the statistics stage as plain
// functions. Each fills globals and returns what the window must show; neither touches a
// window. ControlWnd::CalcBtn_Action drives them:
//
//   1. read the 100 cell texts into a CellTexts, row by row from data11, unchanged;
//   2. check = CheckTable(texts);
//      Size:    MsgBox(check.message), then the focus to data11 (check.focusFirstCell); end.
//      Missing: MsgBox(check.message); the focus stays where it is; end.
//      Passed:  hide check.hide in its order;
//   3. stats = StatisticsStage(texts);
//      MsgBox(*stats.sparseMessage) when there is one; then ctext, cctext, ptext and, when
//      stats.ktext holds a text, ktext: each made visible, then given its text; when stats.ktext
//      is empty (a table that is not square), ktext is hidden in its place, its text kept;
//   4. the focus to data11.
//
// Cells are addressed by (row, column), 1..10 each; the window maps them to its controls.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stats {

// texts[r][c] is the text of cell data<r><c> as read; index 0 in either dimension stays empty.
using CellTexts = std::array<std::array<std::string, 11>, 11>;

// A table of doubles with the same indices (0..10 by 0..10).
using DoubleTable = std::array<std::array<double, 11>, 11>;

// A cell of the grid: row r, column c.
struct CellPos {
  int r;
  int c;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

// Sets globals::nr and globals::nc to 0 and every element (indices 0..10) of globals::data,
// globals::row and globals::col to 0. CheckTable starts with it; Clear uses it too.
void Reset();

enum class CheckEnd {
  Size,     // fewer than 2 rows or 2 columns in use
  Missing,  // an empty cell inside the nr x nc block
  Passed,   // on to StatisticsStage
};

struct CheckResult {
  CheckEnd endedAt = CheckEnd::Passed;
  // The box to show: "There must be at least a 2 x 2 table." or "Missing data in row <r>.
  // Results will be inaccurate."; empty when the table passed.
  std::string message;
  // Whether data11 gets the focus once the box is dismissed (the size message only).
  bool focusFirstCell = false;
  // Passed only: the cells to hide, in order: the rows below the table (each row left to
  // right), then the columns right of it (each column top to bottom). A cell in both a hidden
  // row and a hidden column comes twice.
  std::vector<CellPos> hide;
};

// The checking stage: resets globals, sizes the table (nr from the first column, nc from the
// first row: the highest filled cell of each; a text of any character counts as filled), then
// checks the size and the completeness of the nr x nc block. Leaves nr and nc as sized and
// data, row, col all 0.
CheckResult CheckTable(const CellTexts& texts);

struct Statistics {
  // "Warning: Invalid results. <share>% ..." or "Caution: <share>% ..." when any cell is
  // sparse (expected count below 5); at most one box.
  std::optional<std::string> sparseMessage;

  std::int64_t N = 0;   // grand total
  std::int64_t k = 0;   // sparse cells
  std::int64_t df = 0;  // (nr - 1) x (nc - 1)
  double share = 0.0;   // sparse cells, percent of nr x nc
  double chi = 0.0;
  double p = 0.0;
  double cc = 0.0;              // contingency coefficient
  double phi = 0.0;             // Cramér's phi
  std::optional<double> kappa;  // square tables only

  // The texts of the result labels.
  std::string ctext;
  std::string cctext;
  std::string ptext;
  // Square tables only. Another table has no kappa: the window hides ktext, keeping its text,
  // so that no kappa of an earlier table stands beside these results.
  std::optional<std::string> ktext;

  // The run's working tables: expected counts and chi-square terms (0.0 outside the block).
  DoubleTable expected{};
  DoubleTable terms{};
};

// The statistics stage, for a table that just passed CheckTable: globals::nr and nc in 2..10
// (otherwise it throws std::logic_error) and data, row, col all 0. Converts the texts of the
// nr x nc block into counts in globals::data (the number a text spells, truncated toward zero,
// saturated at the 64-bit limits), fills globals::row and globals::col, and computes the rest.
// Totals that would leave the 64-bit range saturate; products of totals are formed exactly.
// Values that are not finite are not trapped: they come out as NaN, INF or -INF in the texts.
Statistics StatisticsStage(const CellTexts& texts);

struct RunResult {
  CheckResult check;
  std::optional<Statistics> statistics;  // when the table passed
};

// Both stages in a row, as one click runs them: from the 100 texts to the result lines.
RunResult CalculateRun(const CellTexts& texts);

}  // namespace stats
