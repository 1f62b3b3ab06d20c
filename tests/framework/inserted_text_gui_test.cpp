// Text a field is given without typing it: a field with a KeyDown handler takes it only as the
// handler would take it typed, character by character; other fields take it as it comes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class InsertedTextTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    w = DemoWnd::Instance();
    ProcessEvents();
  }
  fw::Ref<DemoWnd> w;
  MessageBoxRecorder boxes;
};

struct Road {
  const char* name;
  std::function<void(const fw::Ref<fw::TextArea>&, const std::string&)> insert;
  std::vector<std::string> ownKeys;  // what KeyDown gets for the road itself
};

const std::vector<Road>& Roads() {
  static const std::vector<Road> roads = {
      {"Ctrl+V",
       [](const fw::Ref<fw::TextArea>& f, const std::string& t) {
         SetClipboardText(t);
         TypeKeys(f, "Ctrl+V");
       },
       {"\x16"}},
      {"Shift+Insert",
       [](const fw::Ref<fw::TextArea>& f, const std::string& t) {
         SetClipboardText(t);
         TypeKeys(f, "Shift+Ins");
       },
       {"\x10"}},
      {"Edit menu", [](const fw::Ref<fw::TextArea>& f, const std::string& t) { Paste(f, t); }, {}},
      {"context menu",
       [](const fw::Ref<fw::TextArea>& f, const std::string& t) {
         SetClipboardText(t);
         PasteFromContextMenu(f);
       },
       {}},
      {"input method",
       [](const fw::Ref<fw::TextArea>& f, const std::string& t) { CommitFromInputMethod(f, t); },
       {}},
      {"drop", [](const fw::Ref<fw::TextArea>& f, const std::string& t) { DropText(f, t); }, {}},
  };
  return roads;
}

// Text as a multi-line field gives it back: CR between lines.
std::string WithCrBreaks(std::string text) {
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;)
    text.erase(at + 1, 1);
  std::replace(text.begin(), text.end(), '\n', '\r');
  return text;
}

std::vector<std::string> Keys(std::vector<std::string> own, const std::vector<std::string>& more) {
  own.insert(own.end(), more.begin(), more.end());
  return own;
}

TEST_F(InsertedTextTest, EveryRoadOffersTheTextToKeyDownCharacterByCharacter) {
  w->discardKeys = "x";
  for (const Road& road : Roads()) {
    SCOPED_TRACE(road.name);
    BeepRecorder beeps;
    w->Field1()->SetText("");
    w->fieldKeys.clear();
    road.insert(w->Field1(), "\xC3\xA9");
    EXPECT_EQ(w->Field1()->Text(), "\xC3\xA9");
    EXPECT_EQ(w->fieldKeys, Keys(road.ownKeys, {"\xC3\xA9"}));

    // At the first character refused the whole text is dropped; the rest is not offered.
    w->fieldKeys.clear();
    road.insert(w->Field1(), "2x3");
    EXPECT_EQ(w->Field1()->Text(), "\xC3\xA9");
    EXPECT_EQ(w->fieldKeys, Keys(road.ownKeys, {"2", "x"}));
    EXPECT_EQ(beeps.Count(), 0) << "this handler makes no sound of its own";
  }
}

TEST_F(InsertedTextTest, AOneLineFieldRefusesControlCharactersWithABeepBeforeItsHandler) {
  const struct {
    const char* text;
    std::vector<std::string> offered;
  } cases[] = {
      {"\t", {}},       {"1\r2", {"1"}}, {"12\n\n", {"1", "2"}},
      {"1\x7F", {"1"}}, {"\x01", {}},    {"3\xE2\x80\xA8", {"3"}},  // LINE SEPARATOR
  };
  w->Field1()->SetText("9");
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
    for (const Road& road : Roads()) {
      SCOPED_TRACE(road.name);
      BeepRecorder beeps;
      w->fieldKeys.clear();
      road.insert(w->Field1(), c.text);
      EXPECT_EQ(w->Field1()->Text(), "9");
      EXPECT_EQ(w->fieldKeys, Keys(road.ownKeys, c.offered));
      EXPECT_EQ(beeps.Count(), 1);
    }
  }
}

