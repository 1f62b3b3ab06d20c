// Delegates with their signature texts, event numbers, and binding a handler to an event.
#pragma once

#include <any>
#include <functional>
#include <string>
#include <utility>

#include "framework/object.h"

namespace fw {

// Event numbers of the controls' events.
namespace EventId {
inline constexpr int TimerAction = 0;  // Timer.Action, "( Timer )"
inline constexpr int KeyDown = 9;      // TextArea.KeyDown, "( TextArea, String ) as Boolean"
inline constexpr int MouseEnter = 11;  // Canvas.MouseEnter, "( Canvas )"
inline constexpr int MouseExit = 12;   // Canvas.MouseExit, "( Canvas )"
inline constexpr int Action = 15;      // PushButton.Action, "( PushButton )"
inline constexpr int MouseDown = 21;   // Canvas.MouseDown, "( Canvas, Integer, Integer ) as Boolean"
}  // namespace EventId

// A method bound to its target (held weakly: a window's handlers must not keep it alive), or a
// plain function, with the signature text it was made with.
class Delegate : public Object {
  FW_CLASS(Delegate, Object, "Delegate")
 public:
  Delegate(std::string signature, std::any function)
      : signature_(std::move(signature)), function_(std::move(function)) {}

  const std::string& Signature() const { return signature_; }

  // The callable in the C++ shape F; raises RuntimeException when the delegate has another shape.
  template <class F>
  std::function<F> As() const {
    if (const auto* f = std::any_cast<std::function<F>>(&function_)) return *f;
    throw RuntimeException("delegate " + signature_ + " has another shape");
  }

 private:
  std::string signature_;
  std::any function_;
};

// A delegate of a method on a target object. Calling it after the target is gone raises
// NilObjectException.
template <class W, class R, class... A>
Ref<Delegate> RuntimeCreateDelegate(R (W::*method)(A...), const Ref<W>& target,
                                    std::string signature) {
  if (!target) throw NilObjectException("delegate target is nil");
  WeakRef<W> weak(target);
  std::function<R(A...)> f = [weak, method](A... args) -> R {
    Ref<W> t = weak.Lock();
    return ((*t).*method)(std::forward<A>(args)...);
  };
  return Ref<Delegate>(std::make_shared<Delegate>(std::move(signature), std::move(f)));
}

// A delegate of a plain function (no target object).
template <class R, class... A>
Ref<Delegate> RuntimeCreateDelegate(R (*function)(A...), std::nullptr_t, std::string signature) {
  std::function<R(A...)> f = function;
  return Ref<Delegate>(std::make_shared<Delegate>(std::move(signature), std::move(f)));
}

// Makes the delegate the handler of the control's event. A delegate whose signature text is not
// the event's own, or an event the control does not have, raises RuntimeException at once.
void RuntimeAddEventHandler(const Ref<Object>& control, int eventId, const Ref<Delegate>& handler);

}  // namespace fw
