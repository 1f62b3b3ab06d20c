#include "stats/calculate_run.h"

#include <limits>
#include <stdexcept>

#include "framework/math.h"
#include "framework/text.h"
#include "stats/globals.h"
#include "stats/prob_module.h"

namespace stats {

namespace {

// Products of two totals need up to 126 bits; pasted texts such as "1e10" get there.
__extension__ typedef __int128 Wide;

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) {
    return b > 0 ? std::numeric_limits<std::int64_t>::max()
                 : std::numeric_limits<std::int64_t>::min();
  }
  return sum;
}

// The exact product, rounded to a double once.
double ProductToDouble(std::int64_t a, std::int64_t b) {
  return static_cast<double>(static_cast<Wide>(a) * static_cast<Wide>(b));
}

const char* const kSparseTail = "% of cells with expected frequency less than 5.";

}  // namespace

void Reset() {
  globals::nr = 0;
  globals::nc = 0;
  globals::row.fill(0);
  globals::col.fill(0);
  for (auto& r : globals::data) r.fill(0);
}

CheckResult CheckTable(const CellTexts& texts) {
  Reset();
  CheckResult result;

  for (int i = 1; i <= 10; ++i) {
    if (fw::Len(texts[i][1]) > 0) globals::nr = i;
    if (fw::Len(texts[1][i]) > 0) globals::nc = i;
  }
  const std::int64_t nr = globals::nr;
  const std::int64_t nc = globals::nc;

  if (nr < 2 || nc < 2) {
    result.endedAt = CheckEnd::Size;
    result.message = "There must be at least a 2 x 2 table.";
    result.focusFirstCell = true;
    return result;
  }

  std::int64_t filled = 0;
  std::int64_t missingRow = 0;
  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) {
      if (fw::Len(texts[i][j]) > 0) {
        ++filled;
      } else {
        missingRow = i;
      }
    }
  }
  if (filled != nr * nc) {
    result.endedAt = CheckEnd::Missing;
    result.message = "Missing data in row " + fw::Str(missingRow) + ". Results will be inaccurate.";
    return result;
  }

  result.endedAt = CheckEnd::Passed;
  for (int r = static_cast<int>(nr) + 1; r <= 10; ++r) {
    for (int c = 1; c <= 10; ++c) result.hide.push_back({r, c});
  }
  for (int c = static_cast<int>(nc) + 1; c <= 10; ++c) {
    for (int r = 1; r <= 10; ++r) result.hide.push_back({r, c});
  }
  return result;
}

Statistics StatisticsStage(const CellTexts& texts) {
  const std::int64_t nr = globals::nr;
  const std::int64_t nc = globals::nc;
  if (nr < 2 || nr > 10 || nc < 2 || nc > 10) {
    throw std::logic_error("StatisticsStage needs a table that passed CheckTable");
  }
  auto& data = globals::data;
  auto& row = globals::row;
  auto& col = globals::col;
  Statistics s;
  auto& E = s.expected;

  std::int64_t N = 0;
  double chi = 0.0;

  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) {
      const double v = fw::Val(texts[i][j]);
      data[i][j] = fw::ToInt64(v);
      N = SaturatingAdd(data[i][j], N);
    }
  }
  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) row[i] = SaturatingAdd(row[i], data[i][j]);
  }
  for (std::int64_t j = 1; j <= nc; ++j) {
    for (std::int64_t i = 1; i <= nr; ++i) col[j] = SaturatingAdd(col[j], data[i][j]);
  }

  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) {
      E[i][j] = ProductToDouble(row[i], col[j]) / static_cast<double>(N);
    }
  }

  std::int64_t k = 0;
  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) {
      if (E[i][j] < 5.0) ++k;  // strict, and false for NaN
    }
  }
  const double share = (static_cast<double>(k) / static_cast<double>(nr * nc)) * 100.0;
  if (k > 0) {
    const std::string shareText = fw::Format(share, "###");
    if ((nr == 2 && nc == 2) || share > 80.0) {
      s.sparseMessage = "Warning: Invalid results. " + shareText + kSparseTail;
    } else {
      s.sparseMessage = "Caution: " + shareText + kSparseTail;
    }
  }

  for (std::int64_t i = 1; i <= nr; ++i) {
    for (std::int64_t j = 1; j <= nc; ++j) {
      double t = fw::Pow(fw::Abs(static_cast<double>(data[i][j]) - E[i][j]), 2.0);
      t = t / E[i][j];
      s.terms[i][j] = t;
      chi = t + chi;
    }
  }

  const double cc = fw::Sqrt(chi / (static_cast<double>(N) + chi));
  const std::int64_t df = (nr - 1) * (nc - 1);
  const std::int64_t q = nr < nc ? nr : nc;
  const double phi = fw::Sqrt(chi / ProductToDouble(q - 1, N));
  const double p = ProbModule::x2prob(chi, static_cast<double>(df));

  s.ctext = "Chi-square = " + fw::Format(chi, "####.000") + "  (df = " + fw::Str(df) +
            ", p = " + fw::Format(p, ".0000") + ")";
  s.cctext = "Contingency coefficient = " + fw::Format(cc, "-.000");
  s.ptext = "Phi coefficient = " + fw::Format(phi, ".000");

  if (nr == nc) {
    std::int64_t diag = 0;
    for (std::int64_t i = 1; i <= nc; ++i) diag = SaturatingAdd(diag, data[i][i]);
    const double po = static_cast<double>(diag) / static_cast<double>(N);
    double pe = 0.0;
    for (std::int64_t i = 1; i <= nc; ++i) {
      pe = ProductToDouble(row[i], col[i]) / ProductToDouble(N, N) + pe;
    }
    const double kappa = (po - pe) / (1.0 - pe);
    s.kappa = kappa;
    s.ktext = "Kappa = " + fw::Format(kappa, "-.000");
  }

  s.N = N;
  s.k = k;
  s.df = df;
  s.share = share;
  s.chi = chi;
  s.p = p;
  s.cc = cc;
  s.phi = phi;
  return s;
}

RunResult CalculateRun(const CellTexts& texts) {
  RunResult run;
  run.check = CheckTable(texts);
  if (run.check.endedAt == CheckEnd::Passed) run.statistics = StatisticsStage(texts);
  return run;
}

}  // namespace stats
