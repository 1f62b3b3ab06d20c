// Clear: the grid empty and whole again, the table state zeroed, the results hidden.
#include "main_window_fixture.h"
#include "stats/globals.h"

namespace {

class ClearTest : public MainWindowTest {
 protected:
  // Everything Clear promises, whatever came before.
  void ExpectCleared() {
    for (const GridCell& cell : kCells) {
      fw::Ref<fw::TextArea> area = (w.get()->*cell.accessor)();
      EXPECT_EQ(area->Text(), "") << cell.name;
      EXPECT_TRUE(fw::testing::ShownOf(area).visibleOnScreen) << cell.name;
    }
    for (const fw::Ref<fw::Label>& label : {w->ctext(), w->cctext(), w->ktext(), w->ptext()})
      EXPECT_FALSE(label->Visible()) << label->Name();
    EXPECT_TRUE(Focused() == w->data11());
    EXPECT_EQ(globals::nr, 0);
    EXPECT_EQ(globals::nc, 0);
    for (std::size_t i = 0; i <= 10; ++i) {
      EXPECT_EQ(globals::row[i], 0);
      EXPECT_EQ(globals::col[i], 0);
      for (std::size_t j = 0; j <= 10; ++j) EXPECT_EQ(globals::data[i][j], 0);
    }
  }

  fw::testing::MessageBoxRecorder boxes;
  fw::testing::BeepRecorder beeps;
};

TEST_F(ClearTest, RightAfterStartItOnlyMovesTheFocusToData11) {
  w->ClearBtn()->SetFocus();
  Clear();
  ExpectCleared();
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(ClearTest, AfterARunItShowsEveryCellAgainAndHidesTheLinesKeepingTheirTexts) {
  Type({{"10", "20", "30"}, {"40", "50", "66"}});
  fw::testing::TypeText(w->data99(), "5");  // outside the table: hidden by the run
  Calculate();
  ASSERT_FALSE(HiddenCells().empty());
  const std::string chiLine = w->ctext()->Text();
  Clear();
  ExpectCleared();
  EXPECT_EQ(w->ctext()->Text(), chiLine);
  EXPECT_FALSE(w->copyright()->Visible());
  EXPECT_TRUE(w->CalcBtn()->Visible());
  EXPECT_TRUE(w->var1Text()->Visible());
}

TEST_F(ClearTest, TheKappaLineGoesAndANonSquareRunLeavesItHidden) {
  Type({{"10", "20"}, {"30", "40"}});
  Calculate();
  ASSERT_TRUE(w->ktext()->Visible());
  Clear();
  ExpectCleared();
  Type({{"10", "20", "30"}, {"40", "50", "66"}});
  Calculate();
  EXPECT_TRUE(w->ctext()->Visible());
  EXPECT_FALSE(w->ktext()->Visible());
}

TEST_F(ClearTest, TwiceInARowIsTheSameAsOnceAndThenCalculateGivesTheSizeMessage) {
  Type({{"1", "2"}, {"3", "4"}});
  Calculate();
  boxes.Clear();
  Clear();
  Clear();
  ExpectCleared();
  Calculate();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"There must be at least a 2 x 2 table."});
}

}  // namespace
