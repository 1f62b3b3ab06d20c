// The table state of the Calculate run: one process-wide instance, touched only by the run's
// stages and by Clear on the UI thread.
#pragma once

#include <array>
#include <cstdint>

namespace globals {

// data[r][c] is the count of row r, column c (cell data<r><c>); rows and columns 1..nr by
// 1..nc are in use; index 0 of every table stays 0.
extern std::array<std::array<std::int64_t, 11>, 11> data;
extern std::array<std::int64_t, 11> row;  // row totals, 1..nr
extern std::array<std::int64_t, 11> col;  // column totals, 1..nc
extern std::int64_t nr;                   // rows in use, 0..10
extern std::int64_t nc;                   // columns in use, 0..10

// The module's start-up initialisers, one per member, for the start-up table. They do not
// depend on one another. The three tables start with every element 0; nr_Init and nc_Init do
// nothing, nr and nc being 0 from the start.
void col_Init();
void data_Init();
void row_Init();
void nr_Init();
void nc_Init();

}  // namespace globals
