#include "menu_view.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/runtime.h"
#include "internal.h"

namespace fw::internal {

namespace {

constexpr const char* kItemProperty = "fwMenuItem";

QString Caption(const MenuItem& item) {
  return Q(item.Value()).replace(u'&', QStringLiteral("&&"));
}

bool IsSeparator(const MenuItem& item) {
  return item.Value() == "-";
}

Ref<MenuItem> ItemOf(const std::weak_ptr<Object>& weak) {
  std::shared_ptr<Object> p = weak.lock();
  return p ? Ref<MenuItem>(std::static_pointer_cast<MenuItem>(p)) : nullptr;
}

}  // namespace

QString ShortcutText(const std::string& shortcut) {
  if (shortcut.empty()) return {};
  const QStringList parts = Q(shortcut).split(u'+', Qt::SkipEmptyParts);
  if (parts.isEmpty()) return {};
  QStringList mods;
  for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
    const QString m = parts[i].trimmed().toLower();
    if (m == u"cmd" || m == u"command" || m == u"ctrl" || m == u"control")
      mods << QStringLiteral("Ctrl");
    else if (m == u"shift")
      mods << QStringLiteral("Shift");
    else if (m == u"option" || m == u"alt")
      mods << QStringLiteral("Alt");
    else if (m == u"meta")
      mods << QStringLiteral("Meta");
    else
      return {};  // an unknown modifier: better no shortcut than a wrong one
  }
  // A key alone takes the primary modifier, as menu shortcuts do.
  if (mods.isEmpty()) mods << QStringLiteral("Ctrl");
  mods.removeDuplicates();
  const QString key = parts.last().trimmed();
  const QKeySequence sequence = QKeySequence::fromString(mods.join(u'+') + u'+' + key);
  if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown) return {};
  return sequence.toString(QKeySequence::PortableText);
}

MenuView::~MenuView() {
  Remove();
}

Ref<MenuBar> MenuView::Model() const {
  std::shared_ptr<Object> p = model_.lock();
  return p ? Ref<MenuBar>(std::static_pointer_cast<MenuBar>(p)) : nullptr;
}

void MenuView::Remove() {
  top_.clear();
  model_.reset();
  if (bar_) {
    if (window_.layout) window_.layout->setMenuBar(nullptr);
    bar_->hide();
    // A menu of this bar may be the one whose action is running right now.
    bar_->deleteLater();
    bar_ = nullptr;
  }
}

void MenuView::Show(const Ref<MenuBar>& model) {
  if (!model) {
    Remove();
    return;
  }
  if (model.get() != model_.lock().get() || !bar_ || !SameShape(*model, top_)) {
    // Rebuilding under an open menu would pull it away from the user; wait until it closes.
    if (bar_ && model.get() == model_.lock().get() && QApplication::activePopupWidget()) {
      if (!rebuildQueued_) {
        rebuildQueued_ = true;
        std::weak_ptr<bool> alive = alive_;
        QTimer::singleShot(0, qApp, [this, alive] {
          if (alive.expired()) return;
          rebuildQueued_ = false;
          Sync();
        });
      }
      return;
    }
    Build(model);
  }
  Update(*model, top_, true);
}

void MenuView::Build(const Ref<MenuBar>& model) {
  Remove();
  if (!window_.frame || !window_.layout) return;
  model_ = model.shared();
  auto* bar = new QMenuBar(window_.frame);
  // Drawn in the window on every platform: the window's own menu bar.
  bar->setNativeMenuBar(false);
  bar_ = bar;
  for (std::int64_t i = 0; i < model->Count(); ++i) {
    Ref<MenuItem> item = model->Item(i);
    auto* menu = new QMenu(bar);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [] { DeliverEnableMenuItems(); });
    Node node;
    node.item = item.shared();
    node.menu = menu;
    node.action = bar->addMenu(menu);
    node.action->setProperty(kItemProperty, Q(item->Name()));
    BuildItems(menu, *item, node.children);
    top_.push_back(std::move(node));
  }
  window_.layout->setMenuBar(bar);
  bar->show();
}

