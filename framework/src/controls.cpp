#include "framework/controls.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <limits>

#include "framework/property_list.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "inserted_text.h"
#include "internal.h"
#include "undo_steps.h"
#include "widgets.h"

namespace fw {

namespace internal {

QString Q(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string U(const QString& text) {
  return text.toUtf8().toStdString();
}

// ---- Key texts ----

std::optional<std::string> KeyTextOf(const QKeyEvent& e) {
  auto code = [](char c) { return std::optional<std::string>(std::string(1, c)); };
  switch (e.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
      return std::nullopt;
    case Qt::Key_Backspace:
      return code(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return code(9);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return code(13);
    case Qt::Key_Escape:
      return code(27);
    case Qt::Key_Left:
      return code(28);
    case Qt::Key_Right:
      return code(29);
    case Qt::Key_Up:
      return code(30);
    case Qt::Key_Down:
      return code(31);
    case Qt::Key_Delete:
      return code(127);
    case Qt::Key_Home:
      return code(1);
    case Qt::Key_End:
      return code(4);
    case Qt::Key_PageUp:
      return code(11);
    case Qt::Key_PageDown:
      return code(12);
    case Qt::Key_Insert:
    case Qt::Key_Help:
    case Qt::Key_Print:
    case Qt::Key_SysReq:
    case Qt::Key_Pause:
    case Qt::Key_Clear:
    case Qt::Key_Menu:
      return code(16);
    default:
      break;
  }
  if (e.key() >= Qt::Key_F1 && e.key() <= Qt::Key_F35) return code(16);
  if ((e.modifiers() & Qt::ControlModifier) && e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
    return code(static_cast<char>(e.key() - Qt::Key_A + 1));
  if (!e.text().isEmpty()) return U(e.text());
  return std::nullopt;
}

// ---- Widgets ----

namespace {

constexpr const char* kControlProperty = "fwControl";

QColor Rgb(std::uint32_t rgb) {
  return QColor::fromRgb(rgb & 0xFFFFFF);
}

bool IsLineBreak(QChar c) {
  return c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029);
}

// Keeps a one-line field free of line breaks: pasted text ends at its first break.
class OneLineValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const auto first = std::find_if(input.begin(), input.end(), IsLineBreak);
    if (first == input.end()) return Acceptable;
    const int at = static_cast<int>(first - input.begin());
    if (at < pos) {
      input.remove(at, pos - at);
      pos = at;
    }
    input.removeIf(IsLineBreak);
    return Acceptable;
  }
};

class LineEdit : public QLineEdit {
 public:
  LineEdit(Control::Impl& c, QWidget* parent) : QLineEdit(parent), control(c) {
    setValidator(new OneLineValidator(this));
  }
  Control::Impl& control;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress && control.KeyDown(static_cast<QKeyEvent&>(*e))) {
      e->accept();
      return true;
    }
    return DeliverToField(control, *this, *e, [this](QEvent* x) { return QLineEdit::event(x); });
  }
};

class TextEdit : public QTextEdit {
 public:
  TextEdit(Control::Impl& c, QWidget* parent) : QTextEdit(parent), control(c) {}
  Control::Impl& control;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress && control.KeyDown(static_cast<QKeyEvent&>(*e))) {
      e->accept();
      return true;
    }
    return DeliverToField(control, *this, *e, [this](QEvent* x) { return QTextEdit::event(x); });
  }
  bool viewportEvent(QEvent* e) override {
    return DeliverToField(control, *this, *e,
                          [this](QEvent* x) { return QTextEdit::viewportEvent(x); });
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (const auto data = InsertableData(control, *this, source))
      InsertAsOneStep(*this, [&] { QTextEdit::insertFromMimeData(data.get()); });
  }
};

void DeliverCanvas(Control::Impl& c, const std::function<void(Ref<Canvas>)>& handler) {
  if (!handler) return;
  Ref<Canvas> sender = c.self.SelfAs<Canvas>();
  RunGuarded([&] { handler(sender); });
}

