// Where framework/testing replaces the print dialog, the resources folder and the faces' folder.
// Not public API.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/printing.h"

namespace fw::internal {

// What one print job did. Shared with whoever watches the job, so that the counts outlive the
// job (the PDF is only complete once the page object is gone).
struct PrintJobCounts {
  std::int64_t pagesStarted = 0;
  std::int64_t blocksDrawn = 0;
  struct Size {
    double width = 0, height = 0;
  } sheet;           // the paper, in points, as it lies (landscape swaps the sides)
  double scale = 1;  // the page's size on the paper: below 1 where it had to shrink to fit
  // Every block that drew a line on a chosen page, in points from the sheet's top left corner:
  // where it starts, how wide its text is laid out, how high its lines reach (all as printed,
  // scale included).
  struct Block {
    double x, y, width, height;
  };
  std::vector<Block> blocks;
};
std::shared_ptr<const PrintJobCounts> JobCountsOf(const Graphics& page);

// While set, OpenPrinterDialog calls this instead of showing the platform's dialog. Returns the
// hook it replaced.
using PrintDialogHook = std::function<Ref<Graphics>()>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);

// A folder used instead of the real resources folder; empty for none.
std::string ResourcesFolderOverride();
void SetResourcesFolderOverride(const std::string& folder);
// A folder searched for the faces' files instead of the system's font folders; empty for none.
// Read once, when the first font is made.
std::string FaceFolderOverride();
void SetFaceFolderOverride(const std::string& folder);

// Files that Picture::OpenFromApp found and read, since the process started.
int PictureFilesRead();

}  // namespace fw::internal
