// Lock flags: the edges of its window whose distance a control keeps as the window is resized.
// Not part of the public API.
#pragma once

#include <string>

namespace fw {

class PropertyValue;

namespace internal {

struct Locks {
  bool left = false, top = false, right = false, bottom = false;
  // The distances to the window's right and bottom edges, taken where the control was placed
  // last (by its design data or by the system), and the place the locks left it in.
  bool anchored = false;
  int rightGap = 0, bottomGap = 0;
  int placedLeft = 0, placedTop = 0, placedWidth = 0, placedHeight = 0;
};

}  // namespace internal
}  // namespace fw
