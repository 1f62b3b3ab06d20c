// Printing: the print dialog, a page, and the styled-text printer.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/object.h"

namespace fw {

// A page being printed, in points (1/72 inch): 540 x 648, placed on the paper chosen in the print
// dialog at its real size, or scaled down to fit a smaller printable area. The pages go to the
// printer when the job ends (the object goes): those of the chosen range, in the chosen order and
// number of copies.
class Graphics : public Object {
  FW_CLASS(Graphics, Object, "Graphics")
 public:
  Graphics();
  ~Graphics() override;
  double Width() const;
  double Height() const;
  void NextPage();
  std::int64_t PagesStarted() const;  // 1 for a fresh job, +1 for every NextPage

  struct Impl;
  Impl& impl() const { return *impl_; }
  std::unique_ptr<Impl> impl_;
};

// Draws a styled text in blocks that fit a height, never cutting a line.
class StyledTextPrinter : public Object {
  FW_CLASS(StyledTextPrinter, Object, "StyledTextPrinter")
 public:
  StyledTextPrinter();
  ~StyledTextPrinter() override;
  // Draws the next part of the text that fits in height at (x, y) on the current page. On a page
  // outside the chosen range it takes that part and draws nothing.
  void DrawBlock(double x, double y, double height);
  // True once all of the text is drawn. (The name EOF is a C library macro.)
  bool Eof() const;
  std::int64_t BlocksDrawn() const;

  struct Impl;
  Impl& impl() const { return *impl_; }
  std::unique_ptr<Impl> impl_;
};

// Shows the platform's print dialog; nil when the user cancels.
Ref<Graphics> OpenPrinterDialog();

}  // namespace fw
