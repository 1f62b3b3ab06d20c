#include "framework/events.h"

#include "framework/controls.h"

namespace fw {

void RuntimeAddEventHandler(const Ref<Object>& control, int eventId, const Ref<Delegate>& handler) {
  if (!control) throw NilObjectException("RuntimeAddEventHandler on a nil control");
  if (!handler) throw NilObjectException("RuntimeAddEventHandler with a nil delegate");
  if (!control->ClassRecordOf().IsA(Control::Class()))
    throw RuntimeException(control->ClassRecordOf().name + " is not a control and has no events");
  static_cast<Control&>(*control).AddEventHandler(eventId, handler);
}

}  // namespace fw