TEST_F(InsertedTextTest, TakenTextReplacesTheSelection) {
  w->Field1()->SetText("12");
  w->Field1()->SetSelStart(2);
  Paste(w->Field1(), "34");
  EXPECT_EQ(w->Field1()->Text(), "1234");

  w->Field1()->SetSelStart(1);
  w->Field1()->SetSelLength(2);
  CommitFromInputMethod(w->Field1(), "7", "7");
  EXPECT_EQ(w->Field1()->Text(), "174");
  TypeText(w->Field1(), "8");
  EXPECT_EQ(w->Field1()->Text(), "1784") << "typing goes on after a commit";

  // A refused commit ends the composition and leaves text and selection alone.
  w->discardKeys = "a";
  w->Field1()->SetSelStart(0);
  w->Field1()->SetSelLength(1);
  CommitFromInputMethod(w->Field1(), "a", "a");
  EXPECT_EQ(w->Field1()->Text(), "1784");
  EXPECT_EQ(w->Field1()->SelLength(), 1);
}

TEST_F(InsertedTextTest, ARefusedCommitKeepsWhatItsCompositionCommittedBefore) {
  w->discardKeys = "a";
  w->Field1()->SetText("12");
  w->Field1()->SetSelStart(0);
  w->Field1()->SetSelLength(2);
  CommitFromInputMethod(w->Field1(), "3", "3", "a");  // and goes on composing
  EXPECT_EQ(w->Field1()->Text(), "3");
  CommitFromInputMethod(w->Field1(), "a", "a");
  EXPECT_EQ(w->Field1()->Text(), "3");
}

TEST_F(InsertedTextTest, AFailingHandlerIsReportedAndLetsNothingIn) {
  BindFailingKeyDown(w->Field1());
  Paste(w->Field1(), "5");
  CommitFromInputMethod(w->Field1(), "6");
  EXPECT_EQ(w->Field1()->Text(), "");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>(
                               2, "An exception of class NilObjectException was not handled."));
}

TEST_F(InsertedTextTest, FieldsWithoutAKeyDownHandlerTakeItAsItComes) {
  BeepRecorder beeps;
  for (const Road& road : Roads()) {
    SCOPED_TRACE(road.name);
    w->Field2()->SetText("");
    road.insert(w->Field2(), "a\xC3\xA9");
    EXPECT_EQ(w->Field2()->Text(), "a\xC3\xA9");
  }
  EXPECT_EQ(beeps.Count(), 0);
  EXPECT_TRUE(w->fieldKeys.empty()) << "Field1's handler is Field1's alone";
}

// A multi-line field with a handler: a line break is offered as Return types it.
TEST_F(InsertedTextTest, AMultiLineFieldOffersLineBreaksAsReturn) {
  std::vector<std::string> offered;
  fw::RuntimeAddEventHandler(
      w->Note(), fw::EventId::KeyDown,
      fw::RuntimeCreateDelegate(std::function<bool(fw::Ref<fw::TextArea>, std::string)>(
                                    [&](fw::Ref<fw::TextArea>, std::string key) {
                                      offered.push_back(key);
                                      return key == "x";
                                    }),
                                "( TextArea, String ) as Boolean"));
  fw::Ref<fw::TextArea> note = w->Note();
  for (const Road& road : Roads()) {
    if (!road.ownKeys.empty()) continue;  // the paste keys: below
    SCOPED_TRACE(road.name);
    note->SetText("");
    offered.clear();
    road.insert(note, "a\r\nb\tc");
    EXPECT_EQ(note->Text(), "a\rb\tc");
    EXPECT_EQ(offered, (std::vector<std::string>{"a", "\r", "b", "\t", "c"}));
    offered.clear();
    road.insert(note, "dxe");
    EXPECT_EQ(note->Text(), "a\rb\tc");
    EXPECT_EQ(offered, (std::vector<std::string>{"d", "x"}));
  }
  SetClipboardText("yz");
  TypeKeys(note, "Ctrl+V");
  EXPECT_EQ(note->Text(), "a\rb\tcyz");
}

// The roads that take what the clipboard holds, as it stands.
const std::vector<std::pair<const char*, std::function<void(const fw::Ref<fw::TextArea>&)>>>&
ClipboardRoads() {
  static const std::vector<
      std::pair<const char*, std::function<void(const fw::Ref<fw::TextArea>&)>>>
      roads = {
          {"Ctrl+V", [](const fw::Ref<fw::TextArea>& f) { TypeKeys(f, "Ctrl+V"); }},
          {"Shift+Insert", [](const fw::Ref<fw::TextArea>& f) { TypeKeys(f, "Shift+Ins"); }},
          {"Edit menu", [](const fw::Ref<fw::TextArea>& f) { PasteFromEditMenu(f); }},
          {"context menu", [](const fw::Ref<fw::TextArea>& f) { PasteFromContextMenu(f); }},
      };
  return roads;
}

