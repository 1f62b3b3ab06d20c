// The order in which Tab visits a window's controls, and the control that has the focus when a
// window appears: the first field in that order the user can type into, else the first control
// that takes the focus.
#include <QWidget>
#include <algorithm>
#include <functional>
#include <unordered_set>

#include "widgets.h"

namespace fw::internal {

std::vector<Control::Impl*> TabOrder(const Window::Impl& window) {
  std::vector<Control::Impl*> order;
  std::unordered_set<const Control::Impl*> seen;
  // Siblings by TabIndex (creation order among equals), each followed by the controls inside it.
  std::function<void(const Control::Impl*)> visit = [&](const Control::Impl* parent) {
    std::vector<Control::Impl*> children;
    for (const Ref<Control>& c : window.controls) {
      Control::Impl& ci = c->impl();
      if (ci.widget && ci.ParentControl() == parent && !seen.count(&ci)) children.push_back(&ci);
    }
    std::stable_sort(
        children.begin(), children.end(), [](const Control::Impl* a, const Control::Impl* b) {
          return a->tabIndex != b->tabIndex ? a->tabIndex < b->tabIndex : a->order < b->order;
        });
    for (Control::Impl* child : children) {
      seen.insert(child);
      order.push_back(child);
      visit(child);
    }
  };
  visit(nullptr);
  return order;
}

void GiveFirstFocus(Window::Impl& window) {
  QWidget* frame = window.frame;
  if (!frame || !window.constructed || window.closed || frame->focusWidget()) return;
  // Our order, not Qt's focus chain: the chain follows creation and parenting as much as the
  // tab order, and would start at a button made before the fields.
  const std::vector<Control::Impl*> order = TabOrder(window);
  auto takesFocus = [frame](const Control::Impl* c) {
    const QWidget* w = c->widget;
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(frame);
  };
  // Where the user can type, first: a read-only field that comes earlier in the order (one that
  // only frames another, say) would leave the keys nowhere to go.
  auto typedInto = [&](const Control::Impl* c) {
    return c->kind == ControlKind::TextArea && !c->readOnly && takesFocus(c);
  };
  auto first = std::find_if(order.begin(), order.end(), typedInto);
  if (first == order.end()) first = std::find_if(order.begin(), order.end(), takesFocus);
  if (first != order.end()) (*first)->widget->setFocus(Qt::TabFocusReason);
}

}  // namespace fw::internal
