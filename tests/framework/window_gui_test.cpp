// Windows: construction, frame properties, implicit instances, closing, window events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/menu.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class WindowTest : public GuiTest {
 protected:
  MessageBoxRecorder boxes;
};

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

}  // namespace
