#include "control_window/cell_grid.h"

#include "framework/events.h"
#include "framework/property_list.h"

namespace {

constexpr std::array<int, kGridSize> kColumnLeft = {61,  101, 142, 182, 223,
                                                    263, 304, 344, 385, 426};
constexpr std::array<int, kGridSize> kRowTop = {122, 145, 169, 193, 217, 241, 265, 289, 313, 337};

constexpr std::int64_t kNoControlSet = -2147483648LL;

}  // namespace

int CellLeft(int column) {
  return kColumnLeft.at(static_cast<std::size_t>(column - 1));
}
int CellTop(int row) {
  return kRowTop.at(static_cast<std::size_t>(row - 1));
}

std::string CellPropertyList(const GridCell& cell) {
  // data11 and data12 carry no lock flags; the window cannot be resized, so the flags move
  // nothing either way.
  const bool locked = !(cell.row == 1 && (cell.column == 1 || cell.column == 2));
  const std::int64_t tabIndex = 10 * (cell.row - 1) + cell.column;
  fw::PropertyListBuilder b;
  b.Add("Name", cell.name)
      .Add("Index", kNoControlSet)
      .Add("Left", CellLeft(cell.column))
      .Add("Top", CellTop(cell.row))
      .Add("Width", kCellWidth)
      .Add("Height", kCellHeight)
      .Add("LockLeft", locked)
      .Add("LockTop", locked)
      .Add("LockRight", locked)
      .Add("LockBottom", locked)
      .Add("TabIndex", tabIndex)
      .Add("TabPanelIndex", 0)
      .Add("TabStop", true)
      .Add("AllowAutoDeactivate", true)
      .Add("BackgroundColor", 0xFFFFFFu)
      .Add("HasBorder", true)
      .Add("Enabled", true)
      .Add("Format", "")
      .Add("Tooltip", "")
      .Add("HideSelection", true)
      .Add("LineHeight", 0.0)
      .Add("LineSpacing", 1.0)
      .Add("Multiline", false)
      .Add("HasHorizontalScrollbar", false)
      .Add("HasVerticalScrollbar", false)
      .Add("AllowStyledText", false)
      .Add("TextColor", 0x000000u)
      .Add("Transparent", true)
      .Add("AllowFocusRing", true)
      .Add("Visible", true)
      .Add("Bold", false)
      .Add("Italic", false)
      .Add("FontName", "Courier")
      .Add("FontSize", 10.0)
      .Add("FontUnit", 0)
      .Add("Underline", false)
      .Add("Value", "")
      .Add("AllowTabs", false)
      .Add("TextAlignment", 2)
      .Add("AllowSpellChecking", true)
      .Add("MaximumCharactersAllowed", 4)
      .Add("ValidationMask", "")
      .Add("ReadOnly", false)
      .Add("DataSource", "")
      .Add("DataField", "")
      .Add("InitialParent", "RoundRectangle1");
  return b.Bytes();
}

void ControlWnd::CreateCell(const GridCell& cell) {
  Make<fw::TextArea>(cell.name);
  fw::SetProperties(Find<fw::TextArea>(cell.name), CellPropertyList(cell));
  fw::RuntimeAddEventHandler(
      Find<fw::TextArea>(cell.name), fw::EventId::KeyDown,
      fw::RuntimeCreateDelegate(cell.keyDown, Self(), "( TextArea, String ) as Boolean"));
}

// Rows firstRow..lastRow, row-major; data11 is left out, since it is made last of all cells.
void ControlWnd::CreateCellRows(int firstRow, int lastRow) {
  for (const GridCell& cell : kCells) {
    if (cell.row < firstRow || cell.row > lastRow) continue;
    if (&cell == &CellAt(1, 1)) continue;
    CreateCell(cell);
  }
}

#define VANTREL_DEFINE_CELL(name, row, column)                                         \
  fw::Ref<fw::TextArea> ControlWnd::name() {                                           \
    return Find<fw::TextArea>(#name);                                                  \
  }                                                                                    \
  bool ControlWnd::name##_KeyDown(fw::Ref<fw::TextArea> /*sender*/, std::string key) { \
    return RefuseCellKey(key);                                                         \
  }
VANTREL_CELLS(VANTREL_DEFINE_CELL)
#undef VANTREL_DEFINE_CELL
