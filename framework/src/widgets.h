// The platform side of windows, controls and menus, shared by the framework's sources and by
// framework/testing. Not part of the public API.
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fonts.h"
#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "framework/window.h"
#include "locks.h"

class QAction;
class QApplication;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QVBoxLayout;

namespace fw {

namespace internal {

QString Q(const std::string& utf8);
std::string U(const QString& text);

// Signature texts are compared without their blanks: "( Canvas )" and "(Canvas)" are one.
bool SameSignature(std::string_view a, std::string_view b);

// The text KeyDown receives for a key press; nullopt for a press that delivers nothing (a
// modifier key alone).
std::optional<std::string> KeyTextOf(const QKeyEvent& event);

enum class ControlKind { None, TextArea, Label, PushButton, Canvas, RoundRectangle, Timer };

class MenuView;

// A window's top-level widget: its menu bar above its content.
class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(Window::Impl& window);
  Window::Impl& window;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

// The window's content area, in whose coordinates every control is placed.
class ContentWidget : public QWidget {
 public:
  ContentWidget(Window::Impl& window, QWidget* parent);
  Window::Impl& window;
  QSize sizeHint() const override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

// Windows that are constructed and not closed, frontmost first.
std::vector<Ref<Window>> LiveWindows();
// Closes every window at once without delivering Close; for shutdown and test teardown.
void DestroyAllWindows();
// Every window redraws its menu bar (after the application's bar changed).
void RefreshAllMenuBars();

// The window's controls that have widgets, in the order Tab visits them (whether or not they
// take the focus).
std::vector<Control::Impl*> TabOrder(const Window::Impl& window);
// When no control of the shown window has the focus, the first in tab order that takes it and
// can be typed into (an enabled, visible field that is not read-only) gets it; when there is no
// such field, the first that takes it.
void GiveFirstFocus(Window::Impl& window);

// Lock flags: SetLockProperty takes LockLeft, LockTop, LockRight and LockBottom (false for any
// other name); AnchorLocks notes the distances to the window's edges where the control was
// placed; FollowResize moves and sizes the window's locked controls to its new size.
bool SetLockProperty(Control::Impl& control, const std::string& name, const PropertyValue& value);
void AnchorLocks(Control::Impl& control);
void FollowResize(Window::Impl& window);

// The framework control a widget shows, or null.
Control::Impl* ControlOfWidget(const QWidget* widget);

// Seams: the message-box presenter and the alert sound. Empty means the real one.
std::function<void(const std::string&)>& MessageBoxPresenter();
std::function<void()>& BeepSound();

enum class EditCommand { Undo, Cut, Copy, Paste };
// Runs the command on the focused text field; false when no text field has the focus.
bool RunEditCommand(EditCommand command);

// A menu item was chosen: the frontmost window's handler for its name, else the item's own
// action.
void MenuItemChosen(const Ref<MenuItem>& item);
// A menu of the bar shown is about to show its items: the framework enables the AutoEnabled
// items that would do something and disables the others, then the frontmost window's
// EnableMenuItems runs.
void DeliverEnableMenuItems(const Ref<MenuBar>& shown);

QApplication* RequireApplication();
// Quit ran while the event loop runs, and the loop has not returned yet. Until it has, every
// nested event loop returns at once.
bool QuitPending();

}  // namespace internal

struct Control::Impl {
  explicit Impl(Control& c) : self(c) {}
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  Control& self;
  internal::ControlKind kind = internal::ControlKind::None;
  std::weak_ptr<Object> window;
  std::string name;
  std::uint64_t order = 0;  // creation order within its window
  bool adopted = false;     // made for a window, so it goes with that window
  bool constructed = false;

  // RectControl, in window content coordinates.
  int left = 0, top = 0, width = 80, height = 22;
  bool visible = true, enabled = true, tabStop = true;
  std::int64_t tabIndex = 0;
  internal::Locks locks;
  std::string initialParent;  // "" is the window itself
  std::string tooltip;
  internal::FontSpec font;
  std::uint32_t textColor = 0x000000;
  std::int64_t alignment = 0;  // 0 default (left), 1 left, 2 centred, 3 right

