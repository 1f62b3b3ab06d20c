#include "shell/description_wnd.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "control_window/control_wnd.h"
#include "framework/events.h"
#include "framework/printing.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "framework/text.h"
#include "shell/about_wnd.h"
#include "shell/description_text.h"
#include "shell/menu.h"

namespace {

constexpr std::int64_t kNoControlSet = -2147483648LL;

// The page the text is laid out on is fixed; the framework puts it on the paper chosen in the
// print dialog, shrunk only where that paper's printable area is smaller. Each page carries one
// block at (kMargin, kMargin), kPageWidth - 48 wide and kPageHeight - 48 high.
constexpr double kPageWidth = 540;
constexpr double kPageHeight = 648;
constexpr double kMargin = 36;

const std::string& WindowList() {
  static const std::string list = fw::PropertyListBuilder()
                                      .Add("Width", 427)
                                      .Add("Height", 491)
                                      .Add("MinimumWidth", 64)
                                      .Add("MinimumHeight", 64)
                                      .Add("MaximumWidth", 32000)
                                      .Add("MaximumHeight", 32000)
                                      .Add("Type", 0)
                                      .Add("Title", "Description")
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
                                      .Add("HasBackgroundColor", false)
                                      .Add("BackgroundColor", 0xFFFFFF)
                                      .Add("MenuBarVisible", true)
                                      .Add("LiveResize", false)
                                      .Bytes();
  return list;
}

// What sets the two fields apart; everything else in their lists is the same.
struct FieldDesign {
  const char* name;
  int left, top, width, height;
  int tabIndex;
  bool readOnly, hasBorder, allowStyledText;
  const char* fontName;
  int fontSize;
  std::string_view value;
};

std::string FieldList(const FieldDesign& d) {
  return fw::PropertyListBuilder()
      .Add("Name", d.name)
      .Add("Index", kNoControlSet)
      .Add("Left", d.left)
      .Add("Top", d.top)
      .Add("Width", d.width)
      .Add("Height", d.height)
      .Add("LockLeft", true)
      .Add("LockTop", true)
      .Add("LockRight", true)
      .Add("LockBottom", true)
      .Add("TabIndex", d.tabIndex)
      .Add("TabPanelIndex", 0)
      .Add("TabStop", true)
      .Add("Enabled", true)
      .Add("Visible", true)
      .Add("Multiline", true)
      .Add("ReadOnly", d.readOnly)
      .Add("HasBorder", d.hasBorder)
      .Add("AllowStyledText", d.allowStyledText)
      .Add("Transparent", true)
      .Add("HasVerticalScrollbar", true)
      .Add("HasHorizontalScrollbar", false)
      .Add("HideSelection", true)
      .Add("AllowFocusRing", false)
      .Add("AllowAutoDeactivate", true)
      .Add("AllowTabs", false)
      .Add("AllowSpellChecking", true)
      .Add("FontName", d.fontName)
      .Add("FontSize", d.fontSize)
      .Add("FontUnit", 0)
      .Add("Bold", false)
      .Add("Italic", false)
      .Add("Underline", false)
      .Add("TextColor", 0x000000)
      .Add("BackgroundColor", 0xFFFFFF)
      .Add("TextAlignment", 0)
      .Add("LineHeight", 0.0)
      .Add("LineSpacing", 1.0)
      .Add("MaximumCharactersAllowed", 0)
      .Add("Format", "")
      .Add("DataSource", "")
      .Add("DataField", "")
      .Add("InitialParent", "")
      .Add("Tooltip", "")
      .Add("ValidationMask", "")
      .Add("Value", d.value)
      .Bytes();
}

const std::string& DescribeFldList() {
  static const std::string list =
      FieldList({"DescribeFld", 1, -1, 427, 478, 0, true, true, false, "Courier", 10, "\r"});
  return list;
}

const std::string& DescribeFld2List() {
  static const std::string list = FieldList(
      {"DescribeFld2", -1, -1, 429, 476, 1, false, false, true, "times", 11, DescriptionText()});
  return list;
}

}  // namespace

