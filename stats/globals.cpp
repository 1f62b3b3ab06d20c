#include "stats/globals.h"

namespace globals {

std::array<std::array<std::int64_t, 11>, 11> data{};
std::array<std::int64_t, 11> row{};
std::array<std::int64_t, 11> col{};
std::int64_t nr = 0;
std::int64_t nc = 0;

void col_Init() {
  col.fill(0);
}

void data_Init() {
  for (auto& r : data) r.fill(0);
}

void row_Init() {
  row.fill(0);
}

void nr_Init() {}

void nc_Init() {}

}  // namespace globals
