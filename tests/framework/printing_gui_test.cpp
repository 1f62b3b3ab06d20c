// Printing a text field's styled text into a PDF through the print dialog's stand-in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/printing.h"
#include "framework/property_list.h"
#include "framework/testing/testing.h"
#include "framework/text.h"
#include "framework/window.h"

namespace {

using fw::testing::PrintDialogStandIn;

// A window with one multi-line styled field in the serif face, 10 points.
class FieldWnd : public fw::Window {
  FW_CLASS(FieldWnd, fw::Window, "FieldWnd")
 public:
  void Layout() override {
    fw::SetProperties(SelfAs<fw::Object>(), fw::PropertyListBuilder()
                                                .Add("Width", 427)
                                                .Add("Height", 491)
                                                .Add("Title", "Field")
                                                .Add("Visible", true)
                                                .Bytes());
  }
  void CreateControls() override {
    fw::Ref<fw::TextArea> field = New<fw::TextArea>();
    field->Constructor();
    AddControl("Field", field);
    fw::SetProperties(field, fw::PropertyListBuilder()
                                 .Add("Left", 0)
                                 .Add("Top", 0)
                                 .Add("Width", 427)
                                 .Add("Height", 491)
                                 .Add("Multiline", true)
                                 .Add("AllowStyledText", true)
                                 .Add("FontName", "Times")
                                 .Add("FontSize", 10)
                                 .Bytes());
  }
  fw::Ref<fw::TextArea> Field() {
    return fw::RuntimeCheckCast<fw::TextArea>(ControlByName("Field"));
  }
};

// n short lines, separated by CRs, none long enough to wrap.
std::string Lines(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) {
    if (i > 1) text += '\r';
    text.append("Line ").append(std::to_string(i));
  }
  return text;
}

class PrintingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = fw::RuntimeNewObject<FieldWnd>();
    w->Constructor();
    field = w->Field();
    pdf = std::filesystem::path(::testing::TempDir()) /
          ("vantrel-printing-" + std::to_string(::getpid()) + ".pdf");
  }
  void TearDown() override {
    std::filesystem::remove(pdf);
    fw::testing::DestroyAllWindows();
  }

  struct Job {
    std::int64_t blocks = 0, nextPages = 0;
  };
  // The loop of a printing window: a block per page at (36, 36), 492 wide, a new page only
  // between blocks. The page object goes away at the end, which completes the PDF.
  Job Print(double blockHeight) {
    Job job;
    fw::Ref<fw::Graphics> page = fw::OpenPrinterDialog();
    if (!page) return job;
    fw::Ref<fw::StyledTextPrinter> printer = field->StyledTextPrinter(page, 492);
    while (!printer->Eof()) {
      printer->DrawBlock(36, 36, blockHeight);
      ++job.blocks;
      if (!printer->Eof()) {
        page->NextPage();
        ++job.nextPages;
      }
    }
    EXPECT_EQ(printer->BlocksDrawn(), job.blocks);
    EXPECT_EQ(page->PagesStarted(), job.nextPages + 1);
    return job;
  }

  fw::Ref<FieldWnd> w;
  fw::Ref<fw::TextArea> field;
  std::filesystem::path pdf;
};

