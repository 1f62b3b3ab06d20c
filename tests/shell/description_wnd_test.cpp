// The Description window: its text with the bold heading, one window at a time, its menu items,
// and printing through the print-dialog stand-in.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "framework/menu.h"
#include "framework/text.h"
#include "shell/description_text.h"
#include "shell/menu.h"
#include "shell_fixture.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type cr = text.find('\r', start);
    lines.push_back(text.substr(start, cr - start));
    if (cr == std::string::npos) return lines;
    start = cr + 1;
  }
}

// ---- The text itself ----

TEST(DescriptionText, HasTheThirtyTwoLinesInTheirPlaces) {
  const std::string& text = DescriptionText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return c == '\r' || (c >= 32 && c < 127);
  })) << "plain ASCII";
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 32u);

  EXPECT_EQ(lines[0], "Vantrel");
  for (int empty : {2, 4, 6, 8, 10, 12, 13, 16, 18, 20, 22, 24, 27, 30})
    EXPECT_EQ(lines[empty - 1], "") << "line " << empty;
  for (int full : {3, 5, 7, 9, 11, 15, 17, 19, 21, 23, 26, 28, 29, 32})
    EXPECT_GT(lines[full - 1].size(), 20u) << "line " << full;
  EXPECT_EQ(lines[13], "References");
  EXPECT_EQ(lines[24], std::string(68, '-'));
  EXPECT_EQ(lines[30], std::string(68, '-'));
  EXPECT_EQ(lines[27].back(), ':');
  EXPECT_NE(lines[28].find("[Computer software]"), std::string::npos);
  EXPECT_NE(lines[28].find("Vantrel"), std::string::npos);
}

// Every work cited in the paragraphs stands among the five references, which are in
// alphabetical order of the first author.
TEST(DescriptionText, CitesOnlyListedWorksAndListsThemInOrder) {
  const std::vector<std::string> lines = Lines(DescriptionText());
  std::vector<std::string> references;
  for (int line : {15, 17, 19, 21, 23}) references.push_back(lines[line - 1]);

  const std::regex entry(R"(^([A-Z][a-z]+), [A-Z]\.(?: [A-Z]\.)? \((\d{4})\)\. .+\.$)");
  std::vector<std::string> keys;
  for (const std::string& reference : references) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(reference, m, entry)) << reference;
    keys.push_back(m[1].str() + " " + m[2].str());
  }
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << "alphabetical, then by year";

  const std::regex citation(R"(\(([A-Z][a-z]+), (\d{4})\)|([A-Z][a-z]+) \((\d{4})\))");
  int cited = 0;
  for (int paragraph : {3, 5, 7, 9, 11}) {
    const std::string& p = lines[paragraph - 1];
    bool found = false;
    for (std::sregex_iterator it(p.begin(), p.end(), citation), end; it != end; ++it) {
      const std::smatch& m = *it;
      const std::string key =
          m[1].matched ? m[1].str() + " " + m[2].str() : m[3].str() + " " + m[4].str();
      EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key;
      found = true;
      ++cited;
    }
    EXPECT_TRUE(found) << "paragraph on line " << paragraph << " cites a work";
  }
  EXPECT_EQ(cited, 5);
}

// ---- The window ----

class DescriptionWndTest : public ShellTest {
 protected:
  static bool Bold(const fw::Ref<fw::TextArea>& field, std::int64_t start, std::int64_t length) {
    field->SetSelStart(start);
    field->SetSelLength(length);
    return field->SelBold();
  }
  static fw::testing::ShownMenuItem Item(const fw::Ref<fw::Window>& w, const std::string& menu,
                                         const std::string& name) {
    for (const auto& item : fw::testing::ShownItems(w, menu))
      if (item.name == name) return item;
    ADD_FAILURE() << name << " not shown in " << menu;
    return {};
  }
};

