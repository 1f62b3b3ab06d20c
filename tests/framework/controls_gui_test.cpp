// Controls: placement, tab order, texts and fonts, the text field's modes, pointer events,
// timers, and binding handlers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/testing/testing.h"

namespace {

using namespace fw::testing;

class ControlsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    w = DemoWnd::Instance();
    ProcessEvents();
  }
  std::string FocusName() {
    fw::Ref<fw::RectControl> c = FocusedControl(w);
    return c ? c->Name() : "(none)";
  }
  fw::Ref<DemoWnd> w;
};

TEST_F(ControlsTest, ChildrenOfARoundRectangleArePlacedInWindowCoordinates) {
  const Shown field = ShownOf(w->Field1());
  EXPECT_EQ(field.left, 20);
  EXPECT_EQ(field.top, 55);
  EXPECT_EQ(field.width, 40);
  EXPECT_EQ(field.height, 20);
  EXPECT_EQ(w->Field1()->Left(), 20);

  // Moving the frame moves its children with it.
  fw::SetProperties(w->Frame(), fw::PropertyListBuilder().Add("Left", 30).Bytes());
  fw::SetProperties(w->Field1(), fw::PropertyListBuilder().Add("Left", 40).Bytes());
  EXPECT_EQ(ShownOf(w->Field1()).left, 40);
  EXPECT_EQ(ShownOf(w->Field2()).left, 70);
}

TEST_F(ControlsTest, TabFollowsTabIndexAmongSiblingsAndSkipsWhatCannotTakeTheFocus) {
  EXPECT_EQ(FocusName(), "Field1") << "the first control in tab order has the focus at first";
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    PressTab(w);
    visited.push_back(FocusName());
  }
  // The frame (0) holds Field1 (1) and Field2 (2); then Button (2) and Note (3). The label,
  // the canvas and the frame itself never take the focus.
  EXPECT_EQ(visited, (std::vector<std::string>{"Field2", "Button", "Note", "Field1", "Field2"}));

  w->Button()->SetVisible(false);
  PressTab(w);
  EXPECT_EQ(FocusName(), "Note") << "a hidden control is passed over";
}

TEST_F(ControlsTest, SetFocusAndHasFocus) {
  w->Note()->SetFocus();
  EXPECT_TRUE(w->Note()->HasFocus());
  EXPECT_FALSE(w->Field1()->HasFocus());
  w->Caption()->SetFocus();
  EXPECT_EQ(FocusName(), "Note") << "a label takes no focus";
}

TEST_F(ControlsTest, LabelBreaksLinesAtCarriageReturns) {
  const Shown caption = ShownOf(w->Caption());
  EXPECT_EQ(caption.text, "one\ntwo\n\nfour");
  EXPECT_EQ(w->Caption()->Text(), "one\rtwo\r\rfour");
  EXPECT_EQ(caption.textColor, 0x803F02u);
  EXPECT_TRUE(caption.bold);
  EXPECT_EQ(caption.fontPixelSize, 12);

  w->Caption()->SetText("a\r\nb");
  EXPECT_EQ(ShownOf(w->Caption()).text, "a\nb");
}

TEST_F(ControlsTest, TextAlignmentCodes) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "left"}, {1, "left"}, {2, "center"}, {3, "right"}};
  for (const auto& [code, shown] : cases) {
    for (const fw::Ref<fw::RectControl>& c :
         {fw::Ref<fw::RectControl>(w->Caption()), fw::Ref<fw::RectControl>(w->Field1()),
          fw::Ref<fw::RectControl>(w->Note())}) {
      fw::SetProperties(c, fw::PropertyListBuilder().Add("TextAlignment", code).Bytes());
      EXPECT_EQ(ShownOf(c).alignment, shown) << c->Name() << " " << code;
    }
  }
}

