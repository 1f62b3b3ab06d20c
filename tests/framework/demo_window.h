// A small window that uses every control, event and property type of the framework, built the
// way the program's windows are: design data as property lists, controls found by name, handlers
// bound through delegates with their signature texts. It logs what the framework calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/events.h"
#include "framework/menu.h"
#include "framework/property_list.h"
#include "framework/window.h"

class DemoWnd : public fw::Window {
  FW_CLASS(DemoWnd, fw::Window, "DemoWnd.DemoWnd", "Open", "Close", "Activate", "EnableMenuItems",
           "KeyDown", "MouseDown")
 public:
  // The live instance, made (and shown) when there is none.
  static fw::Ref<DemoWnd> Instance() {
    if (fw::Ref<fw::Window> w = fw::GetImplicitWindow("DemoWnd.DemoWnd"))
      return fw::RuntimeCheckCast<DemoWnd>(w);
    fw::Ref<DemoWnd> w = fw::RuntimeNewObject<DemoWnd>();
    w->Constructor();
    return w;
  }

  // Design data of the window; tests change it before Constructor runs.
  bool visibleAtStart = true;
  bool resizeable = false;
  fw::Ref<fw::MenuBar> ownBar;

  std::vector<std::string> log;        // hooks and window events, in order
  std::vector<std::string> fieldKeys;  // keys Field1's KeyDown received
  std::string discardKeys;             // characters Field1's KeyDown discards
  int actions = 0, ticks = 0;
  std::vector<std::string> pointer;  // Picture's enter, exit and down events
  std::vector<std::string> windowKeys;
  bool visibleAtOpen = false;
  int menuHandlerCalls = 0;
  bool menuHandlerResult = false;

  void Layout() override {
    log.push_back("Layout");
    if (ownBar) SetMenuBar(ownBar);
    fw::PropertyListBuilder b;
    b.Add("Width", 400).Add("Height", 300).Add("MinimumWidth", 64).Add("MinimumHeight", 64);
    b.Add("MaximumWidth", 800).Add("MaximumHeight", 600).Add("Type", 0).Add("Title", "Demo");
    b.Add("HasCloseButton", true).Add("HasMaximizeButton", resizeable);
    b.Add("HasMinimizeButton", resizeable).Add("HasFullScreenButton", false);
    b.Add("Resizeable", resizeable).Add("Composite", false).Add("MacProcID", 0);
    b.Add("FullScreen", false).Add("DefaultLocation", 0).Add("Visible", visibleAtStart);
    b.Add("HasBackgroundColor", true).Add("BackgroundColor", 0xFFFFFF);
    b.Add("MenuBarVisible", true).Add("LiveResize", false);
    fw::SetProperties(SelfAs<fw::Object>(), b.Bytes());
  }