TEST_F(DescriptionWndTest, ShowsTheTextWithABoldHeading) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  const fw::testing::ShownWindow shown = fw::testing::ShownWindowOf(w);
  EXPECT_TRUE(shown.visible);
  EXPECT_EQ(shown.title, "Description");
  EXPECT_EQ(shown.width, 427);
  EXPECT_EQ(shown.height, 491);

  fw::Ref<fw::TextArea> field = w->DescribeFld2();
  EXPECT_EQ(field->Text(), DescriptionText());
  EXPECT_FALSE(field->ReadOnly());
  // The selection is left on the heading.
  EXPECT_EQ(field->SelStart(), 0);
  EXPECT_EQ(field->SelLength(), 7);
  EXPECT_TRUE(field->SelBold());
  EXPECT_FALSE(Bold(field, 8, 40)) << "the rest stays plain";

  EXPECT_EQ(w->DescribeFld()->Text(), "\r");
  EXPECT_TRUE(w->DescribeFld()->ReadOnly());
}

// Both fields are locked on all four sides: they keep their distances to the window's edges, so
// the text fills the window however the user sizes it.
TEST_F(DescriptionWndTest, FieldsFollowAResize) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{700, 300}, Size{300, 600}, Size{427, 491}}) {
    fw::testing::ResizeByUser(w, size.width, size.height);
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    ASSERT_EQ(fw::testing::ShownWindowOf(w).width, size.width);
    ASSERT_EQ(fw::testing::ShownWindowOf(w).height, size.height);
    const fw::testing::Shown text = fw::testing::ShownOf(w->DescribeFld2());
    EXPECT_EQ((std::vector{text.left, text.top, text.width, text.height}),
              (std::vector{-1, -1, size.width + 2, size.height - 15}));
    const fw::testing::Shown under = fw::testing::ShownOf(w->DescribeFld());
    EXPECT_EQ((std::vector{under.left, under.top, under.width, under.height}),
              (std::vector{1, -1, size.width, size.height - 13}));
  }
}

TEST_F(DescriptionWndTest, ImplementsOpenCloseAndEnableMenuItemsOnly) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  for (const char* event : {"Open", "Close", "EnableMenuItems"})
    EXPECT_TRUE(w->IsEventImplemented(event)) << event;
  for (const char* event : {"Activate", "KeyDown", "MouseDown"})
    EXPECT_FALSE(w->IsEventImplemented(event)) << event;
}

TEST_F(DescriptionWndTest, IsMadeOnceAndAnewAfterClosing) {
  fw::WeakRef<DescriptionWnd> first = DescriptionWnd::Instance();
  EXPECT_TRUE(DescriptionWnd::Instance() == first.Lock()) << "a second request only shows it";

  first.Lock()->DescribeFld2()->SetText("edited by the user");
  fw::testing::CloseByUser(first.Lock());
  fw::testing::ProcessEvents();
  EXPECT_FALSE(first.Lock());
  EXPECT_FALSE(Live(DescriptionWnd::Class()));

  fw::Ref<DescriptionWnd> second = DescriptionWnd::Instance();
  EXPECT_TRUE(second->Visible());
  EXPECT_EQ(second->DescribeFld2()->Text(), DescriptionText());
  EXPECT_TRUE(Bold(second->DescribeFld2(), 0, 7));
}

TEST_F(DescriptionWndTest, EnablesItsItemsInFrontAndDisablesPrintOnClose) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  ControlMenuItem()->SetEnabled(false);
  FilePrint()->SetEnabled(false);

  fw::testing::OpenMenu(w, "Window");
  EXPECT_TRUE(Item(w, "Window", "ControlMenuItem").enabled);
  EXPECT_TRUE(Item(w, "Window", "AboutMenuItem").enabled);
  fw::testing::OpenMenu(w, "File");
  EXPECT_TRUE(Item(w, "File", "FilePrint").enabled);

  fw::testing::CloseByUser(w);
  fw::testing::ProcessEvents();
  EXPECT_FALSE(FilePrint()->Enabled());
}

