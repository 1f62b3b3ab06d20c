// The print dialog's stand-in, the resources-folder override and the PDF page reader.
#include <QPdfWriter>
#include <QString>
#include <charconv>
#include <fstream>
#include <iterator>
#include <utility>

#include "framework/testing/testing.h"
#include "internal.h"
#include "seams.h"

namespace fw::testing {

struct PrintDialogStandIn::State {
  bool cancels = true;
  std::string pdfPath;
  int dialogsOpened = 0;
  std::shared_ptr<const internal::PrintJobCounts> lastJob;
  internal::PrintDialogHook replaced;
};

PrintDialogStandIn::PrintDialogStandIn() : state_(new State) {
  State* state = state_;
  state->replaced = internal::SetPrintDialogHook([state]() -> Ref<Graphics> {
    ++state->dialogsOpened;
    if (state->cancels) return nullptr;
    Ref<Graphics> page =
        internal::MakeGraphics(new QPdfWriter(QString::fromStdString(state->pdfPath)));
    state->lastJob = internal::JobCountsOf(*page);
    return page;
  });
}

PrintDialogStandIn PrintDialogStandIn::Cancelling() {
  return PrintDialogStandIn();
}

PrintDialogStandIn PrintDialogStandIn::PrintingTo(const std::string& pdfPath) {
  PrintDialogStandIn standIn;
  standIn.state_->cancels = false;
  standIn.state_->pdfPath = pdfPath;
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
