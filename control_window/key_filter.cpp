#include "control_window/cell_grid.h"
#include "framework/dialogs.h"
#include "framework/text.h"

// Cells take digits and the editing and navigation keys (control codes and Delete) from the
// keyboard; anything else is refused with the alert sound. Text pasted, dropped or committed
// by an input method is offered here a character at a time, so the same rule holds for it.
bool RefuseCellKey(const std::string& key) {
  const std::int64_t code = fw::Asc(key);
  // Whole-text comparisons: a multi-character key text that starts with "0".."8" passes.
  const bool digit =
      fw::RuntimeStringCompare(key, "0") >= 0 && fw::RuntimeStringCompare(key, "9") <= 0;
  if (digit || code < 32 || code == 127) return false;
  fw::Beep();
  return true;
}
