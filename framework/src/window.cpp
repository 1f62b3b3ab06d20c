#include "framework/window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <limits>

#include "framework/application.h"
#include "framework/property_list.h"
#include "framework/runtime.h"
#include "menu_view.h"
#include "widgets.h"

namespace fw {

namespace internal {
namespace {

struct Registry {
  std::vector<Ref<Window>> live;     // constructed and not closed, frontmost first
  std::vector<Ref<Window>> closing;  // closed by the user; destroyed on the next turn of the loop
  std::uint64_t sequence = 0;
};

// Never destroyed: a window may be released after the static destructors have run.
Registry& Windows() {
  static auto* registry = new Registry;
  return *registry;
}

void MoveToFront(Window& w) {
  auto& live = Windows().live;
  auto it =
      std::find_if(live.begin(), live.end(), [&](const Ref<Window>& r) { return r.get() == &w; });
  if (it == live.end() || it == live.begin()) return;
  std::rotate(live.begin(), it, it + 1);
}

void Unregister(Window& w) {
  auto& live = Windows().live;
  live.erase(
      std::remove_if(live.begin(), live.end(), [&](const Ref<Window>& r) { return r.get() == &w; }),
      live.end());
}

void DestroyClosing() {
  std::vector<Ref<Window>> closing = std::move(Windows().closing);
  Windows().closing.clear();
  for (const Ref<Window>& w : closing) w->impl().DestroyWidgets();
}

int ClampToInt(std::int64_t v, int lo, int hi) {
  return static_cast<int>(std::clamp<std::int64_t>(v, lo, hi));
}

constexpr int kMaxExtent = 32000;

// A window as assistive tools meet it: a frame named by its title. Qt would give our plain
// top-level widget the role of a filler. A window without a title is named as its title bar
// names it, by the program's name.
class FrameAccessible : public QAccessibleWidget {
 public:
  explicit FrameAccessible(QWidget* frame) : QAccessibleWidget(frame, QAccessible::Window) {}
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const QString title = widget()->windowTitle();
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
  }
};

QAccessibleInterface* FrameAccessibleFactory(const QString&, QObject* object) {
  if (auto* frame = dynamic_cast<FrameWidget*>(object)) return new FrameAccessible(frame);
  return nullptr;
}

}  // namespace

std::vector<Ref<Window>> LiveWindows() {
  return Windows().live;
}

void DestroyAllWindows() {
  std::vector<Ref<Window>> live = std::move(Windows().live);
  Windows().live.clear();
  for (const Ref<Window>& w : live) {
    w->impl().closed = true;
    w->impl().DestroyWidgets();
  }
  DestroyClosing();
}

void RefreshAllMenuBars() {
  for (const Ref<Window>& w : LiveWindows()) w->impl().RefreshMenuBar();
}

// ---- FrameWidget, ContentWidget ----

FrameWidget::FrameWidget(Window::Impl& w) : QWidget(nullptr), window(w) {}

bool FrameWidget::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowActivate:
      window.Activated();
      break;
    case QEvent::Show:
      GiveFirstFocus(window);
      break;
    case QEvent::ShortcutOverride:
      // Asked before a menu shortcut, a mnemonic or F10 takes the key: a window that handles
      // KeyDown and has no control with the focus gets every key first.
      if (window.TakesKeyBeforeMenus(static_cast<QKeyEvent&>(*e))) {
        e->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (window.KeyDown(static_cast<QKeyEvent&>(*e))) {
        e->accept();
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::event(e);
}

void FrameWidget::closeEvent(QCloseEvent* e) {
  window.UserClosed();
  e->accept();
}

ContentWidget::ContentWidget(Window::Impl& w, QWidget* parent) : QWidget(parent), window(w) {}

QSize ContentWidget::sizeHint() const {
  return {window.width, window.height};
}

void ContentWidget::mousePressEvent(QMouseEvent* e) {
  window.MouseDown(e->position().toPoint().x(), e->position().toPoint().y());
  e->accept();
}

void ContentWidget::resizeEvent(QResizeEvent* e) {
  // Only the user resizes a shown window; while hidden, sizes come from the design data.
  if (window.frame && window.frame->isVisible() && window.resizeable) {
    window.width = e->size().width();
    window.height = e->size().height();
    FollowResize(window);
  }
  QWidget::resizeEvent(e);
}

}  // namespace internal

// ---- Window::Impl ----

Window::Impl::Impl(Window& w) : self(w) {}
Window::Impl::~Impl() {
  DestroyWidgets();
}

void Window::Impl::EnsureWidgets() {
  if (frame) return;
  internal::RequireApplication();
  [[maybe_unused]] static const bool accessible = [] {
    QAccessible::installFactory(&internal::FrameAccessibleFactory);
    return true;
  }();
  frame = new internal::FrameWidget(*this);
  layout = new QVBoxLayout(frame);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  content = new internal::ContentWidget(*this, frame);
  layout->addWidget(content);
  menuView = std::make_unique<internal::MenuView>(*this);
  ApplyBackground();
  ApplyFrame();
}

void Window::Impl::ApplyFrame() {
  if (!frame) return;
  frame->setWindowTitle(internal::Q(title));

  Qt::WindowFlags flags =
      Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (hasCloseButton) flags |= Qt::WindowCloseButtonHint;
  if (hasMinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  // A window that keeps its size has nothing to maximise.
  if (hasMaximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
  if (frame->windowFlags() != flags) {
    const bool wasVisible = frame->isVisible();
    frame->setWindowFlags(flags);  // hides a shown window
    if (wasVisible) frame->show();
  }

  const int w = std::clamp(width, 1, internal::kMaxExtent);
  const int h = std::clamp(height, 1, internal::kMaxExtent);
  if (!resizeable) {
    content->setFixedSize(w, h);
    layout->setSizeConstraint(QLayout::SetFixedSize);
  } else {
    const int minW = std::clamp(minWidth, 0, w), minH = std::clamp(minHeight, 0, h);
    const int maxW = std::clamp(maxWidth, w, internal::kMaxExtent);
    const int maxH = std::clamp(maxHeight, h, internal::kMaxExtent);
    content->setMinimumSize(minW, minH);
    content->setMaximumSize(maxW, maxH);
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    frame->setMinimumSize(0, 0);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    content->updateGeometry();  // the layout keeps the old size hint otherwise
    layout->invalidate();
    layout->activate();
    frame->resize(frame->sizeHint());
  }
  layout->activate();
}

void Window::Impl::ApplyBackground() {
  if (!content) return;
  QPalette p = content->palette();
  if (hasBackgroundColor) {
    p.setColor(QPalette::Window, QColor::fromRgb(backgroundColor & 0xFFFFFF));
    content->setPalette(p);
  } else {
    content->setPalette(QPalette());
  }
  content->setAutoFillBackground(hasBackgroundColor);
}

Ref<MenuBar> Window::Impl::EffectiveMenuBar() const {
  if (menuBar) return menuBar;
  if (Ref<Application> app = GetAppObject()) return app->MenuBar();
  return nullptr;
}

void Window::Impl::RefreshMenuBar() {
  if (!menuView || closed) return;
  menuView->Show(menuBarVisible ? EffectiveMenuBar() : nullptr);
  // Before the first showing the content keeps its design size under a new bar.
  if (!shownOnce && resizeable) ApplyFrame();
}

void Window::Impl::UpdateTabOrder() {
  if (!constructed || !frame) return;
  std::vector<QWidget*> chain;
  for (Control::Impl* c : internal::TabOrder(*this))
    if (c->widget->focusPolicy() & Qt::TabFocus) chain.push_back(c->widget);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void Window::Impl::DestroyWidgets() {
  for (const Ref<Control>& c : controls) c->impl().StopTimer();
  if (!QCoreApplication::instance()) return;  // the platform is gone; nothing left to delete
  if (menuView) menuView->Remove();
  menuView.reset();
  delete frame.data();
  frame = nullptr;
  content = nullptr;
  layout = nullptr;
}

void Window::Impl::UserClosed() {
  if (closed) return;
  Ref<Window> keep = self.SelfAs<Window>();
  RunGuarded([&] {
    if (self.IsEventImplemented("Close")) self.Event_Close();
  });
  closed = true;
  for (const Ref<Control>& c : controls) c->impl().StopTimer();
  internal::Unregister(self);
  internal::Windows().closing.push_back(keep);
  // With no window left the user could reach no menu and nothing could end the program.
  if (internal::Windows().live.empty()) Quit(0);
  // Not here: this runs inside the window's own close event.
  QMetaObject::invokeMethod(
      qApp, [] { internal::DestroyClosing(); }, Qt::QueuedConnection);
}

void Window::Impl::Activated() {
  if (closed || !constructed) return;
  Ref<Window> keep = self.SelfAs<Window>();
  internal::MoveToFront(self);
  RunGuarded([&] {
    if (self.IsEventImplemented("Activate")) self.Event_Activate();
  });
}

bool Window::Impl::TakesKeyBeforeMenus(const QKeyEvent& event) {
  // With a control focused the menus keep their keys: a field takes none of them.
  if (closed || !constructed || !frame || frame->focusWidget() || !internal::KeyTextOf(event))
    return false;
  Ref<Window> keep = self.SelfAs<Window>();
  bool implemented = false;
  RunGuarded([&] { implemented = self.IsEventImplemented("KeyDown"); });
  return implemented;
}

bool Window::Impl::KeyDown(const QKeyEvent& event) {
  if (closed || !constructed) return false;
  std::optional<std::string> key = internal::KeyTextOf(event);
  if (!key) return false;
  Ref<Window> keep = self.SelfAs<Window>();
  bool implemented = false;
  bool discard = true;  // a handler that fails does not let its key through
  RunGuarded([&] {
    implemented = self.IsEventImplemented("KeyDown");
    if (implemented) discard = self.Event_KeyDown(*key);
  });
  return implemented && discard;
}

void Window::Impl::MouseDown(int x, int y) {
  if (closed || !constructed) return;
  Ref<Window> keep = self.SelfAs<Window>();
  RunGuarded([&] {
    if (self.IsEventImplemented("MouseDown")) self.Event_MouseDown(x, y);
  });
}

// ---- Window ----

Window::Window() : impl_(std::make_unique<Impl>(*this)) {}
Window::~Window() = default;

void Window::Constructor() {
  Impl& d = *impl_;
  if (d.constructed || d.constructing) throw RuntimeException("the window is constructed already");
  if (weak_from_this().expired())
    throw RuntimeException("a window is made with RuntimeNewObject before its Constructor runs");
  Ref<Window> self = SelfAs<Window>();
  d.EnsureWidgets();
  d.constructing = true;
  d.sequence = ++internal::Windows().sequence;
  // Registered first, so that a request for the class's instance made while the window is being
  // built finds this one instead of building a second.
  internal::Windows().live.push_back(self);
  try {
    Layout();
    CreateControls();
    AddMenuHandlers();
    d.constructing = false;
    d.constructed = true;
    for (const Ref<Control>& c : d.controls) c->impl().EnsureWidget();
    for (const Ref<Control>& c : d.controls) c->impl().ApplyGeometry();
    d.UpdateTabOrder();
    d.RefreshMenuBar();
    d.ApplyFrame();
  } catch (...) {
    d.constructing = false;
    d.closed = true;
    internal::Unregister(*this);
    d.DestroyWidgets();
    throw;
  }
  if (d.visible) Show();
  RunGuarded([&] {
    if (IsEventImplemented("Open")) Event_Open();
  });
}

bool Window::IsEventImplemented(const std::string& eventName) {
  return RuntimeIsEventHandled(*this, ClassRecordOf().name, eventName, true);
}

bool Window::Event_KeyDown(const std::string&) {
  return false;
}
bool Window::Event_MouseDown(std::int64_t, std::int64_t) {
  return false;
}

void Window::Show() {
  Impl& d = *impl_;
  d.visible = true;
  if (!d.constructed || d.closed || !d.frame) return;
  // A minimised window comes back as it was, so that the window in front for the menus is the
  // one the user sees. A hidden window keeps the state too, and would show as an icon.
  const Qt::WindowStates state = d.frame->windowState();
  if (state & Qt::WindowMinimized) d.frame->setWindowState(state & ~Qt::WindowMinimized);
  if (d.fullScreen)
    d.frame->showFullScreen();
  else
    d.frame->show();
  d.shownOnce = true;
  d.frame->raise();
  d.frame->activateWindow();
  internal::MoveToFront(*this);
}

void Window::Hide() {
  Impl& d = *impl_;
  d.visible = false;
  if (d.frame) d.frame->hide();
}

bool Window::Visible() const {
  const Impl& d = *impl_;
  return d.constructed && !d.closed && d.frame && d.frame->isVisible();
}

std::string Window::Title() const {
  return impl_->title;
}
int Window::Width() const {
  return impl_->width;
}
int Window::Height() const {
  return impl_->height;
}

Ref<MenuBar> Window::MenuBar() const {
  return impl_->menuBar;
}

void Window::SetMenuBar(const Ref<fw::MenuBar>& bar) {
  impl_->menuBar = bar;
  impl_->RefreshMenuBar();
}

void Window::Adopt(const Ref<Control>& control) {
  Control::Impl& ci = control->impl();
  ci.window = weak_from_this();
  ci.adopted = true;
  ci.order = impl_->nextOrder++;
  impl_->controls.push_back(control);
}

void Window::AddControl(const std::string& name, const Ref<Control>& control) {
  if (!control) throw NilObjectException("AddControl with a nil control");
  Impl& d = *impl_;
  Control::Impl& ci = control->impl();
  std::shared_ptr<Object> owner = ci.window.lock();
  if (!owner) {
    Adopt(control);
  } else if (owner.get() != this) {
    throw RuntimeException("control '" + name + "' belongs to another window");
  }
  auto it = d.byName.find(name);
  if (it != d.byName.end()) {
    if (it->second == control) return;
    throw RuntimeException("the window already has a control named '" + name + "'");
  }
  ci.name = name;
  d.byName.emplace(name, control);
  if (d.constructed) {
    ci.EnsureWidget();
    // Controls waiting for a parent of this name move into it.
    for (const Ref<Control>& c : d.controls)
      if (c->impl().initialParent == name) c->impl().ApplyGeometry();
    d.UpdateTabOrder();
  }
}

Ref<Object> Window::ControlByName(const std::string& name) const {
  auto it = impl_->byName.find(name);
  if (it == impl_->byName.end()) return nullptr;
  return it->second;
}

void Window::AddMenuHandler(const std::string& itemName, const Ref<Delegate>& handler) {
  if (!handler) throw NilObjectException("AddMenuHandler with a nil delegate");
  if (!internal::SameSignature(handler->Signature(), "() as Boolean"))
    throw RuntimeException("a menu handler has the signature \"(  ) as Boolean\", not \"" +
                           handler->Signature() + "\"");
  impl_->menuHandlers[itemName] = handler->Callable<bool>();
}

void Window::SetProperty(const std::string& name, const PropertyValue& value) {
  using internal::ClampToInt;
  Impl& d = *impl_;
  bool frameChanged = true;
  if (name == "Width") {
    d.width = ClampToInt(value.Integer(), 1, internal::kMaxExtent);
  } else if (name == "Height") {
    d.height = ClampToInt(value.Integer(), 1, internal::kMaxExtent);
  } else if (name == "MinimumWidth") {
    d.minWidth = ClampToInt(value.Integer(), 0, internal::kMaxExtent);
  } else if (name == "MinimumHeight") {
    d.minHeight = ClampToInt(value.Integer(), 0, internal::kMaxExtent);
  } else if (name == "MaximumWidth") {
    d.maxWidth = ClampToInt(value.Integer(), 0, internal::kMaxExtent);
  } else if (name == "MaximumHeight") {
    d.maxHeight = ClampToInt(value.Integer(), 0, internal::kMaxExtent);
  } else if (name == "Title") {
    d.title = value.Text();
  } else if (name == "HasCloseButton") {
    d.hasCloseButton = value.Boolean();
  } else if (name == "HasMaximizeButton") {
    d.hasMaximizeButton = value.Boolean();
  } else if (name == "HasMinimizeButton") {
    d.hasMinimizeButton = value.Boolean();
  } else if (name == "Resizeable") {
    d.resizeable = value.Boolean();
  } else if (name == "FullScreen") {
    d.fullScreen = value.Boolean();
  } else if (name == "Visible") {
    frameChanged = false;
    d.visible = value.Boolean();
    if (d.constructed && !d.closed && d.frame) d.frame->setVisible(d.visible);
  } else if (name == "HasBackgroundColor") {
    frameChanged = false;
    d.hasBackgroundColor = value.Boolean();
    d.ApplyBackground();
  } else if (name == "BackgroundColor") {
    frameChanged = false;
    d.backgroundColor = value.Rgb();
    d.ApplyBackground();
  } else if (name == "MenuBarVisible") {
    frameChanged = false;
    d.menuBarVisible = value.Boolean();
    if (d.constructed) d.RefreshMenuBar();
  } else {
    // Type, DefaultLocation, Composite, MacProcID, LiveResize, HasFullScreenButton: the frame
    // kinds and placements of other platforms; here every window is an ordinary top-level one.
    frameChanged = false;
  }
  if (frameChanged) d.ApplyFrame();
}

Ref<Window> GetImplicitWindow(const std::string& className) {
  Ref<Window> found;
  for (const Ref<Window>& w : internal::Windows().live)
    if (w->ClassRecordOf().name == className &&
        (!found || w->impl().sequence < found->impl().sequence))
      found = w;
  return found;
}

Ref<Window> FrontWindow() {
  // A minimised window is not before the user's eyes, whatever it was last.
  for (const Ref<Window>& w : internal::Windows().live)
    if (w->impl().frame && w->impl().frame->isVisible() && !w->impl().frame->isMinimized())
      return w;
  return nullptr;
}

}  // namespace fw