class CanvasWidget : public QWidget {
 public:
  CanvasWidget(Control::Impl& c, QWidget* parent) : QWidget(parent), control(c) {}
  Control::Impl& control;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!control.backdrop || control.backdrop->impl().pixmap.isNull()) return;
    QPainter p(this);
    p.drawPixmap(0, 0, control.backdrop->impl().pixmap);
  }
  void enterEvent(QEnterEvent*) override { DeliverCanvas(control, control.mouseEnter); }
  void leaveEvent(QEvent*) override { DeliverCanvas(control, control.mouseExit); }
  void mousePressEvent(QMouseEvent* e) override {
    // Without a handler of its own the click goes on to the window.
    if (!control.mouseDown) {
      e->ignore();
      return;
    }
    e->accept();
    Ref<Canvas> sender = control.self.SelfAs<Canvas>();
    const QPoint at = e->position().toPoint();
    RunGuarded([&] { control.mouseDown(sender, at.x(), at.y()); });
  }
};

class RoundRectangleWidget : public QWidget {
 public:
  RoundRectangleWidget(Control::Impl& c, QWidget* parent) : QWidget(parent), control(c) {}
  Control::Impl& control;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = std::max(0.0, control.borderThickness);
    if (t > 0)
      p.setPen(QPen(Rgb(control.borderColor), t));
    else
      p.setPen(Qt::NoPen);
    p.setBrush(Rgb(control.fillColor));
    const QRectF r = QRectF(rect()).adjusted(t / 2, t / 2, -t / 2, -t / 2);
    p.drawRoundedRect(r, std::max(0.0, control.cornerWidth / 2),
                      std::max(0.0, control.cornerHeight / 2));
  }
};

// Label text: a CR breaks the line.
QString DisplayText(const std::string& text) {
  QString s = Q(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(u'\r', u'\n');
  return s;
}

// The text of a multi-line field with CR between lines, as the design data writes it.
std::string FromDocument(const QTextDocument& doc) {
  QString raw = doc.toRawText();
  for (QChar& c : raw)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\r';
  return U(raw);
}

QString ToDocument(const std::string& text) {
  return DisplayText(text);
}

Qt::Alignment HorizontalAlignment(std::int64_t code) {
  switch (code) {
    case 2:
      return Qt::AlignHCenter;
    case 3:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

// Positions in characters (code points) and in the platform's UTF-16 units.
int Utf16Index(const QString& s, std::int64_t characters) {
  int i = 0;
  for (std::int64_t n = 0; n < characters && i < s.size(); ++n)
    i += (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
  return i;
}

std::int64_t CharacterCount(const QString& s, int utf16Index) {
  std::int64_t n = 0;
  const int end = std::clamp(utf16Index, 0, static_cast<int>(s.size()));
  for (int i = 0; i < end; ++n)
    i += (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
  return n;
}

bool AllBold(const QTextDocument& doc, int start, int end) {
  auto bold = [&](const QTextCharFormat& f) {
    return f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::Bold
                                                  : doc.defaultFont().bold();
  };
  if (start >= end) {
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(start);
    return bold(c.charFormat());
  }
  for (QTextBlock b = doc.findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.position() + f.length() <= start || f.position() >= end) continue;
      if (!bold(f.charFormat())) return false;
    }
  }
  return true;
}

int ClampToInt(std::int64_t v, int lo, int hi) {
  return static_cast<int>(std::clamp<std::int64_t>(v, lo, hi));
}

constexpr int kCoordinateLimit = 1000000;

}  // namespace

Control::Impl* ControlOfWidget(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant v = w->property(kControlProperty);
    if (v.isValid()) return reinterpret_cast<Control::Impl*>(v.value<quintptr>());
    if (w->isWindow()) break;
  }
  return nullptr;
}

namespace {

// QLineEdit and QTextEdit share these four slots.
template <class Edit>
void RunEditCommandOn(Edit& edit, EditCommand command) {
  const bool editable = !edit.isReadOnly();
  switch (command) {
    case EditCommand::Undo:
      if (editable) edit.undo();
      break;
    case EditCommand::Cut:
      if (editable) edit.cut();
      break;
    case EditCommand::Copy:
      edit.copy();
      break;
    case EditCommand::Paste:
      if (editable) edit.paste();
      break;
  }
}

}  // namespace

bool RunEditCommand(EditCommand command) {
  QWidget* focus = QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    if (command == EditCommand::Paste)
      PasteInto(*line);
    else
      RunEditCommandOn(*line, command);
    return true;
  }
  if (auto* text = qobject_cast<QTextEdit*>(focus)) {
    RunEditCommandOn(*text, command);
    return true;
  }
  return false;
}

