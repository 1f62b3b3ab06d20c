// A window's controls as the platform shows them at one moment.
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "framework/testing/testing.h"
#include "widgets.h"

namespace fw::testing {

WindowMoment MomentOf(const Ref<Window>& window) {
  WindowMoment m;
  if (!window) return m;
  Window::Impl& w = window->impl();
  if (!w.frame) return m;
  m.title = internal::U(w.frame->windowTitle());
  if (const Control::Impl* focus = internal::ControlOfWidget(w.frame->focusWidget()))
    m.focused = focus->name;
  for (const Ref<Control>& control : w.controls) {
    const QWidget* widget = control->impl().widget;
    if (!widget) continue;  // a timer, or a control without a place on screen
    const std::string& name = control->impl().name;
    if (!widget->isVisibleTo(w.frame)) {
      m.hidden.push_back(name);
    } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
      m.shownTexts[name] = internal::U(label->text());
    } else if (auto* line = qobject_cast<const QLineEdit*>(widget)) {
      m.shownTexts[name] = internal::U(line->text());
    } else if (auto* edit = qobject_cast<const QTextEdit*>(widget)) {
      m.shownTexts[name] = internal::U(edit->toPlainText());
    }
  }
  return m;
}

}  // namespace fw::testing
