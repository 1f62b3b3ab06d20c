// KeyDown: the key as text, derived from the key; the handler runs before the field acts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class KeysTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    w = DemoWnd::Instance();
    ProcessEvents();
  }
  std::string Only() {
    EXPECT_EQ(w->fieldKeys.size(), 1u);
    std::string key = w->fieldKeys.empty() ? "" : w->fieldKeys.back();
    w->fieldKeys.clear();
    return key;
  }
  fw::Ref<DemoWnd> w;
};

TEST_F(KeysTest, KeysThatTypeNoCharacterArriveAsControlCodes) {
  struct Case {
    Key key;
    bool ctrl;
    char code;
  };
  const std::vector<Case> cases = {
      {Key::Backspace, false, 8}, {Key::Tab, false, 9},       {Key::Return, false, 13},
      {Key::Enter, false, 13},    {Key::Escape, false, 27},   {Key::Left, false, 28},
      {Key::Right, false, 29},    {Key::Up, false, 30},       {Key::Down, false, 31},
      {Key::Delete, false, 127},  {Key::Home, false, 1},      {Key::End, false, 4},
      {Key::PageUp, false, 11},   {Key::PageDown, false, 12}, {Key::F1, false, 16},
      {Key::Left, true, 28},
  };
  for (const Case& c : cases) {
    w->discardKeys = std::string(1, c.code);  // so that Tab keeps the focus in the field
    TypeKey(w->Field1(), c.key, c.ctrl);
    EXPECT_EQ(Only(), std::string(1, c.code)) << "code " << int(c.code);
  }
}

TEST_F(KeysTest, TypedCharactersArriveAsThemselves) {
  for (const std::string text : {"7", "a", "A", " ", "~", "\xC3\xA9", "\xE2\x82\xAC"}) {
    TypeText(w->Field1(), text);
    EXPECT_EQ(Only(), text);
    w->Field1()->SetText("");
  }
  // Codes just beside the ranges a filter tests, which no keyboard map gives.
  for (const std::string text : {"\x1F", "\xC2\x80"}) {
    TypeKeyText(w->Field1(), text);
    EXPECT_EQ(Only(), text);
  }
}

TEST_F(KeysTest, CtrlWithALetterArrivesAsItsControlCode) {
  for (char letter : {'a', 'V', 'z'}) {
    w->discardKeys = "\x01\x16\x1A";
    TypeCtrlKey(w->Field1(), letter);
    const char upper = static_cast<char>(letter & ~0x20);
    EXPECT_EQ(Only(), std::string(1, static_cast<char>(upper - 'A' + 1))) << letter;
  }
}

TEST_F(KeysTest, AModifierAloneDeliversNothing) {
  TypeKey(w->Field1(), Key::Shift);
  TypeKey(w->Field1(), Key::Control);
  EXPECT_TRUE(w->fieldKeys.empty());
}

TEST_F(KeysTest, TrueDiscardsTheKeyFalseLetsTheFieldHaveIt) {
  w->discardKeys = "x";
  TypeText(w->Field1(), "1x2");
  EXPECT_EQ(w->Field1()->Text(), "12");
  EXPECT_EQ(w->fieldKeys, (std::vector<std::string>{"1", "x", "2"}));

  w->discardKeys = "\t";
  TypeKey(w->Field1(), Key::Tab);
  EXPECT_TRUE(w->Field1()->HasFocus()) << "a discarded Tab moves no focus";
  w->discardKeys = "";
  TypeKey(w->Field1(), Key::Tab);
  EXPECT_TRUE(w->Field2()->HasFocus());
  EXPECT_EQ(w->Field1()->Text(), "12") << "Tab puts no tab character into the field";
}

TEST_F(KeysTest, CtrlVReachesTheFieldAndPastesUnlessDiscarded) {
  Paste(w->Field2(), "56");  // the clipboard now holds "56"
  TypeCtrlKey(w->Field1(), 'V');
  // The key first, then each pasted character as the field's rule for inserted text asks.
  EXPECT_EQ(w->fieldKeys, (std::vector<std::string>{"\x16", "5", "6"}));
  w->fieldKeys.clear();
  EXPECT_EQ(w->Field1()->Text(), "56");

  w->Field1()->SetText("");
  w->discardKeys = "\x16";
  TypeCtrlKey(w->Field1(), 'V');
  EXPECT_EQ(w->Field1()->Text(), "");
}

TEST_F(KeysTest, AFailingKeyHandlerIsReportedAndItsKeyDropped) {
  MessageBoxRecorder boxes;
  BindFailingKeyDown(w->Field1());
  TypeText(w->Field1(), "3");
  EXPECT_EQ(w->Field1()->Text(), "");
  EXPECT_EQ(boxes.Texts().size(), 1u);
}

}  // namespace
