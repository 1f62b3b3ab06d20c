#include "framework/testing/testing.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

#include "faces.h"
#include "framework/runtime.h"
#include "menu_view.h"
#include "widgets.h"

namespace fw::testing {

namespace {

using internal::Q;
using internal::U;

// Recorders nest: each restores what was there before it.
std::vector<std::function<void(const std::string&)>>& PresenterStack() {
  static std::vector<std::function<void(const std::string&)>> stack;
  return stack;
}
std::vector<std::function<void()>>& BeepStack() {
  static std::vector<std::function<void()>> stack;
  return stack;
}

[[noreturn]] void Fail(const std::string& what) {
  throw RuntimeException("testing: " + what);
}

Window::Impl& WindowOf(const Ref<Window>& window) {
  if (!window) Fail("a nil window");
  return window->impl();
}

internal::FrameWidget& FrameOf(const Ref<Window>& window) {
  Window::Impl& w = WindowOf(window);
  if (!w.frame) Fail("the window has no platform window (not constructed, or closed)");
  return *w.frame;
}

QWidget& WidgetOf(const Ref<RectControl>& control) {
  if (!control) Fail("a nil control");
  QWidget* w = control->impl().EnsureWidget();
  if (!w) Fail("control '" + control->Name() + "' has no platform widget");
  return *w;
}

QWindow& ShownWindowHandle(QWidget& widget) {
  QWidget* top = widget.window();
  if (!top->isVisible() || !top->windowHandle()) Fail("the window is not shown");
  return *top->windowHandle();
}

void ActivateFrame(QWidget& frame) {
  if (frame.isActiveWindow()) return;
  frame.raise();
  frame.activateWindow();
  if (!WaitUntil([&] { return frame.isActiveWindow(); }, 2000))
    QApplication::setActiveWindow(&frame);
}

// Prepares a key press in the control: its window in front, the control focused.
QWidget& FocusFor(const Ref<RectControl>& control) {
  QWidget& widget = WidgetOf(control);
  ActivateFrame(*widget.window());
  control->SetFocus();
  ProcessEvents();
  QWidget* focus = widget.window()->focusWidget();
  return focus ? *focus : *widget.window();
}

Qt::Key KeyFor(char32_t c) {
  switch (c) {
    case U'\t':
      return Qt::Key_Tab;
    case U'\r':
    case U'\n':
      return Qt::Key_Return;
    case U'\b':
      return Qt::Key_Backspace;
    case 0x1B:
      return Qt::Key_Escape;
    case 0x7F:
      return Qt::Key_Delete;
    default:
      break;
  }
  if (c < 0x20 || c > 0xFFFF) return Qt::Key_unknown;
  if (c < 0x80) return static_cast<Qt::Key>(c >= U'a' && c <= U'z' ? c - 0x20 : c);
  // Keyboards report a character's key as its upper-case code point.
  return static_cast<Qt::Key>(QChar(static_cast<char16_t>(c)).toUpper().unicode());
}

std::vector<QString> Characters(const std::string& text) {
  std::vector<QString> out;
  const QString s = Q(text);
  for (qsizetype i = 0; i < s.size();) {
    const qsizetype n = (s[i].isHighSurrogate() && i + 1 < s.size()) ? 2 : 1;
    out.push_back(s.mid(i, n));
    i += n;
  }
  return out;
}

char32_t FirstCodePoint(const QString& s) {
  return s.isEmpty() ? 0 : s.toUcs4().value(0);
}

void Press(QWidget& target, Qt::Key key, const QString& text, Qt::KeyboardModifiers mods) {
  QPointer<QWidget> guard(&target);
  QTest::sendKeyEvent(QTest::Press, &target, key, text, mods);
  if (guard) QTest::sendKeyEvent(QTest::Release, guard, key, text, mods);
  ProcessEvents();
}

// A point in the window's platform window for a point of its content.
QPoint InFrame(Window::Impl& w, QPoint contentPoint) {
  return w.content->mapTo(w.frame.data(), contentPoint);
}

internal::MenuView& ViewOf(const Ref<Window>& window) {
  Window::Impl& w = WindowOf(window);
  if (!w.menuView || !w.menuView->Bar() || !w.menuView->Model())
    Fail("the window shows no menu bar");
  return *w.menuView;
}

// A caption as the user reads it: without the mnemonic marks.
std::string CaptionOf(const QAction& a) {
  const QString text = a.text();
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return U(shown);
}

// A top-level menu of the drawn bar: by the name of its model item, by its caption in the
// model, or by the caption it shows (the Help menu has no model item).
QMenu& TopLevelMenu(internal::MenuView& view, const std::string& name) {
  Ref<MenuBar> model = view.Model();
  Ref<MenuItem> item = model->Child(name);
  for (std::int64_t i = 0; !item && i < model->Count(); ++i)
    if (model->Item(i)->Value() == name) item = model->Item(i);
  if (item) {
    if (QMenu* menu = view.MenuOf(*item)) return *menu;
    Fail("menu '" + name + "' is not drawn");
  }
  for (QAction* a : view.Bar()->actions())
    if (a->menu() && CaptionOf(*a) == name) return *a->menu();
  Fail("no top-level menu '" + name + "'");
}

// Opens a top-level menu by a click on the menu bar, as a user does.
QMenu& OpenTopLevel(const Ref<Window>& window, QMenu& menu) {
  internal::MenuView& view = ViewOf(window);
  ActivateFrame(FrameOf(window));
  if (!menu.menuAction()->isVisible()) Fail("menu '" + U(menu.title()) + "' is not drawn");
  QMenuBar* bar = view.Bar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu.menuAction()).center());
  ProcessEvents();
  if (!menu.isVisible())
    menu.popup(bar->mapToGlobal(bar->actionGeometry(menu.menuAction()).bottomLeft()));
  return menu;
}

