// One window's drawing of the menu model: a Qt menu bar kept in step with the MenuBar tree.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "framework/menu.h"
#include "widgets.h"

class QAction;
class QMenu;
class QMenuBar;

namespace fw::internal {

class MenuView {
 public:
  explicit MenuView(Window::Impl& window) : window_(window) {}
  ~MenuView();
  MenuView(const MenuView&) = delete;
  MenuView& operator=(const MenuView&) = delete;

  // Shows the model (nil: no menu bar), building the Qt menus anew when the model or the shape
  // of its tree changed, else updating captions, shortcuts and states in place.
  void Show(const Ref<MenuBar>& model);
  void Sync() { Show(Model()); }
  void Remove();

  Ref<MenuBar> Model() const;
  QMenuBar* Bar() const { return bar_; }
  // The Qt menu of an item that has items (a top-level menu always has one), or null.
  QMenu* MenuOf(const MenuItem& item) const;
  // The Qt action that shows the item, or null.
  QAction* ActionOf(const MenuItem& item) const;
  // The last menu of the bar, which holds the AppleMenuItems; null before the bar is built.
  QMenu* HelpMenu() const { return help_; }

 private:
  struct Node {
    std::weak_ptr<Object> item;
    QAction* action = nullptr;
    QMenu* menu = nullptr;
    std::vector<Node> children;
  };
  void Build(const Ref<MenuBar>& model);
  void BuildItems(QMenu* into, const MenuItem& parent, std::vector<Node>& nodes);
  bool SameShape(const MenuItem& parent, const std::vector<Node>& nodes) const;
  void Update(const MenuItem& parent, std::vector<Node>& nodes, bool topLevel);
  void UpdateTitles();
  const Node* Find(const MenuItem& item, const std::vector<Node>& nodes) const;

  Window::Impl& window_;
  std::weak_ptr<Object> model_;
  QPointer<QMenuBar> bar_;
  QPointer<QMenu> help_;
  std::vector<Node> top_;
  bool rebuildQueued_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // for calls queued on the loop
};

// "Cmd+Q" in the platform's form (the primary modifier is Ctrl here); empty when there is none.
QString ShortcutText(const std::string& shortcut);

}  // namespace fw::internal
