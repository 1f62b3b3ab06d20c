// What the cells take from the keyboard: digits and the editing keys; everything else beeps.
#include "main_window_fixture.h"

namespace {

using fw::testing::Key;

TEST(CellKeyFilter, PassesDigitsAndControlCodesAndRefusesTheRestWithABeep) {
  const struct {
    const char* key;
    bool refused;
  } cases[] = {
      {"0", false},
      {"9", false},
      {"5", false},
      {"/", true},
      {":", true},
      {"\x08", false},
      {"\t", false},
      {"\r", false},
      {"\x1b", false},
      {"\x1c", false},
      {"\x1f", false},
      {" ", true},
      {"+", true},
      {",", true},
      {"-", true},
      {".", true},
      {"a", true},
      {"Z", true},
      {"~", true},
      {"\x7f", false},
      {"\xc2\x80", true},  // U+0080, the first code past Delete
      {"\xc3\xa9", true},  // a letter outside ASCII
      {"\xd9\xa3", true},  // ARABIC-INDIC DIGIT THREE: not a digit to the filter
      // Longer key texts go whole into the digit test, then only the first code counts.
      {"5a", false},
      {"8z", false},
      {"9a", true},
      {"\x01x", false},
      {"", false},  // no character: code 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.key)));
    fw::testing::BeepRecorder beeps;
    EXPECT_EQ(RefuseCellKey(c.key), c.refused);
    EXPECT_EQ(beeps.Count(), c.refused ? 1 : 0);
  }
}

TEST_F(MainWindowTest, TypedDigitsGoIntoTheCellSilently) {
  fw::testing::BeepRecorder beeps;
  fw::testing::TypeText(w->data11(), "7");
  EXPECT_EQ(w->data11()->Text(), "7");
  fw::testing::TypeText(w->data55(), "0918");
  EXPECT_EQ(w->data55()->Text(), "0918");
  EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(MainWindowTest, RefusedKeysBeepAndLeaveTheTextAlone) {
  fw::testing::TypeText(w->data23(), "12");
  fw::testing::BeepRecorder beeps;
  for (const char* key : {"a", " ", ".", "-", "+", "e", "/", ":"})
    fw::testing::TypeText(w->data23(), key);
  fw::testing::TypeKeyText(w->data23(), "\xc3\xa9");
  EXPECT_EQ(w->data23()->Text(), "12");
  EXPECT_EQ(beeps.Count(), 9);
}

TEST_F(MainWindowTest, AFifthCharacterIsRefusedByTheLimitWithoutABeep) {
  fw::testing::TypeText(w->data34(), "1234");
  fw::testing::BeepRecorder beeps;
  fw::testing::TypeText(w->data34(), "5");
  EXPECT_EQ(w->data34()->Text(), "1234");
  EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(MainWindowTest, EditingAndNavigationKeysReachTheCellSilently) {
  fw::Ref<fw::TextArea> cell = w->data46();
  fw::testing::TypeText(cell, "123");
  fw::testing::BeepRecorder beeps;
  fw::testing::TypeKey(cell, Key::Backspace);
  EXPECT_EQ(cell->Text(), "12");
  fw::testing::TypeKey(cell, Key::Left);
  fw::testing::TypeKey(cell, Key::Delete);
  EXPECT_EQ(cell->Text(), "1");
  fw::testing::TypeKey(cell, Key::Home);
  fw::testing::TypeText(cell, "4");
  fw::testing::TypeKey(cell, Key::End);
  fw::testing::TypeText(cell, "5");
  EXPECT_EQ(cell->Text(), "415");
  for (Key key : {Key::Right, Key::Up, Key::Down, Key::Return, Key::Enter, Key::Escape, Key::PageUp,
                  Key::PageDown, Key::F1})
    fw::testing::TypeKey(cell, key);
  EXPECT_EQ(cell->Text(), "415");
  EXPECT_EQ(beeps.Count(), 0);
  EXPECT_TRUE(Focused() == cell);
}

TEST_F(MainWindowTest, TabMovesOnAndNeverPutsATabIntoTheCell) {
  fw::testing::TypeText(w->data19(), "3");
  fw::testing::BeepRecorder beeps;
  fw::testing::TypeKey(w->data19(), Key::Tab);
  EXPECT_TRUE(Focused() == w->data110());
  fw::testing::TypeKey(w->data110(), Key::Tab);
  EXPECT_TRUE(Focused() == w->data21());
  EXPECT_EQ(w->data19()->Text(), "3");
  EXPECT_EQ(w->data110()->Text(), "");
  EXPECT_EQ(beeps.Count(), 0);
}

TEST_F(MainWindowTest, EveryCellFiltersTheSameWay) {
  fw::testing::BeepRecorder beeps;
  for (const GridCell& cell : kCells) {
    fw::Ref<fw::TextArea> area = (w.get()->*cell.accessor)();
    fw::testing::TypeText(area, "x");
    fw::testing::TypeText(area, "6");
    EXPECT_EQ(area->Text(), "6") << cell.name;
  }
  EXPECT_EQ(beeps.Count(), 100);
}

TEST_F(MainWindowTest, PastedTextPassesNoFilter) {
  fw::testing::BeepRecorder beeps;
  fw::testing::Paste(w->data11(), "a b");
  EXPECT_EQ(w->data11()->Text(), "a b");
  EXPECT_EQ(beeps.Count(), 0);
}

}  // namespace