fw::Ref<DescriptionWnd> DescriptionWnd::Instance() {
  return fw::ImplicitInstance<DescriptionWnd>();
}

void DescriptionWnd::Layout() {
  fw::SetProperties(SelfAs<fw::Object>(), WindowList());
}

void DescriptionWnd::CreateControls() {
  CreateControls0();
}

void DescriptionWnd::CreateControls0() {
  const struct {
    const char* name;
    const std::string& (*list)();
  } fields[] = {{"DescribeFld", DescribeFldList}, {"DescribeFld2", DescribeFld2List}};
  for (const auto& field : fields) {
    {
      fw::Ref<fw::TextArea> made = New<fw::TextArea>();
      made->Constructor();
      AddControl(field.name, made);
    }
    fw::SetProperties(fw::RuntimeCheckCast<fw::TextArea>(ControlByName(field.name)), field.list());
  }
}

fw::Ref<fw::TextArea> DescriptionWnd::DescribeFld() {
  return fw::RuntimeCheckCast<fw::TextArea>(ControlByName("DescribeFld"));
}

fw::Ref<fw::TextArea> DescriptionWnd::DescribeFld2() {
  return fw::RuntimeCheckCast<fw::TextArea>(ControlByName("DescribeFld2"));
}

void DescriptionWnd::AddMenuHandlers() {
  fw::Ref<DescriptionWnd> self = fw::RuntimeCheckCast<DescriptionWnd>(SelfAs<fw::Window>());
  const struct {
    const char* item;
    bool (DescriptionWnd::*handler)();
  } handlers[] = {
      {"ControlMenuItem", &DescriptionWnd::ControlMenuItem_Action},
      {"AboutMenuItem", &DescriptionWnd::AboutMenuItem_Action},
      {"FilePrint", &DescriptionWnd::FilePrint_Action},
  };
  for (const auto& h : handlers)
    AddMenuHandler(h.item, fw::RuntimeCreateDelegate(h.handler, self, "(  ) as Boolean"));
}

// Printing stays possible only while a Description window is there to serve it.
void DescriptionWnd::Event_Close() {
  FilePrint()->SetEnabled(false);
}

// The heading shows bold, the rest plain; the selection is left on the heading.
void DescriptionWnd::Event_Open() {
  fw::Ref<fw::TextArea> field = DescribeFld2();
  field->SetSelStart(0);
  field->SetSelLength(fw::Len(kDescriptionHeading));
  field->SetSelBold(true);
}

void DescriptionWnd::Event_EnableMenuItems() {
  ControlMenuItem()->SetEnabled(true);
  AboutMenuItem()->SetEnabled(true);
  FilePrint()->SetEnabled(true);
}

bool DescriptionWnd::ControlMenuItem_Action() {
  ControlWnd::Instance()->Show();
  return false;
}

bool DescriptionWnd::AboutMenuItem_Action() {
  AboutWnd::Instance()->Show();
  return false;
}

// Prints the field's current text, the user's edits and styles included. A new page is started
// only between blocks, never after the last one; a cancelled dialog prints nothing. The pages,
// their order and the copies chosen in the dialog are the framework's to honour.
bool DescriptionWnd::FilePrint_Action() {
  fw::Ref<fw::Graphics> page = fw::OpenPrinterDialog();
  if (!page) return false;
  fw::Ref<fw::StyledTextPrinter> printer = DescribeFld2()->StyledTextPrinter(page, kPageWidth - 48);
  while (!printer->Eof()) {
    printer->DrawBlock(kMargin, kMargin, kPageHeight - 48);
    if (!printer->Eof()) page->NextPage();
  }
  return false;
}

bool DescriptionWnd::IsEventImplemented(const std::string& eventName) {
  return fw::RuntimeIsEventHandled(*this, Class().name, eventName, true);
}
