// The About window: what it shows, the hand-over to the main window by timer, key or click, and
// its life cycle once the user closes it.
#include <array>
#include <functional>
#include <ostream>
#include <string>

#include "framework/runtime.h"
#include "framework/text.h"
#include "shell/pictures.h"
#include "shell_fixture.h"

namespace {

using fw::testing::WaitUntil;

class AboutWndTest : public ShellTest {};

TEST_F(AboutWndTest, IsShownAtOnceWithNoticePictureAndTimer) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();

  const fw::testing::ShownWindow shown = fw::testing::ShownWindowOf(about);
  EXPECT_TRUE(shown.visible);
  EXPECT_EQ(shown.width, 506);
  EXPECT_EQ(shown.height, 200);
  EXPECT_EQ(shown.title, "");
  EXPECT_EQ(shown.background, 0xFFFFFFu);
  EXPECT_TRUE(shown.accessibleAsWindow);
  EXPECT_EQ(shown.accessibleName, "Vantrel") << "untitled: named as its title bar is";

  const std::string notice = about->StaticText5()->Text();
  EXPECT_EQ(fw::Len(notice), 49);
  EXPECT_EQ(notice.size(), 50u);
  EXPECT_NE(notice.find("\u00A9"), std::string::npos);
  EXPECT_NE(notice.find("the Vantrel authors"), std::string::npos);
  EXPECT_EQ(notice.find_first_of("\r\n"), std::string::npos);
  const fw::testing::Shown text = fw::testing::ShownOf(about->StaticText5());
  EXPECT_TRUE(text.visibleOnScreen);
  EXPECT_TRUE(text.bold);
  EXPECT_EQ(text.textColor, 0x803F02u);
  EXPECT_EQ(text.text, notice);

  const fw::testing::Shown picture = fw::testing::ShownOf(about->Canvas1());
  EXPECT_EQ((std::array{picture.left, picture.top, picture.width, picture.height}),
            (std::array{20, 39, 472, 55}));
  EXPECT_TRUE(about->Canvas1()->Backdrop() == chi());

  EXPECT_EQ(about->Timer1()->Period(), 4000);
  EXPECT_EQ(about->Timer1()->RunMode(), 1);
  fw::Ref<AboutWndTimer1> timer = fw::RuntimeCheckCast<AboutWndTimer1>(about->Timer1());
  EXPECT_TRUE(timer->Owner() == about);

  EXPECT_TRUE(AboutWnd::Instance() == about);
  EXPECT_FALSE(Live(ControlWnd::Class())) << "the main window waits for the hand-over";
}

TEST_F(AboutWndTest, ImplementsKeyDownAndMouseDownOnly) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  for (const char* event : {"KeyDown", "MouseDown"}) EXPECT_TRUE(about->IsEventImplemented(event));
  for (const char* event : {"Open", "Close", "Activate", "EnableMenuItems", "Action"})
    EXPECT_FALSE(about->IsEventImplemented(event)) << event;
}

// Sets the exit status to a mark, with no quit left pending, so that a later Quit shows.
void MarkExitStatus() {
  fw::Quit(7);
  fw::RuntimeRun();  // returns at once and takes the pending quit
}

// Any key and a click anywhere in the window hand over at once: the About window is hidden but
// kept, and the main window is made and put in front. The keys that would open a menu or run a
// menu item do neither: they hand over like any other.
struct HandOverCase {
  const char* name;
  std::function<void(const fw::Ref<AboutWnd>&)> act;
};

void PrintTo(const HandOverCase& c, std::ostream* os) {
  *os << c.name;
}

class AboutHandOverTest : public AboutWndTest,
                          public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(AboutHandOverTest, HidesItselfAndBringsUpTheMainWindow) {
  MarkExitStatus();
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  GetParam().act(about);
  fw::testing::ProcessEvents();

  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(Live(AboutWnd::Class()) == about) << "hidden, not closed";
  EXPECT_TRUE(MainWindowInFront());
  EXPECT_EQ(fw::testing::OpenMenuCaption(), "") << "no menu opened";
  EXPECT_EQ(fw::RuntimeExit(), 7) << "no Quit";

  // The first cell takes the keys at once, and the first Tab goes on to the next cell.
  fw::Ref<ControlWnd> main = fw::RuntimeCheckCast<ControlWnd>(Live(ControlWnd::Class()));
  EXPECT_TRUE(fw::testing::FocusedControl(main) == main->data11());
  fw::testing::PressTab(main);
  EXPECT_TRUE(fw::testing::FocusedControl(main) == main->data12());
}

HandOverCase Keys(const char* name, const char* keys) {
  return {name, [keys](const fw::Ref<AboutWnd>& w) { fw::testing::PressKeys(w, keys); }};
}

INSTANTIATE_TEST_SUITE_P(
    , AboutHandOverTest,
    ::testing::Values(
        HandOverCase{"LetterKey",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::TypeKeyInWindow(w, "x"); }},
        HandOverCase{"Return",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::TypeKeyInWindow(w, "\r"); }},
        HandOverCase{"Escape",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::TypeKeyInWindow(w, "\x1b"); }},
        Keys("F10", "F10"), Keys("AltF", "Alt+F"), Keys("AltE", "Alt+E"), Keys("AltW", "Alt+W"),
        Keys("AltH", "Alt+H"), Keys("CtrlQ", "Ctrl+Q"), Keys("CtrlV", "Ctrl+V"),
        HandOverCase{"ClickBesideTheControls",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::ClickWindow(w, 5, 180); }},
        HandOverCase{"ClickOnThePicture",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::Click(w->Canvas1()); }},
        HandOverCase{"ClickOnTheNotice",
                     [](const fw::Ref<AboutWnd>& w) { fw::testing::Click(w->StaticText5()); }}),
    [](const ::testing::TestParamInfo<HandOverCase>& info) { return info.param.name; });

