#include "menu_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStringList>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "framework/runtime.h"
#include "internal.h"

namespace fw::internal {

namespace {

constexpr const char* kItemProperty = "fwMenuItem";
// Where this desktop keeps "About": the last menu of the bar. The model has no such menu; its
// AppleMenuItems are drawn there.
constexpr const char* kHelpCaption = "Help";

QString Escaped(const QString& caption) {
  return QString(caption).replace(u'&', QStringLiteral("&&"));
}

QString Caption(const MenuItem& item) {
  return Escaped(Q(item.Value()));
}

bool IsSeparator(const MenuItem& item) {
  return item.Value() == "-";
}

bool IsAppleItem(const MenuItem& item) {
  return item.ClassRecordOf().IsA(AppleMenuItem::Class());
}

// A menu or item with an empty caption would show as a blank row or an invisible menu; it stays
// in the model but is not drawn.
bool Drawn(const MenuItem& item) {
  return item.Visible() && !item.Value().empty();
}

// The caption of a top-level menu with its mnemonic on its first letter (Alt+F for "File"),
// unless an earlier menu of the bar has that letter. Never a digit: Alt with a digit stays with
// the fields.
QString WithMnemonic(const QString& caption, QString& taken) {
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar letter = caption[i].toLower();
    if (!letter.isLetter()) continue;
    if (taken.contains(letter)) break;
    taken += letter;
    return Escaped(caption.left(i)) + u'&' + Escaped(caption.mid(i));
  }
  return Escaped(caption);
}

Ref<MenuItem> ItemOf(const std::weak_ptr<Object>& weak) {
  std::shared_ptr<Object> p = weak.lock();
  return p ? Ref<MenuItem>(std::static_pointer_cast<MenuItem>(p)) : nullptr;
}

Ref<MenuBar> BarOf(const std::weak_ptr<Object>& weak) {
  std::shared_ptr<Object> p = weak.lock();
  return p ? Ref<MenuBar>(std::static_pointer_cast<MenuBar>(p)) : nullptr;
}

// F10 opens the first menu the bar draws, as on this desktop.
void OpenFirstMenu(QMenuBar& bar) {
  for (QAction* a : bar.actions()) {
    if (a->isVisible() && a->isEnabled() && a->menu()) {
      bar.setActiveAction(a);
      return;
    }
  }
}

std::optional<EditCommand> EditCommandOf(const std::string& itemName) {
  if (itemName == "EditUndo") return EditCommand::Undo;
  if (itemName == "EditCut") return EditCommand::Cut;
  if (itemName == "EditCopy") return EditCommand::Copy;
  if (itemName == "EditPaste") return EditCommand::Paste;
  return std::nullopt;
}

// Whether the focused text field would do something with the command now.
bool CanRunEditCommand(EditCommand command) {
  QWidget* focus = QApplication::focusWidget();
  auto clipboardHasText = [] {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && !clipboard->text().isEmpty();
  };
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    const bool editable = !line->isReadOnly();
    const bool selection = line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
    switch (command) {
      case EditCommand::Undo:
        return editable && line->isUndoAvailable();
      case EditCommand::Cut:
        return editable && selection;
      case EditCommand::Copy:
        return selection;
      case EditCommand::Paste:
        return editable && clipboardHasText();
    }
  }
  if (auto* text = qobject_cast<QTextEdit*>(focus)) {
    const bool editable = !text->isReadOnly();
    const bool selection = text->textCursor().hasSelection();
    switch (command) {
      case EditCommand::Undo:
        return editable && text->document()->isUndoAvailable();
      case EditCommand::Cut:
        return editable && selection;
      case EditCommand::Copy:
        return selection;
      case EditCommand::Paste:
        return editable && text->canPaste();
    }
  }
  return false;
}

// Choosing the item would do something: the front window handles it, or the framework has an
// action for it that can act now.
bool DoesSomething(const MenuItem& item, const Ref<Window>& front) {
  if (front && front->impl().menuHandlers.count(item.Name())) return true;
  if (item.ClassRecordOf().IsA(QuitMenuItem::Class())) return true;
  if (std::optional<EditCommand> command = EditCommandOf(item.Name()))
    return CanRunEditCommand(*command);
  return false;
}