// The window the simulated pointer is in, as far as these functions moved it.
QPointer<QWindow> pointerWindow;

// The first move into a window only enters the window itself; the next one reaches the widget
// under the pointer. So the pointer comes in at a spot that is not the target.
void EnterWindow(QWindow& handle, QWidget& top, const QRect& avoid) {
  if (pointerWindow == &handle) return;
  pointerWindow = &handle;
  for (QPoint p : {QPoint(0, 0), QPoint(top.width() - 1, top.height() - 1),
                   QPoint(0, top.height() - 1), QPoint(top.width() - 1, 0)}) {
    if (!avoid.contains(p)) {
      QTest::mouseMove(&handle, p);
      return;
    }
  }
}

void CloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  ProcessEvents();
  // The offscreen platform may hand the activation to a popup; on a desktop the frontmost window
  // stays active through a menu.
  if (Ref<Window> front = FrontWindow())
    if (QWidget* frame = front->impl().frame; frame && !frame->isActiveWindow())
      ActivateFrame(*frame);
}

}  // namespace

// ---- Recorders ----

MessageBoxRecorder::MessageBoxRecorder() {
  PresenterStack().push_back(internal::MessageBoxPresenter());
  internal::MessageBoxPresenter() = [this](const std::string& text) {
    boxes_.push_back({text, MomentOf(FrontWindow())});
  };
}

std::vector<std::string> MessageBoxRecorder::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(boxes_.size());
  for (const Box& box : boxes_) texts.push_back(box.text);
  return texts;
}

MessageBoxRecorder::~MessageBoxRecorder() {
  internal::MessageBoxPresenter() = PresenterStack().back();
  PresenterStack().pop_back();
}

BeepRecorder::BeepRecorder() {
  BeepStack().push_back(internal::BeepSound());
  internal::BeepSound() = [this] { ++count_; };
}

BeepRecorder::~BeepRecorder() {
  internal::BeepSound() = BeepStack().back();
  BeepStack().pop_back();
}

// ---- Keys ----

void TypeText(const Ref<RectControl>& control, const std::string& text) {
  for (const QString& c : Characters(text)) {
    QWidget& target = FocusFor(control);
    const char32_t cp = FirstCodePoint(c);
    Press(target, KeyFor(cp), cp == U'\n' ? QStringLiteral("\r") : c, Qt::NoModifier);
  }
}

