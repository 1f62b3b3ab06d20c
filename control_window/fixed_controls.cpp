// Design data of the window and of every control but the cells, and their creation.
#include "control_window/fixed_controls.h"

#include <cstdint>
#include <string>

#include "control_window/control_wnd.h"
#include "framework/events.h"
#include "framework/property_list.h"
#include "shell/pictures.h"

namespace {

constexpr std::int64_t kNoControlSet = -2147483648LL;
constexpr char kCR = '\r';

struct Place {
  int left, top, width, height;
};

struct Locks {
  bool left, top, right, bottom;
};
constexpr Locks kAllLocked{true, true, true, true};

// The head every fixed control's list starts with. RoundRectangle1 has no TabStop entry.
fw::PropertyListBuilder Head(const char* name, Place at, Locks locks, int tabIndex,
                             const bool* tabStop) {
  fw::PropertyListBuilder b;
  b.Add("Name", name)
      .Add("Index", kNoControlSet)
      .Add("Left", at.left)
      .Add("Top", at.top)
      .Add("Width", at.width)
      .Add("Height", at.height)
      .Add("LockLeft", locks.left)
      .Add("LockTop", locks.top)
      .Add("LockRight", locks.right)
      .Add("LockBottom", locks.bottom)
      .Add("TabIndex", tabIndex)
      .Add("TabPanelIndex", 0);
  if (tabStop != nullptr) b.Add("TabStop", *tabStop);
  b.Add("AllowAutoDeactivate", true);
  return b;
}

std::string CanvasList(const char* name, Place at, Locks locks, int tabIndex) {
  const bool tabStop = false;
  fw::PropertyListBuilder b = Head(name, at, locks, tabIndex, &tabStop);
  b.Add("Enabled", true)
      .Add("Tooltip", "")
      .Add("AllowFocusRing", true)
      .Add("Visible", true)
      .Add("AllowFocus", false)
      .Add("AllowTabs", false)
      .Add("Transparent", true)
      .Add("DoubleBuffer", false)
      .Add("Transparent", true)
      .Add("InitialParent", "");
  return b.Bytes();
}

std::string ButtonList(const char* name, Place at, int tabIndex, const char* caption) {
  const bool tabStop = true;
  fw::PropertyListBuilder b = Head(name, at, kAllLocked, tabIndex, &tabStop);
  // Neither default nor cancel, so Return and Escape press neither button.
  b.Add("MacButtonStyle", 0)
      .Add("Cancel", false)
      .Add("Caption", caption)
      .Add("Default", false)
      .Add("Enabled", true)
      .Add("Tooltip", "")
      .Add("Transparent", true)
      .Add("Visible", true)
      .Add("FontName", "System")
      .Add("FontSize", 12.0)
      .Add("FontUnit", 0)
      .Add("Bold", false)
      .Add("Italic", false)
      .Add("Underline", false)
      .Add("InitialParent", "");
  return b.Bytes();
}

struct LabelLook {
  bool tabStop;
  bool multiline;
  int alignment;  // 0 left, 2 centred
  std::uint32_t textColor;
  bool visible;
  bool bold;
  const char* fontName;
  double fontSize;
};

std::string LabelList(const char* name, Place at, int tabIndex, const std::string& value,
                      const LabelLook& look) {
  fw::PropertyListBuilder b = Head(name, at, kAllLocked, tabIndex, &look.tabStop);
  b.Add("Enabled", true)
      .Add("Tooltip", "")
      .Add("Multiline", look.multiline)
      .Add("Selectable", false)
      .Add("TextAlignment", look.alignment)
      .Add("TextColor", look.textColor)
      .Add("Transparent", false)
      .Add("Value", value)
      .Add("Visible", look.visible)
      .Add("Bold", look.bold)
      .Add("Italic", false)
      .Add("FontName", look.fontName)
      .Add("Underline", false)
      .Add("FontSize", look.fontSize)
      .Add("FontUnit", 0)
      .Add("DataSource", "")
      .Add("DataField", "")
      .Add("InitialParent", "");
  return b.Bytes();
}

constexpr LabelLook kCaption{false, false, 0, 0x000000, true, true, "System", 12.0};
constexpr LabelLook kResultLine{true, false, 0, 0x000000, false, false, "Courier", 12.0};

std::string Var2Caption() {
  std::string s;
  for (char letter : std::string("Variable")) {
    s += letter;
    s += kCR;
  }
  s += kCR;
  s += '#';
  s += kCR;
  s += '2';
  return s;
}

std::string RoundRectangleList() {
  fw::PropertyListBuilder b =
      Head("RoundRectangle1", {48, 111, 424, 256}, {false, false, false, false}, 0, nullptr);
  b.Add("BorderColor", 0x8C0000u)
      .Add("BorderThickness", 2.0)
      .Add("Enabled", true)
      .Add("FillColor", 0xFFCC66u)
      .Add("Tooltip", "")
      .Add("CornerHeight", 16.0)
      .Add("CornerWidth", 16.0)
      .Add("Transparent", true)
      .Add("Visible", true)
      .Add("InitialParent", "");
  return b.Bytes();
}

}  // namespace