QTextDocument* DocumentOf(const TextArea& field) {
  auto* edit = qobject_cast<QTextEdit*>(field.impl().EnsureWidget());
  return edit ? edit->document() : nullptr;
}

}  // namespace internal

// ---- Control::Impl ----

using internal::ControlKind;

Control::Impl::~Impl() {
  if (widget && QCoreApplication::instance()) delete widget.data();
}

Window::Impl* Control::Impl::WindowImpl() const {
  std::shared_ptr<Object> w = window.lock();
  return w ? &static_cast<fw::Window&>(*w).impl() : nullptr;
}

Control::Impl* Control::Impl::ParentNamed(const std::string& name, bool* loops) const {
  if (loops) *loops = false;
  Window::Impl* w = WindowImpl();
  if (!w) return nullptr;
  auto find = [w](const std::string& n) -> Control::Impl* {
    auto it = n.empty() ? w->byName.end() : w->byName.find(n);
    return it == w->byName.end() ? nullptr : &it->second->impl();
  };
  Control::Impl* parent = find(name);
  // A control cannot sit inside itself or inside a control of its own; and design data may name
  // a loop that never comes back here. A chain longer than the window has controls is a loop.
  std::size_t steps = 0;
  for (Control::Impl* a = parent; a != nullptr; a = find(a->initialParent)) {
    if (a == this || ++steps > w->byName.size()) {
      if (loops) *loops = true;
      return nullptr;
    }
  }
  return parent;
}

Control::Impl* Control::Impl::ParentControl() const {
  Control::Impl* p = ParentNamed(initialParent);
  if (!p || p->kind == ControlKind::Timer || p->kind == ControlKind::None) return nullptr;
  return p;
}

QWidget* Control::Impl::EnsureWidget() {
  if (widget) return widget;
  if (!constructed || kind == ControlKind::None || kind == ControlKind::Timer) return nullptr;
  Window::Impl* w = WindowImpl();
  if (!w || w->closed) return nullptr;
  w->EnsureWidgets();
  QWidget* parent = w->content;
  if (Control::Impl* p = ParentControl())
    if (QWidget* pw = p->EnsureWidget()) parent = pw;

  QWidget* made = nullptr;
  switch (kind) {
    case ControlKind::TextArea:
      if (multiline)
        made = new internal::TextEdit(*this, parent);
      else
        made = new internal::LineEdit(*this, parent);
      break;
    case ControlKind::Label:
      made = new QLabel(parent);
      break;
    case ControlKind::PushButton: {
      auto* b = new QPushButton(parent);
      // Neither default nor cancel: Return and Escape press no button.
      b->setAutoDefault(false);
      b->setDefault(false);
      QObject::connect(b, &QPushButton::clicked, b, [this] {
        if (!action) return;
        Ref<PushButton> sender = self.SelfAs<PushButton>();
        RunGuarded([&] { action(sender); });
      });
      made = b;
      break;
    }
    case ControlKind::Canvas:
      made = new internal::CanvasWidget(*this, parent);
      break;
    case ControlKind::RoundRectangle:
      made = new internal::RoundRectangleWidget(*this, parent);
      break;
    case ControlKind::None:
    case ControlKind::Timer:
      return nullptr;
  }
  made->setProperty(internal::kControlProperty,
                    QVariant::fromValue(reinterpret_cast<quintptr>(this)));
  widget = made;
  ApplyAll(true);
  if (w->constructed) w->UpdateTabOrder();
  return widget;
}

void Control::Impl::ApplyGeometry() {
  internal::AnchorLocks(*this);
  if (!widget) return;
  Window::Impl* w = WindowImpl();
  if (!w) return;
  int originX = 0, originY = 0;
  QWidget* parent = w->content;
  if (Control::Impl* p = ParentControl()) {
    if (QWidget* pw = p->EnsureWidget()) {
      parent = pw;
      originX = p->left;
      originY = p->top;
    }
  }
  if (parent && widget->parentWidget() != parent) {
    widget->setParent(parent);  // hides it
    widget->setVisible(visible);
  }
  widget->setGeometry(left - originX, top - originY, std::max(0, width), std::max(0, height));
  for (const Ref<Control>& c : w->controls)
    if (c->impl().ParentControl() == this) c->impl().ApplyGeometry();
}