// Whatever the clipboard or a drag holds, no road fails: data without text, or with empty text,
// leaves a field as it was. One-line fields with and without a handler, and the multi-line field
// without one and with one.
TEST_F(InsertedTextTest, NoRoadFailsOnAClipboardOrDragWithoutText) {
  const struct {
    const char* name;
    std::function<void()> put;
    NonText dragged;
  } holds[] = {
      {"nothing", [] { SetClipboardText(""); }, NonText::NoFormat},
      {"data with no format", [] { SetClipboardData(NonText::NoFormat); }, NonText::NoFormat},
      {"an image only", [] { SetClipboardData(NonText::Image); }, NonText::Image},
      {"an unknown type", [] { SetClipboardData(NonText::UnknownType); }, NonText::UnknownType},
  };
  std::vector<std::string> noteKeys;
  const auto bindNote = [&] {
    fw::RuntimeAddEventHandler(
        w->Note(), fw::EventId::KeyDown,
        fw::RuntimeCreateDelegate(std::function<bool(fw::Ref<fw::TextArea>, std::string)>(
                                      [&](fw::Ref<fw::TextArea>, std::string key) {
                                        noteKeys.push_back(key);
                                        return false;
                                      }),
                                  "( TextArea, String ) as Boolean"));
  };
  for (const bool noteHasHandler : {false, true}) {
    if (noteHasHandler) bindNote();
    const std::vector<fw::Ref<fw::TextArea>> fields = {w->Field1(), w->Field2(), w->Note()};
    for (const auto& field : fields) {
      SCOPED_TRACE(field->Name() + (noteHasHandler ? " (Note with KeyDown)" : ""));
      field->SetText(field->Multiline() ? "ab\rcd" : "12");
      const std::string before = field->Text();
      for (const auto& hold : holds) {
        SCOPED_TRACE(hold.name);
        for (const auto& [road, paste] : ClipboardRoads()) {
          SCOPED_TRACE(road);
          BeepRecorder beeps;
          w->fieldKeys.clear();
          noteKeys.clear();
          hold.put();
          paste(field);
          EXPECT_EQ(field->Text(), before);
          EXPECT_EQ(beeps.Count(), 0);
        }
        DropData(field, hold.dragged);
        EXPECT_EQ(field->Text(), before) << "drop";
      }
      // Empty text, by every road that carries text.
      for (const Road& road : Roads()) {
        SCOPED_TRACE(road.name);
        road.insert(field, "");
        EXPECT_EQ(field->Text(), before);
      }
      for (const std::string& key : noteKeys)  // the paste keys themselves, no text
        EXPECT_TRUE(key.size() == 1 && key[0] < 0x20) << ::testing::PrintToString(key);
      EXPECT_TRUE(boxes.Texts().empty());
    }
  }
}

// A one-line field takes inserted text only when all of it fits, counting the selection it
// replaces; otherwise one beep, and the field and its selection stay as they were. With a KeyDown
// handler and without one. A drop goes in where it falls (the middle of these centred fields) and
// replaces nothing.
TEST_F(InsertedTextTest, TextThatDoesNotFitWholeIsRefusedWholeByEveryRoad) {
  const std::string longNumber(300, '7');
  const struct {
    const char* before;
    int selStart, selLength;  // the cursor at selStart when selLength is 0
    std::string text;
    const char* after;    // nullptr: refused
    const char* dropped;  // the same for a drop
  } cases[] = {
      {"", 0, 0, "12345", nullptr, nullptr},
      {"12", 2, 0, "345", nullptr, nullptr},
      {"2", 1, 0, "1500", nullptr, nullptr},
      {"", 0, 0, "00012", nullptr, nullptr},
      {"", 0, 0, longNumber, nullptr, nullptr},
      {"12", 2, 0, "34", "1234", "1342"},
      {"", 0, 0, "0001", "0001", "0001"},
      {"1234", 0, 4, "5678", "5678", nullptr},  // the selection makes room; a drop replaces none
      {"1234", 1, 2, "567", nullptr, nullptr},
      {"1234", 1, 2, "56", "1564", nullptr},
  };
  for (const auto& field : {w->Field1(), w->Field2()}) {
    SCOPED_TRACE(field->Name());
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::PrintToString(c.before) + " + " +
                   ::testing::PrintToString(c.text.substr(0, 8)));
      for (const Road& road : Roads()) {
        SCOPED_TRACE(road.name);
        const bool drop = std::string(road.name) == "drop";
        const char* after = drop ? c.dropped : c.after;
        field->SetText(c.before);
        field->SetSelStart(c.selStart);
        field->SetSelLength(c.selLength);
        BeepRecorder beeps;
        road.insert(field, c.text);
        EXPECT_EQ(field->Text(), after ? after : c.before);
        EXPECT_EQ(beeps.Count(), after ? 0 : 1);
        if (!after) {
          EXPECT_EQ(field->SelStart(), c.selStart);
          EXPECT_EQ(field->SelLength(), c.selLength);
        }
      }
    }
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

