// Delegates with their signature texts, event numbers, and binding a handler to an event.
#pragma once

#include <any>
#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
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
inline constexpr int MouseDown = 21;  // Canvas.MouseDown, "( Canvas, Integer, Integer ) as Boolean"
}  // namespace EventId

namespace detail {
// Parameter I of a delegate shape: bit I of Mask set takes it by const reference.
template <std::size_t Mask, std::size_t I, class T>
using DelegateParam = std::conditional_t<((Mask >> I) & 1U) != 0, const T&, T>;

template <class R, std::size_t Mask, class... A, std::size_t... I>
bool TryDelegateShape(const std::any& f, std::function<R(A...)>& out, std::index_sequence<I...>) {
  using F = std::function<R(DelegateParam<Mask, I, A>...)>;
  const F* p = std::any_cast<F>(&f);
  if (p == nullptr) return false;
  if constexpr (Mask == 0) {
    out = *p;
  } else {
    out = [g = *p](A... args) -> R { return g(args...); };
  }
  return true;
}

template <class R, class... A, std::size_t... I, std::size_t... M>
std::function<R(A...)> FindDelegateShape(const std::any& f, std::index_sequence<I...> params,
                                         std::index_sequence<M...>) {
  std::function<R(A...)> out;
  (void)(TryDelegateShape<R, M, A...>(f, out, params) || ...);
  return out;
}
}  // namespace detail

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

  // The callable as R(A...), whether the function takes each parameter by value or by const
  // reference; raises RuntimeException when it has another shape.
  template <class R, class... A>
  std::function<R(A...)> Callable() const {
    static_assert(sizeof...(A) < 8);
    std::function<R(A...)> f = detail::FindDelegateShape<R, A...>(
        function_, std::index_sequence_for<A...>{},
        std::make_index_sequence<(std::size_t{1} << sizeof...(A))>{});
    if (!f) throw RuntimeException("delegate " + signature_ + " has another shape");
    return f;
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

// A delegate of any callable, for handlers written in place.
template <class R, class... A>
Ref<Delegate> RuntimeCreateDelegate(std::function<R(A...)> function, std::string signature) {
  return Ref<Delegate>(std::make_shared<Delegate>(std::move(signature), std::move(function)));
}

// Makes the delegate the handler of the control's event. A delegate whose signature text is not
// the event's own, or an event the control does not have, raises RuntimeException at once.
void RuntimeAddEventHandler(const Ref<Object>& control, int eventId, const Ref<Delegate>& handler);

}  // namespace fw