void Control::Impl::ApplyAll(bool withText) {
  if (!widget) return;
  ApplyGeometry();
  widget->setEnabled(enabled);
  widget->setToolTip(internal::Q(tooltip));
  const QFont qfont = internal::MakeFont(font);
  switch (kind) {
    case ControlKind::TextArea: {
      widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
      widget->setFont(qfont);
      QPalette p = widget->palette();
      p.setColor(QPalette::Base, internal::Rgb(background));
      p.setColor(QPalette::Text, internal::Rgb(textColor));
      widget->setPalette(p);
      if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setFrame(hasBorder);
        line->setReadOnly(readOnly);
        line->setAlignment(internal::HorizontalAlignment(alignment) | Qt::AlignVCenter);
        line->setMaxLength(maxChars > 0 ? internal::ClampToInt(maxChars, 1, 32767) : 32767);
        if (withText) line->setText(internal::Q(text));
      } else if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
        edit->setFrameShape(hasBorder ? QFrame::StyledPanel : QFrame::NoFrame);
        edit->setReadOnly(readOnly);
        edit->setAcceptRichText(styled);
        edit->setTabChangesFocus(!allowTabs);
        edit->setHorizontalScrollBarPolicy(hScroll ? Qt::ScrollBarAsNeeded
                                                   : Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(vScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setLineWrapMode(hScroll ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
        edit->document()->setDefaultFont(qfont);
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(internal::HorizontalAlignment(alignment));
        edit->document()->setDefaultTextOption(option);
        if (withText) edit->setPlainText(internal::ToDocument(text));
      }
      break;
    }
    case ControlKind::Label: {
      auto* label = static_cast<QLabel*>(widget.data());
      label->setFocusPolicy(Qt::NoFocus);
      label->setFont(qfont);
      label->setTextFormat(Qt::PlainText);
      label->setText(internal::DisplayText(text));
      label->setWordWrap(labelMultiline);
      label->setAlignment(internal::HorizontalAlignment(alignment) | Qt::AlignTop);
      label->setTextInteractionFlags(selectable ? Qt::TextSelectableByMouse
                                                : Qt::NoTextInteraction);
      QPalette p = label->palette();
      p.setColor(QPalette::WindowText, internal::Rgb(textColor));
      label->setPalette(p);
      // An opaque label shows the window's background over what lies beneath it.
      label->setAutoFillBackground(!transparent);
      break;
    }
    case ControlKind::PushButton: {
      auto* button = static_cast<QPushButton*>(widget.data());
      // A click leaves the focus where the user was typing; only Tab brings it here.
      button->setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
      button->setFont(qfont);
      button->setText(internal::Q(text).replace(u'&', QStringLiteral("&&")));
      break;
    }
    case ControlKind::Canvas:
    case ControlKind::RoundRectangle:
      widget->setFocusPolicy(Qt::NoFocus);
      widget->update();
      break;
    case ControlKind::None:
    case ControlKind::Timer:
      break;
  }
  widget->setVisible(visible);
}

bool Control::Impl::KeyDown(const QKeyEvent& event) {
  if (!keyDown) return false;
  std::optional<std::string> key = internal::KeyTextOf(event);
  if (!key) return false;
  Ref<TextArea> sender = self.SelfAs<TextArea>();
  bool discard = true;  // a handler that fails does not let its key through
  RunGuarded([&] { discard = keyDown(sender, *key); });
  return discard;
}

void Control::Impl::RestartTimer() {
  if (kind != ControlKind::Timer || !constructed || !QCoreApplication::instance()) return;
  if (!timer) {
    timer = std::make_unique<QTimer>();
    // Coarse timers may fire up to 5% early.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this] {
      std::shared_ptr<Object> owner = window.lock();
      Window::Impl* w = WindowImpl();
      if (adopted && (!owner || !w || w->closed)) {
        StopTimer();
        return;
      }
      if (runMode == 1) {
        runMode = 0;  // spent
        StopTimer();
      }
      if (!timerAction) return;
      Ref<Timer> sender = self.SelfAs<Timer>();
      RunGuarded([&] { timerAction(sender); });
    });
  }
  timer->stop();
  if (runMode != 1 && runMode != 2) return;
  timer->setSingleShot(runMode == 1);
  timer->setInterval(internal::ClampToInt(period, 1, std::numeric_limits<int>::max()));
  timer->start();
}