void TypeKey(const Ref<RectControl>& control, Key key, bool ctrl) {
  QWidget& target = FocusFor(control);
  Qt::Key k = Qt::Key_unknown;
  QString text;
  Qt::KeyboardModifiers mods = ctrl ? Qt::ControlModifier : Qt::NoModifier;
  switch (key) {
    case Key::Backspace:
      k = Qt::Key_Backspace;
      text = QStringLiteral("\b");
      break;
    case Key::Tab:
      k = Qt::Key_Tab;
      text = QStringLiteral("\t");
      break;
    case Key::Return:
      k = Qt::Key_Return;
      text = QStringLiteral("\r");
      break;
    case Key::Enter:
      k = Qt::Key_Enter;
      text = QStringLiteral("\r");
      mods |= Qt::KeypadModifier;
      break;
    case Key::Escape:
      k = Qt::Key_Escape;
      text = QString(QChar(0x1B));
      break;
    case Key::Left:
      k = Qt::Key_Left;
      break;
    case Key::Right:
      k = Qt::Key_Right;
      break;
    case Key::Up:
      k = Qt::Key_Up;
      break;
    case Key::Down:
      k = Qt::Key_Down;
      break;
    case Key::Delete:
      k = Qt::Key_Delete;
      break;
    case Key::Home:
      k = Qt::Key_Home;
      break;
    case Key::End:
      k = Qt::Key_End;
      break;
    case Key::PageUp:
      k = Qt::Key_PageUp;
      break;
    case Key::PageDown:
      k = Qt::Key_PageDown;
      break;
    case Key::F1:
      k = Qt::Key_F1;
      break;
    case Key::Shift:
      k = Qt::Key_Shift;
      break;
    case Key::Control:
      k = Qt::Key_Control;
      break;
  }
  Press(target, k, text, mods);
}

void TypeCtrlKey(const Ref<RectControl>& control, char letter) {
  const char upper = (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 32) : letter;
  if (upper < 'A' || upper > 'Z') Fail("TypeCtrlKey takes a letter");
  QWidget& target = FocusFor(control);
  // The text a real keyboard gives: the letter's control code.
  Press(target, static_cast<Qt::Key>(Qt::Key_A + (upper - 'A')), QString(QChar(upper - 'A' + 1)),
        Qt::ControlModifier);
}

void TypeKeyText(const Ref<RectControl>& control, const std::string& text) {
  QWidget& target = FocusFor(control);
  const QString t = Q(text);
  const bool single = Characters(text).size() == 1;
  Press(target, single ? KeyFor(FirstCodePoint(t)) : Qt::Key_unknown, t, Qt::NoModifier);
}

void TypeKeyInWindow(const Ref<Window>& window, const std::string& text) {
  QWidget& frame = FrameOf(window);
  ActivateFrame(frame);
  const QString t = Q(text);
  const bool single = Characters(text).size() == 1;
  Press(frame, single ? KeyFor(FirstCodePoint(t)) : Qt::Key_unknown, t, Qt::NoModifier);
}

void Paste(const Ref<TextArea>& control, const std::string& text) {
  QApplication::clipboard()->setText(Q(text));
  PasteFromEditMenu(control);
}

void PasteFromEditMenu(const Ref<TextArea>& control) {
  FocusFor(control);
  internal::RunEditCommand(internal::EditCommand::Paste);
  ProcessEvents();
}

void UndoFromEditMenu(const Ref<TextArea>& control) {
  FocusFor(control);
  internal::RunEditCommand(internal::EditCommand::Undo);
  ProcessEvents();
}

void SetClipboardText(const std::string& text) {
  if (text.empty())
    QApplication::clipboard()->clear();
  else
    QApplication::clipboard()->setText(Q(text));
  ProcessEvents();
}

std::string ClipboardText() {
  return U(QApplication::clipboard()->text());
}

// ---- Pointer ----