TEST_F(PrintingTest, CancelledDialogGivesNoPage) {
  PrintDialogStandIn dialog = PrintDialogStandIn::Cancelling();
  EXPECT_EQ(fw::OpenPrinterDialog(), nullptr);
  EXPECT_EQ(dialog.DialogsOpened(), 1);
  EXPECT_EQ(dialog.PagesStarted(), 0);
  EXPECT_EQ(dialog.BlocksDrawn(), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

// How many lines of the field's face fit a block of 600 points, from that face's printed line
// height. Lines are laid out on whole device pixels, so a block may hold one line fewer; the cases
// give one count either way. Printed 4/3 too large, or minute, they give other counts.
int LinesPerBlock() {
  return static_cast<int>(600 / fw::testing::FaceOf("Times", 10).printedLineHeight);
}

struct TextCase {
  const char* name;
  int blocksOfLines, moreLines;  // the text has blocksOfLines * LinesPerBlock() + moreLines lines
  double blockHeight;
  std::int64_t blocks;
};

class PrintedTextTest : public PrintingTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(PrintedTextTest, DrawsTheBlocksItNeedsOnePerPage) {
  const TextCase& c = GetParam();
  field->SetText(Lines(c.blocksOfLines * LinesPerBlock() + c.moreLines));
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  const Job job = Print(c.blockHeight);

  EXPECT_EQ(job.blocks, c.blocks);
  EXPECT_EQ(dialog.BlocksDrawn(), c.blocks);
  // A job starts with a page; every further one comes from a NextPage between blocks.
  const std::int64_t pages = c.blocks == 0 ? 1 : c.blocks;
  EXPECT_EQ(job.nextPages, pages - 1);
  EXPECT_EQ(dialog.PagesStarted(), pages);

  // Every page is the paper the dialog gave (A4 unless chosen otherwise), not a page of its own.
  const std::vector<fw::testing::PdfPage> written = fw::testing::PdfPagesOf(pdf.string());
  ASSERT_EQ(static_cast<std::int64_t>(written.size()), pages);
  for (const fw::testing::PdfPage& page : written) {
    EXPECT_NEAR(page.width, 595.3, 0.5);
    EXPECT_NEAR(page.height, 841.9, 0.5);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintedTextTest,
    ::testing::Values(TextCase{"Empty", 0, 0, 600, 0}, TextCase{"Short", 0, 3, 600, 1},
                      TextCase{"FillsOneBlock", 1, -1, 600, 1},
                      TextCase{"OneLineMoreTakesTwo", 1, 1, 600, 2},
                      TextCase{"FillsTwoBlocks", 2, -2, 600, 2},
                      TextCase{"TwoLinesMoreTakeThree", 2, 2, 600, 3},
                      // Whole lines only: a block lower than a line still takes one line.
                      TextCase{"BlockLowerThanALine", 0, 3, 1, 3},
                      TextCase{"BlockTallerThanTheText", 2, 2, 100000, 1}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST_F(PrintingTest, ManyPagesOneBlockEach) {
  field->SetText(Lines(400));
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  const Job job = Print(600);
  EXPECT_GE(job.blocks, 5);
  EXPECT_EQ(dialog.PagesStarted(), job.blocks);
  EXPECT_EQ(static_cast<std::int64_t>(fw::testing::PdfPagesOf(pdf.string()).size()), job.blocks);
}

// ---- The user's paper ----

// The words of a text, in order.
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (c == ' ' || c == '\r' || c == '\n') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  return words;
}

std::vector<std::string> Words(const fw::testing::PdfText& pdf) {
  std::vector<std::string> words;
  for (const fw::testing::PdfTextPage& page : pdf.pages)
    for (const fw::testing::PdfTextLine& line : page.lines)
      for (const std::string& w : Words(line.text)) words.push_back(w);
  return words;
}

// One paragraph that wraps into many lines, so that blocks end inside it.
std::string Paragraph(int words) {
  std::string text;
  for (int i = 1; i <= words; ++i) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "x" + std::string.
    if (i > 1) text += ' ';
    text += "word";
    text += std::to_string(i);
  }
  return text;
}

struct PaperCase {
  const char* name;
  fw::testing::Paper paper;
  double sheetWidth, sheetHeight;
};

class PaperTest : public PrintingTest, public ::testing::WithParamInterface<PaperCase> {};

// The page goes at the top left of the printable area at its real size: the first block at
// (36, 36) from there, its text 492 points wide. The text layer holds each word once, in order,
// although the blocks end inside a paragraph.
TEST_P(PaperTest, PlacesThePageOnTheChosenPaperAtRealSize) {
  const PaperCase& c = GetParam();
  const std::string text = "Heading\r" + Paragraph(400);
  field->SetText(text);
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string(), c.paper);
  const Job job = Print(100);
  ASSERT_GE(job.blocks, 3);

  EXPECT_EQ(dialog.Scale(), 1) << "never enlarged";
  EXPECT_NEAR(dialog.Sheet().width, c.sheetWidth, 0.01);
  EXPECT_NEAR(dialog.Sheet().height, c.sheetHeight, 0.01);
  const std::vector<fw::testing::PrintedBlock> blocks = dialog.Blocks();
  ASSERT_EQ(static_cast<std::int64_t>(blocks.size()), job.blocks);
  for (const fw::testing::PrintedBlock& b : blocks) {
    EXPECT_DOUBLE_EQ(b.x, c.paper.left + 36);
    EXPECT_DOUBLE_EQ(b.y, c.paper.top + 36);
    EXPECT_DOUBLE_EQ(b.width, 492);
    EXPECT_GT(b.height, 0);
    EXPECT_LE(b.height, 100.001) << "whole lines that fit the block";
  }

  const fw::testing::PdfText read = fw::testing::PdfTextOf(pdf.string());
  EXPECT_EQ(read.title, "Field") << "the window's title";
  ASSERT_EQ(static_cast<std::int64_t>(read.pages.size()), job.blocks);
  EXPECT_EQ(Words(read), Words(text)) << "each line once, none lost";
  // Where a reader finds the text: it starts at the block's origin and fills its width.
  double right = 0;
  for (const fw::testing::PdfTextPage& page : read.pages) {
    EXPECT_NEAR(page.width, c.sheetWidth, 0.01);
    EXPECT_NEAR(page.height, c.sheetHeight, 0.01);
    ASSERT_FALSE(page.lines.empty());
    for (const fw::testing::PdfTextLine& line : page.lines) {
      EXPECT_NEAR(line.xMin, c.paper.left + 36, 0.75) << line.text;
      right = std::max(right, line.xMax);
    }
    EXPECT_NEAR(page.lines.front().yMin, c.paper.top + 36, 3);
    EXPECT_LE(page.lines.back().yMax, c.paper.top + 36 + 100 + 3);
  }
  EXPECT_LE(right, c.paper.left + 36 + 492 + 0.5);
  EXPECT_GT(right, c.paper.left + 36 + 492 - 20) << "laid out 492 points wide, not scaled";
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PaperTest,
    ::testing::Values(
        PaperCase{"A4", {fw::testing::Paper::Size::A4, false, 20, 30, 25, 35}, 595, 842},
        PaperCase{"Letter", {fw::testing::Paper::Size::Letter, false, 18, 18, 18, 18}, 612, 792},
        PaperCase{
            "A4FullPage", {fw::testing::Paper::Size::A4, false, 20, 30, 25, 35, true}, 595, 842}),
    [](const ::testing::TestParamInfo<PaperCase>& info) { return info.param.name; });

// Paper whose printable area is smaller than the page: the whole page is scaled down to fit it,
// in proportion, so every line prints whole and nothing is said on standard error.
class SmallPaperTest : public PrintingTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(SmallPaperTest, ScalesThePageDownToFitWhole) {
  const PaperCase& c = GetParam();
  const std::string text = "Heading\r" + Paragraph(1200);
  field->SetText(text);
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string(), c.paper);
  ::testing::internal::CaptureStderr();
  const Job job = Print(600);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  ASSERT_GE(job.blocks, 2);

  const double printableWidth = c.sheetWidth - c.paper.left - c.paper.right;
  const double printableHeight = c.sheetHeight - c.paper.top - c.paper.bottom;
  const double scale = std::min(printableWidth / 540, printableHeight / 648);
  ASSERT_LT(scale, 1);
  EXPECT_NEAR(dialog.Scale(), scale, 1e-9) << "as large as the printable area allows";
  EXPECT_NEAR(dialog.Sheet().width, c.sheetWidth, 0.01);
  EXPECT_NEAR(dialog.Sheet().height, c.sheetHeight, 0.01);
  const std::vector<fw::testing::PrintedBlock> blocks = dialog.Blocks();
  ASSERT_EQ(static_cast<std::int64_t>(blocks.size()), job.blocks);
  for (const fw::testing::PrintedBlock& b : blocks) {
    EXPECT_DOUBLE_EQ(b.x, c.paper.left + 36 * scale);
    EXPECT_DOUBLE_EQ(b.y, c.paper.top + 36 * scale);
    EXPECT_DOUBLE_EQ(b.width, 492 * scale);
    EXPECT_LE(b.y + b.height, c.paper.top + 648 * scale);
  }

  const double right = c.sheetWidth - c.paper.right, bottom = c.sheetHeight - c.paper.bottom;
  const fw::testing::PdfText read = fw::testing::PdfTextOf(pdf.string());
  ASSERT_EQ(static_cast<std::int64_t>(read.pages.size()), job.blocks);
  EXPECT_EQ(Words(read), Words(text)) << "each line once, none lost";
  double widest = 0;
  for (const fw::testing::PdfTextPage& page : read.pages) {
    ASSERT_GE(page.lines.size(), 2u);
    EXPECT_NEAR(page.lines.front().yMin, c.paper.top + 36 * scale, 3 * scale);
    // The lines stand as far apart as at real size, times the scale.
    EXPECT_NEAR(page.lines[1].yMin - page.lines[0].yMin,
                fw::testing::FaceOf("Times", 10).printedLineHeight * scale, 0.5);
    for (const fw::testing::PdfTextLine& line : page.lines) {
      EXPECT_NEAR(line.xMin, c.paper.left + 36 * scale, 0.75) << line.text;
      EXPECT_LE(line.xMax, right) << line.text;
      EXPECT_LE(line.yMax, bottom) << line.text;
      widest = std::max(widest, line.xMax);
    }
  }
  EXPECT_LE(widest, c.paper.left + (36 + 492) * scale + 0.5);
  EXPECT_GT(widest, c.paper.left + (36 + 492 - 20) * scale) << "the same lines, only smaller";
}

INSTANTIATE_TEST_SUITE_P(
    Papers, SmallPaperTest,
    ::testing::Values(
        // Narrower than the page: the width sets the scale.
        PaperCase{"A5", {fw::testing::Paper::Size::A5, false, 10, 10, 10, 10}, 420, 595},
        PaperCase{"A6", {fw::testing::Paper::Size::A6, false, 10, 10, 10, 10}, 297, 420},
        // Wide enough but too low: the height does.
        PaperCase{"A4Landscape", {fw::testing::Paper::Size::A4, true, 12, 40, 12, 12}, 842, 595}),
    [](const ::testing::TestParamInfo<PaperCase>& info) { return info.param.name; });

// ---- The pages, their order and the copies chosen in the dialog ----

// A page as a reader finds it: its lines, each with where it starts.
std::vector<std::string> Seen(const fw::testing::PdfTextPage& page) {
  std::vector<std::string> lines;
  for (const fw::testing::PdfTextLine& line : page.lines)
    lines.push_back(line.text + " @ " + fw::Format(line.xMin, "0.00") + ", " +
                    fw::Format(line.yMin, "0.00"));
  return lines;
}

struct ChoiceCase {
  const char* name;
  fw::testing::PrintChoices choices;
  std::vector<int> pages;  // the pages of the whole printout that come out, in order
};

class PrintChoicesTest : public PrintingTest, public ::testing::WithParamInterface<ChoiceCase> {};

// A text of three pages, printed whole first, then with the case's choices: the printout holds
// exactly the chosen pages, each as it was in the whole printout, in the chosen order and number.
// The system's own loop is the same either way: three blocks, three pages begun.
TEST_P(PrintChoicesTest, PutsOutTheChosenPagesInTheChosenOrderAndNumber) {
  const ChoiceCase& c = GetParam();
  field->SetText(Lines(2 * LinesPerBlock() + 5));
  std::vector<fw::testing::PdfTextPage> whole;
  {
    PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
    ASSERT_EQ(Print(600).blocks, 3);
  }
  whole = fw::testing::PdfTextOf(pdf.string()).pages;
  ASSERT_EQ(whole.size(), 3u);

  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string(), {}, c.choices);
  const Job job = Print(600);
  EXPECT_EQ(job.blocks, 3);
  EXPECT_EQ(dialog.PagesStarted(), 3);

  const std::vector<fw::testing::PdfTextPage> printed = fw::testing::PdfTextOf(pdf.string()).pages;
  if (c.pages.empty()) {
    // A job has a page from the start; with no page chosen, it stays blank.
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed[0].lines.empty());
    EXPECT_TRUE(dialog.Blocks().empty());
    return;
  }
  ASSERT_EQ(printed.size(), c.pages.size());
  for (std::size_t i = 0; i < printed.size(); ++i)
    EXPECT_EQ(Seen(printed[i]), Seen(whole[c.pages[i] - 1])) << "sheet " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, PrintChoicesTest,
    ::testing::Values(
        ChoiceCase{"AllPages", {}, {1, 2, 3}}, ChoiceCase{"SecondPageOnly", {2, 2}, {2}},
        ChoiceCase{"FirstTwo", {1, 2}, {1, 2}}, ChoiceCase{"RangeBeyondTheLastPage", {3, 9}, {3}},
        ChoiceCase{"RangeAfterTheLastPage", {5, 6}, {}},
        ChoiceCase{"TwoCollatedCopies", {0, 0, 2, true}, {1, 2, 3, 1, 2, 3}},
        ChoiceCase{"TwoUncollatedCopies", {0, 0, 2, false}, {1, 1, 2, 2, 3, 3}},
        ChoiceCase{"LastPageFirst", {0, 0, 1, true, true}, {3, 2, 1}},
        ChoiceCase{"RangeCopiesAndOrderTogether", {2, 3, 2, true, true}, {3, 2, 3, 2}},
        ChoiceCase{"UncollatedBackwards", {1, 2, 3, false, true}, {2, 2, 2, 1, 1, 1}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

// The dialog offers what the printout honours, and nothing it would ignore.
TEST_F(PrintingTest, DialogOffersOnlyWhatThePrintoutHonours) {
  const std::map<std::string, fw::testing::DialogChoice> offers = fw::testing::PrintDialogOffers();
  for (const char* honoured : {"page range", "copies", "collate", "reverse"}) {
    ASSERT_EQ(offers.count(honoured), 1u) << honoured;
    EXPECT_TRUE(offers.at(honoured).shown) << honoured;
    EXPECT_TRUE(offers.at(honoured).enabled) << honoured;
  }
  for (const char* ignored : {"selection", "current page"}) {
    ASSERT_EQ(offers.count(ignored), 1u) << ignored;
    EXPECT_FALSE(offers.at(ignored).shown) << ignored;
  }
}

TEST_F(PrintingTest, PaperThatFitsWritesNothingToStandardError) {
  field->SetText(Lines(3));
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  ::testing::internal::CaptureStderr();
  Print(600);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// The printer works on a copy: the field keeps its text, selection and styles.
TEST_F(PrintingTest, LeavesTheFieldAsItWas) {
  const std::string text = Lines(LinesPerBlock() + 1);
  field->SetText(text);
  field->SetSelStart(0);
  field->SetSelLength(6);
  field->SetSelBold(true);
  field->SetSelStart(3);
  field->SetSelLength(2);
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  const std::int64_t blocks = Print(600).blocks;

  EXPECT_EQ(field->Text(), text);
  EXPECT_EQ(field->SelStart(), 3);
  EXPECT_EQ(field->SelLength(), 2);
  EXPECT_TRUE(field->SelBold());
  // The same text prints the same way again.
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(Print(600).blocks, 2);
}

TEST_F(PrintingTest, PageIsFixedInPoints) {
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  fw::Ref<fw::Graphics> page = fw::OpenPrinterDialog();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Width(), 540);
  EXPECT_EQ(page->Height(), 648);
  EXPECT_EQ(page->PagesStarted(), 1);
}

TEST_F(PrintingTest, RefusesWhatItCannotPrint) {
  EXPECT_THROW(field->StyledTextPrinter(nullptr, 492), fw::NilObjectException);
  // A page that belongs to no print job has nothing to measure or draw on.
  EXPECT_THROW(field->StyledTextPrinter(fw::RuntimeNewObject<fw::Graphics>(), 492),
               fw::RuntimeException);

  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo(pdf.string());
  fw::Ref<fw::Graphics> page = fw::OpenPrinterDialog();
  for (double width : {0.0, -492.0})
    EXPECT_THROW(field->StyledTextPrinter(page, width), fw::RuntimeException) << width;

  // A one-line field has no styled text; asking for one raises instead of reading nothing.
  fw::Ref<fw::TextArea> line = w->New<fw::TextArea>();
  line->Constructor();
  w->AddControl("Line", line);
  fw::SetProperties(line, fw::PropertyListBuilder().Add("Multiline", false).Bytes());
  EXPECT_THROW(line->StyledTextPrinter(page, 492), fw::NilObjectException);
}

TEST_F(PrintingTest, JobThatCannotStartRaises) {
  PrintDialogStandIn dialog = PrintDialogStandIn::PrintingTo("/nonexistent-folder/out.pdf");
  EXPECT_THROW(fw::OpenPrinterDialog(), fw::RuntimeException);
  EXPECT_EQ(dialog.DialogsOpened(), 1);
}

TEST_F(PrintingTest, StandInGivesTheDialogBackWhenItGoes) {
  {
    PrintDialogStandIn outer = PrintDialogStandIn::Cancelling();
    {
      PrintDialogStandIn inner = PrintDialogStandIn::PrintingTo(pdf.string());
      EXPECT_NE(fw::OpenPrinterDialog(), nullptr);
      EXPECT_EQ(outer.DialogsOpened(), 0);
    }
    EXPECT_EQ(fw::OpenPrinterDialog(), nullptr);
    EXPECT_EQ(outer.DialogsOpened(), 1);
  }
}

}  // namespace
