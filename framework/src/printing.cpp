#include "framework/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "framework/window.h"
#include "internal.h"
#include "seams.h"

namespace fw {

namespace {

// The page the system draws on, in points, whatever paper the user chose: it is placed at the top
// left of the paper's printable area at its real size, or scaled down to fit a smaller one.
constexpr double kPageWidth = 540;
constexpr double kPageHeight = 648;

internal::PrintDialogHook& DialogHook() {
  static internal::PrintDialogHook hook;
  return hook;
}

// One laid-out line: where it stands, in device pixels from the top of the document, and which
// line of which paragraph it is.
struct LineSpan {
  double top, bottom;
  int block, line;
};

// A styled text laid out on the printer, shared by its printer and the pages it was drawn on.
struct LaidOutText {
  std::unique_ptr<QTextDocument> doc;
  std::vector<LineSpan> lines;
};

// Lines first..end of a text, drawn at origin (device pixels) on one page.
struct Drawing {
  std::shared_ptr<const LaidOutText> text;
  std::size_t first, end;
  QPointF origin;
};

}  // namespace

struct Graphics::Impl {
  std::unique_ptr<QPrinter> device;  // nil for a page that belongs to no job
  // In device pixels at real size, origin at the top left of the printable area; scaled by
  // scale, the page fits that area.
  QPainter painter;
  double pixelsPerPointX = 1, pixelsPerPointY = 1;
  QPointF sheetOrigin;  // the painter's origin on the sheet, in points
  double scale = 1;

  // What the dialog leaves to the program: the pages chosen (numbered from 1), their order, and
  // the copies when the printer makes none itself.
  std::int64_t firstPage = 1, lastPage = std::numeric_limits<std::int64_t>::max();
  bool lastPageFirst = false;
  int copies = 1;
  bool collate = true;
  // The chosen pages begun so far, each with what was drawn on it. They go to the printer when the
  // job ends: the order and the copies are only known to be right once every page is there.
  std::vector<std::vector<Drawing>> pages;

  std::shared_ptr<internal::PrintJobCounts> counts = std::make_shared<internal::PrintJobCounts>();

  bool Chosen(std::int64_t page) const { return page >= firstPage && page <= lastPage; }
  void PutOutPages();
  void Draw(const Drawing& drawing);

  // The painter must finish (which completes the job) while the device still exists.
  ~Impl() {
    if (!painter.isActive()) return;
    PutOutPages();
    painter.end();
  }
};

void Graphics::Impl::PutOutPages() {
  std::vector<std::size_t> order(pages.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (lastPageFirst) std::reverse(order.begin(), order.end());
  std::vector<std::size_t> sheets;  // collated: the whole run again; else each page again
  for (int copy = 0; copy < (collate ? copies : 1); ++copy)
    for (std::size_t page : order)
      for (int again = 0; again < (collate ? 1 : copies); ++again) sheets.push_back(page);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    // The job's first page is open from the start. A printer that cannot start another has
    // failed the job; there is nobody left to tell.
    if (i > 0 && !device->newPage()) return;
    for (const Drawing& drawing : pages[sheets[i]]) Draw(drawing);
  }
}

// Lines are drawn one by one, never a paragraph under a clip: clipped text would still stand in a
// PDF's text layer, and a paragraph cut at the foot of one page would be there twice.
void Graphics::Impl::Draw(const Drawing& drawing) {
  painter.save();
  painter.setClipRect(QRectF(0, 0, kPageWidth * pixelsPerPointX, kPageHeight * pixelsPerPointY));
  painter.setPen(Qt::black);
  for (std::size_t i = drawing.first; i < drawing.end; ++i) {
    const LineSpan& span = drawing.text->lines[i];
    const QTextLayout* layout = drawing.text->doc->findBlockByNumber(span.block).layout();
    layout->lineAt(span.line).draw(&painter, drawing.origin + layout->position());
  }
  painter.restore();
}

Graphics::Graphics() : impl_(std::make_unique<Impl>()) {
  impl_->counts->pagesStarted = 1;
}
Graphics::~Graphics() = default;

double Graphics::Width() const {
  return kPageWidth;
}
double Graphics::Height() const {
  return kPageHeight;
}

void Graphics::NextPage() {
  ++impl_->counts->pagesStarted;
  if (impl_->device && impl_->Chosen(impl_->counts->pagesStarted)) impl_->pages.emplace_back();
}

std::int64_t Graphics::PagesStarted() const {
  return impl_->counts->pagesStarted;
}

namespace internal {

Ref<Graphics> MakeGraphics(QPrinter* device) {
  std::unique_ptr<QPrinter> printer(device);
  if (!printer) throw NilObjectException("print job without a printer");
  // The paper, orientation and margins are the user's, as the dialog left them.
  const QPageLayout paper = printer->pageLayout();
  const QRectF sheet = paper.fullRect(QPageLayout::Point);
  const QRectF printable = sheet.marginsRemoved(paper.margins(QPageLayout::Point));
  // A printout is named after the window it comes from (the PDF's title, the printer's job).
  printer->setDocName(QString::fromStdString(FrontWindow() ? FrontWindow()->Title() : ""));

  Ref<Graphics> page = RuntimeNewObject<Graphics>();
  Graphics::Impl& g = page->impl();
  if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
    g.firstPage = printer->fromPage();
    g.lastPage = std::max(printer->fromPage(), printer->toPage());
  }
  g.lastPageFirst = printer->pageOrder() == QPrinter::LastPageFirst;
  // A print system that makes copies itself (a print server) is told the number and the
  // collation by the dialog; to a file, the copies are the program's to make.
  if (!printer->supportsMultipleCopies()) {
    g.copies = std::max(1, printer->copyCount());
    g.collate = printer->collateCopies();
  }
  if (g.Chosen(1)) g.pages.emplace_back();

