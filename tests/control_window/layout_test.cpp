// The main window as it first appears: the frame, the fixed controls, the grid and the tab order.
#include <algorithm>
#include <functional>
#include <set>
#include <utility>

#include "framework/property_list.h"
#include "framework/text.h"
#include "main_window_fixture.h"

namespace {

using fw::testing::ShownOf;

TEST_F(MainWindowTest, WindowIsFixedWhiteTitledWithOnlyACloseButton) {
  const fw::testing::ShownWindow shown = fw::testing::ShownWindowOf(w);
  EXPECT_EQ(shown.width, 500);
  EXPECT_EQ(shown.height, 475);
  EXPECT_EQ(shown.title, "Vantrel");
  EXPECT_FALSE(shown.resizable);
  EXPECT_FALSE(shown.minimizeButton);
  EXPECT_FALSE(shown.maximizeButton);
  EXPECT_TRUE(shown.closeButton);
  EXPECT_TRUE(shown.visible);
  EXPECT_EQ(shown.background, 0xFFFFFFu);
}

TEST_F(MainWindowTest, InstanceIsTheOneLiveWindowAndAccessorsFindTheSameControls) {
  EXPECT_TRUE(ControlWnd::Instance() == w);
  EXPECT_TRUE(fw::GetImplicitWindow("ControlWnd.ControlWnd") == w);
  EXPECT_TRUE(w->CalcBtn() == w->CalcBtn());
  EXPECT_TRUE(w->data1010() == w->data1010());
  EXPECT_FALSE(w->data11() == w->data12());
}

TEST_F(MainWindowTest, AClosedWindowIsMadeAnewOnTheNextRequest) {
  fw::Ref<fw::TextArea> oldCell = w->data11();
  fw::testing::TypeText(oldCell, "12");
  fw::testing::CloseByUser(w);
  fw::testing::ProcessEvents();
  fw::Ref<ControlWnd> again = ControlWnd::Instance();
  EXPECT_FALSE(again == w);
  EXPECT_EQ(again->data11()->Text(), "");
}

struct FixedControl {
  const char* name;
  std::function<fw::Ref<fw::RectControl>(ControlWnd&)> get;
  int left, top, width, height;
  bool visible;
};

const FixedControl kFixed[] = {
    {"ChiTitle", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.ChiTitle()); }, 18, 6, 462,
     48, true},
    {"CalcBtn", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.CalcBtn()); }, 21, 435, 80,
     30, true},
    {"ClearBtn", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.ClearBtn()); }, 404, 435, 80,
     30, true},
    {"copyright", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.copyright()); }, 174, 49,
     294, 16, false},
    {"var1Text", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.var1Text()); }, 152, 92, 225,
     17, true},
    {"var2Text", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.var2Text()); }, 22, 149, 17,
     179, true},
    {"ctext", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.ctext()); }, 50, 371, 422, 18,
     false},
    {"cctext", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.cctext()); }, 50, 387, 250, 18,
     false},
    {"ktext", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.ktext()); }, 343, 403, 125, 18,
     false},
    {"ptext", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.ptext()); }, 50, 403, 250, 18,
     false},
    {"RoundRectangle1", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.RoundRectangle1()); },
     48, 111, 424, 256, true},
    {"Canvas1", [](ControlWnd& w) { return fw::Ref<fw::RectControl>(w.Canvas1()); }, 242, 436, 27,
     32, true},
};

TEST_F(MainWindowTest, FixedControlsStandAtTheirPlacesWithTheirVisibility) {
  for (const FixedControl& f : kFixed) {
    SCOPED_TRACE(f.name);
    fw::Ref<fw::RectControl> control = f.get(*w);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->Name(), f.name);
    const fw::testing::Shown shown = ShownOf(control);
    EXPECT_EQ(shown.left, f.left);
    EXPECT_EQ(shown.top, f.top);
    EXPECT_EQ(shown.width, f.width);
    EXPECT_EQ(shown.height, f.height);
    EXPECT_EQ(shown.visibleOnScreen, f.visible);
    EXPECT_EQ(control->Visible(), f.visible);
  }
}

