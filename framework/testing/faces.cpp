// The faces the framework chose, measured as the platform draws and prints them; the faces'
// folder override.
#include "faces.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QStringView>

#include "fonts.h"
#include "framework/testing/testing.h"
#include "seams.h"

namespace fw::testing {

// Judged by the advances, not by the face's fixed-pitch flag: faces set that flag differently
// (Qt reports Noto Sans Mono, whose glyphs all advance alike, as not fixed-pitch).
bool Monospaced(const QFont& font) {
  const QFontMetricsF metrics(font);
  const double first = metrics.horizontalAdvance(u'i');
  for (const QChar c : QStringView(u"W0.m"))
    if (metrics.horizontalAdvance(c) != first) return false;
  return true;
}

Face FaceOf(const std::string& fontName, double size) {
  internal::FontSpec spec;
  spec.name = fontName;
  spec.size = size;
  const QFont font = internal::MakeFont(spec);
  const QFontInfo info(font);
  Face face;
  face.family = info.family().toStdString();
  face.monospaced = Monospaced(font);
  face.lineHeight = QFontMetricsF(font).lineSpacing();

  // Measured on the device the print dialog's stand-in prints on, with the size in points as
  // the styled-text printer gives it.
  QBuffer sink;
  sink.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&sink);
  QFont printed = font;
  if (font.pixelSize() > 0) printed.setPointSizeF(font.pixelSize());
  face.printedLineHeight = QFontMetricsF(printed, &pdf).lineSpacing() * 72.0 / pdf.logicalDpiY();
  return face;
}

std::string GenericFamily(const std::string& kind) {
  QFont font;
  font.setFamilies({QString::fromStdString(kind)});
  font.setStyleHint(kind == "serif"       ? QFont::Serif
                    : kind == "monospace" ? QFont::TypeWriter
                                          : QFont::SansSerif);
  return QFontInfo(font).family().toStdString();
}

FaceFolderOverride::FaceFolderOverride(const std::string& folder)
    : previous_(internal::FaceFolderOverride()) {
  internal::SetFaceFolderOverride(folder);
}

FaceFolderOverride::~FaceFolderOverride() {
  internal::SetFaceFolderOverride(previous_);
}

}  // namespace fw::testing