// Shown again from the menu, the window hands over on a menu key as at start-up.
TEST_F(AboutWndTest, MenuKeysHandOverInTheWindowShownAgain) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  fw::testing::TypeKeyInWindow(about, "x");
  ASSERT_TRUE(WaitUntil(MainWindowActive, 5000));
  for (const char* keys : {"F10", "Alt+W"}) {
    fw::testing::ChooseMenuItem(Live(ControlWnd::Class()), "AboutMenuItem");
    ASSERT_TRUE(fw::FrontWindow() == about) << keys;
    fw::testing::PressKeys(about, keys);
    EXPECT_FALSE(about->Visible()) << keys;
    EXPECT_TRUE(MainWindowInFront()) << keys;
    EXPECT_EQ(fw::testing::OpenMenuCaption(), "") << keys;
  }
}

TEST_F(AboutWndTest, TimerHandsOverOnceAndNeverAgain) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  ASSERT_TRUE(WaitUntil(MainWindowActive, kTimerWaitMs));
  EXPECT_FALSE(about->Visible());

  // Shown again, as an About item does: the spent timer leaves it in front.
  about->Show();
  EXPECT_FALSE(WaitUntil([&] { return !about->Visible(); }, 6000));
  EXPECT_TRUE(fw::FrontWindow() == about);

  // From now on only input in it hands over.
  fw::testing::ClickWindow(about, 5, 180);
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(MainWindowInFront());
}

TEST_F(AboutWndTest, TimerStillFiresAfterAnEarlyHandOver) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  fw::testing::TypeKeyInWindow(about, "x");
  ASSERT_TRUE(WaitUntil(MainWindowActive, 5000));

  about->Show();
  ASSERT_TRUE(fw::FrontWindow() == about);
  EXPECT_TRUE(WaitUntil([&] { return !about->Visible() && MainWindowInFront(); }, kTimerWaitMs));
}

// Minimised, then hidden when the main window came to the front: the About item shows it again
// as a window, not as an icon.
TEST_F(AboutWndTest, TheAboutItemRestoresTheWindowMinimisedMeanwhile) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  fw::testing::TypeKeyInWindow(about, "x");
  ASSERT_TRUE(WaitUntil(MainWindowActive, 5000));
  fw::Ref<fw::Window> main = Live(ControlWnd::Class());
  fw::testing::ChooseMenuItem(main, "AboutMenuItem");
  fw::testing::MinimizeByUser(about);
  fw::testing::Activate(main);
  ASSERT_FALSE(about->Visible());

  fw::testing::ChooseMenuItem(main, "AboutMenuItem");
  EXPECT_TRUE(about->Visible());
  EXPECT_FALSE(fw::testing::ShownWindowOf(about).minimized);
  EXPECT_TRUE(fw::FrontWindow() == about);
}

TEST_F(AboutWndTest, AboutItemWhileInFrontChangesNothing) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  fw::testing::ChooseMenuItem(about, "AboutMenuItem");
  fw::testing::ProcessEvents();

  EXPECT_TRUE(Live(AboutWnd::Class()) == about);
  EXPECT_TRUE(about->Visible());
  EXPECT_TRUE(fw::FrontWindow() == about);
  EXPECT_FALSE(Live(ControlWnd::Class()));
}

// The timer belongs to the window: closing the window before the hand-over takes the timer with
// it, and nothing brings up the main window.
TEST_F(AboutWndTest, ClosingBeforeTheHandOverTakesTheTimerAlongAndQuits) {
  MarkExitStatus();
  fw::WeakRef<AboutWnd> closed = AboutWnd::Instance();
  fw::testing::CloseByUser(closed.Lock());
  fw::testing::ProcessEvents();

  EXPECT_FALSE(Live(AboutWnd::Class()));
  EXPECT_FALSE(closed.Lock()) << "a closed window is destroyed, its timer with it";
  // No window is left for the user to reach Quit from, so closing the last one quits.
  EXPECT_EQ(fw::RuntimeExit(), 0);
  fw::RuntimeRun();  // returns at once: the quit is pending
  EXPECT_FALSE(WaitUntil([&] { return bool(Live(ControlWnd::Class())); }, 6000));
}

TEST_F(AboutWndTest, ClosingItWhileTheMainWindowLivesDoesNotQuit) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  fw::testing::TypeKeyInWindow(about, "x");
  ASSERT_TRUE(WaitUntil(MainWindowActive, 5000));
  about->Show();
  MarkExitStatus();
  fw::testing::CloseByUser(about);
  fw::testing::ProcessEvents();
  EXPECT_EQ(fw::RuntimeExit(), 7);
}

TEST_F(AboutWndTest, NextRequestAfterCloseMakesANewWindowWithANewTimer) {
  fw::WeakRef<AboutWnd> first = AboutWnd::Instance();
  fw::testing::TypeKeyInWindow(first.Lock(), "x");
  ASSERT_TRUE(WaitUntil(MainWindowActive, 5000));
  first.Lock()->Show();
  fw::testing::CloseByUser(first.Lock());
  fw::testing::ProcessEvents();
  ASSERT_FALSE(first.Lock());

  fw::Ref<AboutWnd> second = AboutWnd::Instance();
  EXPECT_TRUE(second->Visible());
  EXPECT_EQ(second->StaticText5()->Text(), kAboutNotice);
  EXPECT_TRUE(WaitUntil([&] { return !second->Visible() && MainWindowInFront(); }, kTimerWaitMs));
}

}  // namespace
