// The print dialog's stand-in, the resources-folder override and the PDF page reader.
#include <QApplication>
#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string_view>
#include <utility>

#include "framework/testing/testing.h"
#include "internal.h"
#include "seams.h"

namespace fw::testing {

namespace {

QPageSize::PageSizeId PageSizeOf(Paper::Size size) {
  switch (size) {
    case Paper::Size::A4:
      return QPageSize::A4;
    case Paper::Size::Letter:
      return QPageSize::Letter;
    case Paper::Size::A5:
      return QPageSize::A5;
    case Paper::Size::A6:
      return QPageSize::A6;
  }
  return QPageSize::A4;
}

}  // namespace

struct PrintDialogStandIn::State {
  bool cancels = true;
  std::string pdfPath;
  Paper paper;
  PrintChoices choices;
  int dialogsOpened = 0;
  std::shared_ptr<const internal::PrintJobCounts> lastJob;
  internal::PrintDialogHook replaced;
};

PrintDialogStandIn::PrintDialogStandIn() : state_(new State) {
  State* state = state_;
  state->replaced = internal::SetPrintDialogHook([state]() -> Ref<Graphics> {
    ++state->dialogsOpened;
    if (state->cancels) return nullptr;
    // What the dialog leaves on the printer when the user accepts it with "Print to File (PDF)".
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(state->pdfPath));
    const Paper& paper = state->paper;
    QPageLayout layout(QPageSize(PageSizeOf(paper.size)),
                       paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(paper.left, paper.top, paper.right, paper.bottom),
                       QPageLayout::Point);
    if (paper.fullPage) layout.setMode(QPageLayout::FullPageMode);
    printer->setPageLayout(layout);
    const PrintChoices& choices = state->choices;
    if (choices.firstPage > 0) {
      printer->setPrintRange(QPrinter::PageRange);
      printer->setFromTo(choices.firstPage, choices.lastPage);
    }
    printer->setCopyCount(choices.copies);
    printer->setCollateCopies(choices.collate);
    printer->setPageOrder(choices.lastPageFirst ? QPrinter::LastPageFirst
                                                : QPrinter::FirstPageFirst);
    Ref<Graphics> page = internal::MakeGraphics(printer);
    state->lastJob = internal::JobCountsOf(*page);
    return page;
  });
}

PrintDialogStandIn PrintDialogStandIn::Cancelling() {
  return PrintDialogStandIn();
}

PrintDialogStandIn PrintDialogStandIn::PrintingTo(const std::string& pdfPath, const Paper& paper,
                                                  const PrintChoices& choices) {
  PrintDialogStandIn standIn;
  standIn.state_->cancels = false;
  standIn.state_->pdfPath = pdfPath;
  standIn.state_->paper = paper;
  standIn.state_->choices = choices;
  return standIn;
}

PrintDialogStandIn::PrintDialogStandIn(PrintDialogStandIn&& other) noexcept
    : state_(std::exchange(other.state_, nullptr)) {}

PrintDialogStandIn::~PrintDialogStandIn() {
  if (!state_) return;
  internal::SetPrintDialogHook(std::move(state_->replaced));
  delete state_;
}

int PrintDialogStandIn::DialogsOpened() const {
  return state_->dialogsOpened;
}

std::int64_t PrintDialogStandIn::PagesStarted() const {
  return state_->lastJob ? state_->lastJob->pagesStarted : 0;
}

std::int64_t PrintDialogStandIn::BlocksDrawn() const {
  return state_->lastJob ? state_->lastJob->blocksDrawn : 0;
}

std::vector<PrintedBlock> PrintDialogStandIn::Blocks() const {
  std::vector<PrintedBlock> out;
  if (state_->lastJob)
    for (const auto& b : state_->lastJob->blocks) out.push_back({b.x, b.y, b.width, b.height});
  return out;
}

PdfPage PrintDialogStandIn::Sheet() const {
  if (!state_->lastJob) return {};
  return {state_->lastJob->sheet.width, state_->lastJob->sheet.height};
}

double PrintDialogStandIn::Scale() const {
  return state_->lastJob ? state_->lastJob->scale : 1;
}

std::map<std::string, DialogChoice> PrintDialogOffers() {
  // The dialog's own names for its choices.
  static const std::pair<const char*, const char*> kChoices[] = {
      {"page range", "printRange"},    {"copies", "copies"},
      {"collate", "collate"},          {"reverse", "reverse"},
      {"selection", "printSelection"}, {"current page", "printCurrentPage"}};
  std::map<std::string, DialogChoice> offers;
  bool seen = false;
  QTimer look;
  look.setSingleShot(true);
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    for (const auto& [choice, name] : kChoices) {
      auto* widget = dialog->findChild<QWidget*>(QString::fromLatin1(name));
      if (widget) offers[choice] = {!widget->isHidden(), widget->isEnabled()};
    }
    dialog->reject();
  });
  struct SetAside {
    internal::PrintDialogHook standIn = internal::SetPrintDialogHook(nullptr);
    ~SetAside() { internal::SetPrintDialogHook(std::move(standIn)); }
  } setAside;
  look.start(0);
  if (OpenPrinterDialog() != nullptr || !seen)
    throw RuntimeException("the print dialog did not show, or printed");
  return offers;
}

