#include "shell/about_wnd.h"

#include <cstdint>
#include <string>

#include "control_window/control_wnd.h"
#include "framework/events.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "shell/pictures.h"

const char* const kAboutNotice = "Vantrel 3.0, copyright \u00A9 2026 the Vantrel authors";

namespace {

constexpr std::int64_t kNoControlSet = -2147483648LL;

const std::string& WindowList() {
  static const std::string list = fw::PropertyListBuilder()
                                      .Add("Width", 506)
                                      .Add("Height", 200)
                                      .Add("MinimumWidth", 64)
                                      .Add("MinimumHeight", 64)
                                      .Add("MaximumWidth", 32000)
                                      .Add("MaximumHeight", 32000)
                                      .Add("Type", 2)
                                      .Add("Title", "")
                                      .Add("HasCloseButton", true)
                                      .Add("HasMaximizeButton", true)
                                      .Add("HasMinimizeButton", true)
                                      .Add("HasFullScreenButton", false)
                                      .Add("Resizeable", true)
                                      .Add("Composite", false)
                                      .Add("MacProcID", 0)
                                      .Add("FullScreen", false)
                                      .Add("DefaultLocation", 0)
                                      .Add("Visible", true)
                                      .Add("HasBackgroundColor", true)
                                      .Add("BackgroundColor", 0xFFFFFF)
                                      .Add("MenuBarVisible", true)
                                      .Add("LiveResize", false)
                                      .Bytes();
  return list;
}

const std::string& StaticText5List() {
  static const std::string list = fw::PropertyListBuilder()
                                      .Add("Name", "StaticText5")
                                      .Add("Index", kNoControlSet)
                                      .Add("Left", 20)
                                      .Add("Top", 121)
                                      .Add("Width", 472)
                                      .Add("Height", 21)
                                      .Add("LockLeft", true)
                                      .Add("LockTop", true)
                                      .Add("LockRight", true)
                                      .Add("LockBottom", true)
                                      .Add("TabIndex", 0)
                                      .Add("TabPanelIndex", 0)
                                      .Add("TabStop", true)
                                      .Add("Enabled", true)
                                      .Add("Multiline", true)
                                      .Add("Selectable", false)
                                      .Add("TextColor", 0x803F02)
                                      .Add("Transparent", false)
                                      .Add("Visible", true)
                                      .Add("Bold", true)
                                      .Add("Italic", false)
                                      .Add("Underline", false)
                                      .Add("DataSource", "")
                                      .Add("DataField", "")
                                      .Add("InitialParent", "")
                                      .Add("AllowAutoDeactivate", true)
                                      .Add("Tooltip", "")
                                      .Add("TextAlignment", 2)
                                      .Add("Value", kAboutNotice)
                                      .Add("FontName", "Times")
                                      .Add("FontSize", 12)
                                      .Add("FontUnit", 0)
                                      .Bytes();
  return list;
}

const std::string& Canvas1List() {
  static const std::string list = fw::PropertyListBuilder()
                                      .Add("Name", "Canvas1")
                                      .Add("Index", kNoControlSet)
                                      .Add("Left", 20)
                                      .Add("Top", 39)
                                      .Add("Width", 472)
                                      .Add("Height", 55)
                                      .Add("LockLeft", true)
                                      .Add("LockTop", true)
                                      .Add("LockRight", true)
                                      .Add("LockBottom", true)
                                      .Add("TabIndex", 2)
                                      .Add("TabPanelIndex", 0)
                                      .Add("TabStop", true)
                                      .Add("Enabled", true)
                                      .Add("Visible", true)
                                      .Add("DoubleBuffer", false)
                                      .Add("Transparent", true)
                                      .Add("InitialParent", "")
                                      .Add("AllowAutoDeactivate", true)
                                      .Add("Tooltip", "")
                                      .Add("AllowFocusRing", true)
                                      .Add("AllowFocus", false)
                                      .Add("AllowTabs", false)
                                      .Bytes();
  return list;
}

// One shot, 4000 ms after the window is made.
const std::string& Timer1List() {
  static const std::string list =
      fw::PropertyListBuilder().Add("Period", 4000).Add("RunMode", 1).Bytes();
  return list;
}

// The same in the timer's action, on a key press and on a mouse-down.
void HandOver() {
  AboutWnd::Instance()->Hide();
  // On the first hand-over this makes the main window, which shows itself; Show brings it to
  // the front on later ones.
  ControlWnd::Instance()->Show();
}

}  // namespace

fw::Ref<AboutWnd> AboutWnd::Instance() {
  return fw::ImplicitInstance<AboutWnd>();
}

void AboutWnd::Layout() {
  fw::SetProperties(SelfAs<fw::Object>(), WindowList());
}

void AboutWnd::CreateControls() {
  CreateControls0();
}

void AboutWnd::CreateControls0() {
  {
    fw::Ref<fw::Label> made = New<fw::Label>();
    made->Constructor();
    AddControl("StaticText5", made);
  }
  fw::SetProperties(StaticText5(), StaticText5List());

  {
    fw::Ref<fw::Canvas> made = New<fw::Canvas>();
    made->Constructor();
    AddControl("Canvas1", made);
  }
  Canvas1()->SetBackdrop(chi());
  fw::SetProperties(Canvas1(), Canvas1List());

  {
    fw::Ref<AboutWndTimer1> made = New<AboutWndTimer1>();
    made->Constructor();
    made->SetOwner(SelfAs<AboutWnd>());
    AddControl("Timer1", made);
  }
  fw::SetProperties(Timer1(), Timer1List());
  fw::RuntimeAddEventHandler(
      Timer1(), fw::EventId::TimerAction,
      fw::RuntimeCreateDelegate(&AboutWnd::Timer1_Action, SelfAs<AboutWnd>(), "( Timer )"));
}

fw::Ref<fw::Label> AboutWnd::StaticText5() {
  return fw::RuntimeCheckCast<fw::Label>(ControlByName("StaticText5"));
}

fw::Ref<fw::Canvas> AboutWnd::Canvas1() {
  return fw::RuntimeCheckCast<fw::Canvas>(ControlByName("Canvas1"));
}

fw::Ref<fw::Timer> AboutWnd::Timer1() {
  return fw::RuntimeCheckCast<fw::Timer>(ControlByName("Timer1"));
}

void AboutWnd::Timer1_Action(fw::Ref<fw::Timer>) {
  HandOver();
}

void AboutWnd::AddMenuHandlers() {
  fw::Ref<AboutWnd> self = fw::RuntimeCheckCast<AboutWnd>(SelfAs<fw::Window>());
  AddMenuHandler("AboutMenuItem", fw::RuntimeCreateDelegate(&AboutWnd::AboutMenuItem_Action, self,
                                                            "(  ) as Boolean"));
}

// Any key: with no control to take the focus, the window gets the menus' keys (F10, Alt with a
// letter, the shortcuts) first too. The key is let through: the hand-over does not consume it.
bool AboutWnd::Event_KeyDown(const std::string&) {
  HandOver();
  return false;
}

bool AboutWnd::Event_MouseDown(std::int64_t, std::int64_t) {
  HandOver();
  return false;
}

bool AboutWnd::AboutMenuItem_Action() {
  Instance()->Show();
  return false;
}

bool AboutWnd::IsEventImplemented(const std::string& eventName) {
  return fw::RuntimeIsEventHandled(*this, Class().name, eventName, true);
}