// Every item below the menus (not the menus themselves) whose AutoEnabled is set is enabled
// exactly when choosing it would do something.
void AutoEnable(const MenuItem& parent, const Ref<Window>& front, bool topLevel) {
  for (std::int64_t i = 0; i < parent.Count(); ++i) {
    Ref<MenuItem> item = parent.Item(i);
    if (item->Count() > 0) {
      AutoEnable(*item, front, false);
      continue;
    }
    if (topLevel || !item->AutoEnabled() || IsSeparator(*item)) continue;
    const bool does = DoesSomething(*item, front);
    if (item->Enabled() != does) item->SetEnabled(does);
  }
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
  help_ = nullptr;
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
  UpdateTitles();
}

void MenuView::Build(const Ref<MenuBar>& model) {
  Remove();
  if (!window_.frame || !window_.layout) return;
  model_ = model.shared();
  auto* bar = new QMenuBar(window_.frame);
  // Drawn in the window on every platform: the window's own menu bar.
  bar->setNativeMenuBar(false);
  bar_ = bar;
  std::weak_ptr<Object> weakModel = model_;
  auto opening = [weakModel] { DeliverEnableMenuItems(BarOf(weakModel)); };
  help_ = new QMenu(bar);
  QObject::connect(help_, &QMenu::aboutToShow, help_, opening);
  for (std::int64_t i = 0; i < model->Count(); ++i) {
    Ref<MenuItem> item = model->Item(i);
    auto* menu = new QMenu(bar);
    QObject::connect(menu, &QMenu::aboutToShow, menu, opening);
    Node node;
    node.item = item.shared();
    node.menu = menu;
    node.action = bar->addMenu(menu);
    node.action->setProperty(kItemProperty, Q(item->Name()));
    BuildItems(menu, *item, node.children);
    top_.push_back(std::move(node));
  }
  bar->addMenu(help_);
  auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar);
  QObject::connect(f10, &QShortcut::activated, bar, [bar] { OpenFirstMenu(*bar); });
  window_.layout->setMenuBar(bar);
  bar->show();
}

void MenuView::BuildItems(QMenu* into, const MenuItem& parent, std::vector<Node>& nodes) {
  for (std::int64_t i = 0; i < parent.Count(); ++i) {
    Ref<MenuItem> item = parent.Item(i);
    QMenu* target = IsAppleItem(*item) && help_ ? help_.data() : into;
    Node node;
    node.item = item.shared();
    if (item->Count() > 0) {
      node.menu = new QMenu(target);
      node.action = target->addMenu(node.menu);
      BuildItems(node.menu, *item, node.children);
    } else {
      node.action = new QAction(target);
      target->addAction(node.action);
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
    // Top-level titles carry mnemonics, which depend on the other menus: UpdateTitles sets them.
    if (!topLevel) {
      if (!separator) a->setText(Caption(*item));
      if (node.menu) node.menu->setTitle(Caption(*item));
    }
    a->setVisible(Drawn(*item));
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

void MenuView::UpdateTitles() {
  QString taken;
  for (Node& node : top_) {
    Ref<MenuItem> item = ItemOf(node.item);
    if (!item || !node.menu) continue;
    node.menu->setTitle(Drawn(*item) ? WithMnemonic(Q(item->Value()), taken) : Caption(*item));
  }
  if (!help_) return;
  bool anyShown = false;
  for (const QAction* a : help_->actions())
    anyShown = anyShown || (a->isVisible() && !a->isSeparator());
  help_->setTitle(anyShown ? WithMnemonic(QString::fromLatin1(kHelpCaption), taken)
                           : QString::fromLatin1(kHelpCaption));
  help_->menuAction()->setVisible(anyShown);
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

void DeliverEnableMenuItems(const Ref<MenuBar>& shown) {
  Ref<Window> front = FrontWindow();
  // The framework's enabling first, so that the window's own rules have the last word.
  if (shown) RunGuarded([&] { AutoEnable(*shown, front, true); });
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
    } else if (std::optional<EditCommand> command = EditCommandOf(name)) {
      RunEditCommand(*command);
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
