// Windows: construction, frame properties, implicit instances, closing, window events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/menu.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class WindowTest : public GuiTest {
 protected:
  MessageBoxRecorder boxes;
};

// A window with no controls and a menu bar of its own, which handles KeyDown or not.
class KeysWnd : public fw::Window {
  FW_CLASS(KeysWnd, fw::Window, "KeysWnd")
 public:
  bool handlesKeyDown = false;
  std::string title = "Keys";
  fw::Ref<fw::MenuBar> bar;
  std::vector<std::string> keys;

  void Layout() override {
    if (bar) SetMenuBar(bar);
    fw::SetProperties(SelfAs<fw::Object>(), fw::PropertyListBuilder()
                                                .Add("Width", 200)
                                                .Add("Height", 100)
                                                .Add("Title", title)
                                                .Add("Visible", true)
                                                .Bytes());
  }
  bool IsEventImplemented(const std::string& eventName) override {
    return handlesKeyDown && eventName == "KeyDown";
  }
  bool Event_KeyDown(const std::string& key) override {
    keys.push_back(key);
    return false;
  }
};

fw::Ref<KeysWnd> MakeKeys(const std::function<void(KeysWnd&)>& design) {
  fw::Ref<KeysWnd> w = fw::RuntimeNewObject<KeysWnd>();
  design(*w);
  w->Constructor();
  ProcessEvents();
  return w;
}

// File (with Quit on Ctrl+Q) and Window.
fw::Ref<fw::MenuBar> FileAndWindowBar() {
  fw::Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  fw::Ref<fw::MenuItem> file = MakeMenuItem("FileMenu", "File");
  fw::Ref<fw::QuitMenuItem> quit = fw::RuntimeNewObject<fw::QuitMenuItem>();
  quit->Constructor();
  quit->SetName("FileQuit");
  quit->SetValue("Quit");
  quit->SetShortcut("Cmd+Q");
  file->AddMenu(quit);
  bar->AddMenu(file);
  fw::Ref<fw::MenuItem> window = MakeMenuItem("WindowMenu", "Window");
  window->AddMenu(MakeMenuItem("WindowItem", "Item"));
  bar->AddMenu(window);
  return bar;
}

fw::Ref<DemoWnd> MakeDemo(const std::function<void(DemoWnd&)>& design) {
  fw::Ref<DemoWnd> w = fw::RuntimeNewObject<DemoWnd>();
  design(*w);
  w->Constructor();
  return w;
}