void Control::Impl::StopTimer() {
  if (timer) timer->stop();
}

// ---- Control ----

Control::Control() : impl_(std::make_unique<Impl>(*this)) {}
Control::~Control() = default;

void Control::Constructor() {
  impl_->constructed = true;
}

Ref<fw::Window> Control::Window() const {
  std::shared_ptr<Object> w = impl_->window.lock();
  if (!w) return nullptr;
  return Ref<fw::Window>(std::static_pointer_cast<fw::Window>(w));
}

std::string Control::Name() const {
  return impl_->name;
}

void Control::AddEventHandler(int eventId, const Ref<Delegate>&) {
  throw RuntimeException(ClassRecordOf().name + " has no event " + std::to_string(eventId));
}

namespace {

void StructureChanged(Control::Impl& c) {
  if (Window::Impl* w = c.WindowImpl(); w && w->constructed) w->UpdateTabOrder();
}

// Font and text-colour properties shared by the controls that show text.
bool SetTextProperty(Control::Impl& c, const std::string& name, const PropertyValue& value) {
  if (name == "FontName") {
    c.font.name = value.Text();
  } else if (name == "FontSize") {
    const float size = value.Size();
    c.font.size = std::isfinite(size) ? std::clamp(static_cast<double>(size), 0.0, 1000.0) : 0.0;
  } else if (name == "Bold") {
    c.font.bold = value.Boolean();
  } else if (name == "Italic") {
    c.font.italic = value.Boolean();
  } else if (name == "Underline") {
    c.font.underline = value.Boolean();
  } else if (name == "TextColor") {
    c.textColor = value.Rgb();
  } else if (name == "TextAlignment") {
    c.alignment = value.Integer();
  } else {
    return false;
  }
  c.ApplyAll();
  return true;
}

template <class R, class... A>
std::function<R(A...)> Bind(const Control& control, const Ref<Delegate>& handler, const char* event,
                            const char* signature) {
  if (!handler) throw NilObjectException(std::string("a nil handler for ") + event);
  if (!internal::SameSignature(handler->Signature(), signature))
    throw RuntimeException(control.ClassRecordOf().name + "." + event + " takes a handler \"" +
                           signature + "\", not \"" + handler->Signature() + "\"");
  return handler->Callable<R, A...>();
}

}  // namespace

void Control::SetProperty(const std::string& name, const PropertyValue& value) {
  Impl& d = *impl_;
  using internal::ClampToInt;
  using internal::kCoordinateLimit;
  if (internal::SetLockProperty(d, name, value)) return;
  if (name == "Left") {
    d.left = ClampToInt(value.Integer(), -kCoordinateLimit, kCoordinateLimit);
    d.ApplyGeometry();
  } else if (name == "Top") {
    d.top = ClampToInt(value.Integer(), -kCoordinateLimit, kCoordinateLimit);
    d.ApplyGeometry();
  } else if (name == "Width") {
    d.width = ClampToInt(value.Integer(), 0, kCoordinateLimit);
    d.ApplyGeometry();
  } else if (name == "Height") {
    d.height = ClampToInt(value.Integer(), 0, kCoordinateLimit);
    d.ApplyGeometry();
  } else if (name == "Visible") {
    d.visible = value.Boolean();
    if (d.widget) d.widget->setVisible(d.visible);
  } else if (name == "Enabled") {
    d.enabled = value.Boolean();
    if (d.widget) d.widget->setEnabled(d.enabled);
  } else if (name == "TabIndex") {
    d.tabIndex = value.Integer();
    StructureChanged(d);
  } else if (name == "TabStop") {
    d.tabStop = value.Boolean();
    d.ApplyAll();
    StructureChanged(d);
  } else if (name == "InitialParent") {
    d.initialParent = value.Text();
    d.ApplyGeometry();
    StructureChanged(d);
  } else if (name == "Tooltip") {
    d.tooltip = value.Text();
    if (d.widget) d.widget->setToolTip(internal::Q(d.tooltip));
  } else if (name == "Name") {
    // The window registers the control under its name; the list's Name names it when nothing
    // has yet.
    if (d.name.empty()) d.name = value.Text();
  }
}

