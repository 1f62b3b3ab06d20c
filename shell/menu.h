// The one menu bar: five menus, their items found by name only.
#pragma once

#include "framework/menu.h"
#include "framework/object.h"

class Menu : public fw::MenuBar {
  FW_CLASS(Menu, fw::MenuBar, "Menu")
 public:
  // The single menu bar, built on the first call and kept for the life of the process.
  static fw::Ref<Menu> Instance();

  // Builds the whole tree, one top-level menu after the other.
  void Constructor() override;
  virtual void Untitled0();  // the untitled first menu
  virtual void Untitled1();  // "File"
  virtual void Untitled2();  // "Edit"
  virtual void Untitled3();  // "Window"
  virtual void Untitled4();  // the untitled last menu

 protected:
  // Instance() for a bar of class M. The bar is kept only once its build has completed, so a
  // build that raises leaves nothing behind and the next call starts again with a new bar.
  template <class M>
  static fw::Ref<Menu> InstanceOf() {
    if (!implicitInstance) {
      fw::Ref<M> bar = fw::RuntimeNewObject<M>();
      bar->Constructor();
      implicitInstance = bar;
    }
    return implicitInstance;
  }

 private:
  inline static fw::Ref<Menu> implicitInstance;
};

// Items of the application's menu bar, by name; NilObjectException when there is no
// application object or it has no menu bar.
fw::Ref<fw::MenuItem> AboutMenuItem();
fw::Ref<fw::MenuItem> ControlMenuItem();
fw::Ref<fw::MenuItem> FilePrint();