// The main window and the Description window each set the Window menu when in front.
TEST_F(DescriptionWndTest, WindowMenuFollowsTheFrontmostWindow) {
  fw::Ref<ControlWnd> main = ControlWnd::Instance();
  fw::Ref<DescriptionWnd> description = DescriptionWnd::Instance();

  fw::testing::OpenMenu(description, "Window");
  EXPECT_TRUE(Item(description, "Window", "ControlMenuItem").enabled);

  fw::testing::Activate(main);
  fw::testing::OpenMenu(main, "Window");
  EXPECT_FALSE(Item(main, "Window", "ControlMenuItem").enabled);
  EXPECT_TRUE(Item(main, "Window", "DescriptionMenuItem").enabled);

  fw::testing::Activate(description);
  fw::testing::OpenMenu(description, "Window");
  EXPECT_TRUE(Item(description, "Window", "ControlMenuItem").enabled);
}

TEST_F(DescriptionWndTest, ControlAndAboutItemsBringTheirWindowsForward) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  fw::testing::ChooseMenuItem(w, "ControlMenuItem");
  fw::testing::ProcessEvents();
  EXPECT_TRUE(MainWindowInFront()) << "made on first request";

  fw::testing::Activate(w);
  fw::testing::ChooseMenuItem(w, "AboutMenuItem");
  fw::testing::ProcessEvents();
  fw::Ref<fw::Window> about = Live(AboutWnd::Class());
  EXPECT_TRUE(Shown(about));
  EXPECT_TRUE(fw::FrontWindow() == about);
}

// The bold heading is the program's doing, not an edit of the user's: a window just opened has
// nothing to undo, and Undo never takes the bold away. The user's own edits are undone.
TEST_F(DescriptionWndTest, UndoTakesBackOnlyTheUsersEdits) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  fw::Ref<fw::TextArea> text = w->DescribeFld2();
  text->SetFocus();
  fw::testing::OpenMenu(w, "Edit");
  EXPECT_FALSE(Item(w, "Edit", "EditUndo").enabled);
  fw::testing::TypeKeys(text, "Ctrl+Z");
  EXPECT_EQ(text->Text(), DescriptionText());
  EXPECT_TRUE(Bold(text, 0, 7));

  text->SetSelStart(8);
  fw::testing::TypeKeyText(text, "x");
  fw::testing::OpenMenu(w, "Edit");
  EXPECT_TRUE(Item(w, "Edit", "EditUndo").enabled);
  fw::testing::ChooseMenuItem(w, "EditUndo");
  EXPECT_EQ(text->Text(), DescriptionText());
  fw::testing::OpenMenu(w, "Edit");
  EXPECT_FALSE(Item(w, "Edit", "EditUndo").enabled);
  EXPECT_TRUE(Bold(text, 0, 7));
}

// ---- Where the user starts, and the roads that bring the windows forward ----

// The window opens with the focus in the text, the heading selected: Copy copies it. The
// read-only field underneath keeps its place in the tab order.
TEST_F(DescriptionWndTest, OpensWithTheFocusInTheTextAndTheHeadingSelected) {
  fw::Ref<DescriptionWnd> w = DescriptionWnd::Instance();
  fw::testing::ProcessEvents();
  fw::Ref<fw::TextArea> text = w->DescribeFld2();
  ASSERT_TRUE(fw::testing::FocusedControl(w) == text);
  EXPECT_EQ(text->SelStart(), 0);
  EXPECT_EQ(text->SelLength(), 7);

  fw::testing::OpenMenu(w, "Edit");
  EXPECT_TRUE(Item(w, "Edit", "EditCopy").enabled);
  fw::testing::SetClipboardText("");
  fw::testing::TypeKeys(text, "Ctrl+C");
  EXPECT_EQ(fw::testing::ClipboardText(), "Vantrel");

  fw::testing::PressTab(w);
  EXPECT_TRUE(fw::testing::FocusedControl(w) == w->DescribeFld());
}

// The help picture and the Window menu's items show a minimised window again, in front.
struct RestoreCase {
  const char* name;
  bool minimiseTheMainWindow;  // else the Description window
  std::function<void(const fw::Ref<ControlWnd>&, const fw::Ref<DescriptionWnd>&)> road;
};

