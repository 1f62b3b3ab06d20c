// A live main window on the offscreen platform, driven as a user drives it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "control_window/cell_grid.h"
#include "control_window/control_wnd.h"
#include "framework/testing/testing.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = ControlWnd::Instance();
    fw::testing::ParkMouse();
    fw::testing::ProcessEvents();
  }
  void TearDown() override { fw::testing::DestroyAllWindows(); }

  fw::Ref<fw::TextArea> Cell(int row, int column) {
    return (w.get()->*CellAt(row, column).accessor)();
  }

  // Types the rows of a table into the top-left block of the grid, one key press a character.
  void Type(std::initializer_list<std::initializer_list<const char*>> rows) {
    int r = 1;
    for (const auto& row : rows) {
      int c = 1;
      for (const char* text : row) {
        if (*text != '\0') fw::testing::TypeText(Cell(r, c), text);
        ++c;
      }
      ++r;
    }
  }

  void Calculate() { fw::testing::Click(w->CalcBtn()); }
  void Clear() { fw::testing::Click(w->ClearBtn()); }

  // The cells of the grid that are hidden, by name, row-major.
  std::vector<std::string> HiddenCells() {
    std::vector<std::string> hidden;
    for (const GridCell& cell : kCells)
      if (!(w.get()->*cell.accessor)()->Visible()) hidden.push_back(cell.name);
    return hidden;
  }

  fw::Ref<fw::RectControl> Focused() { return fw::testing::FocusedControl(w); }

  fw::Ref<ControlWnd> w;
};
