// The title picture's notice, the help picture, the window's own events and its menu items.
#include "framework/runtime.h"
#include "main_window_fixture.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/menu.h"

namespace {

fw::Ref<fw::Window> LiveDescriptionWindow() {
  return fw::GetImplicitWindow("DescriptionWnd.DescriptionWnd");
}

TEST_F(MainWindowTest, TheNoticeShowsWhileThePointerIsOverTheTitlePicture) {
  EXPECT_FALSE(w->copyright()->Visible());
  // The pointer comes in over the window first, as a user's does.
  fw::testing::MoveMouseOutOf(w->ChiTitle());
  fw::testing::MoveMouseInto(w->ChiTitle());
  EXPECT_TRUE(fw::testing::ShownOf(w->copyright()).visibleOnScreen);
  fw::testing::MoveMouseOutOf(w->ChiTitle());
  EXPECT_FALSE(w->copyright()->Visible());

  // Each handler sets a fixed value, whatever came before.
  w->ChiTitle_MouseEnter(w->ChiTitle());
  w->ChiTitle_MouseEnter(w->ChiTitle());
  EXPECT_TRUE(w->copyright()->Visible());
  w->ChiTitle_MouseExit(w->ChiTitle());
  w->ChiTitle_MouseExit(w->ChiTitle());
  EXPECT_FALSE(w->copyright()->Visible());

  // A run and a Clear change nothing about it.
  fw::testing::MessageBoxRecorder boxes;
  Type({{"1", "2"}, {"3", "4"}});
  Calculate();
  Clear();
  EXPECT_FALSE(w->copyright()->Visible());
  fw::testing::MoveMouseInto(w->ChiTitle());
  EXPECT_TRUE(w->copyright()->Visible());
}

TEST_F(MainWindowTest, TheHelpPictureOpensTheOneDescriptionWindow) {
  ASSERT_FALSE(LiveDescriptionWindow());
  fw::testing::Click(w->Canvas1());
  fw::testing::ProcessEvents();
  fw::Ref<fw::Window> first = LiveDescriptionWindow();
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->Visible());
  EXPECT_FALSE(w->Canvas1_MouseDown(w->Canvas1(), 3, 30));
  fw::testing::Click(w->Canvas1());
  fw::testing::ProcessEvents();
  EXPECT_TRUE(LiveDescriptionWindow() == first);
  EXPECT_TRUE(first->Visible());
}

TEST_F(MainWindowTest, WhileInFrontTheWindowMenuOffersAllButControl) {
  // Another window's rules may have left the items otherwise.
  w->ControlMenuItem()->SetEnabled(true);
  w->AboutVantrel()->SetEnabled(false);
  fw::testing::Activate(w);
  fw::testing::OpenMenu(w, "Window");
  EXPECT_FALSE(w->ControlMenuItem()->Enabled());
  EXPECT_TRUE(w->DescriptionMenuItem()->Enabled());
  EXPECT_TRUE(w->AboutMenuItem()->Enabled());
  EXPECT_TRUE(w->AboutVantrel()->Enabled());
  for (const fw::testing::ShownMenuItem& item : fw::testing::ShownItems(w, "Window")) {
    SCOPED_TRACE(item.name);
    if (item.name == "ControlMenuItem") {
      EXPECT_FALSE(item.enabled);
    } else if (item.name == "DescriptionMenuItem" || item.name == "AboutMenuItem" ||
               item.name == "AboutVantrel") {
      EXPECT_TRUE(item.enabled);
    }
  }
}

TEST_F(MainWindowTest, TheMenuItemsOpenTheirWindows) {
  fw::testing::Activate(w);
  fw::testing::ChooseMenuItem(w, "DescriptionMenuItem");
  fw::testing::ProcessEvents();
  ASSERT_TRUE(LiveDescriptionWindow());
  EXPECT_TRUE(LiveDescriptionWindow()->Visible());
  EXPECT_FALSE(w->DescriptionMenuItem_Action());

  for (bool (ControlWnd::*handler)() :
       {&ControlWnd::AboutMenuItem_Action, &ControlWnd::AboutVantrel_Action}) {
    AboutWnd::Instance()->Hide();
    EXPECT_FALSE((w.get()->*handler)());
    EXPECT_TRUE(AboutWnd::Instance()->Visible());
  }
}