  // TextArea (and the texts of Label and PushButton).
  std::string text;
  bool multiline = true, readOnly = false, hasBorder = true, styled = true;
  bool hScroll = false, vScroll = true, allowTabs = false;
  std::int64_t maxChars = 0;  // 0: no limit
  std::uint32_t background = 0xFFFFFF;

  // Label
  bool labelMultiline = false, selectable = false, transparent = true;

  // Canvas
  Ref<Picture> backdrop;
  bool allowFocus = false;

  // RoundRectangle
  std::uint32_t fillColor = 0xFFFFFF, borderColor = 0x000000;
  double borderThickness = 1, cornerWidth = 10, cornerHeight = 10;

  // Timer
  std::int64_t period = 1000, runMode = 2;
  std::unique_ptr<QTimer> timer;

  // Handlers, in the C++ shape of their events.
  std::function<bool(Ref<TextArea>, std::string)> keyDown;
  std::function<void(Ref<PushButton>)> action;
  std::function<void(Ref<Canvas>)> mouseEnter, mouseExit;
  std::function<bool(Ref<Canvas>, std::int64_t, std::int64_t)> mouseDown;
  std::function<void(Ref<Timer>)> timerAction;

  QPointer<QWidget> widget;

  Window::Impl* WindowImpl() const;
  // The platform widget, made on first need once the control is constructed and belongs to a
  // window; null otherwise.
  QWidget* EnsureWidget();
  void PropertiesApplied() { EnsureWidget(); }
  // The control this one is placed in, or null for the window itself.
  Control::Impl* ParentControl() const;
  // The control of the window that name names, as a parent for this one; null for none, and
  // when the chain of parents from it loops (loops then says so).
  Control::Impl* ParentNamed(const std::string& name, bool* loops = nullptr) const;
  void ApplyGeometry();
  // Pushes the whole state to the widget; withText also its text (a fresh widget), which
  // otherwise stays as the user left it.
  void ApplyAll(bool withText = false);
  void RestartTimer();
  void StopTimer();
  // KeyDown for a key press in this control: true discards the key.
  bool KeyDown(const QKeyEvent& event);
};

struct Window::Impl {
  explicit Impl(Window& w);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  Window& self;

  // Design state.
  int width = 300, height = 300;
  int minWidth = 64, minHeight = 64, maxWidth = 32000, maxHeight = 32000;
  std::string title;
  bool hasCloseButton = true, hasMaximizeButton = true, hasMinimizeButton = true;
  bool resizeable = true, fullScreen = false, visible = true;
  bool hasBackgroundColor = false, menuBarVisible = true;
  std::uint32_t backgroundColor = 0xFFFFFF;
  Ref<fw::MenuBar> menuBar;

  std::vector<Ref<Control>> controls;  // every control made for the window, in creation order
  std::unordered_map<std::string, Ref<Control>> byName;
  std::unordered_map<std::string, std::function<bool()>> menuHandlers;
  std::uint64_t nextOrder = 0;
  std::uint64_t sequence = 0;  // construction order among windows

  // Platform side.
  QPointer<internal::FrameWidget> frame;
  QPointer<internal::ContentWidget> content;
  QVBoxLayout* layout = nullptr;
  std::unique_ptr<internal::MenuView> menuView;

  bool constructing = false, constructed = false, closed = false, shownOnce = false;

  // Makes the frame and content widgets; raises when there is no application.
  void EnsureWidgets();
  void ApplyFrame();
  void ApplyBackground();
  void UpdateTabOrder();
  void RefreshMenuBar();
  Ref<fw::MenuBar> EffectiveMenuBar() const;
  // Stops the timers and deletes the widgets; the object stays.
  void DestroyWidgets();

  // Platform events.
  void UserClosed();
  void Activated();
  // Whether the window's KeyDown takes the key before the menus (their shortcuts, mnemonics and
  // F10) do: it does when the window handles KeyDown and none of its controls has the focus.
  bool TakesKeyBeforeMenus(const QKeyEvent& event);
  bool KeyDown(const QKeyEvent& event);
  void MouseDown(int x, int y);
};

}  // namespace fw
