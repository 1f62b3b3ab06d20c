// A Calculate click as the user sees it: the boxes, the hidden cells, the result lines, the focus.
#include <algorithm>

#include "framework/testing/testing.h"
#include "main_window_fixture.h"
#include "stats/globals.h"

namespace {

using fw::testing::Key;
using fw::testing::MessageBoxRecorder;

const std::vector<std::string> kNoBox;
const char* const kSizeMessage = "There must be at least a 2 x 2 table.";

// Names of the cells outside an nr x nc table, in row-major order.
std::vector<std::string> Outside(int nr, int nc) {
  std::vector<std::string> names;
  for (const GridCell& cell : kCells)
    if (cell.row > nr || cell.column > nc) names.push_back(cell.name);
  return names;
}

// The cells among the hidden controls of a moment, row-major.
std::vector<std::string> HiddenCellsOf(const fw::testing::WindowMoment& m) {
  std::vector<std::string> cells;
  for (const GridCell& cell : kCells)
    if (std::find(m.hidden.begin(), m.hidden.end(), cell.name) != m.hidden.end())
      cells.push_back(cell.name);
  return cells;
}

// The text of a control shown at that moment, or "(hidden)".
std::string ShownText(const fw::testing::WindowMoment& m, const std::string& name) {
  const auto it = m.shownTexts.find(name);
  return it == m.shownTexts.end() ? "(hidden)" : it->second;
}

class CalculateTest : public MainWindowTest {
 protected:
  // A click on the button leaves the focus where it was, so start each run from a cell other
  // than data11 to see where the focus ends.
  void CalculateFrom(const fw::Ref<fw::RectControl>& start) {
    start->SetFocus();
    Calculate();
  }
  void EmptyCell(const fw::Ref<fw::TextArea>& cell) {
    while (!cell->Text().empty()) {
      fw::testing::TypeKey(cell, Key::End);
      fw::testing::TypeKey(cell, Key::Backspace);
    }
  }
  void ExpectLabelsAsAtStart() {
    for (const fw::Ref<fw::Label>& label : {w->ctext(), w->cctext(), w->ktext(), w->ptext()})
      EXPECT_FALSE(label->Visible()) << label->Name();
    EXPECT_EQ(w->ctext()->Text(), "Chi-square = ");
    EXPECT_EQ(w->ktext()->Text(), "Kappa = ");
  }

  MessageBoxRecorder boxes;
};

TEST_F(CalculateTest, TablesSmallerThanTwoByTwoGetTheSizeMessageAndTheFocusGoesToData11) {
  const struct {
    const char* what;
    std::vector<const char*> cells;  // typed "1" each
    std::int64_t nr, nc;
  } cases[] = {
      {"all cells empty", {}, 0, 0},
      {"only data11", {"data11"}, 1, 1},
      {"column 1 in rows 1 to 5", {"data11", "data21", "data31", "data41", "data51"}, 5, 1},
      {"row 1 only, with body cells", {"data11", "data12", "data13", "data22", "data33"}, 1, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    for (const char* name : c.cells)
      for (const GridCell& cell : kCells)
        if (std::string(cell.name) == name) fw::testing::TypeText((w.get()->*cell.accessor)(), "1");
    boxes.Clear();
    CalculateFrom(w->data22());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kSizeMessage});
    EXPECT_TRUE(Focused() == w->data11());
    EXPECT_TRUE(HiddenCells().empty());
    ExpectLabelsAsAtStart();
    EXPECT_EQ(globals::nr, c.nr);
    EXPECT_EQ(globals::nc, c.nc);
  }
}