// ---- RectControl ----

int RectControl::Left() const {
  return impl_->left;
}
int RectControl::Top() const {
  return impl_->top;
}
int RectControl::Width() const {
  return impl_->width;
}
int RectControl::Height() const {
  return impl_->height;
}
bool RectControl::Visible() const {
  return impl_->visible;
}

void RectControl::SetVisible(bool visible) {
  impl_->visible = visible;
  if (QWidget* w = impl_->EnsureWidget()) w->setVisible(visible);
}

bool RectControl::Enabled() const {
  return impl_->enabled;
}

void RectControl::SetEnabled(bool enabled) {
  impl_->enabled = enabled;
  if (QWidget* w = impl_->EnsureWidget()) w->setEnabled(enabled);
}

void RectControl::SetFocus() {
  QWidget* w = impl_->EnsureWidget();
  if (w && w->focusPolicy() != Qt::NoFocus) w->setFocus(Qt::OtherFocusReason);
}

bool RectControl::HasFocus() const {
  const QWidget* w = impl_->widget;
  return w && w->window()->focusWidget() == w;
}

std::int64_t RectControl::TabIndex() const {
  return impl_->tabIndex;
}

// ---- TextArea ----

void TextArea::Constructor() {
  impl_->kind = ControlKind::TextArea;
  Control::Constructor();
}

std::string TextArea::Text() const {
  if (auto* line = qobject_cast<QLineEdit*>(impl_->widget)) return internal::U(line->text());
  if (auto* edit = qobject_cast<QTextEdit*>(impl_->widget))
    return internal::FromDocument(*edit->document());
  // No widget (not made yet, or its window is gone): a one-line field still holds no line break.
  if (!impl_->multiline) return impl_->text.substr(0, impl_->text.find_first_of("\r\n"));
  return impl_->text;
}

void TextArea::SetText(const std::string& text) {
  impl_->text = text;
  QWidget* w = impl_->EnsureWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) line->setText(internal::Q(text));
  if (auto* edit = qobject_cast<QTextEdit*>(w)) edit->setPlainText(internal::ToDocument(text));
}

std::int64_t TextArea::SelStart() const {
  if (auto* line = qobject_cast<QLineEdit*>(impl_->widget)) {
    const int at = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    return internal::CharacterCount(line->text(), at);
  }
  if (auto* edit = qobject_cast<QTextEdit*>(impl_->widget))
    return internal::CharacterCount(edit->document()->toRawText(),
                                    edit->textCursor().selectionStart());
  return 0;
}

void TextArea::SetSelStart(std::int64_t start) {
  QWidget* w = impl_->EnsureWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->setCursorPosition(internal::Utf16Index(line->text(), std::max<std::int64_t>(0, start)));
  } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
    QTextCursor c = edit->textCursor();
    c.setPosition(
        internal::Utf16Index(edit->document()->toRawText(), std::max<std::int64_t>(0, start)));
    edit->setTextCursor(c);
  }
}

std::int64_t TextArea::SelLength() const {
  if (auto* line = qobject_cast<QLineEdit*>(impl_->widget)) {
    if (!line->hasSelectedText()) return 0;
    return internal::CharacterCount(line->selectedText(),
                                    static_cast<int>(line->selectedText().size()));
  }
  if (auto* edit = qobject_cast<QTextEdit*>(impl_->widget)) {
    const QString raw = edit->document()->toRawText();
    const QTextCursor c = edit->textCursor();
    return internal::CharacterCount(raw, c.selectionEnd()) -
           internal::CharacterCount(raw, c.selectionStart());
  }
  return 0;
}

void TextArea::SetSelLength(std::int64_t length) {
  const std::int64_t start = SelStart();
  const std::int64_t len = std::max<std::int64_t>(0, length);
  QWidget* w = impl_->EnsureWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    const QString t = line->text();
    const int from = internal::Utf16Index(t, start);
    const int to = internal::Utf16Index(t, start + len);
    if (to > from)
      line->setSelection(from, to - from);
    else
      line->setCursorPosition(from);
  } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
    const QString raw = edit->document()->toRawText();
    QTextCursor c = edit->textCursor();
    c.setPosition(internal::Utf16Index(raw, start));
    c.setPosition(internal::Utf16Index(raw, start + len), QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
  }
}

