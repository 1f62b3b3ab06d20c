// The main data-entry window: the 10 x 10 cell grid in its rounded frame, the axis captions, the
// result lines, the Calculate and Clear buttons, the title and help pictures.
//
// The window keeps no control in a field: every accessor looks its control up by name and checks
// its class on each call.
#pragma once

#include <cstdint>
#include <string>

#include "control_window/cell_names.h"
#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/window.h"

// The items of the menu bar, with the class each accessor returns.
#define VANTREL_MENU_ITEMS(X)      \
  X(UntitledMenu4, MenuItem)       \
  X(WindowMenu, MenuItem)          \
  X(UntitledMenu5, AppleMenuItem)  \
  X(AboutVantrel, AppleMenuItem)   \
  X(UntitledMenu6, MenuItem)       \
  X(AboutMenuItem, MenuItem)       \
  X(DescriptionMenuItem, MenuItem) \
  X(ControlMenuItem, MenuItem)     \
  X(UntitledMenu0, MenuItem)       \
  X(UntitledMenu7, MenuItem)       \
  X(EditClear, MenuItem)           \
  X(EditPaste, MenuItem)           \
  X(EditCopy, MenuItem)            \
  X(EditCut, MenuItem)             \
  X(UntitledMenu1, MenuItem)       \
  X(EditUndo, MenuItem)            \
  X(UntitledMenu2, MenuItem)       \
  X(UntitledMenu8, MenuItem)       \
  X(FileQuit, QuitMenuItem)        \
  X(FilePrint, MenuItem)           \
  X(UntitledMenu3, MenuItem)

struct GridCell;

class ControlWnd : public fw::Window {
  FW_CLASS(ControlWnd, fw::Window, "ControlWnd.ControlWnd", "Close", "Activate", "EnableMenuItems")
 public:
  // The one live main window; made (and thereby shown) when there is none.
  static fw::Ref<ControlWnd> Instance();

  void Layout() override;
  void CreateControls() override;
  void CreateControls0();
  void CreateControls1();
  void CreateControls2();
  void CreateControls3();

  // Control accessors.
  fw::Ref<fw::Canvas> ChiTitle();
  fw::Ref<fw::PushButton> CalcBtn();
  fw::Ref<fw::PushButton> ClearBtn();
  fw::Ref<fw::Label> copyright();
  fw::Ref<fw::Label> var1Text();
  fw::Ref<fw::Label> var2Text();
  fw::Ref<fw::Label> ctext();
  fw::Ref<fw::Label> cctext();
  fw::Ref<fw::Label> ktext();
  fw::Ref<fw::Label> ptext();
  fw::Ref<fw::RoundRectangle> RoundRectangle1();
#define VANTREL_DECLARE_CELL(name, row, column) fw::Ref<fw::TextArea> name();
  VANTREL_CELLS(VANTREL_DECLARE_CELL)
#undef VANTREL_DECLARE_CELL
  fw::Ref<fw::Canvas> Canvas1();

  // Control event handlers.
  void ChiTitle_MouseExit(fw::Ref<fw::Canvas> sender);
  void ChiTitle_MouseEnter(fw::Ref<fw::Canvas> sender);
  void CalcBtn_Action(fw::Ref<fw::PushButton> sender);
  void ClearBtn_Action(fw::Ref<fw::PushButton> sender);
#define VANTREL_DECLARE_KEY_DOWN(name, row, column) \
  bool name##_KeyDown(fw::Ref<fw::TextArea> sender, std::string key);
  VANTREL_CELLS(VANTREL_DECLARE_KEY_DOWN)
#undef VANTREL_DECLARE_KEY_DOWN
  bool Canvas1_MouseDown(fw::Ref<fw::Canvas> sender, std::int64_t x, std::int64_t y);

  // Menu-item accessors: the item of that name in this window's menu bar.
#define VANTREL_DECLARE_MENU_ITEM(name, cls) fw::Ref<fw::cls> name();
  VANTREL_MENU_ITEMS(VANTREL_DECLARE_MENU_ITEM)
#undef VANTREL_DECLARE_MENU_ITEM

  void AddMenuHandlers() override;
  void Event_Close() override;
  void Event_Activate() override;
  void Event_EnableMenuItems() override;
  bool DescriptionMenuItem_Action();
  bool AboutMenuItem_Action();
  bool AboutVantrel_Action();

  bool IsEventImplemented(const std::string& eventName) override;

 private:
  // The creation sequence of each control (control_window/fixed_controls.cpp,
  // control_window/cell_grid.cpp).
  void CreateTitleToFrame();
  void CreateCanvas1();
  void CreateCellRows(int firstRow, int lastRow);
  void CreateCell(const GridCell& cell);

  // Step 1 of every control's creation: allocate for this window, construct, register by name.
  template <class C>
  void Make(const char* name) {
    fw::Ref<C> made = New<C>();
    made->Constructor();
    AddControl(name, made);
  }
  template <class C>
  fw::Ref<C> Find(const char* name) const;
  fw::Ref<ControlWnd> Self();
};

template <class C>
fw::Ref<C> ControlWnd::Find(const char* name) const {
  return fw::RuntimeCheckCast<C>(ControlByName(name));
}