TEST_F(WindowTest, ConstructorRunsTheHooksShowsTheWindowThenDeliversOpen) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  EXPECT_EQ(w->log,
            (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers", "Open"}));
  EXPECT_TRUE(w->visibleAtOpen);
  EXPECT_TRUE(WaitUntil([&] { return ShownWindowOf(w).active; }, 5000));
  EXPECT_EQ(w->log.back(), "Activate");
}

TEST_F(WindowTest, AWindowNotVisibleAtStartIsMadeHiddenAndOpenedAllTheSame) {
  fw::Ref<DemoWnd> w = MakeDemo([](DemoWnd& d) { d.visibleAtStart = false; });
  EXPECT_FALSE(w->Visible());
  EXPECT_FALSE(w->visibleAtOpen);
  EXPECT_EQ(w->log.back(), "Open");
  w->Show();
  EXPECT_TRUE(w->Visible());
  EXPECT_TRUE(fw::FrontWindow() == w);
}

TEST_F(WindowTest, FixedWindowKeepsItsContentSizeWithOnlyACloseButton) {
  fw::Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  fw::Ref<fw::MenuItem> file = fw::RuntimeNewObject<fw::MenuItem>();
  file->SetName("File");
  file->SetValue("File");
  bar->AddMenu(file);
  for (bool withBar : {false, true}) {
    fw::Ref<DemoWnd> w = MakeDemo([&](DemoWnd& d) {
      if (withBar) d.ownBar = bar;
    });
    const ShownWindow shown = ShownWindowOf(w);
    EXPECT_EQ(shown.width, 400) << "menu bar " << withBar;
    EXPECT_EQ(shown.height, 300) << "the menu bar stands above the content";
    EXPECT_EQ(shown.title, "Demo");
    EXPECT_FALSE(shown.resizable);
    EXPECT_FALSE(shown.minimizeButton);
    EXPECT_FALSE(shown.maximizeButton);
    EXPECT_TRUE(shown.closeButton);
    EXPECT_EQ(shown.background, 0xFFFFFFu);
    EXPECT_EQ(w->Width(), 400);
    DestroyAllWindows();
  }
}

TEST_F(WindowTest, ResizeableWindowHasItsSizeAndFrameButtons) {
  fw::Ref<DemoWnd> w = MakeDemo([](DemoWnd& d) { d.resizeable = true; });
  const ShownWindow shown = ShownWindowOf(w);
  EXPECT_EQ(shown.width, 400);
  EXPECT_EQ(shown.height, 300);
  EXPECT_TRUE(shown.resizable);
  EXPECT_TRUE(shown.minimizeButton);
  EXPECT_TRUE(shown.maximizeButton);
}

TEST_F(WindowTest, OneLiveInstancePerClassUntilTheUserClosesIt) {
  EXPECT_FALSE(fw::GetImplicitWindow("DemoWnd.DemoWnd"));
  fw::Ref<DemoWnd> first = DemoWnd::Instance();
  EXPECT_TRUE(DemoWnd::Instance() == first);
  EXPECT_TRUE(fw::GetImplicitWindow("DemoWnd.DemoWnd") == first);

  std::weak_ptr<fw::Window> gone = fw::Ref<fw::Window>(first).shared();
  CloseByUser(first);
  EXPECT_EQ(first->log.back(), "Close");
  EXPECT_FALSE(first->Visible());
  EXPECT_FALSE(fw::GetImplicitWindow("DemoWnd.DemoWnd")) << "forgotten at once";
  first = nullptr;
  ProcessEvents();
  EXPECT_TRUE(gone.expired()) << "and destroyed after its close event";

  fw::Ref<DemoWnd> second = DemoWnd::Instance();
  EXPECT_EQ(second->log.front(), "Layout") << "a new window";
}

TEST_F(WindowTest, HideKeepsTheWindowAndShowBringsItToTheFront) {
  fw::Ref<DemoWnd> demo = DemoWnd::Instance();
  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  plain->Constructor();
  EXPECT_TRUE(fw::FrontWindow() == plain);

  plain->Hide();
  EXPECT_FALSE(plain->Visible());
  EXPECT_TRUE(fw::GetImplicitWindow("PlainWnd.PlainWnd") == plain);
  EXPECT_TRUE(fw::FrontWindow() == demo) << "hidden windows are not in front";

  plain->Show();
  EXPECT_TRUE(fw::FrontWindow() == plain);
  Activate(demo);
  EXPECT_TRUE(fw::FrontWindow() == demo);
}

TEST_F(WindowTest, EventsAreDeliveredOnlyToClassesThatImplementThem) {
  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  plain->Constructor();
  Activate(plain);
  TypeKeyInWindow(plain, "a");
  CloseByUser(plain);
  EXPECT_TRUE(plain->log.empty());
}

TEST_F(WindowTest, KeysAndClicksThatNoControlTakesGoToTheWindow) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  TypeKeyInWindow(w, "k");
  EXPECT_EQ(w->windowKeys, std::vector<std::string>{"k"});

  ClickWindow(w, 5, 7);
  EXPECT_EQ(w->log.back(), "MouseDown 5,7");
  // A label takes no click: the window gets it, in content coordinates.
  ClickWindow(w, 12, 152);
  EXPECT_EQ(w->log.back(), "MouseDown 12,152");
  // A canvas with a MouseDown handler keeps its clicks.
  ClickWindow(w, 305, 207);
  EXPECT_EQ(w->log.back(), "MouseDown 12,152");
  EXPECT_EQ(w->pointer.back(), "down 5,7");
}

TEST_F(WindowTest, AFailingOpenIsReportedAndTheWindowStands) {
  struct FailingOpen : DemoWnd {
    void Event_Open() override { throw fw::NilObjectException(); }
  };
  fw::Ref<FailingOpen> w = fw::RuntimeNewObject<FailingOpen>();
  w->Constructor();
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"An exception of class NilObjectException was not handled."});
}

TEST_F(WindowTest, AFailingCreationPassesTheExceptionOnAndLeavesNoInstance) {
  struct FailingControls : DemoWnd {
    void CreateControls() override { throw fw::IllegalCastException("x"); }
  };
  fw::Ref<FailingControls> w = fw::RuntimeNewObject<FailingControls>();
  EXPECT_THROW(w->Constructor(), fw::IllegalCastException);
  EXPECT_FALSE(fw::GetImplicitWindow("DemoWnd.DemoWnd"));
  EXPECT_FALSE(w->Visible());
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(WindowTest, ARequestMadeWhileTheWindowIsBuiltFindsThatWindow) {
  struct Reentrant : DemoWnd {
    bool foundItself = false;  // not a reference to itself, which would keep it alive forever
    void AddMenuHandlers() override {
      foundItself = fw::GetImplicitWindow("DemoWnd.DemoWnd").get() == this;
    }
  };
  fw::Ref<Reentrant> w = fw::RuntimeNewObject<Reentrant>();
  w->Constructor();
  EXPECT_TRUE(w->foundItself);
}

TEST_F(WindowTest, ClosingTheWindowTakesItsTimerWithIt) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  fw::SetProperties(w->Tick(), fw::PropertyListBuilder().Add("RunMode", 2).Bytes());
  ASSERT_TRUE(WaitUntil([&] { return w->ticks >= 2; }, 10000));
  CloseByUser(w);
  const int ticks = w->ticks;
  ProcessEvents(150);
  EXPECT_EQ(w->ticks, ticks);
}