void PrintTo(const RestoreCase& c, std::ostream* os) {
  *os << c.name;
}

class DescriptionRestoreTest : public DescriptionWndTest,
                               public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(DescriptionRestoreTest, RestoresTheMinimisedWindowAndPutsItInFront) {
  fw::Ref<ControlWnd> main = ControlWnd::Instance();
  fw::Ref<DescriptionWnd> description = DescriptionWnd::Instance();
  const fw::Ref<fw::Window> minimised =
      GetParam().minimiseTheMainWindow ? fw::Ref<fw::Window>(main) : description;
  const fw::Ref<fw::Window> other =
      GetParam().minimiseTheMainWindow ? fw::Ref<fw::Window>(description) : main;
  fw::testing::MinimizeByUser(minimised);
  fw::testing::Activate(other);
  ASSERT_TRUE(fw::FrontWindow() == other);

  GetParam().road(main, description);
  fw::testing::ProcessEvents();
  EXPECT_FALSE(fw::testing::ShownWindowOf(minimised).minimized);
  EXPECT_TRUE(fw::FrontWindow() == minimised);
  EXPECT_TRUE(
      fw::testing::WaitUntil([&] { return fw::testing::ShownWindowOf(minimised).active; }, 5000));
}

INSTANTIATE_TEST_SUITE_P(
    , DescriptionRestoreTest,
    ::testing::Values(
        RestoreCase{"HelpPicture", false,
                    [](const fw::Ref<ControlWnd>& main, const fw::Ref<DescriptionWnd>&) {
                      fw::testing::Click(main->Canvas1());
                    }},
        RestoreCase{"DescriptionItem", false,
                    [](const fw::Ref<ControlWnd>& main, const fw::Ref<DescriptionWnd>&) {
                      fw::testing::ChooseMenuItem(main, "DescriptionMenuItem");
                    }},
        RestoreCase{"ControlItem", true,
                    [](const fw::Ref<ControlWnd>&, const fw::Ref<DescriptionWnd>& description) {
                      fw::testing::ChooseMenuItem(description, "ControlMenuItem");
                    }}),
    [](const ::testing::TestParamInfo<RestoreCase>& info) { return info.param.name; });

// ---- Printing ----

class DescriptionPrintTest : public DescriptionWndTest {
 protected:
  void SetUp() override {
    DescriptionWndTest::SetUp();
    pdf = std::filesystem::temp_directory_path() /
          ("vantrel-print-" + std::to_string(::getpid()) + ".pdf");
    w = DescriptionWnd::Instance();
  }
  void TearDown() override {
    std::filesystem::remove(pdf);
    DescriptionWndTest::TearDown();
  }
  void Print() { fw::testing::ChooseMenuItem(w, "FilePrint"); }

  std::filesystem::path pdf;
  fw::Ref<DescriptionWnd> w;
};

