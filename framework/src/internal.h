// Hooks between the framework's own source files. Not part of the public API.
#pragma once

#include <QPixmap>
#include <QTextDocument>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/printing.h"

class QPainter;
class QPrinter;

namespace fw {

struct Picture::Impl {
  QPixmap pixmap;
};

namespace internal {

// The document behind a text field (its styled text), for printing.
QTextDocument* DocumentOf(const TextArea& field);

// A page job on a printer as the print dialog left it (or its stand-in, printing to a PDF file):
// Graphics::Impl is made from it by the print dialog and by its stand-in. Takes the printer.
Ref<Graphics> MakeGraphics(QPrinter* printer);

// Called by MenuItem whenever an item changes, so that every window redraws its menu bar.
void MenuModelChanged(MenuItem& item);

}  // namespace internal
}  // namespace fw
