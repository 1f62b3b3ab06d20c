// The chi-square probability for ordinary statistics, and one whole Calculate run on a full
// 10 x 10 table, from the 100 cell texts to the four result-line texts.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "stats/calculate_run.h"
#include "stats/prob_module.h"

namespace {

// Statistics near the middle of the distribution (x = df, the series), near its 5% point (about
// df + 2 sqrt(2 df), the continued fraction) and where the one method hands over to the other
// (x = df + 2, the series' longest run), for the degrees of freedom of 2 x 2 up to 10 x 10 tables.
void BM_x2prob(benchmark::State& state) {
  const double df = static_cast<double>(state.range(0));
  const double x = state.range(1) == 0   ? df
                   : state.range(1) == 1 ? df + 2.0 * std::sqrt(2.0 * df)
                                         : df + 2.0;
  // Read through a volatile so that the call cannot be folded away; DoNotOptimize on the
  // argument itself lets g++ 12 at -O3 drop the store and pass an unset value.
  const volatile double source = x;
  for (auto _ : state) benchmark::DoNotOptimize(ProbModule::x2prob(source, df));
  state.counters["x"] = x;
  state.counters["p"] = ProbModule::x2prob(x, df);
}
BENCHMARK(BM_x2prob)->ArgsProduct({{1, 4, 9, 16, 36, 64, 81}, {0, 1, 2}});

// A large statistic, far beyond the switch: the continued fraction in a few passes, with the
// smallest and the largest df of a table.
void BM_x2prob_LargeStatistic(benchmark::State& state) {
  const double df = static_cast<double>(state.range(0));
  const volatile double source = 1600.0;
  for (auto _ : state) benchmark::DoNotOptimize(ProbModule::x2prob(source, df));
}
BENCHMARK(BM_x2prob_LargeStatistic)->Arg(1)->Arg(81);

// Four-digit counts, as typed, in every cell: a table near independence (row and column
// effects, a little noise), so that the probability is an ordinary one.
stats::CellTexts FullTable() {
  stats::CellTexts texts{};
  for (int r = 1; r <= 10; ++r) {
    for (int c = 1; c <= 10; ++c) {
      texts[r][c] = std::to_string(100 * (r + 4) + 10 * c * (r + 4) / 5 + (r * 37 + c * 91) % 113);
    }
  }
  return texts;
}

void BM_CalculateRun_10x10(benchmark::State& state) {
  const stats::CellTexts texts = FullTable();
  for (auto _ : state) {
    stats::RunResult run = stats::CalculateRun(texts);
    benchmark::DoNotOptimize(run);
  }
  const stats::RunResult run = stats::CalculateRun(texts);
  state.counters["chi"] = run.statistics->chi;
  state.counters["p"] = run.statistics->p;
}
BENCHMARK(BM_CalculateRun_10x10);

}  // namespace
