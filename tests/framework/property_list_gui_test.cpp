// The design-data byte format: builder, reader and SetProperties.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "demo_window.h"
#include "framework/controls.h"
#include "framework/property_list.h"
#include "framework/testing/testing.h"

namespace {

using fw::PropertyListBuilder;
using fw::PropertyType;
using fw::PropertyValue;

// The 46 entries of a grid cell, in their order, with the values of row 1.
std::string CellList(const std::string& name) {
  PropertyListBuilder b;
  b.Add("Name", name).Add("Index", std::int64_t{-2147483648}).Add("Left", 61).Add("Top", 122);
  b.Add("Width", 32).Add("Height", 20).Add("LockLeft", true).Add("LockTop", true);
  b.Add("LockRight", true).Add("LockBottom", true).Add("TabIndex", 1).Add("TabPanelIndex", 0);
  b.Add("TabStop", true).Add("AllowAutoDeactivate", true).Add("BackgroundColor", 0xFFFFFF);
  b.Add("HasBorder", true).Add("Enabled", true).Add("Format", "").Add("Tooltip", "");
  b.Add("HideSelection", true).Add("LineHeight", 0.0).Add("LineSpacing", 1.0);
  b.Add("Multiline", false).Add("HasHorizontalScrollbar", false);
  b.Add("HasVerticalScrollbar", false).Add("AllowStyledText", false).Add("TextColor", 0);
  b.Add("Transparent", true).Add("AllowFocusRing", true).Add("Visible", true);
  b.Add("Bold", false).Add("Italic", false).Add("FontName", "Courier").Add("FontSize", 10.0);
  b.Add("FontUnit", 0).Add("Underline", false).Add("Value", "").Add("AllowTabs", false);
  b.Add("TextAlignment", 2).Add("AllowSpellChecking", true).Add("MaximumCharactersAllowed", 4);
  b.Add("ValidationMask", "").Add("ReadOnly", false).Add("DataSource", "");
  b.Add("DataField", "").Add("InitialParent", "RoundRectangle1");
  return b.Bytes();
}

TEST(PropertyList, CellListHasTheLengthsOfTheDesignData) {
  const std::vector<std::pair<std::string, std::size_t>> cases = {
      {"data11", 692}, {"data110", 693}, {"data1010", 694}};
  for (const auto& [name, length] : cases) {
    const std::string list = CellList(name);
    EXPECT_EQ(list.size(), length) << name;
    EXPECT_EQ(fw::ReadPropertyList(list).size(), 46u) << name;
  }
}

// One entry per type, with its exact bytes.
struct Encoded {
  const char* what;
  std::string bytes;  // as the builder writes it
  std::string expected;
  PropertyValue value;
};

std::vector<Encoded> OneOfEachType() {
  using namespace std::string_literals;
  return {
      {"integer", PropertyListBuilder().Add("Left", -2).Bytes(),
       "Left \xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s, PropertyValue(std::int64_t{-2})},
      {"integer max",
       PropertyListBuilder().Add("Width", std::numeric_limits<std::int64_t>::max()).Bytes(),
       "Width \xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s,
       PropertyValue(std::numeric_limits<std::int64_t>::max())},
      {"real", PropertyListBuilder().Add("BorderThickness", 2.0).Bytes(),
       "BorderThickness \x00\x00\x00\x00\x00\x00\x00\x40"s, PropertyValue(2.0)},
      {"real from an integer", PropertyListBuilder().Add("CornerWidth", 16).Bytes(),
       "CornerWidth \x00\x00\x00\x00\x00\x00\x30\x40"s, PropertyValue(16.0)},
      {"boolean true", PropertyListBuilder().Add("Visible", true).Bytes(), "Visible \x01"s,
       PropertyValue(true)},
      {"boolean false", PropertyListBuilder().Add("Bold", false).Bytes(), "Bold \x00"s,
       PropertyValue(false)},
      {"font unit", PropertyListBuilder().Add("FontUnit", 0).Bytes(), "FontUnit \x00"s,
       PropertyValue(fw::FontUnit{0})},
      {"colour", PropertyListBuilder().Add("TextColor", 0x803F02).Bytes(),
       "TextColor \x02\x3F\x80\x00"s, PropertyValue(fw::Color{0x803F02})},
      {"font size", PropertyListBuilder().Add("FontSize", 12).Bytes(), "FontSize \x00\x00\x40\x41"s,
       PropertyValue(fw::FontSize{12.0f})},
      {"font size, a fraction", PropertyListBuilder().Add("FontSize", 10.5).Bytes(),
       "FontSize \x00\x00\x28\x41"s, PropertyValue(fw::FontSize{10.5f})},
      {"text", PropertyListBuilder().Add("Title", "Vantrel").Bytes(),
       "Title \x07\x00\x00\x00Vantrel"s, PropertyValue(std::string("Vantrel"))},
      {"text, UTF-8", PropertyListBuilder().Add("Value", "\xC2\xA9 1").Bytes(),
       "Value \x04\x00\x00\x00\xC2\xA9 1"s, PropertyValue(std::string("\xC2\xA9 1"))},
      {"text, empty", PropertyListBuilder().Add("InitialParent", "").Bytes(),
       "InitialParent \x00\x00\x00\x00"s, PropertyValue(std::string())},
  };
}

TEST(PropertyList, EveryTypeIsWrittenInItsByteFormAndReadBack) {
  for (const Encoded& e : OneOfEachType()) {
    EXPECT_EQ(e.bytes, e.expected) << e.what;
    const std::vector<fw::PropertyEntry> entries = fw::ReadPropertyList(e.bytes);
    ASSERT_EQ(entries.size(), 1u) << e.what;
    EXPECT_EQ(entries[0].value, e.value) << e.what;
  }
}

TEST(PropertyList, BuilderRefusesUnknownNamesAndValuesOfAnotherType) {
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"unknown name", [] { PropertyListBuilder().Add("Colour", 1); }},
      {"boolean for an integer", [] { PropertyListBuilder().Add("Left", true); }},
      {"text for a boolean", [] { PropertyListBuilder().Add("Visible", "yes"); }},
      {"integer for a text", [] { PropertyListBuilder().Add("Title", 3); }},
      {"real for an integer", [] { PropertyListBuilder().Add("Width", 2.5); }},
      {"negative colour", [] { PropertyListBuilder().Add("FillColor", -1); }},
      {"colour beyond 32 bits",
       [] { PropertyListBuilder().Add("FillColor", std::int64_t{1} << 32); }},
      {"font unit beyond a byte", [] { PropertyListBuilder().Add("FontUnit", 256); }},
      {"font size beyond a single", [] { PropertyListBuilder().Add("FontSize", 1e300); }},
  };
  for (const auto& [what, add] : cases) EXPECT_THROW(add(), fw::RuntimeException) << what;
}