TEST_F(CalculateTest, AnEmptyCellInTheBlockNamesTheHighestSuchRowAndLeavesTheFocus) {
  const struct {
    const char* what;
    std::initializer_list<std::initializer_list<const char*>> table;
    const char* message;
  } cases[] = {
      {"data11 empty",
       {{"", "1"}, {"1", "1"}},
       "Missing data in row 1. Results will be inaccurate."},
      {"data23 and data32 empty",
       {{"1", "1", "1"}, {"1", "1", ""}, {"1", "", "1"}},
       "Missing data in row 3. Results will be inaccurate."},
      {"a gap in the first column does not end the sizing",
       {{"1", "1"}, {"1", "1"}, {"", ""}, {"1", "1"}},
       "Missing data in row 3. Results will be inaccurate."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    Type(c.table);
    boxes.Clear();
    CalculateFrom(w->data22());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(Focused() == w->data22()) << "the focus stays in the cell the user left";
    EXPECT_TRUE(HiddenCells().empty());
    ExpectLabelsAsAtStart();
    EXPECT_GE(globals::nr, 2);
    EXPECT_EQ(globals::data[1][2], 0);
  }
}

TEST_F(CalculateTest, ASuccessfulRunHidesTheCellsOutsideShowsTheLinesAndFocusesData11) {
  Type({{"10", "20"}, {"30", "40"}});
  CalculateFrom(w->data22());
  EXPECT_EQ(boxes.Texts(), kNoBox);
  EXPECT_EQ(HiddenCells(), Outside(2, 2));
  EXPECT_EQ(w->ctext()->Text(), "Chi-square = .794  (df = 1, p = .3730)");
  EXPECT_EQ(w->cctext()->Text(), "Contingency coefficient = .089");
  EXPECT_EQ(w->ptext()->Text(), "Phi coefficient = .089");
  EXPECT_EQ(w->ktext()->Text(), "Kappa = -.087");
  for (const fw::Ref<fw::Label>& label : {w->ctext(), w->cctext(), w->ktext(), w->ptext()})
    EXPECT_TRUE(fw::testing::ShownOf(label).visibleOnScreen) << label->Name();
  EXPECT_TRUE(Focused() == w->data11());
  EXPECT_EQ(globals::data[2][1], 30);
  EXPECT_EQ(globals::row[2], 70);
  EXPECT_EQ(globals::col[2], 60);
}

TEST_F(CalculateTest, ResultLinesOfTheWorkedTables) {
  const struct {
    const char* what;
    std::initializer_list<std::initializer_list<const char*>> table;
    int nr, nc;
    std::vector<std::string> boxes;
    const char *ctext, *cctext, *ptext, *ktext;
  } cases[] = {
      {"3 x 3 diagonal",
       {{"20", "5", "5"}, {"5", "20", "5"}, {"5", "5", "20"}},
       3,
       3,
       {},
       "Chi-square = 45.000  (df = 4, p = .0000)",
       "Contingency coefficient = .577",
       "Phi coefficient = .500",
       "Kappa = .500"},
      {"3 x 3 with a third sparse",
       {{"2", "3", "4"}, {"5", "6", "7"}, {"8", "9", "10"}},
       3,
       3,
       {"Caution: 33% of cells with expected frequency less than 5."},
       "Chi-square = .229  (df = 4, p = .9939)",
       "Contingency coefficient = .065",
       "Phi coefficient = .046",
       "Kappa = -.029"},
      {"2 x 2 all sparse",
       {{"3", "1"}, {"2", "4"}},
       2,
       2,
       {"Warning: Invalid results. 100% of cells with expected frequency less than 5."},
       "Chi-square = 1.667  (df = 1, p = .1967)",
       "Contingency coefficient = .378",
       "Phi coefficient = .408",
       "Kappa = .400"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    Type(c.table);
    boxes.Clear();
    Calculate();
    EXPECT_EQ(boxes.Texts(), c.boxes);
    EXPECT_EQ(w->ctext()->Text(), c.ctext);
    EXPECT_EQ(w->cctext()->Text(), c.cctext);
    EXPECT_EQ(w->ptext()->Text(), c.ptext);
    EXPECT_EQ(w->ktext()->Text(), c.ktext);
    EXPECT_EQ(HiddenCells(), Outside(c.nr, c.nc));
  }
}

// A box stops the run where it stands: what the window shows while it is up tells which of the
// run's effects came before it.
TEST_F(CalculateTest, TheSparseBoxComesAfterTheHidingAndBeforeTheLinesAndTheFocus) {
  Type({{"2", "3", "4"}, {"5", "6", "7"}, {"8", "9", "10"}});
  CalculateFrom(w->data22());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  const fw::testing::WindowMoment& first = boxes.Boxes()[0].front;
  EXPECT_EQ(first.title, "Vantrel");
  EXPECT_EQ(HiddenCellsOf(first), Outside(3, 3));
  for (const char* line : {"ctext", "cctext", "ptext", "ktext"})
    EXPECT_EQ(ShownText(first, line), "(hidden)") << line;
  EXPECT_EQ(first.focused, "data22");
  EXPECT_TRUE(Focused() == w->data11());

  // Shrink to 3 x 2, which has a sparse third as well. While its box is up the earlier run's
  // lines, kappa among them, still stand; the kappa line goes where a square run would set it.
  EmptyCell(w->data13());
  boxes.Clear();
  CalculateFrom(w->data22());
  ASSERT_EQ(boxes.Texts(),
            std::vector<std::string>{"Caution: 33% of cells with expected frequency less than 5."});
  const fw::testing::WindowMoment& second = boxes.Boxes()[0].front;
  EXPECT_EQ(HiddenCellsOf(second), Outside(3, 2));
  EXPECT_EQ(ShownText(second, "ctext"), "Chi-square = .229  (df = 4, p = .9939)");
  EXPECT_EQ(ShownText(second, "ktext"), "Kappa = -.029");
  EXPECT_EQ(second.focused, "data22");

  const fw::testing::WindowMoment after = fw::testing::MomentOf(w);
  EXPECT_EQ(ShownText(after, "ctext"), "Chi-square = .078  (df = 2, p = .9619)");
  EXPECT_EQ(ShownText(after, "ktext"), "(hidden)");
  EXPECT_EQ(w->ktext()->Text(), "Kappa = -.029");
  EXPECT_EQ(after.focused, "data11");
}

TEST_F(CalculateTest, ARefusedRunShowsItsBoxBeforeAnyChangeAndOnlyTheSizeBoxMovesTheFocus) {
  Type({{"10", "20"}, {"30", "40"}});
  Calculate();
  const fw::testing::WindowMoment before = fw::testing::MomentOf(w);
  const struct {
    const char* what;
    fw::Ref<fw::TextArea> emptied;
    const char* message;
    const char* focusAfter;
  } cases[] = {
      {"missing data", w->data22(), "Missing data in row 2. Results will be inaccurate.", "data21"},
      {"smaller than 2 x 2", w->data21(), kSizeMessage, "data11"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EmptyCell(c.emptied);
    boxes.Clear();
    CalculateFrom(w->data21());
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
    const fw::testing::WindowMoment& at = boxes.Boxes()[0].front;
    EXPECT_EQ(at.hidden, before.hidden);
    for (const char* line : {"ctext", "cctext", "ptext", "ktext"})
      EXPECT_EQ(ShownText(at, line), ShownText(before, line)) << line;
    EXPECT_EQ(at.focused, "data21");
    const fw::testing::WindowMoment after = fw::testing::MomentOf(w);
    EXPECT_EQ(after.hidden, before.hidden) << "a refused run hides nothing";
    EXPECT_EQ(after.focused, c.focusAfter);
  }
}

TEST_F(CalculateTest, ANonSquareTableShowsNoKappaLine) {
  Type({{"12", "7"}, {"3", "9"}, {"8", "10"}});
  Calculate();
  EXPECT_EQ(w->ctext()->Text(), "Chi-square = 4.371  (df = 2, p = .1124)");
  EXPECT_FALSE(w->ktext()->Visible());
  EXPECT_EQ(w->ktext()->Text(), "Kappa = ");
  EXPECT_EQ(HiddenCells(), Outside(3, 2));
}

TEST_F(CalculateTest, ANonSquareRunHidesAnEarlierKappaAndASquareRunShowsItsOwn) {
  Type({{"20", "5", "5"}, {"5", "20", "5"}, {"5", "5", "20"}});
  Calculate();
  ASSERT_EQ(w->ktext()->Text(), "Kappa = .500");
  // Shrink to 3 x 2 by emptying the first-row cell of column 3.
  EmptyCell(w->data13());
  Calculate();
  EXPECT_EQ(boxes.Texts(), kNoBox);
  EXPECT_EQ(w->ctext()->Text(), "Chi-square = 18.000  (df = 2, p = .0001)");
  EXPECT_FALSE(fw::testing::ShownOf(w->ktext()).visibleOnScreen);
  EXPECT_EQ(w->ktext()->Text(), "Kappa = .500") << "hidden with its text kept";

  // Back to 3 x 3: the kappa line shows again, with this table's kappa.
  Clear();
  Type({{"2", "3", "4"}, {"5", "6", "7"}, {"8", "9", "10"}});
  Calculate();
  EXPECT_TRUE(fw::testing::ShownOf(w->ktext()).visibleOnScreen);
  EXPECT_EQ(w->ktext()->Text(), "Kappa = -.029");
}

TEST_F(CalculateTest, TheMissingDataMessageKeepsTheEarlierResultsAndHiding) {
  Type({{"10", "20"}, {"30", "40"}});
  Calculate();
  const std::string chiLine = w->ctext()->Text();
  EmptyCell(w->data22());
  CalculateFrom(w->data21());
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"Missing data in row 2. Results will be inaccurate."});
  EXPECT_EQ(w->ctext()->Text(), chiLine);
  for (const fw::Ref<fw::Label>& label : {w->ctext(), w->cctext(), w->ktext(), w->ptext()})
    EXPECT_TRUE(label->Visible()) << label->Name();
  EXPECT_EQ(HiddenCells(), Outside(2, 2));
  EXPECT_TRUE(Focused() == w->data21());
}

TEST_F(CalculateTest, HidingPersistsAndHiddenCellsKeepTheirTexts) {
  Type({{"10", "20", "30"}, {"30", "40", "50"}, {"5", "6", "7"}});
  Calculate();
  ASSERT_EQ(HiddenCells(), Outside(3, 3));
  // A 2 x 2 run on what is left hides row 3 and column 3 as well; nothing comes back.
  EmptyCell(w->data31());
  EmptyCell(w->data13());
  Calculate();
  EXPECT_EQ(HiddenCells(), Outside(2, 2));
  EXPECT_EQ(w->data33()->Text(), "7");
  EXPECT_EQ(w->data23()->Text(), "50");
  EXPECT_EQ(w->data32()->Text(), "6");
  // A further run shows nothing again either.
  Calculate();
  EXPECT_EQ(HiddenCells(), Outside(2, 2));
}

TEST_F(CalculateTest, TextOutsideTheBlockIsIgnoredAndHiddenWithItsTextKept) {
  Type({{"10", "20", ""}, {"30", "40", ""}, {"", "", "99"}});
  Calculate();
  EXPECT_EQ(boxes.Texts(), kNoBox);
  EXPECT_EQ(globals::nr, 2);
  EXPECT_EQ(globals::nc, 2);
  EXPECT_FALSE(w->data33()->Visible());
  EXPECT_EQ(w->data33()->Text(), "99");
  EXPECT_EQ(w->ctext()->Text(), "Chi-square = .794  (df = 1, p = .3730)");
}

TEST_F(CalculateTest, WideAndFullTablesHideOnlyWhatLiesOutside) {
  // Two rows over all ten columns: rows 3 to 10 go, no column does.
  for (int c = 1; c <= 10; ++c) {
    fw::testing::TypeText(Cell(1, c), std::to_string(10 + c));
    fw::testing::TypeText(Cell(2, c), std::to_string(20 + c));
  }
  Calculate();
  EXPECT_EQ(HiddenCells(), Outside(2, 10));
  Clear();
  for (const GridCell& cell : kCells)
    fw::testing::TypeText((w.get()->*cell.accessor)(), std::to_string(cell.row * cell.column));
  boxes.Clear();
  Calculate();
  EXPECT_TRUE(HiddenCells().empty());
  EXPECT_EQ(globals::nr, 10);
  EXPECT_EQ(globals::nc, 10);
  EXPECT_TRUE(w->ktext()->Visible());
}

TEST_F(CalculateTest, PressingCalculateTwiceGivesTheSameBoxAndLines) {
  Type({{"3", "1"}, {"2", "4"}});
  Calculate();
  const std::string chiLine = w->ctext()->Text();
  const std::vector<std::string> hidden = HiddenCells();
  Calculate();
  ASSERT_EQ(boxes.Texts().size(), 2u);
  EXPECT_EQ(boxes.Texts()[0], boxes.Texts()[1]);
  EXPECT_EQ(w->ctext()->Text(), chiLine);
  EXPECT_EQ(HiddenCells(), hidden);
}

// A paste the cell refuses leaves it empty, so the run stops at the missing cell instead of
// reading "40ab" as 40; pasted digits count as typed ones.
TEST_F(CalculateTest, OnlyPastedDigitsReachTheRun) {
  Type({{"10", "20"}, {"30", ""}});
  fw::testing::Paste(w->data22(), "40ab");
  Calculate();
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"Missing data in row 2. Results will be inaccurate."});
  EXPECT_FALSE(w->ctext()->Visible());

  boxes.Clear();
  fw::testing::Paste(w->data22(), "40");
  Calculate();
  EXPECT_EQ(boxes.Texts(), kNoBox);
  EXPECT_EQ(globals::data[2][2], 40);
  EXPECT_EQ(w->ctext()->Text(), "Chi-square = .794  (df = 1, p = .3730)");
}