  g.device = std::move(printer);
  if (!g.painter.begin(g.device.get())) throw RuntimeException("the printer did not start the job");
  // Everything the system places is in points, whatever the printer's resolution.
  g.pixelsPerPointX = g.device->logicalDpiX() / 72.0;
  g.pixelsPerPointY = g.device->logicalDpiY() / 72.0;
  // In full-page mode the painter starts at the sheet's corner; the page still goes where the
  // printer can print.
  QPointF shift;
  if (paper.mode() == QPageLayout::FullPageMode) shift = printable.topLeft() - sheet.topLeft();
  g.painter.translate(shift.x() * g.pixelsPerPointX, shift.y() * g.pixelsPerPointY);
  g.sheetOrigin = printable.topLeft() - sheet.topLeft();
  // On a printable area smaller than the page, the whole page is scaled down to fit, in
  // proportion; it is never enlarged, so text prints at its real size wherever it can.
  g.scale = std::min({1.0, printable.width() / kPageWidth, printable.height() / kPageHeight});
  g.painter.scale(g.scale, g.scale);
  g.counts->sheet = {sheet.width(), sheet.height()};
  g.counts->scale = g.scale;
  return page;
}

std::shared_ptr<const PrintJobCounts> JobCountsOf(const Graphics& page) {
  return page.impl().counts;
}

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook) {
  return std::exchange(DialogHook(), std::move(hook));
}

}  // namespace internal

Ref<Graphics> OpenPrinterDialog() {
  if (DialogHook()) return DialogHook()();
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPrintDialog dialog(printer.get());
  // Only what the printout honours is offered: a page range, copies and their collation (and,
  // always there, the order of the pages). Printing a selection or the current page is not.
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCollateCopies |
                    QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return internal::MakeGraphics(printer.release());
}

// ---- Styled-text printer ----

namespace {

// Text fields size their fonts in the design's units, which were points on the screen the
// design was made for; on paper a pixel-sized font would be measured in printer pixels and come
// out minute. Give such fonts the same number of points.
void MakeFontsPointSized(QTextDocument& doc) {
  QFont font = doc.defaultFont();
  if (font.pixelSize() > 0) {
    font.setPointSizeF(font.pixelSize());
    doc.setDefaultFont(font);
  }
  auto pointSized = [](QTextCharFormat format) {
    format.setFontPointSize(format.intProperty(QTextFormat::FontPixelSize));
    format.clearProperty(QTextFormat::FontPixelSize);
    return format;
  };
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (block.charFormat().hasProperty(QTextFormat::FontPixelSize)) {
      cursor.setPosition(block.position());
      cursor.setBlockCharFormat(pointSized(block.charFormat()));
    }
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().hasProperty(QTextFormat::FontPixelSize)) continue;
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(pointSized(fragment.charFormat()));
    }
  }
}

}  // namespace