// The design data was laid out for these faces: whatever else is installed must not win.
TEST_F(ControlsTest, FontNamesMapToFixedFacesAndSizesArePixels) {
  struct Case {
    const char* name;
    double size;
    const char* family;
  };
  for (const Case& c :
       {Case{"Courier", 10, "Liberation Mono"}, Case{"courier", 12, "Liberation Mono"},
        Case{"Times", 11, "Liberation Serif"}, Case{"times", 14, "Liberation Serif"},
        Case{"System", 13, "Liberation Sans"}, Case{"", 12, "Liberation Sans"}}) {
    fw::SetProperties(
        w->Caption(),
        fw::PropertyListBuilder().Add("FontName", c.name).Add("FontSize", c.size).Bytes());
    const Shown shown = ShownOf(w->Caption());
    EXPECT_EQ(shown.fontFamily, c.family) << c.name;
    EXPECT_EQ(shown.fontPixelSize, static_cast<int>(c.size)) << c.name;
    EXPECT_TRUE(shown.bold) << c.name << ": the bold style of the face";
  }
  EXPECT_TRUE(FaceOf("Courier", 10).monospaced);
}

TEST_F(ControlsTest, OneLineFieldHoldsAtMostItsLimitAndNoLineBreak) {
  TypeText(w->Field1(), "12345");
  EXPECT_EQ(w->Field1()->Text(), "1234") << "the fifth character is refused";

  const std::vector<std::pair<std::string, std::string>> set = {
      {"12\r34", "12"}, {"5\n6", "5"}, {"", ""}, {"123456", "1234"}};
  for (const auto& [text, held] : set) {
    w->Field2()->SetText(text);
    EXPECT_EQ(w->Field2()->Text(), held) << text;
  }

  // Still so once the window and its widgets are gone.
  fw::Ref<fw::TextArea> kept = w->Field2();
  kept->SetText("9\r9");
  fw::testing::CloseByUser(w);
  fw::testing::ProcessEvents();
  EXPECT_EQ(kept->Text(), "9");
}

// In a field without a KeyDown handler: one with a handler refuses a line break.
TEST_F(ControlsTest, PastedLineBreaksEndThePastedText) {
  w->Field2()->SetText("12");
  w->Field2()->SetSelStart(1);
  Paste(w->Field2(), "x\r\ny");
  EXPECT_EQ(w->Field2()->Text(), "1x2") << "the text after the cursor stays";

  w->Field2()->SetText("");
  Paste(w->Field2(), "7\r8");
  EXPECT_EQ(w->Field2()->Text(), "7");
}

TEST_F(ControlsTest, MultiLineFieldKeepsLinesAndStylesTheSelection) {
  fw::Ref<fw::TextArea> note = w->Note();
  EXPECT_TRUE(note->Multiline());
  EXPECT_EQ(note->Text(), "Heading\rSecond line\rThird");

  note->SetSelStart(0);
  note->SetSelLength(7);
  EXPECT_FALSE(note->SelBold());
  note->SetSelBold(true);
  EXPECT_TRUE(note->SelBold());
  EXPECT_EQ(note->SelStart(), 0);
  EXPECT_EQ(note->SelLength(), 7);

  note->SetSelStart(8);
  note->SetSelLength(6);
  EXPECT_FALSE(note->SelBold()) << "only the heading is bold";
  note->SetSelStart(3);
  note->SetSelLength(7);
  EXPECT_FALSE(note->SelBold()) << "a selection partly bold is not bold";
  EXPECT_EQ(note->Text(), "Heading\rSecond line\rThird") << "styling changes no text";
}

// Undo takes back what the user did, never what the program did: the design data's text, a text
// set by code and a style set by code are no steps on a field's undo stack. What the user does
// after them is.
TEST_F(ControlsTest, UndoNeverTakesBackWhatTheProgramDid) {
  fw::Ref<fw::TextArea> note = w->Note();
  const std::string design = "Heading\rSecond line\rThird";
  TypeKeys(note, "Ctrl+Z");
  EXPECT_EQ(note->Text(), design) << "the design data's text";

  note->SetSelStart(0);
  note->SetSelLength(7);
  note->SetSelBold(true);
  TypeKeys(note, "Ctrl+Z");
  EXPECT_TRUE(note->SelBold()) << "a style set by code";

  note->SetSelStart(8);
  TypeKeyText(note, "x");
  TypeKeys(note, "Ctrl+Z");
  EXPECT_EQ(note->Text(), design) << "the user's typing is undone";
  TypeKeys(note, "Ctrl+Z");
  EXPECT_EQ(note->Text(), design);
  note->SetSelStart(0);
  note->SetSelLength(7);
  EXPECT_TRUE(note->SelBold()) << "and the style stays";

  for (const auto& field : {w->Field1(), w->Field2(), note}) {
    SCOPED_TRACE(field->Name());
    TypeText(field, "12");
    field->SetText("7");
    TypeKeys(field, "Ctrl+Z");
    EXPECT_EQ(field->Text(), "7") << "a text set by code";
  }
}

