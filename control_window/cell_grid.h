// The cell grid's design data and its row-major walk, generated from the one list of cells.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "control_window/control_wnd.h"

struct GridCell {
  const char* name;
  int row;
  int column;
  fw::Ref<fw::TextArea> (ControlWnd::*accessor)();
  bool (ControlWnd::*keyDown)(fw::Ref<fw::TextArea>, std::string);
};

inline constexpr int kGridSize = 10;

// All 100 cells, row-major: data11, data12 .. data110, data21 .. data1010.
inline constexpr std::array<GridCell, 100> kCells = {{
#define VANTREL_GRID_CELL(name, row, column) \
  {#name, row, column, &ControlWnd::name, &ControlWnd::name##_KeyDown},
    VANTREL_CELLS(VANTREL_GRID_CELL)
#undef VANTREL_GRID_CELL
}};

// The cell of row r, column c (both 1..10).
constexpr const GridCell& CellAt(int row, int column) {
  return kCells[static_cast<std::size_t>((row - 1) * kGridSize + (column - 1))];
}

// Geometry in window content coordinates. The column steps are 40 and 41 pixels in turn, with
// 41 twice at the end (column 10 at 426); the row steps are 23 once, then 24.
int CellLeft(int column);
int CellTop(int row);
inline constexpr int kCellWidth = 32;
inline constexpr int kCellHeight = 20;

// The cell's property list (46 entries).
std::string CellPropertyList(const GridCell& cell);

// The key filter shared by all 100 cells: true discards the key (after the alert sound), false
// lets the cell have it.
bool RefuseCellKey(const std::string& key);
