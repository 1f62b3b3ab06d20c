// Lock flags. A control locked left and right keeps both distances to its window's edges as the
// window is resized, so it grows and shrinks with it; locked on one side only it moves with that
// edge and keeps its size; unlocked, it stays where it is. The same holds for top and bottom.
#include <algorithm>

#include "framework/property_list.h"
#include "widgets.h"

namespace fw::internal {

bool SetLockProperty(Control::Impl& c, const std::string& name, const PropertyValue& value) {
  bool* flag = name == "LockLeft"     ? &c.locks.left
               : name == "LockTop"    ? &c.locks.top
               : name == "LockRight"  ? &c.locks.right
               : name == "LockBottom" ? &c.locks.bottom
                                      : nullptr;
  if (!flag) return false;
  *flag = value.Boolean();
  return true;
}

namespace {

void Anchor(Control::Impl& c, const Window::Impl& w) {
  Locks& l = c.locks;
  l.rightGap = w.width - (c.left + c.width);
  l.bottomGap = w.height - (c.top + c.height);
  l.placedLeft = c.left;
  l.placedTop = c.top;
  l.placedWidth = c.width;
  l.placedHeight = c.height;
  l.anchored = true;
}

// Along one axis: the new start and extent for a window extent, given the distance to the far
// edge.
void Follow(bool nearLocked, bool farLocked, int windowExtent, int farGap, int& start,
            int& extent) {
  if (!farLocked) return;  // the near edge, locked or not, holds the control where it is
  if (nearLocked)
    extent = std::max(0, windowExtent - farGap - start);
  else
    start = windowExtent - farGap - extent;
}

}  // namespace

void AnchorLocks(Control::Impl& c) {
  const Locks& l = c.locks;
  Window::Impl* w = c.WindowImpl();
  if (!w) return;
  // Placed anew by anything but the locks: its distances are taken afresh.
  if (!l.anchored || c.left != l.placedLeft || c.top != l.placedTop || c.width != l.placedWidth ||
      c.height != l.placedHeight)
    Anchor(c, *w);
}

void FollowResize(Window::Impl& w) {
  for (const Ref<Control>& control : w.controls) {
    Control::Impl& c = control->impl();
    if (c.kind == ControlKind::None || c.kind == ControlKind::Timer) continue;
    if (!c.locks.right && !c.locks.bottom) continue;
    AnchorLocks(c);
    int left = c.left, top = c.top, width = c.width, height = c.height;
    Follow(c.locks.left, c.locks.right, w.width, c.locks.rightGap, left, width);
    Follow(c.locks.top, c.locks.bottom, w.height, c.locks.bottomGap, top, height);
    if (left == c.left && top == c.top && width == c.width && height == c.height) continue;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    Locks& l = c.locks;
    l.placedLeft = left;
    l.placedTop = top;
    l.placedWidth = width;
    l.placedHeight = height;
    c.ApplyGeometry();
  }
}

}  // namespace fw::internal
