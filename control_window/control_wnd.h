// The main data-entry window. (Stub: the control-window work fills in the class.)
#pragma once

#include "framework/window.h"

class ControlWnd : public fw::Window {
  FW_CLASS(ControlWnd, fw::Window, "ControlWnd.ControlWnd", "Close", "Activate", "EnableMenuItems")
 public:
  // The one live main window; made (and thereby shown) when there is none.
  static fw::Ref<ControlWnd> Instance();
};
