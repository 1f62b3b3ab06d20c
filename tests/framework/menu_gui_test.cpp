// Menus: one model drawn by every window, handlers by item name on the frontmost window,
// EnableMenuItems before a menu shows, the Quit item and the Edit items.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/application.h"
#include "framework/menu.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "framework/text.h"

namespace {

using namespace fw::testing;

// A second window class with the same handlers, to tell the frontmost window's from the other's.
class OtherWnd : public DemoWnd {
  FW_CLASS(OtherWnd, DemoWnd, "OtherWnd.OtherWnd", "EnableMenuItems")
};

fw::Ref<fw::MenuBar> MakeBar() {
  fw::Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  bar->AddMenu(MakeMenuItem("UntitledMenu3", ""));
  bar->AddMenu(MakeMenuItem("FileMenu", "File"));
  bar->Child("FileMenu")->AddMenu(MakeMenuItem("FilePrint", "Print"));
  bar->Child("FileMenu")->AddMenu(MakeMenuItem<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
  bar->AddMenu(MakeMenuItem("EditMenu", "Edit"));
  fw::Ref<fw::MenuItem> edit = bar->Child("EditMenu");
  edit->AddMenu(MakeMenuItem("EditUndo", "Undo", "Cmd+Z"));
  fw::Ref<fw::MenuItem> separator = fw::RuntimeNewObject<fw::MenuItem>();
  separator->SetName("EditSeparator");
  separator->SetValue("-");
  edit->AddMenu(separator);
  edit->AddMenu(MakeMenuItem("EditCut", "Cut", "Cmd+X"));
  edit->AddMenu(MakeMenuItem("EditCopy", "Copy", "Cmd+C"));
  edit->AddMenu(MakeMenuItem("EditPaste", "Paste", "Cmd+V"));
  edit->AddMenu(MakeMenuItem("EditClear", ""));
  bar->AddMenu(MakeMenuItem("WindowMenu", "Window & more"));
  bar->Child("WindowMenu")->AddMenu(MakeMenuItem("DemoItem", "Demo"));
  bar->Child("WindowMenu")->AddMenu(MakeMenuItem<fw::AppleMenuItem>("AboutItem", "About"));
  return bar;
}

class MenuTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    bar = MakeBar();
    app = fw::RuntimeNewObject<fw::Application>();
    app->SetMenuBar(bar);
    fw::RuntimeRegisterAppObject(app);
  }
  void TearDown() override {
    GuiTest::TearDown();
    fw::RuntimeRegisterAppObject(nullptr);
  }
  static ShownMenuItem ShownItem(const fw::Ref<fw::Window>& w, const std::string& menu,
                                 const std::string& name) {
    for (const ShownMenuItem& item : ShownItems(w, menu))
      if (item.name == name) return item;
    ADD_FAILURE() << name << " is not shown in " << menu;
    return {};
  }
  // Consumes a pending Quit, so that the exit status of the next test starts clean.
  static void EndPendingQuit() { fw::RuntimeRun(); }

  fw::Ref<fw::MenuBar> bar;
  fw::Ref<fw::Application> app;
  MessageBoxRecorder boxes;
};

TEST_F(MenuTest, AWindowShowsTheApplicationsMenuBarAsItsOwn) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  EXPECT_FALSE(w->MenuBar()) << "no bar of its own";
  // The untitled first menu is not drawn; the AppleMenuItem goes to a Help menu at the end.
  EXPECT_EQ(ShownTopLevelCaptions(w),
            (std::vector<std::string>{"File", "Edit", "Window & more", "Help"}));
  const std::vector<ShownMenuItem> edit = ShownItems(w, "EditMenu");
  ASSERT_EQ(edit.size(), 5u) << "the item with an empty caption is not drawn";
  EXPECT_EQ(edit[0].caption, "Undo");
  EXPECT_EQ(edit[0].shortcut, "Ctrl+Z") << "Cmd is the primary modifier";
  EXPECT_TRUE(edit[1].separator);
  EXPECT_EQ(edit[4].shortcut, "Ctrl+V");
  EXPECT_EQ(ShownItems(w, "Edit").size(), 5u) << "a top-level menu is found by caption too";
}

