// The faces the framework draws design fonts in. Not part of the public API.
#pragma once

#include <QFont>
#include <string>

namespace fw::internal {

struct FontSpec {
  std::string name = "System";
  double size = 0;  // pixels; 0: the platform's default size
  bool bold = false, italic = false, underline = false;
};

// The font a design font is drawn in: "System" (and an empty name) in Liberation Sans, "Times"
// in Liberation Serif, "Courier" in Liberation Mono, each the platform's generic face of its
// kind where that face is missing; any other name as the platform resolves it. Sizes are pixels.
QFont MakeFont(const FontSpec& spec);

}  // namespace fw::internal
