// Start-up and shutdown: what exists after each start-up step, and whole runs of Main that end
// by the Quit item or by closing the main window.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/events.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "shell/app.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "shell_fixture.h"

namespace {

using fw::testing::WaitUntil;

TEST(Vantrel, ImplementsNoEvent) {
  fw::Ref<Vantrel> app = fw::RuntimeNewObject<Vantrel>();
  for (const char* event : {"Open", "Close", "UnhandledException", "Activate", "KeyDown", ""})
    EXPECT_FALSE(app->IsEventImplemented(event)) << event;
}

// As the process entry leaves things before Main: the initialisers have run.
class StartupTest : public ShellTest {
 protected:
  void SetUp() override {
    fw::RuntimePerformInitializers(StartupInitializers());
    fw::testing::ParkMouse();
  }
};

TEST_F(StartupTest, AppObjectAndMenuBarComeBeforeAnyWindowAndTheAboutWindowFirst) {
  EarlyStartup();

  fw::Ref<Vantrel> app = App();
  ASSERT_TRUE(app);
  EXPECT_TRUE(app->MenuBar() == Menu::Instance());
  EXPECT_EQ(app->NonReleaseVersion(), 0);
  EXPECT_EQ(app->StageCode(), 3);
  EXPECT_EQ(app->Copyright(), kVersionCopyright);
  EXPECT_NE(app->Copyright().find("\u00A9"), std::string::npos);
  EXPECT_EQ(app->Copyright().find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(app->Version(), "3.0");
  EXPECT_EQ(app->Description(), "Vantrel");
  EXPECT_FALSE(fw::FrontWindow()) << "no window yet";
  for (const fw::ClassRecord* c :
       {&AboutWnd::Class(), &ControlWnd::Class(), &DescriptionWnd::Class()})
    EXPECT_FALSE(Live(*c)) << c->name;

  LateStartup();
  fw::Ref<fw::Window> about = Live(AboutWnd::Class());
  EXPECT_TRUE(Shown(about));
  EXPECT_TRUE(fw::FrontWindow() == about);
  EXPECT_FALSE(Live(ControlWnd::Class())) << "made only by the hand-over";
  EXPECT_FALSE(Live(DescriptionWnd::Class()));
}

// Without its initialiser the file-type list is nil, and the early start-up fails on it.
TEST_F(StartupTest, FailedStartUpIsReportedOnceMainReturnsAndTheRunExitsWithOne) {
  FileTypes::pAllFileTypes = nullptr;
  Main();
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"An exception of class NilObjectException was not handled."});
  EXPECT_FALSE(Live(AboutWnd::Class())) << "no late start-up after a failed early one";
  EXPECT_EQ(fw::RuntimeExit(), 1) << "the event loop was never reached";
  boxes.Clear();
}

// A hidden window of the test's own whose repeating timer walks the running program through a
// list of steps: each acts once its condition holds. It gives up after a few thousand ticks, so
// that a run that never quits ends the loop with a status of its own.
class DriverWnd : public fw::Window {
  FW_CLASS(DriverWnd, fw::Window, "StartupTest.DriverWnd")
 public:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  static constexpr std::int32_t kGaveUp = 99;

  std::vector<Step> steps;
  std::size_t done = 0;

  void Layout() override {
    fw::SetProperties(SelfAs<fw::Object>(),
                      fw::PropertyListBuilder().Add("Visible", false).Bytes());
  }
  void CreateControls() override {
    fw::Ref<fw::Timer> timer = New<fw::Timer>();
    timer->Constructor();
    AddControl("Tick", timer);
    fw::SetProperties(timer, fw::PropertyListBuilder().Add("Period", 20).Add("RunMode", 2).Bytes());
    fw::RuntimeAddEventHandler(
        timer, fw::EventId::TimerAction,
        fw::RuntimeCreateDelegate(&DriverWnd::Tick, SelfAs<DriverWnd>(), "( Timer )"));
  }
  void Tick(fw::Ref<fw::Timer>) {
    if (++ticks > 3000) fw::Quit(kGaveUp);
    if (done < steps.size() && steps[done].ready()) steps[done++].act();
  }

 private:
  int ticks = 0;
};

// A Quit made while no loop ran (by an earlier test in this process) would end the next loop at
// once; one loop that quits by itself clears it.
void DrainPendingQuit() {
  fw::Ref<DriverWnd> drain = fw::RuntimeNewObject<DriverWnd>();
  drain->Constructor();
  drain->steps = {{[] { return true; }, [] { fw::Quit(0); }}};
  fw::RuntimeRun();
  fw::testing::DestroyAllWindows();
}

struct QuitRoad {
  const char* name;
  std::function<void(const fw::Ref<ControlWnd>&)> quit;
};

void PrintTo(const QuitRoad& road, std::ostream* os) {
  *os << road.name;
}

class WholeRunTest : public StartupTest, public ::testing::WithParamInterface<QuitRoad> {};

// The About window comes first and hands over on a key; the main window then quits the run
// with status 0 while the About and Description windows are still there.
TEST_P(WholeRunTest, EndsWithStatusZero) {
  DrainPendingQuit();
  fw::Ref<DriverWnd> driver = fw::RuntimeNewObject<DriverWnd>();
  driver->Constructor();

  bool mainWindowBeforeHandOver = true;
  bool appBeforeAbout = false;
  bool otherWindowsOpenAtQuit = false;
  driver->steps = {
      {[] { return Shown(Live(AboutWnd::Class())); },
       [&] {
         mainWindowBeforeHandOver = bool(Live(ControlWnd::Class()));
         appBeforeAbout = fw::GetAppObject() && App()->MenuBar() == Menu::Instance();
         fw::testing::TypeKeyInWindow(Live(AboutWnd::Class()), "x");
       }},
      {MainWindowInFront, [] { DescriptionWnd::Instance(); }},
      {[] { return Shown(Live(DescriptionWnd::Class())); },
       [&] {
         otherWindowsOpenAtQuit = bool(Live(AboutWnd::Class()));
         GetParam().quit(ControlWnd::Instance());
       }},
  };

  Main();

  EXPECT_EQ(driver->done, driver->steps.size());
  EXPECT_FALSE(mainWindowBeforeHandOver);
  EXPECT_TRUE(appBeforeAbout);
  EXPECT_TRUE(otherWindowsOpenAtQuit);
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_DOUBLE_EQ(fw::RuntimeFrameworkVersion(), 2019.031);
}

INSTANTIATE_TEST_SUITE_P(
    , WholeRunTest,
    ::testing::Values(QuitRoad{"ClosingTheMainWindow",
                               [](const fw::Ref<ControlWnd>& w) { fw::testing::CloseByUser(w); }},
                      QuitRoad{"QuitItem",
                               [](const fw::Ref<ControlWnd>& w) {
                                 fw::testing::ChooseMenuItem(w, "FileQuit");
                               }}),
    [](const ::testing::TestParamInfo<QuitRoad>& info) { return info.param.name; });

}  // namespace