// A list with an entry of every type, so that a cut falls into every kind of value.
std::string MixedList() {
  std::string list;
  for (const Encoded& e : OneOfEachType()) list += e.bytes;
  return list;
}

TEST(PropertyList, ReaderRejectsEveryTruncationAndNeverReadsPastTheEnd) {
  const std::string list = MixedList();
  std::vector<std::size_t> boundaries{0};
  for (const Encoded& e : OneOfEachType()) boundaries.push_back(boundaries.back() + e.bytes.size());
  for (std::size_t cut = 0; cut <= list.size(); ++cut) {
    // The prefix lives in a buffer of its own size, so a read past its end shows under ASan.
    const std::string prefix = list.substr(0, cut);
    const bool atBoundary =
        std::find(boundaries.begin(), boundaries.end(), cut) != boundaries.end();
    if (atBoundary) {
      EXPECT_NO_THROW(fw::ReadPropertyList(prefix)) << "cut at " << cut;
    } else {
      EXPECT_THROW(fw::ReadPropertyList(prefix), fw::RuntimeException) << "cut at " << cut;
    }
  }
}

TEST(PropertyList, ReaderNamesTheDamagedEntry) {
  using namespace std::string_literals;
  const std::string good = PropertyListBuilder().Add("Left", 1).Bytes();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {good + "Top \x01\x02"s, "entry 2 ('Top' at byte 13) is truncated"},
      {good + "Shade \x01"s, "entry 2 ('Shade' at byte 13) names an unknown property"},
      {good + "Visible"s, "entry 2 ('Visible' at byte 13) is truncated: no blank"},
      {good + "Visible \x02"s, "which is not a boolean"},
      // A byte count larger than what is left, up to the largest one.
      {good + "Title \xFF\xFF\xFF\xFF"s + "ab", "its text of 4294967295 bytes has 2 left"},
  };
  for (const auto& [bytes, message] : cases) {
    try {
      fw::ReadPropertyList(bytes);
      ADD_FAILURE() << "no exception for " << message;
    } catch (const fw::RuntimeException& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
  }
}