// An empty caption hides a menu or an item from view only: the model keeps it, lookups find
// it, and it shows once it has a caption.
TEST_F(MenuTest, EmptyCaptionsAreNotDrawnButStayInTheModel) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  EXPECT_TRUE(bar->Lookup("EditClear"));
  EXPECT_EQ(bar->Count(), 4) << "the untitled menu is still the bar's first";
  EXPECT_THROW(OpenMenu(w, "UntitledMenu3"), fw::RuntimeException) << "not drawn";

  bar->Lookup("EditClear")->SetValue("Clear");
  bar->Lookup("UntitledMenu3")->SetValue("Tools");
  EXPECT_EQ(ShownTopLevelCaptions(w),
            (std::vector<std::string>{"Tools", "File", "Edit", "Window & more", "Help"}));
  EXPECT_EQ(ShownItems(w, "EditMenu").back().caption, "Clear");
}

TEST_F(MenuTest, AppleMenuItemsAreDrawnInAHelpMenuAtTheEnd) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  w->AddMenuHandler("AboutItem",
                    fw::RuntimeCreateDelegate(&DemoWnd::DemoItem_Action, w, "(  ) as Boolean"));
  const std::vector<ShownMenuItem> help = ShownItems(w, "Help");
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].name, "AboutItem");
  EXPECT_EQ(help[0].caption, "About");
  EXPECT_EQ(ShownItems(w, "WindowMenu").size(), 1u) << "moved, not copied";
  EXPECT_TRUE(bar->Lookup("AboutItem")->Parent() == bar->Child("WindowMenu")) << "model unchanged";

  ChooseMenuItem(w, "AboutItem");
  EXPECT_EQ(w->menuHandlerCalls, 1) << "handled by name, wherever it is drawn";

  // With nothing to show, there is no Help menu.
  bar->Lookup("AboutItem")->SetValue("");
  EXPECT_EQ(ShownTopLevelCaptions(w), (std::vector<std::string>{"File", "Edit", "Window & more"}));
}

TEST_F(MenuTest, ShortcutTextsMapToThePlatformsKeys) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Cmd+Q", "Ctrl+Q"},     {"Cmd+Shift+S", "Ctrl+Shift+S"},
      {"Option+F4", "Alt+F4"}, {"", ""},
      {"Hyper+Q", ""},         {"P", "Ctrl+P"},
  };
  fw::Ref<fw::MenuItem> print = bar->Lookup("FilePrint");
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  for (const auto& [shortcut, shown] : cases) {
    print->SetShortcut(shortcut);
    EXPECT_EQ(ShownItem(w, "FileMenu", "FilePrint").shortcut, shown) << shortcut;
  }
}

TEST_F(MenuTest, EveryWindowDrawsTheOneModelAndFollowsItsChanges) {
  fw::Ref<DemoWnd> own = fw::RuntimeNewObject<DemoWnd>();
  own->ownBar = bar;
  own->Constructor();
  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  plain->Constructor();
  EXPECT_TRUE(own->MenuBar() == bar);

  bar->Lookup("FilePrint")->SetEnabled(false);
  bar->Lookup("DemoItem")->SetValue("Renamed");
  bar->Lookup("AboutItem")->SetVisible(false);
  bar->Child("WindowMenu")->AddMenu(MakeMenuItem("Added", "Added later"));
  for (const fw::Ref<fw::Window>& w : {fw::Ref<fw::Window>(own), fw::Ref<fw::Window>(plain)}) {
    EXPECT_FALSE(ShownItem(w, "FileMenu", "FilePrint").enabled);
    const std::vector<ShownMenuItem> items = ShownItems(w, "WindowMenu");
    ASSERT_EQ(items.size(), 2u) << "the hidden item is not shown";
    EXPECT_EQ(items[0].caption, "Renamed");
    EXPECT_EQ(items[1].caption, "Added later");
  }
}

