// Menus: a tree of items, shown by every window as its own menu bar, kept in step with the model.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/object.h"

namespace fw {

class MenuItem : public Object {
  FW_CLASS(MenuItem, Object, "MenuItem")
 public:
  // The framework's default constructor of an item.
  virtual void Constructor() {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  bool AutoEnabled() const { return autoEnabled_; }
  void SetAutoEnabled(bool v) { autoEnabled_ = v; }
  // The caption; "-" is a separator.
  const std::string& Value() const { return value_; }
  void SetValue(const std::string& caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // "Cmd+Q" and the like; Cmd is the platform's primary modifier.
  const std::string& Shortcut() const { return shortcut_; }
  void SetShortcut(const std::string& shortcut);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);

  void AddMenu(const Ref<MenuItem>& item);
  std::int64_t Count() const { return static_cast<std::int64_t>(children_.size()); }
  Ref<MenuItem> Item(std::int64_t index) const;  // nil out of range
  // The direct child of that name, or nil.
  Ref<MenuItem> Child(const std::string& name) const;
  // The item of that name anywhere below this one, or nil.
  Ref<MenuItem> Lookup(const std::string& name) const;
  Ref<MenuItem> Parent() const;  // nil for a top item

 private:
  void Changed();
  std::string name_;
  bool autoEnabled_ = true;
  std::string value_;
  bool visible_ = true;
  std::string shortcut_;
  bool enabled_ = true;
  std::vector<Ref<MenuItem>> children_;
  std::weak_ptr<Object> parent_;
};

class MenuBar : public MenuItem {
  FW_CLASS(MenuBar, MenuItem, "MenuBar")
 public:
  // Bumped on every change below the bar; the windows redraw their menu bars from it.
  std::uint64_t Revision() const { return revision_; }
  void Touch() { ++revision_; }

 private:
  std::uint64_t revision_ = 0;
};

// Quits the application with status 0 when chosen.
class QuitMenuItem : public MenuItem {
  FW_CLASS(QuitMenuItem, MenuItem, "QuitMenuItem")
};

// An item that other platforms move into their application menu; here an ordinary item.
class AppleMenuItem : public MenuItem {
  FW_CLASS(AppleMenuItem, MenuItem, "AppleMenuItem")
};

}  // namespace fw
