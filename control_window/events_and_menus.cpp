// The main window's reactions to the pointer, its own events and its menu items.
#include "control_window/control_wnd.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"

void ControlWnd::ChiTitle_MouseEnter(fw::Ref<fw::Canvas> /*sender*/) {
  copyright()->SetVisible(true);
}

void ControlWnd::ChiTitle_MouseExit(fw::Ref<fw::Canvas> /*sender*/) {
  copyright()->SetVisible(false);
}

bool ControlWnd::Canvas1_MouseDown(fw::Ref<fw::Canvas> /*sender*/, std::int64_t /*x*/,
                                   std::int64_t /*y*/) {
  DescriptionWnd::Instance()->Show();
  return false;
}

#define VANTREL_DEFINE_MENU_ITEM(name, cls)                         \
  fw::Ref<fw::cls> ControlWnd::name() {                             \
    return fw::RuntimeCheckCast<fw::cls>(MenuBar()->Lookup(#name)); \
  }
VANTREL_MENU_ITEMS(VANTREL_DEFINE_MENU_ITEM)
#undef VANTREL_DEFINE_MENU_ITEM

void ControlWnd::AddMenuHandlers() {
  fw::Ref<ControlWnd> self = fw::RuntimeCheckCast<ControlWnd>(SelfAs<fw::Window>());
  const struct {
    const char* item;
    bool (ControlWnd::*handler)();
  } handlers[] = {
      {"DescriptionMenuItem", &ControlWnd::DescriptionMenuItem_Action},
      {"AboutMenuItem", &ControlWnd::AboutMenuItem_Action},
      {"AboutVantrel", &ControlWnd::AboutVantrel_Action},
  };
  for (const auto& h : handlers)
    AddMenuHandler(h.item, fw::RuntimeCreateDelegate(h.handler, self, "(  ) as Boolean"));
}

// Closing the main window ends the program, whatever other windows are open.
void ControlWnd::Event_Close() {
  fw::Quit(0);
}

void ControlWnd::Event_Activate() {
  AboutWnd::Instance()->Hide();
}

void ControlWnd::Event_EnableMenuItems() {
  ControlMenuItem()->SetEnabled(false);
  DescriptionMenuItem()->SetEnabled(true);
  AboutMenuItem()->SetEnabled(true);
  AboutVantrel()->SetEnabled(true);
}

bool ControlWnd::DescriptionMenuItem_Action() {
  DescriptionWnd::Instance()->Show();
  return false;
}

bool ControlWnd::AboutMenuItem_Action() {
  AboutWnd::Instance()->Show();
  return false;
}

bool ControlWnd::AboutVantrel_Action() {
  AboutWnd::Instance()->Show();
  return false;
}