TEST_F(MenuTest, ChoosingRunsTheHandlerOfTheFrontmostWindow) {
  fw::Ref<DemoWnd> demo = DemoWnd::Instance();
  fw::Ref<OtherWnd> other = fw::RuntimeNewObject<OtherWnd>();
  other->Constructor();

  Activate(other);
  ChooseMenuItem(other, "DemoItem");
  EXPECT_EQ(other->menuHandlerCalls, 1);
  EXPECT_EQ(demo->menuHandlerCalls, 0);

  Activate(demo);
  ChooseMenuItem(demo, "DemoItem");
  EXPECT_EQ(demo->menuHandlerCalls, 1);
  EXPECT_EQ(other->menuHandlerCalls, 1);

  // A window in front without a handler for the item: nothing runs.
  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  plain->Constructor();
  ChooseMenuItem(plain, "DemoItem");
  EXPECT_EQ(demo->menuHandlerCalls + other->menuHandlerCalls, 2);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(MenuTest, EnableMenuItemsOfTheFrontmostWindowRunsBeforeAMenuShows) {
  fw::Ref<DemoWnd> demo = DemoWnd::Instance();
  fw::Ref<OtherWnd> other = fw::RuntimeNewObject<OtherWnd>();
  other->Constructor();
  Activate(demo);
  demo->log.clear();
  other->log.clear();

  OpenMenu(demo, "WindowMenu");
  EXPECT_EQ(demo->log, std::vector<std::string>{"EnableMenuItems"});
  EXPECT_TRUE(other->log.empty());

  // What the handler sets is what the menu shows, and a disabled item cannot be chosen.
  struct Disabling : DemoWnd {
    void Event_EnableMenuItems() override {
      fw::GetAppObject()->MenuBar()->Lookup("DemoItem")->SetEnabled(false);
    }
  };
  DestroyAllWindows();
  fw::Ref<Disabling> w = fw::RuntimeNewObject<Disabling>();
  w->Constructor();
  ChooseMenuItem(w, "DemoItem");
  EXPECT_EQ(w->menuHandlerCalls, 0);
  EXPECT_FALSE(ShownItem(w, "WindowMenu", "DemoItem").enabled);
}

// ---- Automatic enabling ----

// Before a menu shows, an item is enabled exactly when choosing it would do something: the
// frontmost window has a handler for it, or it quits.
TEST_F(MenuTest, AutoEnabledItemsAreEnabledWhenTheFrontWindowHandlesThem) {
  fw::Ref<DemoWnd> demo = DemoWnd::Instance();
  OpenMenu(demo, "WindowMenu");
  EXPECT_TRUE(bar->Lookup("DemoItem")->Enabled());
  EXPECT_FALSE(bar->Lookup("AboutItem")->Enabled()) << "no window handles it";
  EXPECT_FALSE(bar->Lookup("FilePrint")->Enabled());
  EXPECT_TRUE(bar->Lookup("FileQuit")->Enabled());
  EXPECT_FALSE(ShownItem(demo, "FileMenu", "FilePrint").enabled) << "as drawn";

  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  plain->Constructor();
  OpenMenu(plain, "FileMenu");
  EXPECT_FALSE(ShownItem(plain, "WindowMenu", "DemoItem").enabled) << "the front window decides";
  EXPECT_TRUE(ShownItem(plain, "FileMenu", "FileQuit").enabled);
}

TEST_F(MenuTest, ItemsWithoutAutoEnabledKeepTheirState) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  bar->Lookup("FilePrint")->SetAutoEnabled(false);
  bar->Lookup("DemoItem")->SetAutoEnabled(false);
  bar->Lookup("DemoItem")->SetEnabled(false);
  OpenMenu(w, "FileMenu");
  EXPECT_TRUE(bar->Lookup("FilePrint")->Enabled()) << "nobody handles it, but it is left alone";
  EXPECT_FALSE(bar->Lookup("DemoItem")->Enabled());
}

// The window's EnableMenuItems runs after the framework's pass, so its rules win.
TEST_F(MenuTest, EnableMenuItemsHasTheLastWord) {
  struct Deciding : DemoWnd {
    void Event_EnableMenuItems() override {
      fw::Ref<fw::MenuBar> menus = fw::GetAppObject()->MenuBar();
      menus->Lookup("FilePrint")->SetEnabled(true);
      menus->Lookup("DemoItem")->SetEnabled(false);
    }
  };
  fw::Ref<Deciding> w = fw::RuntimeNewObject<Deciding>();
  w->Constructor();
  OpenMenu(w, "FileMenu");
  EXPECT_TRUE(ShownItem(w, "FileMenu", "FilePrint").enabled);
  EXPECT_FALSE(ShownItem(w, "WindowMenu", "DemoItem").enabled);
}