TEST(PropertyList, KnowsTheTypeOfEveryPropertyOfTheDesignData) {
  const std::vector<std::pair<const char*, PropertyType>> cases = {
      {"MinimumWidth", PropertyType::Integer},
      {"MaximumHeight", PropertyType::Integer},
      {"Type", PropertyType::Integer},
      {"MacProcID", PropertyType::Integer},
      {"DefaultLocation", PropertyType::Integer},
      {"MacButtonStyle", PropertyType::Integer},
      {"Period", PropertyType::Integer},
      {"RunMode", PropertyType::Integer},
      {"MaximumCharactersAllowed", PropertyType::Integer},
      {"CornerHeight", PropertyType::Real},
      {"LineHeight", PropertyType::Real},
      {"HasFullScreenButton", PropertyType::Boolean},
      {"Resizeable", PropertyType::Boolean},
      {"Composite", PropertyType::Boolean},
      {"LiveResize", PropertyType::Boolean},
      {"MenuBarVisible", PropertyType::Boolean},
      {"DoubleBuffer", PropertyType::Boolean},
      {"AllowFocus", PropertyType::Boolean},
      {"Selectable", PropertyType::Boolean},
      {"Cancel", PropertyType::Boolean},
      {"Default", PropertyType::Boolean},
      {"AllowSpellChecking", PropertyType::Boolean},
      {"HideSelection", PropertyType::Boolean},
      {"FontUnit", PropertyType::FontUnit},
      {"BorderColor", PropertyType::Color},
      {"FontSize", PropertyType::FontSize},
      {"Caption", PropertyType::Text},
      {"DataField", PropertyType::Text},
      {"ValidationMask", PropertyType::Text},
  };
  for (const auto& [name, type] : cases) {
    ASSERT_TRUE(fw::PropertyTypeOf(name).has_value()) << name;
    EXPECT_EQ(*fw::PropertyTypeOf(name), type) << name;
  }
  EXPECT_FALSE(fw::PropertyTypeOf("visible").has_value()) << "names are case-sensitive";
}

// Records what SetProperties applies.
class Recorder : public fw::Object {
  FW_CLASS(Recorder, fw::Object, "Recorder")
 public:
  std::vector<std::pair<std::string, PropertyValue>> applied;
  void SetProperty(const std::string& name, const PropertyValue& value) override {
    applied.emplace_back(name, value);
  }
};

TEST(SetProperties, AppliesEntriesInListOrderAndANameMayStandTwice) {
  fw::Ref<Recorder> r = fw::RuntimeNewObject<Recorder>();
  fw::SetProperties(r, PropertyListBuilder()
                           .Add("Transparent", true)
                           .Add("Left", 3)
                           .Add("Transparent", false)
                           .Bytes());
  ASSERT_EQ(r->applied.size(), 3u);
  EXPECT_EQ(r->applied[0].first, "Transparent");
  EXPECT_EQ(r->applied[1].first, "Left");
  EXPECT_EQ(r->applied[2].first, "Transparent");
  EXPECT_FALSE(r->applied[2].second.Boolean());
}

TEST(SetProperties, ADamagedListChangesNothing) {
  fw::Ref<Recorder> r = fw::RuntimeNewObject<Recorder>();
  const std::string list = PropertyListBuilder().Add("Left", 3).Bytes() + "Top \x01";
  EXPECT_THROW(fw::SetProperties(r, list), fw::RuntimeException);
  EXPECT_TRUE(r->applied.empty());
  EXPECT_THROW(fw::SetProperties(nullptr, list), fw::NilObjectException);
}

