// Lock flags: as the user resizes a window, a control keeps its distance to each edge it is
// locked to; locked to both sides of an axis it grows and shrinks, else it keeps its size.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/property_list.h"
#include "framework/testing/testing.h"
#include "framework/window.h"

namespace {

using namespace fw::testing;

struct LockCase {
  const char* name;
  bool left, top, right, bottom;
  // Left, top, width and height at 500 x 250 and at 300 x 400, from 10, 20, 100, 50 at 400 x 300.
  std::array<int, 4> wider, taller;
};

// A window of 400 x 300 with one field per case, each at 10, 20 and 100 x 50.
class LockWnd : public fw::Window {
  FW_CLASS(LockWnd, fw::Window, "LockWnd")
 public:
  std::vector<LockCase> cases;
  bool resizeable = true;

  void Layout() override {
    fw::SetProperties(SelfAs<fw::Object>(), fw::PropertyListBuilder()
                                                .Add("Width", 400)
                                                .Add("Height", 300)
                                                .Add("MinimumWidth", 64)
                                                .Add("MinimumHeight", 64)
                                                .Add("Title", "Locks")
                                                .Add("Resizeable", resizeable)
                                                .Add("Visible", true)
                                                .Bytes());
  }
  void CreateControls() override {
    for (const LockCase& c : cases) {
      fw::Ref<fw::TextArea> field = New<fw::TextArea>();
      field->Constructor();
      AddControl(c.name, field);
      fw::SetProperties(field, fw::PropertyListBuilder()
                                   .Add("Left", 10)
                                   .Add("Top", 20)
                                   .Add("Width", 100)
                                   .Add("Height", 50)
                                   .Add("LockLeft", c.left)
                                   .Add("LockTop", c.top)
                                   .Add("LockRight", c.right)
                                   .Add("LockBottom", c.bottom)
                                   .Add("Multiline", true)
                                   .Bytes());
    }
  }
  fw::Ref<fw::TextArea> Field(const std::string& name) {
    return fw::RuntimeCheckCast<fw::TextArea>(ControlByName(name));
  }
};

const std::vector<LockCase> kCases = {
    {"None", false, false, false, false, {10, 20, 100, 50}, {10, 20, 100, 50}},
    {"LeftTop", true, true, false, false, {10, 20, 100, 50}, {10, 20, 100, 50}},
    {"LeftRight", true, false, true, false, {10, 20, 200, 50}, {10, 20, 0, 50}},
    {"RightOnly", false, false, true, false, {110, 20, 100, 50}, {-90, 20, 100, 50}},
    {"TopBottom", false, true, false, true, {10, 20, 100, 0}, {10, 20, 100, 150}},
    {"BottomOnly", false, false, false, true, {10, -30, 100, 50}, {10, 120, 100, 50}},
    {"AllFour", true, true, true, true, {10, 20, 200, 0}, {10, 20, 0, 150}},
};

std::array<int, 4> Placed(const fw::Ref<fw::TextArea>& field) {
  const Shown shown = ShownOf(field);
  // What the system reads and what the platform shows agree.
  EXPECT_EQ(field->Left(), shown.left);
  EXPECT_EQ(field->Top(), shown.top);
  EXPECT_EQ(field->Width(), shown.width);
  EXPECT_EQ(field->Height(), shown.height);
  return {shown.left, shown.top, shown.width, shown.height};
}

class LocksTest : public GuiTest {
 protected:
  fw::Ref<LockWnd> Make(bool resizeable = true) {
    fw::Ref<LockWnd> w = fw::RuntimeNewObject<LockWnd>();
    w->cases = kCases;
    w->resizeable = resizeable;
    w->Constructor();
    ProcessEvents();
    return w;
  }
};

TEST_F(LocksTest, LockedEdgesKeepTheirDistancesAsTheWindowIsResized) {
  fw::Ref<LockWnd> w = Make();
  ResizeByUser(w, 500, 250);
  ASSERT_EQ(ShownWindowOf(w).width, 500);
  ASSERT_EQ(ShownWindowOf(w).height, 250);
  for (const LockCase& c : kCases) EXPECT_EQ(Placed(w->Field(c.name)), c.wider) << c.name;

  // The distances were kept from where the design placed them, not from the last size: a
  // control squeezed to nothing comes back.
  ResizeByUser(w, 300, 400);
  for (const LockCase& c : kCases) EXPECT_EQ(Placed(w->Field(c.name)), c.taller) << c.name;
  ResizeByUser(w, 400, 300);
  for (const LockCase& c : kCases)
    EXPECT_EQ(Placed(w->Field(c.name)), (std::array{10, 20, 100, 50})) << c.name;
}

TEST_F(LocksTest, AControlTheSystemMovesKeepsItsNewDistances) {
  fw::Ref<LockWnd> w = Make();
  ResizeByUser(w, 500, 250);
  fw::SetProperties(w->Field("AllFour"),
                    fw::PropertyListBuilder().Add("Left", 30).Add("Width", 400).Bytes());
  ResizeByUser(w, 520, 300);
  EXPECT_EQ(Placed(w->Field("AllFour")), (std::array{30, 20, 420, 50}));
}

TEST_F(LocksTest, AWindowOfFixedSizeMovesNothing) {
  fw::Ref<LockWnd> w = Make(false);
  ResizeByUser(w, 500, 250);
  EXPECT_EQ(ShownWindowOf(w).width, 400);
  for (const LockCase& c : kCases)
    EXPECT_EQ(Placed(w->Field(c.name)), (std::array{10, 20, 100, 50})) << c.name;
}

}  // namespace