ResourcesFolderOverride::ResourcesFolderOverride(const std::string& folder)
    : previous_(internal::ResourcesFolderOverride()) {
  internal::SetResourcesFolderOverride(folder);
}

ResourcesFolderOverride::~ResourcesFolderOverride() {
  internal::SetResourcesFolderOverride(previous_);
}

int PictureFilesRead() {
  return internal::PictureFilesRead();
}

// The PDF writer leaves each page's dictionary uncompressed, with its "/MediaBox [0 0 w h]".
std::vector<PdfPage> PdfPagesOf(const std::string& pdfPath) {
  std::ifstream in(pdfPath, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string key = "/MediaBox [";
  std::vector<PdfPage> pages;
  for (std::size_t at = bytes.find(key); at != std::string::npos; at = bytes.find(key, at)) {
    at += key.size();
    double box[4] = {0, 0, 0, 0};
    const char* p = bytes.data() + at;
    const char* end = bytes.data() + bytes.size();
    for (double& v : box) {
      while (p < end && *p == ' ') ++p;
      p = std::from_chars(p, end, v).ptr;
    }
    pages.push_back({box[2] - box[0], box[3] - box[1]});
  }
  return pages;
}

}  // namespace fw::testing

namespace fw::testing {

namespace {

// The value of attribute name="..." in the tag that starts at tag, or "".
std::string Attribute(std::string_view tag, std::string_view name) {
  std::string key = " ";
  key.append(name).append("=\"");
  const std::size_t at = tag.find(key);
  if (at == std::string_view::npos) return {};
  const std::size_t from = at + key.size();
  return std::string(tag.substr(from, tag.find('"', from) - from));
}

double Number(std::string_view tag, std::string_view name) {
  const std::string text = Attribute(tag, name);
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

std::string Unescaped(std::string_view s) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (s.substr(i, entity.size()) == entity) {
        out += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += s[i++];
  }
  return out;
}

// The element's text between <tag ...> and </tag>, starting the search at from.
std::string_view Between(std::string_view xml, std::size_t from, std::string_view tag,
                         std::size_t* end) {
  const std::size_t open = xml.find('>', from);
  const std::string close = "</" + std::string(tag) + ">";
  const std::size_t stop = xml.find(close, open);
  *end = stop == std::string_view::npos ? xml.size() : stop + close.size();
  if (open == std::string_view::npos || stop == std::string_view::npos) return {};
  return xml.substr(open + 1, stop - open - 1);
}

}  // namespace

PdfText PdfTextOf(const std::string& pdfPath) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"),
                                             QString::fromStdString(pdfPath), QStringLiteral("-")});
  if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit ||
      reader.exitCode() != 0)
    throw RuntimeException("pdftotext could not read " + pdfPath + ": " +
                           reader.readAllStandardError().toStdString());
  const std::string out = reader.readAllStandardOutput().toStdString();
  const std::string_view xml(out);

  PdfText text;
  std::size_t end = 0;
  if (const std::size_t t = xml.find("<title"); t != std::string_view::npos)
    text.title = Unescaped(Between(xml, t, "title", &end));
  for (std::size_t at = xml.find("<page "); at != std::string_view::npos;
       at = xml.find("<page ", at + 1)) {
    const std::string_view tag = xml.substr(at, xml.find('>', at) - at);
    PdfTextPage page{Number(tag, "width"), Number(tag, "height"), {}};
    const std::size_t pageEnd = std::min(xml.find("</page>", at), xml.size());
    for (std::size_t l = xml.find("<line ", at); l < pageEnd; l = xml.find("<line ", l + 1)) {
      const std::string_view lineTag = xml.substr(l, xml.find('>', l) - l);
      PdfTextLine line{Number(lineTag, "xMin"),
                       Number(lineTag, "yMin"),
                       Number(lineTag, "xMax"),
                       Number(lineTag, "yMax"),
                       {}};
      const std::size_t lineEnd = std::min(xml.find("</line>", l), pageEnd);
      for (std::size_t w = xml.find("<word ", l); w < lineEnd; w = xml.find("<word ", end)) {
        if (!line.text.empty()) line.text += ' ';
        line.text += Unescaped(Between(xml, w, "word", &end));
      }
      page.lines.push_back(std::move(line));
    }
    text.pages.push_back(std::move(page));
  }
  return text;
}

}  // namespace fw::testing