void MenuView::BuildItems(QMenu* into, const MenuItem& parent, std::vector<Node>& nodes) {
  for (std::int64_t i = 0; i < parent.Count(); ++i) {
    Ref<MenuItem> item = parent.Item(i);
    Node node;
    node.item = item.shared();
    if (item->Count() > 0) {
      node.menu = new QMenu(into);
      node.action = into->addMenu(node.menu);
      BuildItems(node.menu, *item, node.children);
    } else {
      node.action = new QAction(into);
      into->addAction(node.action);
      std::weak_ptr<Object> weak = item.shared();
      QObject::connect(node.action, &QAction::triggered, node.action,
                       [weak] { MenuItemChosen(ItemOf(weak)); });
    }
    node.action->setProperty(kItemProperty, Q(item->Name()));
    nodes.push_back(std::move(node));
  }
}

bool MenuView::SameShape(const MenuItem& parent, const std::vector<Node>& nodes) const {
  if (parent.Count() != static_cast<std::int64_t>(nodes.size())) return false;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    Ref<MenuItem> item = parent.Item(static_cast<std::int64_t>(i));
    const Node& node = nodes[i];
    if (node.item.lock().get() != item.get() || !node.action) return false;
    const bool hasItems = item->Count() > 0;
    // Top-level items always have a menu; below, only those with items.
    if (&parent != model_.lock().get() && hasItems != (node.menu != nullptr)) return false;
    if (!SameShape(*item, node.children)) return false;
  }
  return true;
}

void MenuView::Update(const MenuItem& parent, std::vector<Node>& nodes, bool topLevel) {
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    Ref<MenuItem> item = parent.Item(static_cast<std::int64_t>(i));
    Node& node = nodes[i];
    if (!item || !node.action) continue;
    QAction* a = node.action;
    const bool separator = !topLevel && IsSeparator(*item);
    a->setSeparator(separator);
    if (!separator) a->setText(Caption(*item));
    if (node.menu) node.menu->setTitle(Caption(*item));
    a->setVisible(item->Visible());
    a->setEnabled(item->Enabled());
    if (!topLevel && !node.menu) {
      const QString shortcut = ShortcutText(item->Shortcut());
      a->setShortcut(shortcut.isEmpty()
                         ? QKeySequence()
                         : QKeySequence::fromString(shortcut, QKeySequence::PortableText));
    }
    Update(*item, node.children, false);
  }
}

const MenuView::Node* MenuView::Find(const MenuItem& item, const std::vector<Node>& nodes) const {
  for (const Node& node : nodes) {
    if (node.item.lock().get() == &item) return &node;
    if (const Node* found = Find(item, node.children)) return found;
  }
  return nullptr;
}

QMenu* MenuView::MenuOf(const MenuItem& item) const {
  const Node* node = Find(item, top_);
  return node ? node->menu : nullptr;
}

QAction* MenuView::ActionOf(const MenuItem& item) const {
  const Node* node = Find(item, top_);
  return node ? node->action : nullptr;
}

// ---- Dispatch ----

void DeliverEnableMenuItems() {
  Ref<Window> front = FrontWindow();
  if (!front) return;
  RunGuarded([&] {
    if (front->IsEventImplemented("EnableMenuItems")) front->Event_EnableMenuItems();
  });
}

void MenuItemChosen(const Ref<MenuItem>& item) {
  if (!item) return;
  RunGuarded([&] {
    const std::string name = item->Name();
    bool handled = false;
    if (Ref<Window> front = FrontWindow()) {
      auto& handlers = front->impl().menuHandlers;
      if (auto it = handlers.find(name); it != handlers.end()) {
        std::function<bool()> handler = it->second;  // the handler may replace itself
        handled = handler();
      }
    }
    if (handled) return;
    if (item->ClassRecordOf().IsA(QuitMenuItem::Class())) {
      Quit(0);
    } else if (name == "EditUndo") {
      RunEditCommand(EditCommand::Undo);
    } else if (name == "EditCut") {
      RunEditCommand(EditCommand::Cut);
    } else if (name == "EditCopy") {
      RunEditCommand(EditCommand::Copy);
    } else if (name == "EditPaste") {
      RunEditCommand(EditCommand::Paste);
    }
  });
}

void MenuModelChanged(MenuItem& top) {
  for (const Ref<Window>& w : LiveWindows()) {
    MenuView* view = w->impl().menuView.get();
    if (view && view->Model().get() == &top) view->Sync();
  }
}

}  // namespace fw::internal
