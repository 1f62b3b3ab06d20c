#include "framework/menu.h"

#include "internal.h"

namespace fw {

void MenuItem::SetValue(const std::string& caption) {
  value_ = caption;
  Changed();
}

void MenuItem::SetVisible(bool v) {
  visible_ = v;
  Changed();
}

void MenuItem::SetShortcut(const std::string& shortcut) {
  shortcut_ = shortcut;
  Changed();
}

void MenuItem::SetEnabled(bool v) {
  enabled_ = v;
  Changed();
}

void MenuItem::AddMenu(const Ref<MenuItem>& item) {
  if (!item) throw NilObjectException("AddMenu with a nil item");
  item->parent_ = weak_from_this();
  children_.push_back(item);
  Changed();
}

Ref<MenuItem> MenuItem::Item(std::int64_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<std::size_t>(index)];
}

Ref<MenuItem> MenuItem::Child(const std::string& name) const {
  for (const auto& c : children_)
    if (c->Name() == name) return c;
  return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(const std::string& name) const {
  for (const auto& c : children_) {
    if (c->Name() == name) return c;
    if (Ref<MenuItem> found = c->Lookup(name)) return found;
  }
  return nullptr;
}

Ref<MenuItem> MenuItem::Parent() const {
  auto p = parent_.lock();
  return p ? Ref<MenuItem>(std::static_pointer_cast<MenuItem>(p)) : nullptr;
}

void MenuItem::Changed() {
  MenuItem* top = this;
  for (std::shared_ptr<Object> p = parent_.lock(); p; p = top->parent_.lock())
    top = static_cast<MenuItem*>(p.get());
  if (top->ClassRecordOf().IsA(MenuBar::Class())) {
    static_cast<MenuBar*>(top)->Touch();
    internal::MenuModelChanged(*top);
  }
}

}  // namespace fw
