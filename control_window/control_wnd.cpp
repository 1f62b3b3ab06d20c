#include "control_window/control_wnd.h"

#include "control_window/cell_grid.h"
#include "control_window/fixed_controls.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "shell/menu.h"

fw::Ref<ControlWnd> ControlWnd::Instance() {
  return fw::ImplicitInstance<ControlWnd>();
}

void ControlWnd::Layout() {
  SetMenuBar(Menu::Instance());
  fw::SetProperties(SelfAs<fw::Object>(), design::WindowList());
}

void ControlWnd::CreateControls() {
  CreateControls0();
  CreateControls1();
  CreateControls2();
  CreateControls3();
}

// The frame RoundRectangle1 comes before any cell: every cell names it as its parent.
void ControlWnd::CreateControls0() {
  CreateTitleToFrame();
  CreateCellRows(1, 2);
}

void ControlWnd::CreateControls1() {
  CreateCellRows(3, 5);
}

void ControlWnd::CreateControls2() {
  CreateCellRows(6, 8);
}

void ControlWnd::CreateControls3() {
  CreateCellRows(9, 10);
  CreateCell(CellAt(1, 1));
  CreateCanvas1();
}

fw::Ref<ControlWnd> ControlWnd::Self() {
  return SelfAs<ControlWnd>();
}

fw::Ref<fw::Canvas> ControlWnd::ChiTitle() {
  return Find<fw::Canvas>("ChiTitle");
}
fw::Ref<fw::PushButton> ControlWnd::CalcBtn() {
  return Find<fw::PushButton>("CalcBtn");
}
fw::Ref<fw::PushButton> ControlWnd::ClearBtn() {
  return Find<fw::PushButton>("ClearBtn");
}
fw::Ref<fw::Label> ControlWnd::copyright() {
  return Find<fw::Label>("copyright");
}
fw::Ref<fw::Label> ControlWnd::var1Text() {
  return Find<fw::Label>("var1Text");
}
fw::Ref<fw::Label> ControlWnd::var2Text() {
  return Find<fw::Label>("var2Text");
}
fw::Ref<fw::Label> ControlWnd::ctext() {
  return Find<fw::Label>("ctext");
}
fw::Ref<fw::Label> ControlWnd::cctext() {
  return Find<fw::Label>("cctext");
}
fw::Ref<fw::Label> ControlWnd::ktext() {
  return Find<fw::Label>("ktext");
}
fw::Ref<fw::Label> ControlWnd::ptext() {
  return Find<fw::Label>("ptext");
}
fw::Ref<fw::RoundRectangle> ControlWnd::RoundRectangle1() {
  return Find<fw::RoundRectangle>("RoundRectangle1");
}
fw::Ref<fw::Canvas> ControlWnd::Canvas1() {
  return Find<fw::Canvas>("Canvas1");
}

bool ControlWnd::IsEventImplemented(const std::string& eventName) {
  return fw::RuntimeIsEventHandled(*this, "ControlWnd.ControlWnd", eventName, true);
}