  void CreateControls() override {
    log.push_back("CreateControls");
    Make<fw::RoundRectangle>("Frame", fw::PropertyListBuilder()
                                          .Add("Left", 10)
                                          .Add("Top", 40)
                                          .Add("Width", 200)
                                          .Add("Height", 100)
                                          .Add("TabIndex", 0)
                                          .Add("FillColor", 0xFFCC66)
                                          .Add("BorderColor", 0x8C0000)
                                          .Add("BorderThickness", 2.0)
                                          .Add("CornerWidth", 16.0)
                                          .Add("CornerHeight", 16.0)
                                          .Add("InitialParent", ""));
    // Made before Field1 but later in tab order.
    Make<fw::TextArea>("Field2", Field("Field2", 70, 2));
    Make<fw::TextArea>("Field1", Field("Field1", 20, 1));
    Make<fw::TextArea>("Note", fw::PropertyListBuilder()
                                   .Add("Left", 220)
                                   .Add("Top", 40)
                                   .Add("Width", 170)
                                   .Add("Height", 100)
                                   .Add("TabIndex", 3)
                                   .Add("Multiline", true)
                                   .Add("AllowStyledText", true)
                                   .Add("ReadOnly", false)
                                   .Add("HasBorder", false)
                                   .Add("HasVerticalScrollbar", true)
                                   .Add("FontName", "times")
                                   .Add("FontSize", 11)
                                   .Add("FontUnit", 0)
                                   .Add("LineSpacing", 1.0)
                                   .Add("Value", "Heading\rSecond line\rThird"));
    Make<fw::Label>("Caption", fw::PropertyListBuilder()
                                   .Add("Left", 10)
                                   .Add("Top", 150)
                                   .Add("Width", 120)
                                   .Add("Height", 60)
                                   .Add("TabIndex", 4)
                                   .Add("TabStop", true)
                                   .Add("Multiline", true)
                                   .Add("TextAlignment", 2)
                                   .Add("TextColor", 0x803F02)
                                   .Add("FontName", "System")
                                   .Add("FontSize", 12)
                                   .Add("Bold", true)
                                   .Add("Value", "one\rtwo\r\rfour"));
    Make<fw::PushButton>("Button", fw::PropertyListBuilder()
                                       .Add("Left", 150)
                                       .Add("Top", 220)
                                       .Add("Width", 80)
                                       .Add("Height", 30)
                                       .Add("TabIndex", 2)
                                       .Add("TabStop", true)
                                       .Add("Cancel", false)
                                       .Add("Default", false)
                                       .Add("Caption", "Press")
                                       .Add("FontName", "System")
                                       .Add("FontSize", 12));
    Make<fw::Canvas>("Picture", fw::PropertyListBuilder()
                                    .Add("Left", 300)
                                    .Add("Top", 200)
                                    .Add("Width", 40)
                                    .Add("Height", 40)
                                    .Add("TabIndex", 5)
                                    .Add("TabStop", false)
                                    .Add("AllowFocus", false)
                                    .Add("Transparent", true)
                                    .Add("Transparent", true));
    Make<fw::Timer>("Tick", fw::PropertyListBuilder().Add("Period", 20).Add("RunMode", 0));

    fw::RuntimeAddEventHandler(
        ControlByName("Field1"), fw::EventId::KeyDown,
        fw::RuntimeCreateDelegate(&DemoWnd::Field1_KeyDown, SelfAs<DemoWnd>(),
                                  "( TextArea, String ) as Boolean"));
    fw::RuntimeAddEventHandler(
        ControlByName("Button"), fw::EventId::Action,
        fw::RuntimeCreateDelegate(&DemoWnd::Button_Action, SelfAs<DemoWnd>(), "( PushButton )"));
    fw::RuntimeAddEventHandler(
        ControlByName("Picture"), fw::EventId::MouseEnter,
        fw::RuntimeCreateDelegate(&DemoWnd::Picture_MouseEnter, SelfAs<DemoWnd>(), "( Canvas )"));
    fw::RuntimeAddEventHandler(
        ControlByName("Picture"), fw::EventId::MouseExit,
        fw::RuntimeCreateDelegate(&DemoWnd::Picture_MouseExit, SelfAs<DemoWnd>(), "( Canvas )"));
    fw::RuntimeAddEventHandler(
        ControlByName("Picture"), fw::EventId::MouseDown,
        fw::RuntimeCreateDelegate(&DemoWnd::Picture_MouseDown, SelfAs<DemoWnd>(),
                                  "( Canvas, Integer, Integer ) as Boolean"));
    fw::RuntimeAddEventHandler(
        ControlByName("Tick"), fw::EventId::TimerAction,
        fw::RuntimeCreateDelegate(&DemoWnd::Tick_Action, SelfAs<DemoWnd>(), "( Timer )"));
  }

  void AddMenuHandlers() override {
    log.push_back("AddMenuHandlers");
    AddMenuHandler("DemoItem", fw::RuntimeCreateDelegate(&DemoWnd::DemoItem_Action,
                                                         SelfAs<DemoWnd>(), "(  ) as Boolean"));
  }

  void Event_Open() override {
    log.push_back("Open");
    visibleAtOpen = Visible();
  }
  void Event_Close() override { log.push_back("Close"); }
  void Event_Activate() override { log.push_back("Activate"); }
  void Event_EnableMenuItems() override { log.push_back("EnableMenuItems"); }
  bool Event_KeyDown(const std::string& key) override {
    windowKeys.push_back(key);
    return false;
  }
  bool Event_MouseDown(std::int64_t x, std::int64_t y) override {
    log.push_back("MouseDown " + std::to_string(x) + "," + std::to_string(y));
    return false;
  }