void Click(const Ref<RectControl>& control) {
  QWidget& widget = WidgetOf(control);
  QWindow& handle = ShownWindowHandle(widget);
  EnterWindow(handle, *widget.window(),
              QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size()));
  QTest::mouseClick(&handle, Qt::LeftButton, {},
                    widget.mapTo(widget.window(), widget.rect().center()));
  ProcessEvents();
}

void ClickWindow(const Ref<Window>& window, int x, int y) {
  Window::Impl& w = WindowOf(window);
  QWindow& handle = ShownWindowHandle(FrameOf(window));
  EnterWindow(handle, *w.frame, QRect(InFrame(w, {x, y}), QSize(1, 1)));
  QTest::mouseClick(&handle, Qt::LeftButton, {}, InFrame(w, {x, y}));
  ProcessEvents();
}

void MoveMouseInto(const Ref<RectControl>& control) {
  QWidget& widget = WidgetOf(control);
  QWindow& handle = ShownWindowHandle(widget);
  EnterWindow(handle, *widget.window(),
              QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size()));
  QTest::mouseMove(&handle, widget.mapTo(widget.window(), widget.rect().center()));
  ProcessEvents();
}

void MoveMouseOutOf(const Ref<RectControl>& control) {
  QWidget& widget = WidgetOf(control);
  QWindow& handle = ShownWindowHandle(widget);
  QWidget* top = widget.window();
  const QRect inTop(widget.mapTo(top, QPoint(0, 0)), widget.size());
  EnterWindow(handle, *top, inTop);
  for (QPoint p : {inTop.topLeft() - QPoint(2, 2), inTop.bottomRight() + QPoint(2, 2),
                   QPoint(inTop.left() - 2, inTop.bottom() + 2),
                   QPoint(inTop.right() + 2, inTop.top() - 2), QPoint(0, 0)}) {
    if (top->rect().contains(p) && !inTop.contains(p)) {
      QTest::mouseMove(&handle, p);
      ProcessEvents();
      return;
    }
  }
  // The control fills its window: the pointer leaves the window.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&handle, &leave);
  ProcessEvents();
}

void ParkMouse() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (!top->isVisible() || !top->windowHandle()) continue;
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(top->windowHandle(), &leave);
  }
  QCursor::setPos(-10000, -10000);
  pointerWindow = nullptr;
  ProcessEvents();
}

// ---- Focus and windows ----

Ref<RectControl> FocusedControl(const Ref<Window>& window) {
  Window::Impl& w = WindowOf(window);
  if (!w.frame) return nullptr;
  Control::Impl* c = internal::ControlOfWidget(w.frame->focusWidget());
  if (!c || !c->self.ClassRecordOf().IsA(RectControl::Class())) return nullptr;
  return c->self.SelfAs<RectControl>();
}

void PressTab(const Ref<Window>& window) {
  QWidget& frame = FrameOf(window);
  ActivateFrame(frame);
  QWidget* focus = frame.focusWidget();
  Press(focus ? *focus : frame, Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier);
}

void CloseByUser(const Ref<Window>& window) {
  QWidget& frame = FrameOf(window);
  frame.close();
  ProcessEvents();
}

void Activate(const Ref<Window>& window) {
  ActivateFrame(FrameOf(window));
  ProcessEvents();
}

void MinimizeByUser(const Ref<Window>& window) {
  FrameOf(window).showMinimized();
  ProcessEvents();
}

void ResizeByUser(const Ref<Window>& window, int width, int height) {
  Window::Impl& w = WindowOf(window);
  QWidget& frame = FrameOf(window);
  // The frame holds the menu bar above the content.
  const QSize around = frame.size() - w.content->size();
  frame.resize(width + around.width(), height + around.height());
  ProcessEvents();
}

// ---- Menus ----

void OpenMenu(const Ref<Window>& window, const std::string& topLevelName) {
  internal::MenuView& view = ViewOf(window);
  OpenTopLevel(window, TopLevelMenu(view, topLevelName));
  CloseMenus();
}

