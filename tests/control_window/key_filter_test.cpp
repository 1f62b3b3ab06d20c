// What the cells take from the keyboard: digits and the editing keys; everything else beeps.
// Pasted, dropped and composed text is held to the same rule.
#include <functional>
#include <string>

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

// Text that reaches a cell without being typed: the cell takes it only when typing could have
// put it there, ASCII digits alone that fit whole (one line break at the end aside); otherwise
// one beep, and the cell stays as it was.
TEST_F(MainWindowTest, PastedOrCommittedTextGoesInOnlyWhenItIsAllDigits) {
  using Insert = std::function<void(const fw::Ref<fw::TextArea>&, const std::string&)>;
  const struct {
    const char* name;
    Insert insert;
  } roads[] = {
      {"Ctrl+V",
       [](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::SetClipboardText(text);
         fw::testing::TypeKeys(cell, "Ctrl+V");
       }},
      {"Shift+Insert",
       [](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::SetClipboardText(text);
         fw::testing::TypeKeys(cell, "Shift+Ins");
       }},
      {"the Edit menu's Paste",
       [this](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::SetClipboardText(text);
         cell->SetFocus();
         fw::testing::ChooseMenuItem(w, "EditPaste");
       }},
      {"the context menu's Paste",
       [](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::SetClipboardText(text);
         fw::testing::PasteFromContextMenu(cell);
       }},
      {"an input method's commit",
       [](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::CommitFromInputMethod(cell, text);
       }},
      {"a dead key, then the commit",
       [](const fw::Ref<fw::TextArea>& cell, const std::string& text) {
         fw::testing::CommitFromInputMethod(cell, text, "\xC2\xB4");
       }},
      {"a drop", [](const fw::Ref<fw::TextArea>& cell,
                    const std::string& text) { fw::testing::DropText(cell, text); }},
  };
  static const std::string longNumber(300, '1');
  const struct {
    const char* text;
    const char* held;  // nullptr: refused
  } texts[] = {
      {longNumber.c_str(), nullptr},
      {"7", "57"},
      {"123", "5123"},
      {"1234", nullptr},  // it does not fit whole: none of it goes in
      {"0918", nullptr},
      {"00012", nullptr},
      {"12\n", "512"},  // a copied spreadsheet cell: the break that ends it is not text
      {"12\r\n", "512"},
      {"3\r", "53"},
      {"12\n\n", nullptr},
      {"1\n2", nullptr},
      {"-5", nullptr},
      {"abc", nullptr},
      {"1e3", nullptr},
      {"1.5", nullptr},
      {"+7", nullptr},
      {" 12", nullptr},
      {"1\t2", nullptr},
      {"\xC3\xA9", nullptr},      // a letter outside ASCII
      {"\xD9\xA3", nullptr},      // ARABIC-INDIC DIGIT THREE
      {"\xEF\xBC\x95", nullptr},  // FULLWIDTH DIGIT FIVE
  };
  fw::Ref<fw::TextArea> cell = w->data23();
  for (const auto& road : roads) {
    SCOPED_TRACE(road.name);
    for (const auto& t : texts) {
      SCOPED_TRACE(::testing::PrintToString(std::string(t.text)));
      cell->SetText("5");
      cell->SetSelStart(1);
      fw::testing::BeepRecorder beeps;
      road.insert(cell, t.text);
      EXPECT_EQ(cell->Text(), t.held ? t.held : "5");
      EXPECT_EQ(beeps.Count(), t.held ? 0 : 1);
      EXPECT_TRUE(Focused() == cell);
    }
  }
}

// A paste is a step of its own: one Undo takes it away and leaves what was typed before it.
TEST_F(MainWindowTest, UndoTakesAwayAPasteAloneAndLeavesTheTyping) {
  fw::Ref<fw::TextArea> cell = w->data37();
  const struct {
    const char* name;
    std::function<void()> paste, undo;
  } ways[] = {
      {"keys", [&] { fw::testing::TypeKeys(cell, "Ctrl+V"); },
       [&] { fw::testing::TypeKeys(cell, "Ctrl+Z"); }},
      {"Edit menu", [&] { fw::testing::ChooseMenuItem(w, "EditPaste"); },
       [&] { fw::testing::ChooseMenuItem(w, "EditUndo"); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    cell->SetText("");
    fw::testing::TypeText(cell, "1");
    fw::testing::SetClipboardText("2\n");
    way.paste();
    EXPECT_EQ(cell->Text(), "12");
    way.undo();
    EXPECT_EQ(cell->Text(), "1");
    way.undo();
    EXPECT_EQ(cell->Text(), "");
  }
}

}  // namespace
