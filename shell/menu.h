// The one menu bar. (Stub: the menu work fills in the class.)
#pragma once

#include "framework/menu.h"

class Menu : public fw::MenuBar {
  FW_CLASS(Menu, fw::MenuBar, "Menu")
 public:
  // The single menu bar, built on the first call.
  static fw::Ref<Menu> Instance();
};

// Items of the application's menu bar, by name.
fw::Ref<fw::MenuItem> AboutMenuItem();
fw::Ref<fw::MenuItem> ControlMenuItem();
fw::Ref<fw::MenuItem> FilePrint();
