// The one menu bar: its tree, its single instance, and the item accessors over the
// application's bar.
#include "shell/menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "framework/application.h"
#include "shell/app.h"
#include "tests/shell/fresh_process.h"

namespace {

struct Row {
  std::string name, className, caption, shortcut, placedIn;  // placedIn empty: the bar
};

// The whole bar in the order its items are made: each menu, then its items.
const std::vector<Row> kTree = {
    {"UntitledMenu3", "MenuItem", "", "", ""},
    {"UntitledMenu2", "MenuItem", "File", "", ""},
    {"FilePrint", "MenuItem", "Print", "", "UntitledMenu2"},
    {"FileQuit", "QuitMenuItem", "Quit", "Cmd+Q", "UntitledMenu2"},
    {"UntitledMenu8", "MenuItem", "", "", "UntitledMenu2"},
    {"UntitledMenu0", "MenuItem", "Edit", "", ""},
    {"EditUndo", "MenuItem", "Undo", "Cmd+Z", "UntitledMenu0"},
    {"UntitledMenu1", "MenuItem", "-", "", "UntitledMenu0"},
    {"EditCut", "MenuItem", "Cut", "Cmd+X", "UntitledMenu0"},
    {"EditCopy", "MenuItem", "Copy", "Cmd+C", "UntitledMenu0"},
    {"EditPaste", "MenuItem", "Paste", "Cmd+V", "UntitledMenu0"},
    {"EditClear", "MenuItem", "", "", "UntitledMenu0"},
    {"UntitledMenu7", "MenuItem", "", "", "UntitledMenu0"},
    {"WindowMenu", "MenuItem", "Window", "", ""},
    {"ControlMenuItem", "MenuItem", "Control", "", "WindowMenu"},
    {"DescriptionMenuItem", "MenuItem", "Description", "", "WindowMenu"},
    {"AboutMenuItem", "MenuItem", "About Vantrel", "", "WindowMenu"},
    {"UntitledMenu6", "MenuItem", "", "", "WindowMenu"},
    {"AboutVantrel", "AppleMenuItem", "About Vantrel", "", "WindowMenu"},
    {"UntitledMenu5", "AppleMenuItem", "", "", "WindowMenu"},
    {"UntitledMenu4", "MenuItem", "", "", ""},
};

// Every item below the bar, menus before their items, in order.
std::vector<fw::Ref<fw::MenuItem>> Walk(const fw::Ref<fw::MenuItem>& under) {
  std::vector<fw::Ref<fw::MenuItem>> items;
  for (std::int64_t i = 0; i < under->Count(); ++i) {
    items.push_back(under->Item(i));
    for (const fw::Ref<fw::MenuItem>& below : Walk(under->Item(i))) items.push_back(below);
  }
  return items;
}

std::vector<std::string> TopLevelCaptions(const fw::Ref<fw::MenuItem>& bar) {
  std::vector<std::string> captions;
  for (std::int64_t i = 0; i < bar->Count(); ++i) captions.push_back(bar->Item(i)->Value());
  return captions;
}

// Cases that register an application object of their own give the earlier one back, since
// later cases in the same run rely on it.
class MenuAccessorTest : public ::testing::Test {
 protected:
  void SetUp() override { previous = fw::GetAppObject(); }
  void TearDown() override { fw::RuntimeRegisterAppObject(previous); }

  static void RegisterApp(const fw::Ref<fw::MenuBar>& bar) {
    fw::Ref<Vantrel> app = fw::RuntimeNewObject<Vantrel>();
    app->SetMenuBar(bar);
    fw::RuntimeRegisterAppObject(app);
  }

