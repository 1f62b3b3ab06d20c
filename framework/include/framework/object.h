// Objects, class records, counted references and the run time's exceptions.
#pragma once

#include <concepts>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fw {

// The framework's exceptions. Their class name is what the default handling of an unhandled
// exception names.
class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const std::string& message = "") : std::runtime_error(message) {}
  virtual std::string ClassName() const { return "RuntimeException"; }
  std::string Message() const { return what(); }
};

class NilObjectException : public RuntimeException {
 public:
  explicit NilObjectException(const std::string& message = "") : RuntimeException(message) {}
  std::string ClassName() const override { return "NilObjectException"; }
};

class IllegalCastException : public RuntimeException {
 public:
  explicit IllegalCastException(const std::string& message = "") : RuntimeException(message) {}
  std::string ClassName() const override { return "IllegalCastException"; }
};

// A counted reference. Using a member through a nil reference raises NilObjectException
// instead of dereferencing null.
template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  Ref(std::shared_ptr<T> p) : p_(std::move(p)) {}
  template <class U>
    requires std::convertible_to<U*, T*>
  Ref(const Ref<U>& other) : p_(other.shared()) {}

  T* operator->() const {
    if (!p_) throw NilObjectException();
    return p_.get();
  }
  T& operator*() const { return *operator->(); }
  explicit operator bool() const { return p_ != nullptr; }
  T* get() const { return p_.get(); }
  const std::shared_ptr<T>& shared() const { return p_; }

  template <class U>
  bool operator==(const Ref<U>& other) const {
    return p_.get() == other.get();
  }
  bool operator==(std::nullptr_t) const { return p_ == nullptr; }

 private:
  std::shared_ptr<T> p_;
};

// A weak reference, for links that must not keep their target alive (a control's window,
// a delegate's target, a timer's window).
template <class T>
class WeakRef {
 public:
  WeakRef() = default;
  WeakRef(const Ref<T>& r) : p_(r.shared()) {}
  Ref<T> Lock() const { return Ref<T>(p_.lock()); }

 private:
  std::weak_ptr<T> p_;
};

// A class record: the class's qualified name, its base, and the events it implements.
struct ClassRecord {
  std::string name;
  const ClassRecord* base = nullptr;
  std::vector<std::string> events;

  bool IsA(const ClassRecord& other) const {
    for (const ClassRecord* c = this; c != nullptr; c = c->base)
      if (c == &other) return true;
    return false;
  }
};

class PropertyValue;

class Object : public std::enable_shared_from_this<Object> {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  static const ClassRecord& Class() {
    static const ClassRecord record{"Object", nullptr, {}};
    return record;
  }
  virtual const ClassRecord& ClassRecordOf() const { return Class(); }

  // Applies one design property; SetProperties calls it for each entry in list order.
  // Properties that mean nothing to the object are ignored.
  virtual void SetProperty(const std::string& name, const PropertyValue& value);

  template <class T>
  Ref<T> SelfAs() {
    return Ref<T>(std::static_pointer_cast<T>(shared_from_this()));
  }
};

// Declares a class's record. Events lists the events the class implements, for
// RuntimeIsEventHandled.
#define FW_CLASS(Self, Base, QualifiedName, ...)                                                \
 public:                                                                                        \
  static const ::fw::ClassRecord& Class() {                                                     \
    static const ::fw::ClassRecord record{QualifiedName, &Base::Class(), {__VA_ARGS__}};        \
    return record;                                                                              \
  }                                                                                             \
  const ::fw::ClassRecord& ClassRecordOf() const override { return Class(); }                   \
                                                                                                \
 private:

// An unconstructed object of the class (its framework Constructor has not run).
template <class T>
Ref<T> RuntimeNewObject() {
  return Ref<T>(std::make_shared<T>());
}

// The object as class T: nil stays nil; an object of another class raises IllegalCastException.
template <class T, class U>
Ref<T> RuntimeCheckCast(const Ref<U>& object) {
  if (!object) return nullptr;
  if (!object.get()->ClassRecordOf().IsA(T::Class()))
    throw IllegalCastException(object.get()->ClassRecordOf().name + " is not " + T::Class().name);
  return Ref<T>(std::static_pointer_cast<T>(std::static_pointer_cast<Object>(object.shared())));
}

}  // namespace fw
