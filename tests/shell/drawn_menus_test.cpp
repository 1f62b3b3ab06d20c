// The menu bar as a user sees it with each of the program's windows in front: the menus drawn,
// and in each its items' captions, whether they can be chosen, and their shortcuts.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/menu.h"
#include "shell_fixture.h"

namespace {

struct Row {
  std::string menu, caption;
  bool enabled;
  std::string shortcut;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
  *os << r.menu << " > " << r.caption << (r.enabled ? "" : " (disabled)")
      << (r.shortcut.empty() ? "" : " " + r.shortcut);
}

// Every drawn menu of the window, each opened as a user opens it, so that the enabling runs.
std::vector<Row> DrawnMenus(const fw::Ref<fw::Window>& w) {
  std::vector<Row> rows;
  for (const std::string& menu : fw::testing::ShownTopLevelCaptions(w)) {
    fw::testing::OpenMenu(w, menu);
    for (const fw::testing::ShownMenuItem& item : fw::testing::ShownItems(w, menu))
      rows.push_back({menu, item.caption, item.separator || item.enabled, item.shortcut});
  }
  return rows;
}

const bool on = true, off = false;

struct FrontCase {
  const char* name;
  std::function<fw::Ref<fw::Window>()> bringToFront;
  std::vector<Row> menus;
};

void PrintTo(const FrontCase& c, std::ostream* os) {
  *os << c.name;
}

class DrawnMenusTest : public ShellTest, public ::testing::WithParamInterface<FrontCase> {};

// The clipboard is empty. The main window's first cell has the focus, empty: the Edit items have
// nothing to act on. The Description window opens with the focus in its text and the heading
// selected, which can be cut and copied; the bold heading is the program's doing, not an edit
// Undo could take back.
TEST_P(DrawnMenusTest, ShowOnlyWhatCanBeChosenNoBlanks) {
  fw::testing::SetClipboardText("");
  fw::Ref<fw::Window> front = GetParam().bringToFront();
  fw::testing::ProcessEvents();
  ASSERT_TRUE(fw::FrontWindow() == front);
  EXPECT_EQ(DrawnMenus(front), GetParam().menus);
}

INSTANTIATE_TEST_SUITE_P(
    , DrawnMenusTest,
    ::testing::Values(FrontCase{"MainWindow",
                                [] { return fw::Ref<fw::Window>(ControlWnd::Instance()); },
                                {{"File", "Print", off, ""},
                                 {"File", "Quit", on, "Ctrl+Q"},
                                 {"Edit", "Undo", off, "Ctrl+Z"},
                                 {"Edit", "-", on, ""},
                                 {"Edit", "Cut", off, "Ctrl+X"},
                                 {"Edit", "Copy", off, "Ctrl+C"},
                                 {"Edit", "Paste", off, "Ctrl+V"},
                                 {"Window", "Control", off, ""},
                                 {"Window", "Description", on, ""},
                                 {"Window", "About Vantrel", on, ""},
                                 {"Help", "About Vantrel", on, ""}}},
                      FrontCase{"DescriptionWindow",
                                [] {
                                  ControlWnd::Instance();
                                  return fw::Ref<fw::Window>(DescriptionWnd::Instance());
                                },
                                {{"File", "Print", on, ""},
                                 {"File", "Quit", on, "Ctrl+Q"},
                                 {"Edit", "Undo", off, "Ctrl+Z"},
                                 {"Edit", "-", on, ""},
                                 {"Edit", "Cut", on, "Ctrl+X"},
                                 {"Edit", "Copy", on, "Ctrl+C"},
                                 {"Edit", "Paste", off, "Ctrl+V"},
                                 {"Window", "Control", on, ""},
                                 {"Window", "Description", off, ""},
                                 {"Window", "About Vantrel", on, ""},
                                 {"Help", "About Vantrel", off, ""}}},
                      FrontCase{"AboutWindow",
                                [] { return fw::Ref<fw::Window>(AboutWnd::Instance()); },
                                {{"File", "Print", off, ""},
                                 {"File", "Quit", on, "Ctrl+Q"},
                                 {"Edit", "Undo", off, "Ctrl+Z"},
                                 {"Edit", "-", on, ""},
                                 {"Edit", "Cut", off, "Ctrl+X"},
                                 {"Edit", "Copy", off, "Ctrl+C"},
                                 {"Edit", "Paste", off, "Ctrl+V"},
                                 {"Window", "Control", off, ""},
                                 {"Window", "Description", off, ""},
                                 {"Window", "About Vantrel", on, ""},
                                 {"Help", "About Vantrel", off, ""}}}),
    [](const ::testing::TestParamInfo<FrontCase>& info) { return info.param.name; });

// What the user selects in the Description window's text can be copied, and cut and pasted over
// as the text is the user's to edit. Undo is not there from the start: the bold heading, set as
// the window opens, is not the user's edit.
class DescriptionEditMenuTest : public ShellTest {};

TEST_F(DescriptionEditMenuTest, EditItemsFollowTheSelection) {
  fw::testing::SetClipboardText("");
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  fw::Ref<fw::TextArea> text = w->DescribeFld2();
  text->SetFocus();
  text->SetSelStart(0);
  text->SetSelLength(7);
  const std::vector<Row> edit = {{"Edit", "Undo", off, "Ctrl+Z"},
                                 {"Edit", "-", on, ""},
                                 {"Edit", "Cut", on, "Ctrl+X"},
                                 {"Edit", "Copy", on, "Ctrl+C"},
                                 {"Edit", "Paste", off, "Ctrl+V"}};
  std::vector<Row> shown;
  for (const Row& row : DrawnMenus(w))
    if (row.menu == "Edit") shown.push_back(row);
  EXPECT_EQ(shown, edit);
  // The menu's Copy puts the heading on the clipboard; Paste can then act.
  fw::testing::ChooseMenuItem(w, "EditCopy");
  fw::testing::OpenMenu(w, "Edit");
  EXPECT_TRUE(Menu::Instance()->Lookup("EditPaste")->Enabled());
}

}  // namespace