// The Edit items do something when the focused text field can do it now.
struct EditCase {
  const char* name;
  std::function<void(DemoWnd&)> setUp;
  bool undo, cut, copy, paste;
};

class EditEnablingTest : public MenuTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditEnablingTest, EditItemsFollowTheFocusedField) {
  const EditCase& c = GetParam();
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  SetClipboardText("");
  c.setUp(*w);
  OpenMenu(w, "EditMenu");
  EXPECT_EQ(ShownItem(w, "EditMenu", "EditUndo").enabled, c.undo);
  EXPECT_EQ(ShownItem(w, "EditMenu", "EditCut").enabled, c.cut);
  EXPECT_EQ(ShownItem(w, "EditMenu", "EditCopy").enabled, c.copy);
  EXPECT_EQ(ShownItem(w, "EditMenu", "EditPaste").enabled, c.paste);
}

void SelectAll(const fw::Ref<fw::TextArea>& field) {
  field->SetFocus();
  field->SetSelStart(0);
  field->SetSelLength(fw::Len(field->Text()));
}

INSTANTIATE_TEST_SUITE_P(
    , EditEnablingTest,
    ::testing::Values(EditCase{"EmptyField", [](DemoWnd& w) { w.Field1()->SetFocus(); }, false,
                               false, false, false},
                      EditCase{"TypedAndSelected",
                               [](DemoWnd& w) {
                                 TypeText(w.Field1(), "12");
                                 SelectAll(w.Field1());
                               },
                               true, true, true, false},
                      EditCase{"TextOnTheClipboard",
                               [](DemoWnd& w) {
                                 SetClipboardText("7");
                                 w.Field2()->SetFocus();
                               },
                               false, false, false, true},
                      EditCase{"ReadOnlyFieldWithASelection",
                               [](DemoWnd& w) {
                                 fw::SetProperties(
                                     w.Note(),
                                     fw::PropertyListBuilder().Add("ReadOnly", true).Bytes());
                                 SetClipboardText("7");
                                 SelectAll(w.Note());
                               },
                               false, false, true, false},
                      EditCase{"NoTextFieldFocused",
                               [](DemoWnd& w) {
                                 SetClipboardText("7");
                                 w.Button()->SetFocus();
                               },
                               false, false, false, false}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

// ---- Keyboard access ----

// F10 opens the first drawn menu, Alt with the first letter of a caption opens that menu.
TEST_F(MenuTest, KeysOpenTheMenus) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"F10", "File"},   {"Alt+F", "File"}, {"Alt+E", "Edit"}, {"Alt+W", "Window & more"},
      {"Alt+H", "Help"},
  };
  for (const auto& [keys, menu] : cases) {
    w->Field1()->SetFocus();
    PressKeys(w, keys);
    EXPECT_EQ(OpenMenuCaption(), menu) << keys;
    CloseOpenMenus();
  }
  EXPECT_TRUE(w->fieldKeys.empty()) << "the field got none of them";
}

TEST_F(MenuTest, ArrowKeysAndReturnWorkInAnOpenMenu) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  PressKeys(w, "F10");
  PressKeys(w, "Right");
  EXPECT_EQ(OpenMenuCaption(), "Edit");
  PressKeys(w, "Right");
  PressKeys(w, "Down");
  PressKeys(w, "Return");
  EXPECT_EQ(w->menuHandlerCalls, 1) << "the first item of the Window menu was chosen";
  EXPECT_EQ(OpenMenuCaption(), "");
}

// A caption that starts with a digit takes its first letter: Alt with a digit stays a key for
// the focused field.
TEST_F(MenuTest, AltWithADigitGoesToTheField) {
  bar->Lookup("UntitledMenu3")->SetValue("1st");
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  w->Field1()->SetFocus();
  PressKeys(w, "Alt+1");
  EXPECT_EQ(OpenMenuCaption(), "");
  EXPECT_EQ(w->fieldKeys, std::vector<std::string>{"1"});
  PressKeys(w, "Alt+S");
  EXPECT_EQ(OpenMenuCaption(), "1st");
  CloseOpenMenus();
}