void ChooseMenuItem(const Ref<Window>& window, const std::string& itemName) {
  internal::MenuView& view = ViewOf(window);
  Ref<MenuItem> item = view.Model()->Lookup(itemName);
  if (!item) Fail("no menu item '" + itemName + "'");
  QAction* action = view.ActionOf(*item);
  if (!action) Fail("menu item '" + itemName + "' is not drawn");
  // The menus that lead to the item as drawn (an AppleMenuItem sits in the Help menu), the
  // top-level one first.
  std::vector<QMenu*> path;
  for (QMenu* m = qobject_cast<QMenu*>(action->parent()); m; m = qobject_cast<QMenu*>(m->parent()))
    path.insert(path.begin(), m);
  if (path.empty()) Fail("'" + itemName + "' is a top-level menu, not an item");
  QMenu* menu = &OpenTopLevel(window, *path.front());
  for (std::size_t i = 1; i < path.size(); ++i) {
    QMenu* sub = path[i];
    sub->popup(menu->mapToGlobal(menu->actionGeometry(sub->menuAction()).topRight()));
    ProcessEvents();
    menu = sub;
  }
  if (action->isEnabled() && action->isVisible() && !action->isSeparator() && menu->isVisible()) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    ProcessEvents();
  }
  CloseMenus();
}

std::vector<std::string> ShownTopLevelCaptions(const Ref<Window>& window) {
  std::vector<std::string> out;
  for (QAction* a : ViewOf(window).Bar()->actions())
    if (a->isVisible()) out.push_back(CaptionOf(*a));
  return out;
}

std::vector<ShownMenuItem> ShownItems(const Ref<Window>& window, const std::string& topLevelName) {
  internal::MenuView& view = ViewOf(window);
  QMenu& menu = TopLevelMenu(view, topLevelName);
  std::vector<ShownMenuItem> out;
  for (QAction* a : menu.actions()) {
    if (!a->isVisible()) continue;
    ShownMenuItem s;
    s.name = U(a->property("fwMenuItem").toString());
    s.separator = a->isSeparator();
    s.caption = s.separator ? "-" : CaptionOf(*a);
    s.shortcut = U(a->shortcut().toString(QKeySequence::NativeText));
    s.enabled = a->isEnabled();
    out.push_back(s);
  }
  // The menu draws no separator first, last or after another.
  if (menu.separatorsCollapsible()) {
    std::vector<ShownMenuItem> drawn;
    for (const ShownMenuItem& s : out)
      if (!s.separator || (!drawn.empty() && !drawn.back().separator)) drawn.push_back(s);
    if (!drawn.empty() && drawn.back().separator) drawn.pop_back();
    out = std::move(drawn);
  }
  return out;
}

void PressKeys(const Ref<Window>& window, const std::string& keys) {
  QWidget& frame = FrameOf(window);
  const QKeySequence sequence = QKeySequence::fromString(Q(keys), QKeySequence::PortableText);
  if (sequence.isEmpty()) Fail("no key combination '" + keys + "'");
  QWidget* target = QApplication::activePopupWidget();
  if (!target) {
    ActivateFrame(frame);
    target = frame.focusWidget() ? frame.focusWidget() : &frame;
  }
  const QKeyCombination combination = sequence[0];
  const Qt::Key key = combination.key();
  const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
  // The text a keyboard gives with the key: its character, whatever Alt is held with it.
  QString text;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) text = QChar(u'0' + (key - Qt::Key_0));
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    text = QChar((mods & Qt::ShiftModifier ? u'A' : u'a') + (key - Qt::Key_A));
  if (key == Qt::Key_Return) text = QStringLiteral("\r");
  if (key == Qt::Key_Escape) text = QString(QChar(0x1B));
  if (key == Qt::Key_Space) text = QStringLiteral(" ");
  if (mods & Qt::ControlModifier) text.clear();
  Press(*target, key, text, mods);
}

std::string OpenMenuCaption() {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  return menu ? CaptionOf(*menu->menuAction()) : std::string();
}

void CloseOpenMenus() {
  CloseMenus();
}

// ---- The loop ----

