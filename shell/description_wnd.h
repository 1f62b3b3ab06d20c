// The Description window. (Stub: the shell work fills in the class.)
#pragma once

#include "framework/window.h"

class DescriptionWnd : public fw::Window {
  FW_CLASS(DescriptionWnd, fw::Window, "DescriptionWnd.DescriptionWnd", "Open", "Close",
           "EnableMenuItems")
 public:
  // The one live Description window; made (and thereby shown) when there is none.
  static fw::Ref<DescriptionWnd> Instance();
};