TEST_F(MenuTest, TheHandlersResultDecidesWhetherTheItemsOwnActionRuns) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  w->AddMenuHandler("FileQuit",
                    fw::RuntimeCreateDelegate(&DemoWnd::DemoItem_Action, w, "(  ) as Boolean"));
  fw::Quit(7);
  w->menuHandlerResult = true;
  ChooseMenuItem(w, "FileQuit");
  EXPECT_EQ(w->menuHandlerCalls, 1);
  EXPECT_EQ(fw::RuntimeExit(), 7) << "handled: no quit";
  w->menuHandlerResult = false;
  ChooseMenuItem(w, "FileQuit");
  EXPECT_EQ(fw::RuntimeExit(), 0) << "not handled: the Quit item quits with 0";
  EndPendingQuit();
}

TEST_F(MenuTest, QuitItemAndItsShortcutQuitWithZero) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  fw::Quit(7);
  ChooseMenuItem(w, "FileQuit");
  EXPECT_EQ(fw::RuntimeExit(), 0);

  fw::Quit(7);
  TypeCtrlKey(w->Field1(), 'Q');  // a text field leaves Ctrl+Q to the menu
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_TRUE(w->fieldKeys.empty());
  EndPendingQuit();
}

TEST_F(MenuTest, EditItemsActOnTheFocusedTextField) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  w->Field1()->SetText("12");
  w->Field1()->SetFocus();
  w->Field1()->SetSelStart(0);
  w->Field1()->SetSelLength(2);
  ChooseMenuItem(w, "EditCut");
  EXPECT_EQ(w->Field1()->Text(), "");

  w->Field2()->SetFocus();
  ChooseMenuItem(w, "EditPaste");
  EXPECT_EQ(w->Field2()->Text(), "12");
  ChooseMenuItem(w, "EditUndo");
  EXPECT_EQ(w->Field2()->Text(), "");

  w->Note()->SetFocus();
  w->Note()->SetSelStart(0);
  w->Note()->SetSelLength(7);
  ChooseMenuItem(w, "EditCopy");
  w->Field2()->SetFocus();
  BeepRecorder beeps;
  ChooseMenuItem(w, "EditPaste");
  EXPECT_EQ(w->Field2()->Text(), "") << "a paste that does not fit the field's limit is refused";
  EXPECT_EQ(beeps.Count(), 1);

  w->Button()->SetFocus();
  ChooseMenuItem(w, "EditPaste");  // no text field has the focus: nothing happens
  EXPECT_TRUE(w->fieldKeys.empty()) << "a cut offers no keys, and Field2 has no KeyDown handler";
  EXPECT_TRUE(boxes.Texts().empty());

  // Into a field with a KeyDown handler, a menu Paste goes only as the handler takes the text
  // typed: here it refuses the third key, so nothing goes in. Every road for such text, and
  // what the handler is offered on each: inserted_text_gui_test.cpp.
  w->discardKeys = "a";
  SetClipboardText("Hea");  // fits the field, so the handler is asked
  w->Field1()->SetFocus();
  ChooseMenuItem(w, "EditPaste");
  EXPECT_EQ(w->fieldKeys, (std::vector<std::string>{"H", "e", "a"}));
  EXPECT_EQ(w->Field1()->Text(), "");
}

TEST_F(MenuTest, AFailingMenuHandlerIsReported) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  w->AddMenuHandler("DemoItem", fw::RuntimeCreateDelegate(std::function<bool()>([]() -> bool {
                                                            throw fw::NilObjectException();
                                                          }),
                                                          "(  ) as Boolean"));
  ChooseMenuItem(w, "DemoItem");
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"An exception of class NilObjectException was not handled."});
  EXPECT_THROW(w->AddMenuHandler("DemoItem",
                                 fw::RuntimeCreateDelegate(std::function<void()>([] {}), "(  )")),
               fw::RuntimeException);
}

TEST_F(MenuTest, LookupSearchesTheWholeTreeAndChildOnlyDirectItems) {
  EXPECT_TRUE(bar->Lookup("EditPaste"));
  EXPECT_FALSE(bar->Child("EditPaste"));
  EXPECT_TRUE(bar->Child("EditMenu")->Child("EditPaste") == bar->Lookup("EditPaste"));
  EXPECT_FALSE(bar->Lookup("Nothing"));
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Lookup("FileQuit")));
  EXPECT_TRUE(bar->Lookup("EditCut")->Parent() == bar->Child("EditMenu"));
}

}  // namespace