// Choosing an item from the menu puts the main window in front again afterwards, which hides the
// About window at once; whether the item reached its handler shows in whether an About window
// was made, when there was none.
TEST_F(MainWindowTest, BothAboutItemsAreServedAndNoOtherItemMakesTheAboutWindow) {
  const struct {
    const char* item;
    bool makesAbout;
  } cases[] = {{"AboutMenuItem", true}, {"AboutVantrel", true}, {"EditCopy", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    fw::testing::Activate(w);
    if (fw::Ref<fw::Window> about = fw::GetImplicitWindow("AboutWnd.AboutWnd"))
      fw::testing::CloseByUser(about);
    ASSERT_FALSE(fw::GetImplicitWindow("AboutWnd.AboutWnd"));
    fw::testing::ChooseMenuItem(w, c.item);
    EXPECT_EQ(static_cast<bool>(fw::GetImplicitWindow("AboutWnd.AboutWnd")), c.makesAbout);
  }
}

TEST_F(MainWindowTest, BecomingActiveHidesTheAboutWindow) {
  fw::Ref<AboutWnd> about = AboutWnd::Instance();
  about->Show();
  fw::testing::Activate(w);
  fw::testing::ProcessEvents();
  EXPECT_FALSE(about->Visible());
  EXPECT_TRUE(AboutWnd::Instance() == about);

  // Once the user has closed it, the next activation makes a new one and hides it at once.
  fw::testing::CloseByUser(about);
  ASSERT_FALSE(fw::GetImplicitWindow("AboutWnd.AboutWnd"));
  fw::testing::Activate(DescriptionWnd::Instance());  // so that the main window comes back
  fw::testing::Activate(w);
  fw::Ref<fw::Window> again = fw::GetImplicitWindow("AboutWnd.AboutWnd");
  ASSERT_TRUE(again);
  EXPECT_FALSE(again == about);
  EXPECT_FALSE(again->Visible());
}

TEST_F(MainWindowTest, TheMenuItemAccessorsFindTheItemsOfTheOneMenuBar) {
  EXPECT_TRUE(w->MenuBar() == Menu::Instance());
  const struct {
    fw::Ref<fw::MenuItem> item;
    const char* name;
    const fw::ClassRecord& cls;
  } items[] = {
      {w->UntitledMenu4(), "UntitledMenu4", fw::MenuItem::Class()},
      {w->WindowMenu(), "WindowMenu", fw::MenuItem::Class()},
      {w->UntitledMenu5(), "UntitledMenu5", fw::AppleMenuItem::Class()},
      {w->AboutVantrel(), "AboutVantrel", fw::AppleMenuItem::Class()},
      {w->UntitledMenu6(), "UntitledMenu6", fw::MenuItem::Class()},
      {w->AboutMenuItem(), "AboutMenuItem", fw::MenuItem::Class()},
      {w->DescriptionMenuItem(), "DescriptionMenuItem", fw::MenuItem::Class()},
      {w->ControlMenuItem(), "ControlMenuItem", fw::MenuItem::Class()},
      {w->UntitledMenu0(), "UntitledMenu0", fw::MenuItem::Class()},
      {w->UntitledMenu7(), "UntitledMenu7", fw::MenuItem::Class()},
      {w->EditClear(), "EditClear", fw::MenuItem::Class()},
      {w->EditPaste(), "EditPaste", fw::MenuItem::Class()},
      {w->EditCopy(), "EditCopy", fw::MenuItem::Class()},
      {w->EditCut(), "EditCut", fw::MenuItem::Class()},
      {w->UntitledMenu1(), "UntitledMenu1", fw::MenuItem::Class()},
      {w->EditUndo(), "EditUndo", fw::MenuItem::Class()},
      {w->UntitledMenu2(), "UntitledMenu2", fw::MenuItem::Class()},
      {w->UntitledMenu8(), "UntitledMenu8", fw::MenuItem::Class()},
      {w->FileQuit(), "FileQuit", fw::QuitMenuItem::Class()},
      {w->FilePrint(), "FilePrint", fw::MenuItem::Class()},
      {w->UntitledMenu3(), "UntitledMenu3", fw::MenuItem::Class()},
  };
  for (const auto& i : items) {
    SCOPED_TRACE(i.name);
    ASSERT_TRUE(i.item);
    EXPECT_EQ(i.item->Name(), i.name);
    EXPECT_EQ(&i.item->ClassRecordOf(), &i.cls);
  }
}

TEST_F(MainWindowTest, IsEventImplementedAnswersForCloseActivateAndEnableMenuItemsOnly) {
  const struct {
    const char* event;
    bool handled;
  } cases[] = {
      {"Close", true}, {"Activate", true}, {"EnableMenuItems", true},
      {"Open", false}, {"KeyDown", false}, {"MouseDown", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(w->IsEventImplemented(c.event), c.handled) << c.event;
}

TEST_F(MainWindowTest, ClosingTheWindowQuitsWithZeroEvenWithOtherWindowsOpen) {
  AboutWnd::Instance()->Show();
  fw::Quit(7);  // a code that closing must replace
  fw::testing::CloseByUser(w);
  fw::testing::ProcessEvents();
  EXPECT_EQ(fw::RuntimeExit(), 0);
  EXPECT_FALSE(fw::GetImplicitWindow("ControlWnd.ControlWnd"));
}

}  // namespace
