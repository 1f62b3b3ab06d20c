// The splash/About window. (Stub: the shell work fills in the class.)
#pragma once

#include "framework/window.h"

class AboutWnd : public fw::Window {
  FW_CLASS(AboutWnd, fw::Window, "AboutWnd.AboutWnd", "KeyDown", "MouseDown")
 public:
  // The one live About window; made (and thereby shown) when there is none.
  static fw::Ref<AboutWnd> Instance();
};