TEST(SetProperties, AValueOfTheWrongTypeIsRefusedByTheObject) {
  fw::Ref<fw::Label> label = fw::RuntimeNewObject<fw::Label>();
  label->Constructor();
  EXPECT_THROW(label->SetProperty("Left", PropertyValue(std::string("3"))), fw::RuntimeException);
}

class SetPropertiesOnControls : public fw::testing::GuiTest {};

TEST_F(SetPropertiesOnControls, PropertiesWithoutMeaningHereAreIgnored) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  fw::SetProperties(w->Caption(), PropertyListBuilder()
                                      .Add("LockRight", true)
                                      .Add("DataSource", "x")
                                      .Add("AllowAutoDeactivate", false)
                                      .Add("MacButtonStyle", 3)
                                      .Add("Value", "after")
                                      .Bytes());
  EXPECT_EQ(w->Caption()->Text(), "after");
  EXPECT_EQ(fw::testing::ShownOf(w->Caption()).text, "after");
}

void SetParent(const fw::Ref<fw::Object>& control, const std::string& parent) {
  fw::SetProperties(control, PropertyListBuilder().Add("InitialParent", parent).Bytes());
}

// Design data is not to be trusted: a chain of parents that loops, of any length, is refused as a
// bad list naming the entry, and the control is left as it was.
TEST_F(SetPropertiesOnControls, AParentChainThatLoopsIsRefusedAndChangesNothing) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> accepted;  // control, parent
    std::string control, parent;                                // closes the loop
  };
  const Case cases[] = {
      {"itself", {}, "Field1", "Field1"},
      {"two", {{"Caption", "Note"}}, "Note", "Caption"},
      {"three", {{"Caption", "Note"}, {"Note", "Button"}}, "Button", "Caption"},
      {"a frame into its own child", {}, "Frame", "Field2"},
  };
  for (const Case& c : cases) {
    fw::testing::DestroyAllWindows();
    fw::Ref<DemoWnd> w = DemoWnd::Instance();
    for (const auto& [control, parent] : c.accepted) SetParent(w->ControlByName(control), parent);
    fw::Ref<fw::RectControl> control =
        fw::RuntimeCheckCast<fw::RectControl>(w->ControlByName(c.control));
    const fw::testing::Shown before = fw::testing::ShownOf(control);
    try {
      fw::SetProperties(
          control, PropertyListBuilder().Add("Left", 123).Add("InitialParent", c.parent).Bytes());
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const fw::RuntimeException& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("entry 2 ('InitialParent' at byte 13)"), std::string::npos) << message;
      EXPECT_NE(message.find("'" + c.parent + "'"), std::string::npos) << message;
    }
    const fw::testing::Shown after = fw::testing::ShownOf(control);
    EXPECT_EQ(control->Left(), before.left) << c.name;
    EXPECT_EQ(std::pair(after.left, after.top), std::pair(before.left, before.top)) << c.name;
  }
}

// A loop can also come about as controls get their names; such controls sit in the window, and a
// chain into the loop that never comes back to the asking control is refused all the same.
TEST_F(SetPropertiesOnControls, ALoopOfNamesLeavesItsControlsInTheWindow) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  fw::Ref<fw::TextArea> a = w->New<fw::TextArea>();
  fw::Ref<fw::TextArea> b = w->New<fw::TextArea>();
  for (const fw::Ref<fw::TextArea>& c : {a, b}) {
    c->Constructor();
    fw::SetProperties(c, PropertyListBuilder().Add("Left", 5).Add("Top", 250).Bytes());
  }
  SetParent(a, "B");
  SetParent(b, "A");
  w->AddControl("A", a);
  w->AddControl("B", b);
  EXPECT_EQ(fw::testing::ShownOf(a).left, 5);
  EXPECT_EQ(fw::testing::ShownOf(b).top, 250);

  EXPECT_THROW(SetParent(w->Field2(), "A"), fw::RuntimeException);
  EXPECT_EQ(fw::testing::ShownOf(w->Field2()).left, 70) << "still in the frame";
}

}  // namespace
