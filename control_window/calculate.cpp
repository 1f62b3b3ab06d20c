// One Calculate click: from the 100 cell texts to the result lines. The stages compute; this
// side shows their boxes, hides the cells outside the table and writes the labels.
#include "control_window/cell_grid.h"
#include "framework/dialogs.h"
#include "stats/calculate_run.h"

void ControlWnd::CalcBtn_Action(fw::Ref<fw::PushButton> /*sender*/) {
  stats::CellTexts texts{};
  for (const GridCell& cell : kCells)
    texts[static_cast<std::size_t>(cell.row)][static_cast<std::size_t>(cell.column)] =
        (this->*cell.accessor)()->Text();

  const stats::CheckResult check = stats::CheckTable(texts);
  if (check.endedAt != stats::CheckEnd::Passed) {
    fw::MsgBox(check.message);
    // Only the size message sends the user back to data11; after the missing-data message
    // the focus stays where the user left it.
    if (check.focusFirstCell) data11()->SetFocus();
    return;
  }
  // Hiding only ever hides: cells hidden by an earlier run stay hidden until Clear.
  for (const stats::CellPos& pos : check.hide)
    (this->*CellAt(pos.r, pos.c).accessor)()->SetVisible(false);

  const stats::Statistics result = stats::StatisticsStage(texts);
  if (result.sparseMessage) fw::MsgBox(*result.sparseMessage);
  ctext()->SetVisible(true);
  ctext()->SetText(result.ctext);
  cctext()->SetVisible(true);
  cctext()->SetText(result.cctext);
  ptext()->SetVisible(true);
  ptext()->SetText(result.ptext);
  if (result.ktext) {
    ktext()->SetVisible(true);
    ktext()->SetText(*result.ktext);
  } else {
    // No kappa for a table that is not square: an earlier table's kappa line must not read as
    // this table's. The text stays, as Clear leaves it.
    ktext()->SetVisible(false);
  }
  data11()->SetFocus();
}
