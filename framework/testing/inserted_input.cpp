// Text that reaches a field without being typed, through the platform's events.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <memory>

#include "framework/testing/testing.h"
#include "widgets.h"

namespace fw::testing {

namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw RuntimeException("testing: " + what);
}

// The control focused in its window, in front; the widget that has the focus.
QWidget& Focused(const Ref<RectControl>& control) {
  if (!control) Fail("a nil control");
  QWidget* widget = control->impl().EnsureWidget();
  if (!widget) Fail("control '" + control->Name() + "' has no platform widget");
  Activate(control->Window());
  control->SetFocus();
  ProcessEvents();
  QWidget* focus = widget->window()->focusWidget();
  return focus ? *focus : *widget;
}

// Where a field's pointer events and drops land.
QWidget& PointerTarget(QWidget& widget) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(&widget)) return *area->viewport();
  return widget;
}

// Data that holds no text; the caller owns it.
QMimeData* NonTextData(NonText what) {
  auto* data = new QMimeData;
  switch (what) {
    case NonText::NoFormat:
      break;
    case NonText::Image: {
      QImage image(4, 4, QImage::Format_RGB32);
      image.fill(Qt::red);
      data->setImageData(image);
      break;
    }
    case NonText::UnknownType:
      data->setData(QStringLiteral("application/x-unknown-to-fields"), QByteArray("\x01\x02", 2));
      break;
  }
  return data;
}

void Drop(QWidget& target, const QMimeData& data) {
  const QPointF middle = QRectF(target.rect()).center();
  QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &enter);
  QDragMoveEvent move(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &move);
  QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &drop);
  ProcessEvents();
}

}  // namespace

void SetClipboardData(NonText what) {
  QApplication::clipboard()->setMimeData(NonTextData(what));  // the clipboard takes it over
  ProcessEvents();
}

void TypeKeys(const Ref<RectControl>& control, const std::string& combination) {
  const QKeySequence sequence = QKeySequence::fromString(internal::Q(combination));
  if (sequence.count() != 1) Fail("not one key combination: '" + combination + "'");
  const QKeyCombination key = sequence[0];
  QString text;
  // What a keyboard gives with Ctrl and a letter: its control code.
  if (key.keyboardModifiers() & Qt::ControlModifier && key.key() >= Qt::Key_A &&
      key.key() <= Qt::Key_Z)
    text = QChar(key.key() - Qt::Key_A + 1);
  QWidget& target = Focused(control);
  QPointer<QWidget> guard(&target);
  QTest::sendKeyEvent(QTest::Press, &target, key.key(), text, key.keyboardModifiers());
  if (guard) QTest::sendKeyEvent(QTest::Release, guard, key.key(), text, key.keyboardModifiers());
  ProcessEvents();
}

void PasteFromContextMenu(const Ref<TextArea>& control) {
  QWidget& target = Focused(control);
  const QPoint middle = target.rect().center();
  QContextMenuEvent open(QContextMenuEvent::Keyboard, middle, target.mapToGlobal(middle));
  QCoreApplication::sendEvent(&target, &open);
  ProcessEvents();
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) Fail("no context menu opened");
  QAction* paste = nullptr;
  for (QAction* action : menu->actions())
    if (action->text().startsWith(QStringLiteral("&Paste"))) paste = action;
  if (!paste) Fail("the context menu has no Paste");
  if (paste->isEnabled()) paste->trigger();
  menu->close();
  ProcessEvents();
}

void CommitFromInputMethod(const Ref<TextArea>& control, const std::string& commit,
                           const std::string& preedit, const std::string& preeditAfter) {
  QWidget& target = Focused(control);
  if (!preedit.empty()) {
    QInputMethodEvent composing(internal::Q(preedit), {});
    QCoreApplication::sendEvent(&target, &composing);
  }
  QInputMethodEvent done(internal::Q(preeditAfter), {});
  done.setCommitString(internal::Q(commit));
  QCoreApplication::sendEvent(&target, &done);
  ProcessEvents();
}

void DropText(const Ref<TextArea>& control, const std::string& text) {
  QMimeData data;
  data.setText(internal::Q(text));
  Drop(PointerTarget(Focused(control)), data);
}

void DropData(const Ref<TextArea>& control, NonText what) {
  const std::unique_ptr<QMimeData> data(NonTextData(what));
  Drop(PointerTarget(Focused(control)), *data);
}

}  // namespace fw::testing