TEST_F(ControlsTest, SelectionCountsCharactersNotBytes) {
  fw::Ref<fw::TextArea> note = w->Note();
  note->SetText(
      "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"
      "abc");  // é € 𝄞 abc: 6 characters
  note->SetSelStart(3);
  TypeKeyText(note, "X");
  EXPECT_EQ(note->Text(),
            "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"
            "Xabc");
  EXPECT_EQ(note->SelStart(), 4);

  w->Field1()->SetText(
      "\xF0\x9D\x84\x9E"
      "1");
  w->Field1()->SetSelStart(0);
  w->Field1()->SetSelLength(1);
  EXPECT_EQ(w->Field1()->SelLength(), 1);
  TypeText(w->Field1(), "2");
  EXPECT_EQ(w->Field1()->Text(), "21");
}

TEST_F(ControlsTest, ReadOnlyFieldRefusesTypingAndPasting) {
  fw::SetProperties(w->Note(), fw::PropertyListBuilder().Add("ReadOnly", true).Bytes());
  EXPECT_TRUE(w->Note()->ReadOnly());
  TypeText(w->Note(), "zz");
  Paste(w->Note(), "yy");
  EXPECT_EQ(w->Note()->Text(), "Heading\rSecond line\rThird");
}

TEST_F(ControlsTest, ChangingAFieldToOneLineKeepsItsText) {
  w->Note()->SetText("kept");
  fw::SetProperties(w->Note(), fw::PropertyListBuilder().Add("Multiline", false).Bytes());
  ProcessEvents();
  EXPECT_FALSE(w->Note()->Multiline());
  EXPECT_EQ(w->Note()->Text(), "kept");
  EXPECT_EQ(ShownOf(w->Note()).text, "kept");
  EXPECT_EQ(ShownOf(w->Note()).left, 220);
}

TEST_F(ControlsTest, ButtonActsOnAClickButNotOnReturnOrEscape) {
  Click(w->Button());
  EXPECT_EQ(w->actions, 1);
  for (fw::testing::Key key : {Key::Return, Key::Enter, Key::Escape}) {
    TypeKey(w->Field1(), key);
    TypeKey(w->Button(), key);
  }
  EXPECT_EQ(w->actions, 1);
  EXPECT_EQ(ShownOf(w->Button()).text, "Press");
}

TEST_F(ControlsTest, AClickPressesAButtonWithoutTakingTheFocusFromTheField) {
  TypeText(w->Field2(), "12");
  Click(w->Button());
  EXPECT_EQ(w->actions, 1);
  EXPECT_EQ(FocusName(), "Field2");
  TypeText(w->Field2(), "3");
  EXPECT_EQ(w->Field2()->Text(), "123") << "typing goes on in the field";

  PressTab(w);
  EXPECT_EQ(FocusName(), "Button") << "Tab still reaches the button";

  // Without TabStop a button takes the focus in no way.
  fw::SetProperties(w->Button(), fw::PropertyListBuilder().Add("TabStop", false).Bytes());
  w->Field2()->SetFocus();
  PressTab(w);
  EXPECT_EQ(FocusName(), "Note");
  Click(w->Button());
  EXPECT_EQ(FocusName(), "Note");
  EXPECT_EQ(w->actions, 2);
}

TEST_F(ControlsTest, CanvasReportsThePointerAndClicksInItsOwnCoordinates) {
  MoveMouseInto(w->Picture());
  MoveMouseInto(w->Picture());
  MoveMouseOutOf(w->Picture());
  ClickWindow(w, 301, 239);
  EXPECT_EQ(w->pointer, (std::vector<std::string>{"enter", "exit", "enter", "down 1,39"}));
  ParkMouse();
  EXPECT_EQ(w->pointer.back(), "exit");
}

TEST_F(ControlsTest, CanvasShowsItsBackdropOrNothing) {
  EXPECT_FALSE(w->Picture()->Backdrop());
  w->Picture()->SetBackdrop(nullptr);
  ProcessEvents();
  EXPECT_TRUE(ShownOf(w->Picture()).visibleOnScreen);
}