namespace design {

const char* const kCopyrightNotice = "Vantrel - Copyright (c) 2026 The Vantrel authors";
constexpr const char* kVar1Caption = "V    a    r    i    a    b    l    e         #1";

std::string WindowList() {
  fw::PropertyListBuilder b;
  b.Add("Width", 500)
      .Add("Height", 475)
      .Add("MinimumWidth", 64)
      .Add("MinimumHeight", 64)
      .Add("MaximumWidth", 500)
      .Add("MaximumHeight", 500)
      .Add("Type", 0)
      .Add("Title", "Vantrel")
      .Add("HasCloseButton", true)
      .Add("HasMaximizeButton", false)
      .Add("HasMinimizeButton", false)
      .Add("HasFullScreenButton", false)
      .Add("Resizeable", false)
      .Add("Composite", false)
      .Add("MacProcID", 0)
      .Add("FullScreen", false)
      .Add("DefaultLocation", 0)
      .Add("Visible", true)
      .Add("HasBackgroundColor", true)
      .Add("BackgroundColor", 0xFFFFFFu)
      .Add("MenuBarVisible", true)
      .Add("LiveResize", false);
  return b.Bytes();
}

std::string ChiTitleList() {
  return CanvasList("ChiTitle", {18, 6, 462, 48}, kAllLocked, 1);
}
std::string CalcBtnList() {
  return ButtonList("CalcBtn", {21, 435, 80, 30}, 2, "Calculate");
}
std::string ClearBtnList() {
  return ButtonList("ClearBtn", {404, 435, 80, 30}, 3, "Clear");
}
std::string CopyrightList() {
  return LabelList("copyright", {174, 49, 294, 16}, 4, kCopyrightNotice,
                   {false, false, 0, 0x803F02, false, false, "courier", 10.0});
}
std::string Var1TextList() {
  return LabelList("var1Text", {152, 92, 225, 17}, 5, kVar1Caption, kCaption);
}
std::string Var2TextList() {
  LabelLook look = kCaption;
  look.multiline = true;
  look.alignment = 2;
  return LabelList("var2Text", {22, 149, 17, 179}, 6, Var2Caption(), look);
}
// The chi-square line runs to 46 characters (seven integer digits, a two-digit df), about 332
// pixels of Courier 12; its label reaches the frame's right edge, where its row is free.
std::string CtextList() {
  return LabelList("ctext", {50, 371, 422, 18}, 7, "Chi-square = ", kResultLine);
}
std::string CctextList() {
  return LabelList("cctext", {50, 387, 250, 18}, 8, "Contingency coefficient = ", kResultLine);
}
std::string KtextList() {
  return LabelList("ktext", {343, 403, 125, 18}, 9, "Kappa = ", kResultLine);
}
std::string PtextList() {
  return LabelList("ptext", {50, 403, 250, 18}, 10, "Phi coefficient = ", kResultLine);
}
std::string RoundRectangle1List() {
  return RoundRectangleList();
}
std::string Canvas1List() {
  return CanvasList("Canvas1", {242, 436, 27, 32}, {true, true, false, false}, 11);
}

}  // namespace design

void ControlWnd::CreateTitleToFrame() {
  Make<fw::Canvas>("ChiTitle");
  Find<fw::Canvas>("ChiTitle")->SetBackdrop(chi());
  fw::SetProperties(Find<fw::Canvas>("ChiTitle"), design::ChiTitleList());
  fw::RuntimeAddEventHandler(
      Find<fw::Canvas>("ChiTitle"), fw::EventId::MouseExit,
      fw::RuntimeCreateDelegate(&ControlWnd::ChiTitle_MouseExit, Self(), "( Canvas )"));
  fw::RuntimeAddEventHandler(
      Find<fw::Canvas>("ChiTitle"), fw::EventId::MouseEnter,
      fw::RuntimeCreateDelegate(&ControlWnd::ChiTitle_MouseEnter, Self(), "( Canvas )"));

  Make<fw::PushButton>("CalcBtn");
  fw::SetProperties(Find<fw::PushButton>("CalcBtn"), design::CalcBtnList());
  fw::RuntimeAddEventHandler(
      Find<fw::PushButton>("CalcBtn"), fw::EventId::Action,
      fw::RuntimeCreateDelegate(&ControlWnd::CalcBtn_Action, Self(), "( PushButton )"));

  Make<fw::PushButton>("ClearBtn");
  fw::SetProperties(Find<fw::PushButton>("ClearBtn"), design::ClearBtnList());
  fw::RuntimeAddEventHandler(
      Find<fw::PushButton>("ClearBtn"), fw::EventId::Action,
      fw::RuntimeCreateDelegate(&ControlWnd::ClearBtn_Action, Self(), "( PushButton )"));

  const struct {
    const char* name;
    std::string (*list)();
  } labels[] = {
      {"copyright", design::CopyrightList}, {"var1Text", design::Var1TextList},
      {"var2Text", design::Var2TextList},   {"ctext", design::CtextList},
      {"cctext", design::CctextList},       {"ktext", design::KtextList},
      {"ptext", design::PtextList},
  };
  for (const auto& label : labels) {
    Make<fw::Label>(label.name);
    fw::SetProperties(Find<fw::Label>(label.name), label.list());
  }

  Make<fw::RoundRectangle>("RoundRectangle1");
  fw::SetProperties(Find<fw::RoundRectangle>("RoundRectangle1"), design::RoundRectangle1List());
}

void ControlWnd::CreateCanvas1() {
  Make<fw::Canvas>("Canvas1");
  Find<fw::Canvas>("Canvas1")->SetBackdrop(Quest32());
  fw::SetProperties(Find<fw::Canvas>("Canvas1"), design::Canvas1List());
  fw::RuntimeAddEventHandler(Find<fw::Canvas>("Canvas1"), fw::EventId::MouseDown,
                             fw::RuntimeCreateDelegate(&ControlWnd::Canvas1_MouseDown, Self(),
                                                       "( Canvas, Integer, Integer ) as Boolean"));
}
