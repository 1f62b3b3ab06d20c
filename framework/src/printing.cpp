#include "framework/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
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

}  // namespace

struct Graphics::Impl {
  std::unique_ptr<QPagedPaintDevice> device;  // nil for a page that belongs to no job
  // In device pixels at real size, origin at the top left of the printable area; scaled by
  // scale, the page fits that area.
  QPainter painter;
  double pixelsPerPointX = 1, pixelsPerPointY = 1;
  QPointF sheetOrigin;  // the painter's origin on the sheet, in points
  double scale = 1;
  std::shared_ptr<internal::PrintJobCounts> counts = std::make_shared<internal::PrintJobCounts>();

  // The painter must finish (which completes the job) while the device still exists.
  ~Impl() {
    if (painter.isActive()) painter.end();
  }
};

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
  if (impl_->device && !impl_->device->newPage())
    throw RuntimeException("the printer could not start a new page");
  ++impl_->counts->pagesStarted;
}

std::int64_t Graphics::PagesStarted() const {
  return impl_->counts->pagesStarted;
}

namespace internal {

Ref<Graphics> MakeGraphics(QPagedPaintDevice* device) {
  std::unique_ptr<QPagedPaintDevice> owned(device);
  if (!owned) throw NilObjectException("print job without a device");
  // The paper, orientation and margins are the user's, as the dialog left them.
  const QPageLayout paper = owned->pageLayout();
  const QRectF sheet = paper.fullRect(QPageLayout::Point);
  const QRectF printable = sheet.marginsRemoved(paper.margins(QPageLayout::Point));
  // A printout is named after the window it comes from (the PDF's title, the printer's job).
  const std::string title = FrontWindow() ? FrontWindow()->Title() : std::string();
  if (auto* printer = dynamic_cast<QPrinter*>(owned.get()))
    printer->setDocName(QString::fromStdString(title));
  else if (auto* pdf = dynamic_cast<QPdfWriter*>(owned.get()))
    pdf->setTitle(QString::fromStdString(title));

  Ref<Graphics> page = RuntimeNewObject<Graphics>();
  Graphics::Impl& g = page->impl();
  g.device = std::move(owned);
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
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return internal::MakeGraphics(printer.release());
}

// ---- Styled-text printer ----

namespace {

// One laid-out line: where it stands, in device pixels from the top of the document, and which
// line of which paragraph it is.
struct LineSpan {
  double top, bottom;
  int block, line;
};

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
  Ref<Graphics> page;                  // kept alive: the document is measured on its device
  std::unique_ptr<QTextDocument> doc;  // a clone: the field on screen is never reflowed
  std::vector<LineSpan> lines;
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
  p.doc.reset(document->clone());
  MakeFontsPointSized(*p.doc);
  p.doc->setDocumentMargin(0);
  p.doc->documentLayout()->setPaintDevice(g.device.get());
  p.doc->setTextWidth(width * g.pixelsPerPointX);

  if (!p.doc->isEmpty()) {
    p.doc->documentLayout()->documentSize();  // lays out the whole text
    for (QTextBlock block = p.doc->begin(); block.isValid(); block = block.next()) {
      if (!block.isVisible()) continue;
      const QTextLayout* lines = block.layout();
      const double blockTop = lines->position().y();
      for (int i = 0; i < lines->lineCount(); ++i) {
        const QTextLine line = lines->lineAt(i);
        p.lines.push_back(
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
  if (p.next >= p.lines.size()) return;

  const double top = p.lines[p.next].top;
  // A little slack, so that rounding never pushes a line that fits onto the next page.
  const double limit = top + height * g.pixelsPerPointY + 1e-6;
  std::size_t end = p.next;
  while (end < p.lines.size() && p.lines[end].bottom <= limit) ++end;
  // A line taller than the block still goes out whole, or the text would never be drawn.
  if (end == p.next) ++end;

  // Lines are drawn one by one, never a paragraph under a clip: clipped text would still stand
  // in a PDF's text layer, and a paragraph cut at the foot of one page would be there twice.
  // Nor is a line that would reach below the page.
  const QPointF origin(x * g.pixelsPerPointX, y * g.pixelsPerPointY - top);
  const double pageBottom = kPageHeight * g.pixelsPerPointY + 1e-6;
  g.painter.save();
  g.painter.setClipRect(
      QRectF(0, 0, kPageWidth * g.pixelsPerPointX, kPageHeight * g.pixelsPerPointY));
  g.painter.setPen(Qt::black);
  double drawnBottom = top;
  for (std::size_t i = p.next; i < end; ++i) {
    const LineSpan& span = p.lines[i];
    if (origin.y() + span.bottom > pageBottom) break;
    const QTextBlock block = p.doc->findBlockByNumber(span.block);
    const QTextLayout* layout = block.layout();
    layout->lineAt(span.line).draw(&g.painter, origin + layout->position());
    drawnBottom = span.bottom;
  }
  g.painter.restore();
  g.counts->blocks.push_back({g.sheetOrigin.x() + g.scale * x, g.sheetOrigin.y() + g.scale * y,
                              g.scale * p.doc->textWidth() / g.pixelsPerPointX,
                              g.scale * (drawnBottom - top) / g.pixelsPerPointY});
  p.next = end;
}

bool StyledTextPrinter::Eof() const {
  return impl_->next >= impl_->lines.size();
}

std::int64_t StyledTextPrinter::BlocksDrawn() const {
  return impl_->blocksDrawn;
}

}  // namespace fw