TEST_F(ControlsTest, TimerRunModes) {
  fw::Ref<fw::Timer> tick = w->Tick();
  ProcessEvents(60);
  EXPECT_EQ(w->ticks, 0) << "RunMode 0 never fires";

  fw::SetProperties(tick, fw::PropertyListBuilder().Add("RunMode", 1).Bytes());
  ASSERT_TRUE(WaitUntil([&] { return w->ticks == 1; }, 10000));
  ProcessEvents(100);
  EXPECT_EQ(w->ticks, 1) << "RunMode 1 fires once";
  EXPECT_EQ(tick->RunMode(), 0);
  EXPECT_EQ(tick->Period(), 20);

  fw::SetProperties(tick, fw::PropertyListBuilder().Add("RunMode", 2).Bytes());
  EXPECT_TRUE(WaitUntil([&] { return w->ticks >= 4; }, 10000)) << "RunMode 2 fires again and again";
}

TEST_F(ControlsTest, TimerKeepsFiringWhileItsWindowIsHidden) {
  w->Hide();
  fw::SetProperties(w->Tick(), fw::PropertyListBuilder().Add("RunMode", 1).Bytes());
  EXPECT_TRUE(WaitUntil([&] { return w->ticks == 1; }, 10000));
}

TEST_F(ControlsTest, AControlOfAClosedWindowAnswersWithoutItsWidget) {
  fw::Ref<fw::TextArea> field = w->Field1();
  field->SetText("9");
  CloseByUser(w);
  field->SetText("8");
  field->SetVisible(false);
  field->SetFocus();
  EXPECT_EQ(field->Text(), "8");
  EXPECT_FALSE(field->HasFocus());
}

// ---- Binding handlers ----

TEST_F(ControlsTest, AHandlerOfAnotherSignatureIsRefusedAtOnce) {
  auto button = [](fw::Ref<fw::PushButton>) {};
  auto canvas = [](fw::Ref<fw::Canvas>) {};
  struct Case {
    const char* what;
    fw::Ref<fw::Object> control;
    int event;
    fw::Ref<fw::Delegate> handler;
  };
  const std::vector<Case> refused = {
      {"another control's text", w->Button(), fw::EventId::Action,
       fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::PushButton>)>(button),
                                 "( Canvas )")},
      {"right text, wrong shape", w->Picture(), fw::EventId::MouseEnter,
       fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::PushButton>)>(button),
                                 "( Canvas )")},
      {"an event the control lacks", w->Button(), fw::EventId::KeyDown,
       fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::PushButton>)>(button),
                                 "( PushButton )")},
      {"a label has no events", w->Caption(), fw::EventId::MouseEnter,
       fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::Canvas>)>(canvas), "( Canvas )")},
      {"missing result", w->Picture(), fw::EventId::MouseDown,
       fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::Canvas>)>(canvas),
                                 "( Canvas, Integer, Integer )")},
  };
  for (const Case& c : refused)
    EXPECT_THROW(fw::RuntimeAddEventHandler(c.control, c.event, c.handler), fw::RuntimeException)
        << c.what;
  EXPECT_THROW(fw::RuntimeAddEventHandler(nullptr, fw::EventId::Action, refused[0].handler),
               fw::NilObjectException);
}

TEST_F(ControlsTest, SignatureTextsCompareWithoutBlanksAndParametersMayBeReferences) {
  int calls = 0;
  fw::RuntimeAddEventHandler(
      w->Button(), fw::EventId::Action,
      fw::RuntimeCreateDelegate(std::function<void(const fw::Ref<fw::PushButton>&)>(
                                    [&](const fw::Ref<fw::PushButton>& sender) {
                                      EXPECT_TRUE(sender == w->Button());
                                      ++calls;
                                    }),
                                "(PushButton)"));
  Click(w->Button());
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(w->actions, 0) << "the new handler replaced the old";
}

TEST_F(ControlsTest, AHandlerWhoseTargetIsGoneRaisesNilObjectException) {
  MessageBoxRecorder boxes;
  {
    fw::Ref<DemoWnd> target = fw::RuntimeNewObject<DemoWnd>();
    fw::RuntimeAddEventHandler(
        w->Button(), fw::EventId::Action,
        fw::RuntimeCreateDelegate(&DemoWnd::Button_Action, target, "( PushButton )"));
  }  // the delegate holds its target weakly
  Click(w->Button());
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"An exception of class NilObjectException was not handled."});
}

}  // namespace
