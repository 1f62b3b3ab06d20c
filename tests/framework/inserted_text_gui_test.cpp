// Text a field is given without typing it: a field with a KeyDown handler takes it only as the
// handler would take it typed, character by character; other fields take it as it comes.
#include <gtest/gtest.h>

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
    road.insert(w->Field1(), "1\xC3\xA9");
    EXPECT_EQ(w->Field1()->Text(), "1\xC3\xA9");
    EXPECT_EQ(w->fieldKeys, Keys(road.ownKeys, {"1", "\xC3\xA9"}));

    // At the first character refused the whole text is dropped; the rest is not offered.
    w->fieldKeys.clear();
    road.insert(w->Field1(), "2x3");
    EXPECT_EQ(w->Field1()->Text(), "1\xC3\xA9");
    EXPECT_EQ(w->fieldKeys, Keys(road.ownKeys, {"2", "x"}));
    EXPECT_EQ(beeps.Count(), 0) << "this handler makes no sound of its own";
  }
}

TEST_F(InsertedTextTest, AOneLineFieldRefusesControlCharactersWithABeepBeforeItsHandler) {
  const struct {
    const char* text;
    std::vector<std::string> offered;
  } cases[] = {
      {"\t", {}},       {"1\r2", {"1"}}, {"12\n", {"1", "2"}},
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

TEST_F(InsertedTextTest, TakenTextReplacesTheSelectionAndKeepsToTheLimit) {
  w->Field1()->SetText("12");
  w->Field1()->SetSelStart(2);
  Paste(w->Field1(), "345");
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

TEST_F(InsertedTextTest, VeryLongTextGoesInWhereItFitsByEveryRoad) {
  const std::string digits(20000, '7');
  for (const Road& road : Roads()) {
    SCOPED_TRACE(road.name);
    w->Note()->SetText("");
    road.insert(w->Note(), digits);
    EXPECT_EQ(w->Note()->Text(), digits);
    for (const auto& field : {w->Field1(), w->Field2()}) {
      SCOPED_TRACE(field->Name());
      field->SetText("");
      road.insert(field, digits);
      EXPECT_LE(field->Text().size(), 4u) << "a cell's limit holds";
    }
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