  fw::Ref<fw::Application> previous;
};

TEST(MenuTest, BuildsTheTreeInOrder) {
  fw::Ref<Menu> bar = Menu::Instance();
  const std::vector<fw::Ref<fw::MenuItem>> items = Walk(bar);
  ASSERT_EQ(items.size(), kTree.size());
  for (std::size_t i = 0; i < kTree.size(); ++i) {
    const Row& row = kTree[i];
    const fw::Ref<fw::MenuItem>& item = items[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(item->Name(), row.name);
    EXPECT_EQ(item->ClassRecordOf().name, row.className);
    EXPECT_EQ(item->Value(), row.caption);
    EXPECT_EQ(item->Shortcut(), row.shortcut);
    EXPECT_EQ(item->Parent(),
              row.placedIn.empty() ? fw::Ref<fw::MenuItem>(bar) : bar->Child(row.placedIn));
    EXPECT_TRUE(item->AutoEnabled());
    EXPECT_TRUE(item->Visible());
  }
  EXPECT_EQ(TopLevelCaptions(bar), (std::vector<std::string>{"", "File", "Edit", "Window", ""}));
}

TEST(MenuTest, NamesAreUniqueAndFindTheirItems) {
  fw::Ref<Menu> bar = Menu::Instance();
  std::set<std::string> names;
  for (const fw::Ref<fw::MenuItem>& item : Walk(bar)) names.insert(item->Name());
  EXPECT_EQ(names.size(), kTree.size());
  for (const Row& row : kTree) {
    fw::Ref<fw::MenuItem> found = bar->Lookup(row.name);
    ASSERT_NE(found, nullptr) << row.name;
    EXPECT_EQ(found->ClassRecordOf().name, row.className) << row.name;
  }
}

// The separator is the only "-" item, and its shortcut is the one a new item has.
TEST(MenuTest, OneSeparatorWithTheDefaultShortcut) {
  std::vector<std::string> separators;
  for (const fw::Ref<fw::MenuItem>& item : Walk(Menu::Instance()))
    if (item->Value() == "-") separators.push_back(item->Name());
  EXPECT_EQ(separators, std::vector<std::string>{"UntitledMenu1"});
  EXPECT_EQ(Menu::Instance()->Lookup("UntitledMenu1")->Shortcut(),
            fw::RuntimeNewObject<fw::MenuItem>()->Shortcut());
}

TEST(MenuTest, TwoItemsAreCaptionedAboutVantrel) {
  fw::Ref<fw::MenuItem> plain = Menu::Instance()->Lookup("AboutMenuItem");
  fw::Ref<fw::MenuItem> apple = Menu::Instance()->Lookup("AboutVantrel");
  EXPECT_NE(plain, apple);
  EXPECT_EQ(plain->Value(), "About Vantrel");
  EXPECT_EQ(apple->Value(), "About Vantrel");
  EXPECT_EQ(plain->ClassRecordOf().name, "MenuItem");
  EXPECT_EQ(apple->ClassRecordOf().name, "AppleMenuItem");
}

TEST(MenuTest, EveryCallGivesTheSameBar) {
  fw::Ref<Menu> first = Menu::Instance();
  EXPECT_EQ(Menu::Instance(), first);
  EXPECT_EQ(Walk(first).size(), kTree.size()) << "the second call builds nothing more";
}

TEST_F(MenuAccessorTest, FindTheItemsOfTheApplicationsBar) {
  RegisterApp(Menu::Instance());
  fw::Ref<fw::MenuItem> window = Menu::Instance()->Child("WindowMenu");
  EXPECT_EQ(FilePrint(), Menu::Instance()->Child("UntitledMenu2")->Child("FilePrint"));
  EXPECT_EQ(ControlMenuItem(), window->Child("ControlMenuItem"));
  EXPECT_EQ(AboutMenuItem(), window->Child("AboutMenuItem"));
  EXPECT_EQ(FilePrint()->Value(), "Print");
}

// The accessors read whatever bar the application has now, not the one Menu keeps.
TEST_F(MenuAccessorTest, FollowTheApplicationsBar) {
  fw::Ref<fw::MenuBar> other = fw::RuntimeNewObject<fw::MenuBar>();
  RegisterApp(other);
  EXPECT_EQ(FilePrint(), nullptr);
}

TEST_F(MenuAccessorTest, RaiseWithoutAMenuBar) {
  RegisterApp(nullptr);
  for (auto accessor : {&AboutMenuItem, &ControlMenuItem, &FilePrint})
    EXPECT_THROW(accessor(), fw::NilObjectException);
}

TEST_F(MenuAccessorTest, RaiseWithoutAnApplication) {
  InFreshProcess([] {
    ASSERT_EQ(fw::GetAppObject(), nullptr);
    for (auto accessor : {&AboutMenuItem, &ControlMenuItem, &FilePrint})
      EXPECT_THROW(accessor(), fw::NilObjectException);
  });
}

// A bar whose "Window" menu fails to build the first time, as a nil Child would make it fail.
class FlakyMenu : public Menu {
  FW_CLASS(FlakyMenu, Menu, "FlakyMenu")
 public:
  static inline int builds = 0;
  void Untitled3() override {
    if (++builds == 1) throw fw::NilObjectException("no such menu");
    Menu::Untitled3();
  }
  static fw::Ref<Menu> Get() { return InstanceOf<FlakyMenu>(); }
};

// A failed build keeps nothing: the next call starts over with a new bar, not the half-built
// one (which holds three menus already), and from then on that bar is the one.
TEST(MenuTest, FailedBuildLeavesNoInstance) {
  InFreshProcess([] {
    EXPECT_THROW(FlakyMenu::Get(), fw::NilObjectException);
    fw::Ref<Menu> bar = FlakyMenu::Get();
    EXPECT_EQ(FlakyMenu::builds, 2);
    EXPECT_EQ(Walk(bar).size(), kTree.size());
    EXPECT_EQ(TopLevelCaptions(bar), (std::vector<std::string>{"", "File", "Edit", "Window", ""}));
    EXPECT_EQ(Menu::Instance(), bar);
  });
}

}  // namespace