void ProcessEvents(int milliseconds) {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (milliseconds > 0) WaitUntil([] { return false; }, milliseconds);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Never by a nested event loop: once a quit is pending each returns at once, so a wait built on
// them spins without handling an event.
bool WaitUntil(const std::function<bool()>& pred, int timeoutMilliseconds) {
  const QDeadlineTimer deadline(timeoutMilliseconds);
  // One timer for the whole wait, so that each pass below sleeps at most this long.
  QTimer wake;
  wake.setInterval(10);
  wake.start();
  while (!pred()) {
    if (deadline.hasExpired() || internal::QuitPending()) return pred();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// ---- What is shown ----

Shown ShownOf(const Ref<RectControl>& control) {
  Shown s;
  if (!control) Fail("a nil control");
  QWidget* w = control->impl().EnsureWidget();
  Window::Impl* win = control->impl().WindowImpl();
  if (!w || !win || !win->content) return s;
  const QPoint at = w->mapTo(win->content.data(), QPoint(0, 0));
  s.left = at.x();
  s.top = at.y();
  s.width = w->width();
  s.height = w->height();
  s.visibleOnScreen = w->isVisible();
  const QFontInfo info(w->font());
  s.fontFamily = U(info.family());
  s.fontPixelSize = info.pixelSize();
  s.bold = info.bold();
  s.monospaced = Monospaced(w->font());
  QPalette::ColorRole role = QPalette::WindowText;
  auto alignment = [](Qt::Alignment a) -> std::string {
    if (a & Qt::AlignHCenter) return "center";
    if (a & Qt::AlignRight) return "right";
    return "left";
  };
  if (auto* label = qobject_cast<QLabel*>(w)) {
    s.text = U(label->text());
    s.alignment = alignment(label->alignment());
    const QFontMetricsF metrics(label->font());
    double widest = 0;
    for (const QString& line : label->text().split(u'\n'))
      widest = std::max(widest, metrics.horizontalAdvance(line));
    s.textWidth = static_cast<int>(std::ceil(widest));
    // QLabel's own indent when it has a frame and none was set.
    const int indent = label->indent() >= 0 ? label->indent()
                       : label->frameWidth() > 0
                           ? static_cast<int>(metrics.horizontalAdvance(u'x') / 2)
                           : 0;
    s.textRoom = label->contentsRect().width() - 2 * label->margin() - indent;
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    s.text = U(line->text());
    s.alignment = alignment(line->alignment());
    role = QPalette::Text;
  } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
    s.text = U(edit->toPlainText());
    s.alignment = alignment(edit->document()->defaultTextOption().alignment());
    role = QPalette::Text;
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    s.text = U(button->text());
    role = QPalette::ButtonText;
  }
  s.textColor = w->palette().color(role).rgb() & 0xFFFFFF;
  return s;
}

ShownWindow ShownWindowOf(const Ref<Window>& window) {
  ShownWindow s;
  Window::Impl& w = WindowOf(window);
  if (!w.frame || !w.content) return s;
  s.width = w.content->width();
  s.height = w.content->height();
  s.title = U(w.frame->windowTitle());
  s.resizable = w.frame->minimumSize() != w.frame->maximumSize();
  const Qt::WindowFlags f = w.frame->windowFlags();
  s.minimizeButton = f.testFlag(Qt::WindowMinimizeButtonHint);
  s.maximizeButton = f.testFlag(Qt::WindowMaximizeButtonHint);
  s.closeButton = f.testFlag(Qt::WindowCloseButtonHint);
  s.visible = w.frame->isVisible();
  s.active = w.frame->isActiveWindow();
  s.minimized = w.frame->isMinimized();
  if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.frame.data())) {
    s.accessibleAsWindow = a->role() == QAccessible::Window;
    s.accessibleName = U(a->text(QAccessible::Name));
  }
  s.background = w.content->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
  return s;
}

void DestroyAllWindows() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  internal::DestroyAllWindows();
  ProcessEvents();
}

// ---- Fixture ----

void GuiTest::SetUp() {
  ParkMouse();
}
void GuiTest::TearDown() {
  DestroyAllWindows();
}

}  // namespace fw::testing
