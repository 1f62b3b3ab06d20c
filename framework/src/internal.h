// Hooks between the framework's own source files. Not part of the public API.
#pragma once

#include <QPixmap>
#include <QTextDocument>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/printing.h"

class QPagedPaintDevice;
class QPainter;

namespace fw {

struct Picture::Impl {
  QPixmap pixmap;
};

namespace internal {

// The document behind a text field (its styled text), for printing.
QTextDocument* DocumentOf(const TextArea& field);

// A page job on a paint device (a printer, or a PDF writer in tests): Graphics::Impl is made
// from it by the print dialog and by its stand-in.
Ref<Graphics> MakeGraphics(QPagedPaintDevice* device);

// Called by MenuItem whenever an item changes, so that every window redraws its menu bar.
void MenuModelChanged(MenuItem& item);

}  // namespace internal
}  // namespace fw