struct StyledTextPrinter::Impl {
  Ref<Graphics> page;  // kept alive: the text is measured on its device
  // Laid out on a clone, so the field on screen is never reflowed.
  std::shared_ptr<LaidOutText> text = std::make_shared<LaidOutText>();
  std::size_t next = 0;  // the first line not drawn yet
  std::int64_t blocksDrawn = 0;
};

StyledTextPrinter::StyledTextPrinter() : impl_(std::make_unique<Impl>()) {}
StyledTextPrinter::~StyledTextPrinter() = default;

Ref<StyledTextPrinter> TextArea::StyledTextPrinter(const Ref<Graphics>& page, double width) {
  if (!page) throw NilObjectException("styled-text printer without a page");
  Graphics::Impl& g = page->impl();
  if (!g.device) throw RuntimeException("the page belongs to no print job");
  if (!(width > 0)) throw RuntimeException("a styled-text printer needs a positive width");

  Ref<fw::StyledTextPrinter> printer = RuntimeNewObject<fw::StyledTextPrinter>();
  fw::StyledTextPrinter::Impl& p = printer->impl();
  p.page = page;
  QTextDocument* document = internal::DocumentOf(*this);
  if (document == nullptr)
    throw NilObjectException("only a multi-line field on a live window has a styled text to print");
  LaidOutText& text = *p.text;
  text.doc.reset(document->clone());
  MakeFontsPointSized(*text.doc);
  text.doc->setDocumentMargin(0);
  text.doc->documentLayout()->setPaintDevice(g.device.get());
  text.doc->setTextWidth(width * g.pixelsPerPointX);

  if (!text.doc->isEmpty()) {
    text.doc->documentLayout()->documentSize();  // lays out the whole text
    for (QTextBlock block = text.doc->begin(); block.isValid(); block = block.next()) {
      if (!block.isVisible()) continue;
      const QTextLayout* lines = block.layout();
      const double blockTop = lines->position().y();
      for (int i = 0; i < lines->lineCount(); ++i) {
        const QTextLine line = lines->lineAt(i);
        text.lines.push_back(
            {blockTop + line.y(), blockTop + line.y() + line.height(), block.blockNumber(), i});
      }
    }
  }
  return printer;
}

void StyledTextPrinter::DrawBlock(double x, double y, double height) {
  Impl& p = *impl_;
  ++p.blocksDrawn;
  Graphics::Impl& g = p.page->impl();
  ++g.counts->blocksDrawn;
  const std::vector<LineSpan>& lines = p.text->lines;
  if (p.next >= lines.size()) return;

  const double top = lines[p.next].top;
  // A little slack, so that rounding never pushes a line that fits onto the next page.
  const double limit = top + height * g.pixelsPerPointY + 1e-6;
  std::size_t end = p.next;
  while (end < lines.size() && lines[end].bottom <= limit) ++end;
  // A line taller than the block still goes out whole, or the text would never be drawn.
  if (end == p.next) ++end;
  const std::size_t first = p.next;
  p.next = end;
  // A page outside the chosen range takes its lines and shows nothing.
  if (!g.Chosen(g.counts->pagesStarted)) return;

  // Only whole lines, and none that would reach below the page.
  const QPointF origin(x * g.pixelsPerPointX, y * g.pixelsPerPointY - top);
  const double pageBottom = kPageHeight * g.pixelsPerPointY + 1e-6;
  std::size_t drawnEnd = first;
  while (drawnEnd < end && origin.y() + lines[drawnEnd].bottom <= pageBottom) ++drawnEnd;
  if (drawnEnd > first) g.pages.back().push_back({p.text, first, drawnEnd, origin});

  const double drawnBottom = drawnEnd > first ? lines[drawnEnd - 1].bottom : top;
  g.counts->blocks.push_back({g.sheetOrigin.x() + g.scale * x, g.sheetOrigin.y() + g.scale * y,
                              g.scale * p.text->doc->textWidth() / g.pixelsPerPointX,
                              g.scale * (drawnBottom - top) / g.pixelsPerPointY});
}

bool StyledTextPrinter::Eof() const {
  return impl_->next >= impl_->text->lines.size();
}

std::int64_t StyledTextPrinter::BlocksDrawn() const {
  return impl_->blocksDrawn;
}

}  // namespace fw
