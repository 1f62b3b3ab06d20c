// Menus: one model drawn by every window, handlers by item name on the frontmost window,
// EnableMenuItems before a menu shows, the Quit item and the Edit items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/application.h"
#include "framework/menu.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

// A second window class with the same handlers, to tell the frontmost window's from the other's.
class OtherWnd : public DemoWnd {
  FW_CLASS(OtherWnd, DemoWnd, "OtherWnd.OtherWnd", "EnableMenuItems")
};

template <class T = fw::MenuItem>
fw::Ref<fw::MenuItem> Item(const std::string& name, const std::string& caption,
                           const std::string& shortcut = "") {
  fw::Ref<T> item = fw::RuntimeNewObject<T>();
  item->Constructor();
  item->SetName(name);
  item->SetValue(caption);
  item->SetShortcut(shortcut);
  return item;
}

fw::Ref<fw::MenuBar> MakeBar() {
  fw::Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  bar->AddMenu(Item("UntitledMenu3", ""));
  bar->AddMenu(Item("FileMenu", "File"));
  bar->Child("FileMenu")->AddMenu(Item("FilePrint", "Print"));
  bar->Child("FileMenu")->AddMenu(Item<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
  bar->AddMenu(Item("EditMenu", "Edit"));
  fw::Ref<fw::MenuItem> edit = bar->Child("EditMenu");
  edit->AddMenu(Item("EditUndo", "Undo", "Cmd+Z"));
  fw::Ref<fw::MenuItem> separator = fw::RuntimeNewObject<fw::MenuItem>();
  separator->SetName("EditSeparator");
  separator->SetValue("-");
  edit->AddMenu(separator);
  edit->AddMenu(Item("EditCut", "Cut", "Cmd+X"));
  edit->AddMenu(Item("EditCopy", "Copy", "Cmd+C"));
  edit->AddMenu(Item("EditPaste", "Paste", "Cmd+V"));
  edit->AddMenu(Item("EditClear", ""));
  bar->AddMenu(Item("WindowMenu", "Window & more"));
  bar->Child("WindowMenu")->AddMenu(Item("DemoItem", "Demo"));
  bar->Child("WindowMenu")->AddMenu(Item<fw::AppleMenuItem>("AboutItem", "About"));
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
  EXPECT_EQ(ShownTopLevelCaptions(w),
            (std::vector<std::string>{"", "File", "Edit", "Window & more"}));
  const std::vector<ShownMenuItem> edit = ShownItems(w, "EditMenu");
  ASSERT_EQ(edit.size(), 6u);
  EXPECT_EQ(edit[0].caption, "Undo");
  EXPECT_EQ(edit[0].shortcut, "Ctrl+Z") << "Cmd is the primary modifier";
  EXPECT_TRUE(edit[1].separator);
  EXPECT_EQ(edit[4].shortcut, "Ctrl+V");
  EXPECT_EQ(edit[5].caption, "") << "an empty caption shows an empty item";
  EXPECT_FALSE(edit[5].separator);
  EXPECT_EQ(ShownItems(w, "Edit").size(), 6u) << "a top-level menu is found by caption too";
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
  bar->Child("WindowMenu")->AddMenu(Item("Added", "Added later"));
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
  ChooseMenuItem(w, "EditPaste");
  EXPECT_EQ(w->Field2()->Text(), "Head") << "the field's limit holds for a paste";

  w->Button()->SetFocus();
  ChooseMenuItem(w, "EditPaste");  // no text field has the focus: nothing happens
  EXPECT_TRUE(w->fieldKeys.empty()) << "menu edits pass no key filter";
  EXPECT_TRUE(boxes.Texts().empty());
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