TEST_F(WindowTest, ControlsAreFoundByTheirNames) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  EXPECT_TRUE(w->ControlByName("Field1") == w->Field1());
  EXPECT_FALSE(w->ControlByName("field1"));
  EXPECT_EQ(w->Field1()->Name(), "Field1");
  EXPECT_TRUE(w->Field1()->Window() == w);
  fw::Ref<fw::Label> again = w->New<fw::Label>();
  again->Constructor();
  EXPECT_THROW(w->AddControl("Caption", again), fw::RuntimeException) << "names are unique";
  EXPECT_THROW(w->AddControl("Nil", nullptr), fw::NilObjectException);
}

// With no control focused, a window that handles KeyDown gets the keys that would open a menu or
// run an item, and they do neither; a window without KeyDown leaves them to the menus.
TEST_F(WindowTest, AWindowWithKeyDownAndNoFocusedControlGetsTheMenusKeysFirst) {
  struct Case {
    const char* keys;
    std::string text;  // what KeyDown receives
    std::string menu;  // the menu the key opens otherwise; "" for Quit
  };
  for (const Case& c :
       {Case{"F10", "\x10", "File"}, Case{"Alt+W", "w", "Window"}, Case{"Ctrl+Q", "\x11", ""}}) {
    for (bool handles : {true, false}) {
      SCOPED_TRACE(std::string(c.keys) + (handles ? " with KeyDown" : " without KeyDown"));
      fw::Quit(7);
      fw::RuntimeRun();  // takes the pending quit: the status stays 7 unless Quit runs again
      fw::Ref<KeysWnd> w = MakeKeys([&](KeysWnd& d) {
        d.handlesKeyDown = handles;
        d.bar = FileAndWindowBar();
      });
      ASSERT_FALSE(FocusedControl(w));
      PressKeys(w, c.keys);
      const std::string opened = OpenMenuCaption();
      CloseOpenMenus();
      const bool quit = fw::RuntimeExit() == 0;
      if (quit) fw::RuntimeRun();  // takes the quit the key left pending
      if (handles) {
        EXPECT_EQ(w->keys, std::vector<std::string>{c.text});
        EXPECT_EQ(opened, "");
        EXPECT_FALSE(quit);
      } else {
        EXPECT_EQ(opened, c.menu);
        EXPECT_EQ(quit, c.menu.empty());
      }
      DestroyAllWindows();
    }
  }
}

// Show brings a minimised window back, whether it was left shown or hidden meanwhile; and while
// it is minimised, the menus act for the window the user sees.
TEST_F(WindowTest, ShowRestoresAMinimisedWindowAndPutsItInFront) {
  for (bool hiddenMeanwhile : {false, true}) {
    SCOPED_TRACE(hiddenMeanwhile ? "hidden meanwhile" : "left shown");
    fw::Ref<PlainWnd> other = fw::RuntimeNewObject<PlainWnd>();
    other->Constructor();
    fw::Ref<DemoWnd> w = MakeDemo([](DemoWnd& d) { d.resizeable = true; });
    ASSERT_TRUE(fw::FrontWindow() == w);

    MinimizeByUser(w);
    ASSERT_TRUE(ShownWindowOf(w).minimized);
    EXPECT_TRUE(fw::FrontWindow() == other);
    if (hiddenMeanwhile) w->Hide();

    w->Show();
    EXPECT_FALSE(ShownWindowOf(w).minimized);
    EXPECT_TRUE(w->Visible());
    EXPECT_TRUE(fw::FrontWindow() == w);
    // The offscreen platform keeps a minimised window as its focus window even once hidden, and
    // then reports no activation when it is shown again; a window manager does.
    if (!hiddenMeanwhile) {
      EXPECT_TRUE(WaitUntil([&] { return ShownWindowOf(w).active; }, 5000));
    }
    DestroyAllWindows();
  }
}

// Assistive tools meet a window as a window named by its title; one without a title by the
// program's name, as its title bar shows.
TEST_F(WindowTest, AssistiveToolsMeetAWindowNamedByItsTitle) {
  struct Case {
    std::string title, name;
  };
  for (const Case& c : {Case{"Keys", "Keys"}, Case{"", "Vantrel"}}) {
    fw::Ref<KeysWnd> w = MakeKeys([&](KeysWnd& d) { d.title = c.title; });
    const ShownWindow shown = ShownWindowOf(w);
    EXPECT_TRUE(shown.accessibleAsWindow) << c.title;
    EXPECT_EQ(shown.accessibleName, c.name);
    DestroyAllWindows();
  }
}

}  // namespace