  // Accessors, as the program's windows have them.
  fw::Ref<fw::RoundRectangle> Frame() { return Self<fw::RoundRectangle>("Frame"); }
  fw::Ref<fw::TextArea> Field1() { return Self<fw::TextArea>("Field1"); }
  fw::Ref<fw::TextArea> Field2() { return Self<fw::TextArea>("Field2"); }
  fw::Ref<fw::TextArea> Note() { return Self<fw::TextArea>("Note"); }
  fw::Ref<fw::Label> Caption() { return Self<fw::Label>("Caption"); }
  fw::Ref<fw::PushButton> Button() { return Self<fw::PushButton>("Button"); }
  fw::Ref<fw::Canvas> Picture() { return Self<fw::Canvas>("Picture"); }
  fw::Ref<fw::Timer> Tick() { return Self<fw::Timer>("Tick"); }

  bool Field1_KeyDown(fw::Ref<fw::TextArea>, std::string key) {
    fieldKeys.push_back(key);
    return !key.empty() && discardKeys.find(key[0]) != std::string::npos;
  }
  void Button_Action(const fw::Ref<fw::PushButton>&) { ++actions; }
  void Picture_MouseEnter(fw::Ref<fw::Canvas>) { pointer.push_back("enter"); }
  void Picture_MouseExit(fw::Ref<fw::Canvas>) { pointer.push_back("exit"); }
  bool Picture_MouseDown(fw::Ref<fw::Canvas>, std::int64_t x, std::int64_t y) {
    pointer.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    return true;
  }
  void Tick_Action(fw::Ref<fw::Timer>) { ++ticks; }
  bool DemoItem_Action() {
    ++menuHandlerCalls;
    return menuHandlerResult;
  }

 private:
  template <class C>
  fw::Ref<C> Self(const std::string& name) {
    return fw::RuntimeCheckCast<C>(ControlByName(name));
  }

  template <class C>
  void Make(const std::string& name, const fw::PropertyListBuilder& list) {
    fw::Ref<C> c = New<C>();
    c->Constructor();
    AddControl(name, c);
    fw::SetProperties(ControlByName(name), list.Bytes());
  }

  static fw::PropertyListBuilder Field(const std::string& name, int left, int tabIndex) {
    fw::PropertyListBuilder b;
    b.Add("Name", name).Add("Index", std::int64_t{-2147483648}).Add("Left", left).Add("Top", 55);
    b.Add("Width", 40).Add("Height", 20).Add("TabIndex", tabIndex).Add("TabStop", true);
    b.Add("BackgroundColor", 0xFFFFFF).Add("HasBorder", true).Add("Multiline", false);
    b.Add("TextColor", 0x000000).Add("FontName", "Courier").Add("FontSize", 10.0);
    b.Add("Value", "").Add("AllowTabs", false).Add("TextAlignment", 2);
    b.Add("MaximumCharactersAllowed", 4).Add("ReadOnly", false).Add("InitialParent", "Frame");
    return b;
  }
};

// A window that implements no events of its own.
class PlainWnd : public fw::Window {
  FW_CLASS(PlainWnd, fw::Window, "PlainWnd.PlainWnd")
 public:
  std::vector<std::string> log;
  void Layout() override {
    fw::SetProperties(SelfAs<fw::Object>(), fw::PropertyListBuilder()
                                                .Add("Width", 200)
                                                .Add("Height", 100)
                                                .Add("Title", "Plain")
                                                .Add("Visible", true)
                                                .Bytes());
  }
  void Event_Open() override { log.push_back("Open"); }
  void Event_Close() override { log.push_back("Close"); }
  void Event_Activate() override { log.push_back("Activate"); }
  void Event_EnableMenuItems() override { log.push_back("EnableMenuItems"); }
  bool Event_KeyDown(const std::string&) override {
    log.push_back("KeyDown");
    return false;
  }
};

// Gives the field a KeyDown handler that fails on every key, as a handler meeting nil would.
inline void BindFailingKeyDown(const fw::Ref<fw::TextArea>& field) {
  fw::RuntimeAddEventHandler(
      field, fw::EventId::KeyDown,
      fw::RuntimeCreateDelegate(
          std::function<bool(fw::Ref<fw::TextArea>, std::string)>(
              [](fw::Ref<fw::TextArea>, std::string) -> bool { throw fw::NilObjectException(); }),
          "( TextArea, String ) as Boolean"));
}

// A menu item (or a kind of one) as design data makes it.
template <class T = fw::MenuItem>
fw::Ref<fw::MenuItem> MakeMenuItem(const std::string& name, const std::string& caption,
                                   const std::string& shortcut = "") {
  fw::Ref<T> item = fw::RuntimeNewObject<T>();
  item->Constructor();
  item->SetName(name);
  item->SetValue(caption);
  item->SetShortcut(shortcut);
  return item;
}