TEST_F(DescriptionPrintTest, CancelledDialogPrintsNothing) {
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::Cancelling();
  Print();
  EXPECT_EQ(dialog.DialogsOpened(), 1);
  EXPECT_EQ(dialog.BlocksDrawn(), 0);
  EXPECT_EQ(dialog.PagesStarted(), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(DescriptionPrintTest, ShortTextIsOneBlockOnOnePage) {
  w->DescribeFld2()->SetText("Vantrel\rOne short line.");
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf);
  Print();
  EXPECT_EQ(dialog.DialogsOpened(), 1);
  EXPECT_EQ(dialog.BlocksDrawn(), 1);
  EXPECT_EQ(dialog.PagesStarted(), 1);
  const std::vector<fw::testing::PdfPage> pages = fw::testing::PdfPagesOf(pdf.string());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NEAR(pages[0].width, 595, 0.5) << "the paper the dialog gave, A4 unless chosen otherwise";
  EXPECT_NEAR(pages[0].height, 842, 0.5);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (c == ' ' || c == '\r') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

struct PaperCase {
  const char* name;
  fw::testing::Paper paper;
  double width, height;
};

class DescriptionPaperTest : public DescriptionPrintTest,
                             public ::testing::WithParamInterface<PaperCase> {};

// The description on the user's paper: the system's blocks at (36, 36) from the top left of the
// printable area, 492 points wide, one per page; the PDF named after the window; its text layer
// holding every line of the description once, in order.
TEST_P(DescriptionPaperTest, PrintsEachLineOnceOnTheChosenPaper) {
  const PaperCase& c = GetParam();
  fw::testing::PrintDialogStandIn dialog =
      fw::testing::PrintDialogStandIn::PrintingTo(pdf.string(), c.paper);
  Print();
  const std::vector<fw::testing::PrintedBlock> blocks = dialog.Blocks();
  ASSERT_FALSE(blocks.empty());
  EXPECT_DOUBLE_EQ(blocks[0].x, c.paper.left + 36);
  EXPECT_DOUBLE_EQ(blocks[0].y, c.paper.top + 36);
  EXPECT_DOUBLE_EQ(blocks[0].width, 492);
  EXPECT_EQ(dialog.PagesStarted(), dialog.BlocksDrawn());

  const fw::testing::PdfText read = fw::testing::PdfTextOf(pdf.string());
  EXPECT_EQ(read.title, "Description");
  ASSERT_EQ(static_cast<std::int64_t>(read.pages.size()), dialog.PagesStarted());
  std::vector<std::string> words;
  for (const fw::testing::PdfTextPage& page : read.pages) {
    EXPECT_NEAR(page.width, c.width, 0.01);
    EXPECT_NEAR(page.height, c.height, 0.01);
    ASSERT_FALSE(page.lines.empty());
    EXPECT_NEAR(page.lines.front().xMin, c.paper.left + 36, 0.75);
    EXPECT_NEAR(page.lines.front().yMin, c.paper.top + 36, 3);
    for (const fw::testing::PdfTextLine& line : page.lines) {
      EXPECT_LE(line.xMax, c.paper.left + 36 + 492 + 0.5) << line.text;
      EXPECT_LE(line.yMax, c.paper.top + 36 + 600 + 3) << line.text;
      for (const std::string& w : Words(line.text)) words.push_back(w);
    }
  }
  EXPECT_EQ(words, Words(DescriptionText()));
}

INSTANTIATE_TEST_SUITE_P(
    Papers, DescriptionPaperTest,
    ::testing::Values(
        PaperCase{"A4", {fw::testing::Paper::Size::A4, false, 20, 30, 25, 35}, 595, 842},
        PaperCase{"Letter", {fw::testing::Paper::Size::Letter, false, 18, 18, 18, 18}, 612, 792}),
    [](const ::testing::TestParamInfo<PaperCase>& info) { return info.param.name; });

// A5 with 10-point margins leaves about 400 x 575 points, less than the 540 x 648 page: the page is
// scaled down to fit the width, so every line of the description prints whole, on as many pages
// as at real size.
TEST_F(DescriptionPrintTest, OnA5EveryLinePrintsWholeOnTheShrunkPage) {
  const fw::testing::Paper a5{fw::testing::Paper::Size::A5, false, 10, 10, 10, 10};
  const double right = 420 - 10, bottom = 595 - 10, scale = (420 - 20) / 540.0;
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf, a5);
  Print();
  EXPECT_NEAR(dialog.Scale(), scale, 1e-9);
  EXPECT_EQ(dialog.PagesStarted(), 2) << "the same pages as on any paper";

  const fw::testing::PdfText read = fw::testing::PdfTextOf(pdf.string());
  ASSERT_EQ(read.pages.size(), 2u);
  std::vector<std::string> words;
  for (const fw::testing::PdfTextPage& page : read.pages) {
    ASSERT_FALSE(page.lines.empty());
    EXPECT_NEAR(page.lines.front().xMin, 10 + 36 * scale, 0.75);
    EXPECT_NEAR(page.lines.front().yMin, 10 + 36 * scale, 3 * scale);
    for (const fw::testing::PdfTextLine& line : page.lines) {
      EXPECT_LE(line.xMax, right) << line.text;
      EXPECT_LE(line.yMax, bottom) << line.text;
      for (const std::string& w : Words(line.text)) words.push_back(w);
    }
  }
  EXPECT_EQ(words, Words(DescriptionText()));
}

struct ChoiceCase {
  const char* name;
  fw::testing::PrintChoices choices;
  std::vector<int> pages;  // the pages of the whole printout that come out, in order
};

class DescriptionChoicesTest : public DescriptionPrintTest,
                               public ::testing::WithParamInterface<ChoiceCase> {};

// Each page that comes out is the page of the whole printout, line for line and in the same
// place: "pages 2 to 2" gives one page that starts where page 2 did.
TEST_P(DescriptionChoicesTest, PrintsTheChosenPagesAsTheyStandInTheWhole) {
  const ChoiceCase& c = GetParam();
  auto seen = [](const fw::testing::PdfTextPage& page) {
    std::vector<std::string> lines;
    for (const fw::testing::PdfTextLine& line : page.lines)
      lines.push_back(line.text + " @ " + fw::Format(line.xMin, "0.00") + ", " +
                      fw::Format(line.yMin, "0.00"));
    return lines;
  };
  {
    fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf);
    Print();
  }
  const std::vector<fw::testing::PdfTextPage> whole = fw::testing::PdfTextOf(pdf.string()).pages;
  ASSERT_EQ(whole.size(), 2u);

  fw::testing::PrintDialogStandIn dialog =
      fw::testing::PrintDialogStandIn::PrintingTo(pdf, {}, c.choices);
  Print();
  const std::vector<fw::testing::PdfTextPage> printed = fw::testing::PdfTextOf(pdf.string()).pages;
  ASSERT_EQ(printed.size(), c.pages.size());
  for (std::size_t i = 0; i < printed.size(); ++i)
    EXPECT_EQ(seen(printed[i]), seen(whole[c.pages[i] - 1])) << "sheet " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DescriptionChoicesTest,
    ::testing::Values(ChoiceCase{"SecondPageOnly", {2, 2}, {2}},
                      ChoiceCase{"TwoCopiesLastPageFirst", {0, 0, 2, true, true}, {2, 1, 2, 1}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

// n blocks need n pages: a new page between blocks, none after the last.
TEST_F(DescriptionPrintTest, LongTextIsOneBlockPerPage) {
  std::string text = "Vantrel";
  for (int line = 1; line <= 300; ++line) text += "\rLine " + std::to_string(line);
  w->DescribeFld2()->SetText(text);
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf);
  Print();
  EXPECT_GE(dialog.BlocksDrawn(), 5);
  EXPECT_EQ(dialog.PagesStarted(), dialog.BlocksDrawn());
}

TEST_F(DescriptionPrintTest, PrintsTheUsersEditsAndTheFixedTextAlike) {
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf);
  Print();
  const std::int64_t fixedBlocks = dialog.BlocksDrawn();
  EXPECT_GE(fixedBlocks, 1);
  EXPECT_EQ(dialog.PagesStarted(), fixedBlocks);

  w->DescribeFld2()->SetText(DescriptionText() + std::string(120, '\r') + "an edit at the end");
  Print();
  EXPECT_EQ(dialog.DialogsOpened(), 2);
  EXPECT_GT(dialog.BlocksDrawn(), fixedBlocks);
  EXPECT_EQ(dialog.PagesStarted(), dialog.BlocksDrawn());
}

TEST_F(DescriptionPrintTest, EmptyTextDrawsNoBlock) {
  w->DescribeFld2()->SetText("");
  fw::testing::PrintDialogStandIn dialog = fw::testing::PrintDialogStandIn::PrintingTo(pdf);
  Print();
  EXPECT_EQ(dialog.BlocksDrawn(), 0);
  EXPECT_LE(dialog.PagesStarted(), 1) << "no page beyond the job's first";
}

}  // namespace