// One line break at the end of inserted text is where a copied line or spreadsheet cell ended:
// a one-line field takes the text without it. The rest is judged as before: a field with a
// handler refuses any other break or a tab with one beep; one without takes text up to its first
// break. A multi-line field keeps the break: there it is text.
TEST_F(InsertedTextTest, OneTrailingLineBreakIsNotPartOfTheTextInAOneLineField) {
  const struct {
    const char* text;
    const char* withHandler;  // Field1; nullptr: refused with one beep
    const char* without;      // Field2, never a beep
  } cases[] = {
      {"12\n", "12", "12"},          {"12\r\n", "12", "12"}, {"12\r", "12", "12"},
      {"1234\n", "1234", "1234"},    {"\n", "", ""},         {"12\n\n", nullptr, "12"},
      {"12\r\n\r\n", nullptr, "12"}, {"1\n2", nullptr, "1"}, {"1\t2", nullptr, "1\t2"},
      {"1\t2\n", nullptr, "1\t2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
    for (const Road& road : Roads()) {
      SCOPED_TRACE(road.name);
      for (const bool handler : {true, false}) {
        const fw::Ref<fw::TextArea> field = handler ? w->Field1() : w->Field2();
        const char* after = handler ? c.withHandler : c.without;
        field->SetText("");
        BeepRecorder beeps;
        road.insert(field, c.text);
        EXPECT_EQ(field->Text(), after ? after : "") << field->Name();
        EXPECT_EQ(beeps.Count(), after ? 0 : 1) << field->Name();
      }
    }
    w->Note()->SetText("");
    Paste(w->Note(), c.text);
    EXPECT_EQ(w->Note()->Text(), WithCrBreaks(c.text)) << "a multi-line field keeps every break";
  }
}

TEST_F(InsertedTextTest, VeryLongTextIsRefusedWholeByAFieldWithALimitByEveryRoad) {
  const std::string digits(20000, '7');
  for (const Road& road : Roads()) {
    SCOPED_TRACE(road.name);
    w->Note()->SetText("");
    road.insert(w->Note(), digits);
    EXPECT_EQ(w->Note()->Text(), digits);
    for (const auto& field : {w->Field1(), w->Field2()}) {
      SCOPED_TRACE(field->Name());
      field->SetText("12");
      BeepRecorder beeps;
      road.insert(field, digits);
      EXPECT_EQ(field->Text(), "12");
      EXPECT_EQ(beeps.Count(), 1);
    }
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

// A paste, or a drop, is one undo step of its own: one Undo takes it away and leaves the typing
// before it, and typing after it is a step of its own too. In one-line fields with and without a
// handler and in a multi-line field. An input method's commit is typing and is not in the table.
TEST_F(InsertedTextTest, EachInsertionIsOneUndoStep) {
  const std::vector<std::pair<const char*, std::function<void(const fw::Ref<fw::TextArea>&)>>>
      undos = {
          {"Ctrl+Z", [](const fw::Ref<fw::TextArea>& f) { TypeKeys(f, "Ctrl+Z"); }},
          {"Edit menu", [](const fw::Ref<fw::TextArea>& f) { UndoFromEditMenu(f); }},
      };
  for (const auto& field : {w->Field1(), w->Field2(), w->Note()}) {
    SCOPED_TRACE(field->Name());
    for (const Road& road : Roads()) {
      if (std::string(road.name) == "input method") continue;
      SCOPED_TRACE(road.name);
      for (const auto& [undoName, undo] : undos) {
        SCOPED_TRACE(undoName);
        field->SetText("");
        TypeText(field, "1");
        road.insert(field, "2");
        ASSERT_EQ(field->Text().size(), 2u);
        undo(field);
        EXPECT_EQ(field->Text(), "1");

        field->SetText("");
        TypeText(field, "1");
        road.insert(field, "2");
        const std::string pasted = field->Text();
        TypeText(field, "3");
        undo(field);
        EXPECT_EQ(field->Text(), pasted) << "typing after it is its own step";
        undo(field);
        EXPECT_EQ(field->Text(), "1");
      }
    }
    // After a deletion that emptied the field, Undo takes away the paste alone.
    field->SetText("");
    TypeText(field, "12");
    field->SetSelStart(0);
    field->SetSelLength(2);
    TypeKey(field, Key::Delete);
    Paste(field, "3");
    TypeKeys(field, "Ctrl+Z");
    EXPECT_EQ(field->Text(), "");
    TypeKeys(field, "Ctrl+Z");
    EXPECT_EQ(field->Text(), "12");
  }
}

}  // namespace