// The result lines stand 16 apart and 18 high, so each overlaps the line above or below it by
// two rows; as shown, they overlap nothing else and stay inside the window.
TEST_F(MainWindowTest, ResultLabelsOverlapOnlyTheirNeighboursAndStayInTheWindow) {
  const struct {
    fw::Ref<fw::Label> line;
    std::vector<std::string> overlapped;  // by two rows each
  } cases[] = {
      {w->ctext(), {"cctext"}},
      {w->cctext(), {"ctext", "ptext"}},
      {w->ptext(), {"cctext"}},
      {w->ktext(), {}},
  };
  std::vector<std::pair<std::string, fw::testing::Shown>> others;
  for (const FixedControl& f : kFixed) others.emplace_back(f.name, ShownOf(f.get(*w)));
  for (const GridCell& cell : kCells)
    others.emplace_back(cell.name, ShownOf((w.get()->*cell.accessor)()));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line->Name());
    const fw::testing::Shown line = ShownOf(c.line);
    EXPECT_LE(line.left + line.width, fw::testing::ShownWindowOf(w).width);
    std::vector<std::string> overlapped;
    for (const auto& [name, other] : others) {
      if (name == c.line->Name()) continue;
      const int across = std::min(line.left + line.width, other.left + other.width) -
                         std::max(line.left, other.left);
      const int down = std::min(line.top + line.height, other.top + other.height) -
                       std::max(line.top, other.top);
      if (across <= 0 || down <= 0) continue;
      overlapped.push_back(name);
      EXPECT_EQ(down, 2) << name;
    }
    EXPECT_EQ(overlapped, c.overlapped);
  }
}

TEST_F(MainWindowTest, LabelsHoldTheirTextsInTheirFontsAndColours) {
  const struct {
    fw::Ref<fw::Label> label;
    std::string text;
    int pixelSize;
    bool bold;
    std::uint32_t color;
  } labels[] = {
      {w->copyright(), "Vantrel - Copyright (c) 2026 The Vantrel authors", 10, false, 0x803F02},
      {w->var1Text(), "V    a    r    i    a    b    l    e         #1", 12, true, 0},
      {w->var2Text(), "V\ra\rr\ri\ra\rb\rl\re\r\r#\r2", 12, true, 0},
      {w->ctext(), "Chi-square = ", 12, false, 0},
      {w->cctext(), "Contingency coefficient = ", 12, false, 0},
      {w->ktext(), "Kappa = ", 12, false, 0},
      {w->ptext(), "Phi coefficient = ", 12, false, 0},
  };
  for (const auto& l : labels) {
    SCOPED_TRACE(l.label->Name());
    EXPECT_EQ(l.label->Text(), l.text);
    const fw::testing::Shown shown = ShownOf(l.label);
    EXPECT_EQ(shown.fontPixelSize, l.pixelSize);
    EXPECT_EQ(shown.bold, l.bold);
    EXPECT_EQ(shown.textColor, l.color);
  }
  // "courier" and "Courier" name one face; the captions use the system face.
  EXPECT_EQ(ShownOf(w->copyright()).fontFamily, ShownOf(w->ctext()).fontFamily);
  EXPECT_EQ(ShownOf(w->data11()).fontFamily, ShownOf(w->ctext()).fontFamily);
  EXPECT_NE(ShownOf(w->var1Text()).fontFamily, ShownOf(w->ctext()).fontFamily);
}

TEST_F(MainWindowTest, CopyrightNoticeIsOneAsciiLineOf48Characters) {
  const std::string notice = w->copyright()->Text();
  EXPECT_EQ(fw::Len(notice), 48);
  EXPECT_EQ(notice.size(), 48u);
  EXPECT_EQ(notice.find_first_of("\r\n"), std::string::npos);
  EXPECT_NE(notice.find("Vantrel authors"), std::string::npos);
}

TEST_F(MainWindowTest, ButtonsAreCaptionedInTheSystemFont) {
  EXPECT_EQ(w->CalcBtn()->Caption(), "Calculate");
  EXPECT_EQ(w->ClearBtn()->Caption(), "Clear");
  EXPECT_EQ(ShownOf(w->CalcBtn()).fontPixelSize, 12);
  EXPECT_EQ(ShownOf(w->CalcBtn()).fontFamily, ShownOf(w->var1Text()).fontFamily);
}

TEST_F(MainWindowTest, CellsSitInTheirColumnsAndRowsInsideTheFrame) {
  const fw::testing::Shown frame = ShownOf(w->RoundRectangle1());
  for (const GridCell& cell : kCells) {
    SCOPED_TRACE(cell.name);
    fw::Ref<fw::TextArea> area = (w.get()->*cell.accessor)();
    ASSERT_TRUE(area);
    EXPECT_EQ(area->Name(), cell.name);
    const fw::testing::Shown shown = ShownOf(area);
    EXPECT_EQ(shown.left, CellLeft(cell.column));
    EXPECT_EQ(shown.top, CellTop(cell.row));
    EXPECT_EQ(shown.width, 32);
    EXPECT_EQ(shown.height, 20);
    EXPECT_TRUE(shown.visibleOnScreen);
    EXPECT_EQ(shown.text, "");
    EXPECT_EQ(shown.fontPixelSize, 10);
    EXPECT_FALSE(shown.bold);
    EXPECT_EQ(shown.textColor, 0u);
    EXPECT_GE(shown.left, frame.left);
    EXPECT_GE(shown.top, frame.top);
    EXPECT_LE(shown.left + shown.width, frame.left + frame.width);
    EXPECT_LE(shown.top + shown.height, frame.top + frame.height);
    EXPECT_EQ(area->MaximumCharactersAllowed(), 4);
    EXPECT_FALSE(area->Multiline());
    EXPECT_FALSE(area->ReadOnly());
    EXPECT_EQ(area->TabIndex(), 10 * (cell.row - 1) + cell.column);
  }
}

