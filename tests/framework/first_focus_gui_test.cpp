// The focus a window starts with: the first field in tab order the user can type into, else the
// first control in tab order that takes the focus, whatever order the controls were made in,
// unless a control has the focus already.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/property_list.h"
#include "framework/testing/testing.h"
#include "framework/window.h"

namespace {

using namespace fw::testing;

struct Made {
  enum Kind { Field, Button, Label, Frame } kind;
  std::string name;
  int tabIndex;
  bool visible = true, enabled = true;
  std::string parent = "";
  bool readOnly = false;
};

// A window whose controls are made in the order given.
class FocusWnd : public fw::Window {
  FW_CLASS(FocusWnd, fw::Window, "FocusWnd")
 public:
  std::vector<Made> made;
  bool visibleAtStart = true;

  void Layout() override {
    fw::SetProperties(SelfAs<fw::Object>(), fw::PropertyListBuilder()
                                                .Add("Width", 300)
                                                .Add("Height", 200)
                                                .Add("Title", "Focus")
                                                .Add("Visible", visibleAtStart)
                                                .Bytes());
  }
  void CreateControls() override {
    int top = 10;
    for (const Made& m : made) {
      fw::Ref<fw::RectControl> c;
      switch (m.kind) {
        case Made::Field:
          c = New<fw::TextArea>();
          break;
        case Made::Button:
          c = New<fw::PushButton>();
          break;
        case Made::Label:
          c = New<fw::Label>();
          break;
        case Made::Frame:
          c = New<fw::RoundRectangle>();
          break;
      }
      c->Constructor();
      AddControl(m.name, c);
      fw::PropertyListBuilder list;
      list.Add("Left", 10).Add("Top", top).Add("Width", 80).Add("Height", 22);
      list.Add("TabIndex", m.tabIndex).Add("Visible", m.visible).Add("Enabled", m.enabled);
      list.Add("InitialParent", m.parent);
      if (m.kind == Made::Field) list.Add("Multiline", false).Add("ReadOnly", m.readOnly);
      fw::SetProperties(c, list.Bytes());
      top += 30;
    }
  }
  fw::Ref<fw::RectControl> Control(const std::string& name) {
    return fw::RuntimeCheckCast<fw::RectControl>(ControlByName(name));
  }
};

fw::Ref<FocusWnd> Make(std::vector<Made> made, bool visible = true) {
  fw::Ref<FocusWnd> w = fw::RuntimeNewObject<FocusWnd>();
  w->made = std::move(made);
  w->visibleAtStart = visible;
  w->Constructor();
  ProcessEvents();
  return w;
}

std::string FocusName(const fw::Ref<fw::Window>& w) {
  fw::Ref<fw::RectControl> c = FocusedControl(w);
  return c ? c->Name() : "(none)";
}

struct FocusCase {
  const char* name;
  std::vector<Made> made;
  std::string focused;
};

void PrintTo(const FocusCase& c, std::ostream* os) {
  *os << c.name;
}

class FirstFocusTest : public GuiTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FirstFocusTest, GoesToTheFirstFieldToTypeInElseTheFirstControlThatTakesIt) {
  EXPECT_EQ(FocusName(Make(GetParam().made)), GetParam().focused);
}

INSTANTIATE_TEST_SUITE_P(
    , FirstFocusTest,
    ::testing::Values(
        // A button made before the fields that come first in tab order.
        FocusCase{"MadeInAnotherOrder",
                  {{Made::Button, "Button", 2}, {Made::Field, "B", 1}, {Made::Field, "A", 0}},
                  "A"},
        FocusCase{"FirstIsDisabled",
                  {{Made::Button, "Button", 2},
                   {Made::Field, "B", 1},
                   {Made::Field, "A", 0, true, false}},
                  "B"},
        FocusCase{"FieldsAreHidden",
                  {{Made::Button, "Button", 2},
                   {Made::Field, "B", 1, false},
                   {Made::Field, "A", 0, false}},
                  "Button"},
        // Inside a control, its children come before its later siblings.
        FocusCase{"InsideAFrame",
                  {{Made::Button, "Button", 1},
                   {Made::Frame, "Frame", 0},
                   {Made::Field, "Inner", 5, true, true, "Frame"}},
                  "Inner"},
        FocusCase{
            "NothingTakesIt", {{Made::Label, "Label", 0}, {Made::Frame, "Frame", 1}}, "(none)"},
        // A field the user can type into comes before anything earlier in tab order that cannot
        // be typed into.
        FocusCase{"AFieldAfterAButton", {{Made::Button, "Button", 0}, {Made::Field, "A", 1}}, "A"},
        FocusCase{"AReadOnlyFieldFirst",
                  {{Made::Field, "Under", 0, true, true, "", true}, {Made::Field, "Text", 1}},
                  "Text"},
        FocusCase{"TheTypedFieldIsDisabled",
                  {{Made::Field, "Under", 0, true, true, "", true},
                   {Made::Button, "Button", 1},
                   {Made::Field, "Text", 2, true, false}},
                  "Under"}),
    [](const ::testing::TestParamInfo<FocusCase>& info) { return info.param.name; });

class FocusOnShowTest : public GuiTest {};

const std::vector<Made> kTwoFields = {
    {Made::Button, "Button", 2}, {Made::Field, "B", 1}, {Made::Field, "A", 0}};

TEST_F(FocusOnShowTest, AWindowMadeHiddenGetsItsFirstFocusWhenShown) {
  fw::Ref<FocusWnd> w = Make(kTwoFields, false);
  w->Control("A")->SetEnabled(false);
  w->Show();
  ProcessEvents();
  EXPECT_EQ(FocusName(w), "B") << "decided when it shows, not when it was made";
}

TEST_F(FocusOnShowTest, AControlThatHasTheFocusKeepsItWhenTheWindowShowsAgain) {
  fw::Ref<FocusWnd> w = Make(kTwoFields);
  w->Control("Button")->SetFocus();
  w->Hide();
  w->Show();
  ProcessEvents();
  EXPECT_EQ(FocusName(w), "Button");
}

}  // namespace
