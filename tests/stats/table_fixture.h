// Cell texts for the stage tests: a table written row by row from cell (1, 1).
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "stats/calculate_run.h"
#include "stats/globals.h"

namespace stats_test {

using Rows = std::vector<std::vector<std::string>>;

inline stats::CellTexts Cells(const Rows& rows) {
  stats::CellTexts texts{};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) texts[r + 1][c + 1] = rows[r][c];
  }
  return texts;
}

// Every element of data, row and col is 0 (nr and nc are not looked at).
inline bool TablesAreZero() {
  for (std::size_t i = 0; i <= 10; ++i) {
    if (globals::row[i] != 0 || globals::col[i] != 0) return false;
    for (std::size_t j = 0; j <= 10; ++j) {
      if (globals::data[i][j] != 0) return false;
    }
  }
  return true;
}

// Whether actual agrees with a value written to six significant digits.
inline bool AgreesToSixDigits(double actual, double written) {
  if (written == 0.0) return actual == 0.0;
  const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(written))) - 5.0);
  return std::fabs(actual - written) <= 0.5 * unit * (1.0 + 1e-9);
}

}  // namespace stats_test