TEST(CellGeometry, ColumnsAndRowsStepUnevenlyAndNeverOverlap) {
  EXPECT_EQ(CellLeft(10), 426);  // data110 and data1010 end at 458, 14 inside the frame
  EXPECT_EQ(CellTop(10), 337);   // data101 and data1010 end at 357, 10 inside the frame
  EXPECT_EQ(CellLeft(1), 61);
  EXPECT_EQ(CellTop(2) - CellTop(1), 23);
  for (int i = 2; i <= 10; ++i) {
    SCOPED_TRACE(i);
    EXPECT_GE(CellLeft(i) - CellLeft(i - 1), kCellWidth);
    EXPECT_GE(CellTop(i) - CellTop(i - 1), kCellHeight);
    if (i > 2) {
      EXPECT_EQ(CellTop(i) - CellTop(i - 1), 24);
    }
  }
}

TEST(CellTable, NamesAreDistinctAndRowMajor) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < kCells.size(); ++i) {
    const GridCell& cell = kCells[i];
    EXPECT_EQ(cell.row, static_cast<int>(i / 10) + 1);
    EXPECT_EQ(cell.column, static_cast<int>(i % 10) + 1);
    EXPECT_EQ(std::string(cell.name),
              "data" + std::to_string(cell.row) + std::to_string(cell.column));
    names.insert(cell.name);
  }
  EXPECT_EQ(names.size(), 100u);
  EXPECT_STREQ(CellAt(1, 10).name, "data110");
  EXPECT_STREQ(CellAt(10, 1).name, "data101");
}

TEST(CellPropertyList, HoldsTheFortySixEntriesWithThePerCellValues) {
  const struct {
    int row, column;
    std::size_t bytes;
    bool locked;
  } cases[] = {
      {1, 1, 692, false}, {1, 2, 692, false}, {1, 3, 692, true},
      {1, 10, 693, true}, {7, 4, 692, true},  {10, 10, 694, true},
  };
  for (const auto& c : cases) {
    const GridCell& cell = CellAt(c.row, c.column);
    SCOPED_TRACE(cell.name);
    const std::string list = CellPropertyList(cell);
    EXPECT_EQ(list.size(), c.bytes);
    const std::vector<fw::PropertyEntry> entries = fw::ReadPropertyList(list);
    ASSERT_EQ(entries.size(), 46u);
    EXPECT_EQ(entries[0].name, "Name");
    EXPECT_EQ(entries[0].value.Text(), cell.name);
    EXPECT_EQ(entries[1].value.Integer(), -2147483648LL);
    EXPECT_EQ(entries[2].value.Integer(), CellLeft(c.column));
    EXPECT_EQ(entries[3].value.Integer(), CellTop(c.row));
    for (int lock = 6; lock <= 9; ++lock) EXPECT_EQ(entries[lock].value.Boolean(), c.locked);
    EXPECT_EQ(entries[10].name, "TabIndex");
    EXPECT_EQ(entries[10].value.Integer(), 10 * (c.row - 1) + c.column);
    EXPECT_EQ(entries[33].name, "FontSize");
    EXPECT_EQ(entries[33].value.Size(), 10.0f);
    EXPECT_EQ(entries[40].name, "MaximumCharactersAllowed");
    EXPECT_EQ(entries[40].value.Integer(), 4);
    EXPECT_EQ(entries[45].name, "InitialParent");
    EXPECT_EQ(entries[45].value.Text(), "RoundRectangle1");
  }
}

TEST_F(MainWindowTest, TabWalksTheGridRowByRowThenTheTwoButtons) {
  fw::testing::Click(w->data11());
  ASSERT_TRUE(Focused() == w->data11());
  for (std::size_t i = 1; i < kCells.size(); ++i) {
    fw::testing::PressTab(w);
    ASSERT_TRUE(Focused() == (w.get()->*kCells[i].accessor)()) << "after Tab " << i;
  }
  fw::testing::PressTab(w);
  EXPECT_TRUE(Focused() == w->CalcBtn());
  fw::testing::PressTab(w);
  EXPECT_TRUE(Focused() == w->ClearBtn());
  // Neither picture nor any label takes the focus on the way round.
  fw::testing::PressTab(w);
  EXPECT_TRUE(Focused() == w->data11());
  for (const GridCell& cell : kCells) EXPECT_EQ((w.get()->*cell.accessor)()->Text(), "");
}

}  // namespace