// The longest lines typed tables give, each measured as shown. The chi-square line is longest
// with seven integer digits (chi-square stays below 9 x 9999 x 100) and a two-digit df.
TEST_F(CalculateTest, EveryResultLineFitsItsLabelWhole) {
  auto expectWhole = [](const fw::Ref<fw::Label>& label) {
    const fw::testing::Shown shown = fw::testing::ShownOf(label);
    EXPECT_TRUE(shown.visibleOnScreen) << label->Name();
    EXPECT_GT(shown.textWidth, 0) << label->Name();
    EXPECT_LE(shown.textWidth, shown.textRoom) << label->Name() << ": " << shown.text;
  };

  // Four rows that agree one to one, then a 6 x 6 block of 9999: chi-square = 4 x N.
  for (const GridCell& cell : kCells) {
    const bool diagonal = cell.row <= 4 && cell.row == cell.column;
    const bool block = cell.row > 4 && cell.column > 4;
    fw::testing::TypeText((w.get()->*cell.accessor)(), diagonal || block ? "9999" : "0");
  }
  Calculate();
  ASSERT_EQ(w->ctext()->Text().substr(0, 32), "Chi-square = 1599840.000  (df = ");
  EXPECT_EQ(w->ctext()->Text().size(), 46u);
  expectWhole(w->ctext());

  // Phi and kappa at their widest, 1.000 and -1.000; every contingency line is as wide.
  Clear();
  Type({{"0", "5"}, {"5", "0"}});
  Calculate();
  EXPECT_EQ(w->ptext()->Text(), "Phi coefficient = 1.000");
  EXPECT_EQ(w->ktext()->Text(), "Kappa = -1.000");
  EXPECT_EQ(w->cctext()->Text(), "Contingency coefficient = .707");
  for (const fw::Ref<fw::Label>& label : {w->cctext(), w->ptext(), w->ktext()}) expectWhole(label);
}

TEST_F(CalculateTest, ReturnAndEscapePressNeitherButton) {
  Type({{"10", "20"}, {"30", "40"}});
  fw::testing::TypeKey(w->data22(), Key::Return);
  fw::testing::TypeKey(w->data22(), Key::Enter);
  fw::testing::TypeKey(w->data22(), Key::Escape);
  EXPECT_EQ(boxes.Texts(), kNoBox);
  EXPECT_FALSE(w->ctext()->Visible());
  EXPECT_EQ(w->data22()->Text(), "40");
}

}  // namespace
