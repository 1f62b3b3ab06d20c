// What the test layer's helpers judge of a face; Qt types, so not in the public testing header.
#pragma once

#include <QFont>

namespace fw::testing {

// Whether the font's glyphs all advance by the same width, as a user sees a monospaced face.
bool Monospaced(const QFont& font);

}  // namespace fw::testing
