#include "control_window/cell_grid.h"
#include "stats/calculate_run.h"

void ControlWnd::ClearBtn_Action(fw::Ref<fw::PushButton> /*sender*/) {
  for (const GridCell& cell : kCells) (this->*cell.accessor)()->SetText("");
  // The only place that shows again the cells a Calculate run hid.
  for (const GridCell& cell : kCells) (this->*cell.accessor)()->SetVisible(true);
  stats::Reset();
  data11()->SetFocus();
  // The labels keep their texts; the next run rewrites each one as it shows it.
  ctext()->SetVisible(false);
  cctext()->SetVisible(false);
  ktext()->SetVisible(false);
  ptext()->SetVisible(false);
}