bool TextArea::SelBold() const {
  auto* edit = qobject_cast<QTextEdit*>(impl_->widget);
  if (!edit) return impl_->font.bold;
  const QTextCursor c = edit->textCursor();
  return internal::AllBold(*edit->document(), c.selectionStart(), c.selectionEnd());
}

void TextArea::SetSelBold(bool bold) {
  auto* edit = qobject_cast<QTextEdit*>(impl_->EnsureWidget());
  // A plain-text field has one style for all of its text.
  if (!edit || !impl_->styled) return;
  QTextCursor c = edit->textCursor();
  QTextCharFormat f;
  f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  // A style the program sets is no edit of the user's to undo.
  internal::ChangeWithoutUndoStep(*edit->document(), [&] { c.mergeCharFormat(f); });
  edit->setTextCursor(c);
}

bool TextArea::Multiline() const {
  return impl_->multiline;
}
bool TextArea::ReadOnly() const {
  return impl_->readOnly;
}
std::int64_t TextArea::MaximumCharactersAllowed() const {
  return impl_->maxChars;
}

void TextArea::AddEventHandler(int eventId, const Ref<Delegate>& handler) {
  if (eventId != EventId::KeyDown) return Control::AddEventHandler(eventId, handler);
  impl_->keyDown = Bind<bool, Ref<TextArea>, std::string>(*this, handler, "KeyDown",
                                                          "( TextArea, String ) as Boolean");
}

void TextArea::SetProperty(const std::string& name, const PropertyValue& value) {
  Impl& d = *impl_;
  if (SetTextProperty(d, name, value)) return;
  if (name == "Value") {
    d.text = value.Text();
    if (d.widget) SetText(d.text);
  } else if (name == "Multiline") {
    if (d.widget) d.text = Text();
    const bool wasMultiline = d.multiline;
    d.multiline = value.Boolean();
    if (d.widget && wasMultiline != d.multiline) {
      // Another kind of field: the old widget goes once its events are done.
      QWidget* old = d.widget;
      old->hide();
      old->setProperty(internal::kControlProperty, QVariant());
      old->deleteLater();
      d.widget = nullptr;
      d.EnsureWidget();
    }
  } else if (name == "ReadOnly") {
    d.readOnly = value.Boolean();
    d.ApplyAll();
  } else if (name == "HasBorder" || name == "AllowStyledText" || name == "HasHorizontalScrollbar" ||
             name == "HasVerticalScrollbar" || name == "AllowTabs" ||
             name == "MaximumCharactersAllowed" || name == "BackgroundColor") {
    if (name == "HasBorder") d.hasBorder = value.Boolean();
    if (name == "AllowStyledText") d.styled = value.Boolean();
    if (name == "HasHorizontalScrollbar") d.hScroll = value.Boolean();
    if (name == "HasVerticalScrollbar") d.vScroll = value.Boolean();
    if (name == "AllowTabs") d.allowTabs = value.Boolean();
    if (name == "MaximumCharactersAllowed") d.maxChars = std::max<std::int64_t>(0, value.Integer());
    if (name == "BackgroundColor") d.background = value.Rgb();
    d.ApplyAll();
  } else {
    Control::SetProperty(name, value);
  }
}

// ---- Label ----

void Label::Constructor() {
  impl_->kind = ControlKind::Label;
  Control::Constructor();
}

std::string Label::Text() const {
  return impl_->text;
}

void Label::SetText(const std::string& text) {
  impl_->text = text;
  if (auto* label = qobject_cast<QLabel*>(impl_->EnsureWidget()))
    label->setText(internal::DisplayText(text));
}

void Label::SetProperty(const std::string& name, const PropertyValue& value) {
  Impl& d = *impl_;
  if (SetTextProperty(d, name, value)) return;
  if (name == "Value") {
    d.text = value.Text();
  } else if (name == "Multiline") {
    d.labelMultiline = value.Boolean();
  } else if (name == "Selectable") {
    d.selectable = value.Boolean();
  } else if (name == "Transparent") {
    d.transparent = value.Boolean();
  } else {
    return Control::SetProperty(name, value);
  }
  d.ApplyAll();
}

// ---- PushButton ----

void PushButton::Constructor() {
  impl_->kind = ControlKind::PushButton;
  Control::Constructor();
}

