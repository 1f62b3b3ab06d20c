// Windows: two-phase construction, implicit instances by class name, the window's own events,
// its controls (found by name), its menu bar and menu handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/events.h"
#include "framework/object.h"

namespace fw {

class Control;
class MenuBar;

class Window : public Object {
  FW_CLASS(Window, Object, "Window")
 public:
  Window();
  ~Window() override;

  // Runs Layout, CreateControls and AddMenuHandlers, shows the window when its Visible property
  // is true, then delivers Open. Afterwards the window is its class's live implicit instance.
  void Constructor();

  // Hooks called by Constructor.
  virtual void Layout() {}
  virtual void CreateControls() {}
  virtual void AddMenuHandlers() {}

  // The window's own events. The framework delivers an event only when IsEventImplemented
  // answers true for its name ("Open", "Close", "Activate", "EnableMenuItems", "KeyDown",
  // "MouseDown").
  virtual bool IsEventImplemented(const std::string& eventName);
  virtual void Event_Open() {}
  virtual void Event_Close() {}
  virtual void Event_Activate() {}
  virtual void Event_EnableMenuItems() {}
  // The keys no control took; true discards the key. While none of its controls has the focus,
  // a window that handles KeyDown gets every key before the menus do: menu shortcuts, mnemonics
  // (Alt with a letter) and F10 then open no menu and run no item.
  virtual bool Event_KeyDown(const std::string& key);
  virtual bool Event_MouseDown(std::int64_t x, std::int64_t y);

  void Show();  // visible, restored when minimised, in front and active
  void Hide();  // hidden, kept
  bool Visible() const;
  std::string Title() const;
  int Width() const;
  int Height() const;

  // The menu bar this window shows; nil when it has none of its own (then the application's
  // menu bar serves it).
  Ref<fw::MenuBar> MenuBar() const;
  void SetMenuBar(const Ref<fw::MenuBar>& bar);

  // Window.__New: a new, unconstructed control of class C that belongs to this window.
  template <class C>
  Ref<C> New() {
    Ref<C> c = RuntimeNewObject<C>();
    Adopt(Ref<Control>(c));
    return c;
  }
  void AddControl(const std::string& name, const Ref<Control>& control);
  // The control registered under the name; nil when there is none.
  Ref<Object> ControlByName(const std::string& name) const;

  // Runs the handler (signature "(  ) as Boolean") when the item of that name is chosen while
  // this window is frontmost.
  void AddMenuHandler(const std::string& itemName, const Ref<Delegate>& handler);

  void SetProperty(const std::string& name, const PropertyValue& value) override;

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  void Adopt(const Ref<Control>& control);
  std::unique_ptr<Impl> impl_;
};

// The live implicit instance of the class of that qualified name, or nil.
Ref<Window> GetImplicitWindow(const std::string& className);

// The live implicit instance of window class W; when there is none, a new W is made and
// constructed (which shows it when its Visible property is true).
template <class W>
Ref<W> ImplicitInstance() {
  Ref<Window> live = GetImplicitWindow(W::Class().name);
  if (!live) {
    Ref<W> made = RuntimeNewObject<W>();
    made->Constructor();
    live = made;
  }
  return RuntimeCheckCast<W>(live);
}

// The frontmost window that is shown and not minimised, or nil.
Ref<Window> FrontWindow();

}  // namespace fw