std::string PushButton::Caption() const {
  return impl_->text;
}

void PushButton::AddEventHandler(int eventId, const Ref<Delegate>& handler) {
  if (eventId != EventId::Action) return Control::AddEventHandler(eventId, handler);
  impl_->action = Bind<void, Ref<PushButton>>(*this, handler, "Action", "( PushButton )");
}

void PushButton::SetProperty(const std::string& name, const PropertyValue& value) {
  Impl& d = *impl_;
  if (SetTextProperty(d, name, value)) return;
  if (name == "Caption") {
    d.text = value.Text();
    d.ApplyAll();
  } else {
    // Default and Cancel stay without effect: no button here answers Return or Escape.
    Control::SetProperty(name, value);
  }
}

// ---- Canvas ----

void Canvas::Constructor() {
  impl_->kind = ControlKind::Canvas;
  Control::Constructor();
}

Ref<Picture> Canvas::Backdrop() const {
  return impl_->backdrop;
}

void Canvas::SetBackdrop(const Ref<Picture>& picture) {
  impl_->backdrop = picture;
  if (QWidget* w = impl_->widget) w->update();
}

void Canvas::AddEventHandler(int eventId, const Ref<Delegate>& handler) {
  Impl& d = *impl_;
  switch (eventId) {
    case EventId::MouseEnter:
      d.mouseEnter = Bind<void, Ref<Canvas>>(*this, handler, "MouseEnter", "( Canvas )");
      break;
    case EventId::MouseExit:
      d.mouseExit = Bind<void, Ref<Canvas>>(*this, handler, "MouseExit", "( Canvas )");
      break;
    case EventId::MouseDown:
      d.mouseDown = Bind<bool, Ref<Canvas>, std::int64_t, std::int64_t>(
          *this, handler, "MouseDown", "( Canvas, Integer, Integer ) as Boolean");
      break;
    default:
      Control::AddEventHandler(eventId, handler);
  }
}

void Canvas::SetProperty(const std::string& name, const PropertyValue& value) {
  if (name == "AllowFocus") {
    impl_->allowFocus = value.Boolean();  // a canvas never takes the focus here
  } else {
    Control::SetProperty(name, value);
  }
}

// ---- RoundRectangle ----

void RoundRectangle::Constructor() {
  impl_->kind = ControlKind::RoundRectangle;
  Control::Constructor();
}

void RoundRectangle::SetProperty(const std::string& name, const PropertyValue& value) {
  Impl& d = *impl_;
  if (name == "FillColor") {
    d.fillColor = value.Rgb();
  } else if (name == "BorderColor") {
    d.borderColor = value.Rgb();
  } else if (name == "BorderThickness") {
    d.borderThickness = std::isfinite(value.Real()) ? std::clamp(value.Real(), 0.0, 1000.0) : 0.0;
  } else if (name == "CornerWidth") {
    d.cornerWidth = std::isfinite(value.Real()) ? std::clamp(value.Real(), 0.0, 100000.0) : 0.0;
  } else if (name == "CornerHeight") {
    d.cornerHeight = std::isfinite(value.Real()) ? std::clamp(value.Real(), 0.0, 100000.0) : 0.0;
  } else {
    return Control::SetProperty(name, value);
  }
  if (d.widget) d.widget->update();
}

// ---- Timer ----

void Timer::Constructor() {
  impl_->kind = ControlKind::Timer;
  Control::Constructor();
  impl_->RestartTimer();
}

std::int64_t Timer::Period() const {
  return impl_->period;
}
std::int64_t Timer::RunMode() const {
  return impl_->runMode;
}

void Timer::AddEventHandler(int eventId, const Ref<Delegate>& handler) {
  if (eventId != EventId::TimerAction) return Control::AddEventHandler(eventId, handler);
  impl_->timerAction = Bind<void, Ref<Timer>>(*this, handler, "Action", "( Timer )");
}

void Timer::SetProperty(const std::string& name, const PropertyValue& value) {
  if (name == "Period") {
    impl_->period = std::max<std::int64_t>(0, value.Integer());
    impl_->RestartTimer();
  } else if (name == "RunMode") {
    impl_->runMode = value.Integer();
    impl_->RestartTimer();
  } else {
    Control::SetProperty(name, value);
  }
}

}  // namespace fw
