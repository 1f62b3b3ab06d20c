#include "inserted_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTextEdit>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <string>

#include "framework/dialogs.h"
#include "framework/runtime.h"
#include "undo_steps.h"

namespace fw::internal {

namespace {

bool IsLineBreak(char32_t c) {
  return c == U'\n' || c == U'\r' || c == 0x2028 || c == 0x2029;
}

bool IsControl(char32_t c) {
  return c < 0x20 || c == 0x7F;
}

bool Editable(const QWidget& widget) {
  if (auto* line = qobject_cast<const QLineEdit*>(&widget)) return !line->isReadOnly();
  if (auto* edit = qobject_cast<const QTextEdit*>(&widget)) return !edit->isReadOnly();
  return false;
}

bool SupportsSelection() {
  return QGuiApplication::clipboard()->supportsSelection();
}

// A drop into a multi-line field whose text was offered already: the widget hands the same data
// to insertFromMimeData while the drop is delivered.
struct ApprovedDrop {
  const QWidget* widget = nullptr;
  const QMimeData* data = nullptr;
};
ApprovedDrop approvedDrop;

// The platform's context menu, with its Paste going through the rule. That action is wired to
// the widget's own paste; a successful disconnection is what tells it from the others.
void ShowContextMenu(QLineEdit& edit, const QContextMenuEvent& event) {
  QMenu* menu = edit.createStandardContextMenu();
  if (!menu) return;
  QPointer<QLineEdit> target(&edit);
  for (QAction* action : menu->actions()) {
    // The platform wires it by name or by pointer, depending on its release.
    const bool paste = QObject::disconnect(action, SIGNAL(triggered()), &edit, SLOT(paste())) ||
                       QObject::disconnect(action, &QAction::triggered, &edit, &QLineEdit::paste);
    if (paste)
      QObject::connect(action, &QAction::triggered, &edit, [target] {
        if (target) PasteInto(*target);
      });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event.globalPos());
}

// Starting to compose over a selection removes it, before any text is committed. A refused
// commit puts the field back as it stood before the composition (or its last taken commit), as
// a refused key leaves it.
constexpr const char* kBeforeComposition = "fwBeforeComposition";

void RememberComposition(QLineEdit& edit) {
  const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
  const int length = edit.hasSelectedText() ? static_cast<int>(edit.selectedText().size()) : 0;
  edit.setProperty(kBeforeComposition, QVariantList{edit.text(), start, length});
}

// After the widget has had an input-method event: what a refusal would go back to.
void NoteComposition(QLineEdit& edit, const QInputMethodEvent& event) {
  if (event.preeditString().isEmpty())
    edit.setProperty(kBeforeComposition, QVariant());
  else if (!event.commitString().isEmpty())
    RememberComposition(edit);
}

void RestoreBeforeComposition(QLineEdit& edit, const QVariant& before) {
  const QVariantList state = before.toList();
  if (state.size() != 3 || edit.text() == state[0].toString()) return;
  edit.setText(state[0].toString());
  edit.setSelection(state[1].toInt(), state[2].toInt());
}

// One line break at the end of inserted text is where the copied line or spreadsheet cell ended,
// not text of its own. A one-line field is offered the text without it; one without a KeyDown
// handler ends the text at its first line break, as the widget would, so that what is judged is
// what goes in.
QString ForOneLine(const Control::Impl& field, QString text) {
  if (text.endsWith(u'\n'))
    text.chop(text.endsWith(QStringLiteral("\r\n")) ? 2 : 1);
  else if (text.endsWith(u'\r'))
    text.chop(1);
  if (!field.keyDown) {
    const auto first =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return IsLineBreak(c.unicode()); });
    text.truncate(first - text.cbegin());
  }
  return text;
}

// The whole judgement of text inserted into a one-line field in place of `replaced` units of its
// text: what goes in, or nothing when it is refused (with the alert sound). Text that does not fit
// whole is refused whole, as a refused character is: cut short, a count would lose digits. The
// limit counts in the widget's units, UTF-16, as the widget itself does.
std::optional<QString> ForOneLineField(Control::Impl& field, const QLineEdit& edit,
                                       const QString& offered, qsizetype replaced) {
  QString text = ForOneLine(field, offered);
  if (edit.text().size() - replaced + text.size() > edit.maxLength()) {
    Beep();
    return std::nullopt;
  }
  if (!TakesInsertedText(field, text)) return std::nullopt;
  return text;
}

// The widget moves its cursor to show where a drag would drop; a refused drop puts back the
// selection the field had when the drag came in.
constexpr const char* kBeforeDrag = "fwBeforeDrag";

void RememberBeforeDrag(QLineEdit& edit) {
  const int cursor = edit.cursorPosition();
  const int anchor = !edit.hasSelectedText()           ? cursor
                     : cursor == edit.selectionStart() ? edit.selectionEnd()
                                                       : edit.selectionStart();
  edit.setProperty(kBeforeDrag, QVariantList{edit.text(), anchor, cursor});
}

void RestoreBeforeDrag(QLineEdit& edit) {
  const QVariantList state = edit.property(kBeforeDrag).toList();
  edit.setProperty(kBeforeDrag, QVariant());
  if (state.size() != 3 || edit.text() != state[0].toString()) return;
  const int anchor = state[1].toInt();
  const int cursor = state[2].toInt();
  edit.setSelection(anchor, cursor - anchor);
  if (anchor == cursor) edit.setCursorPosition(cursor);
}

}  // namespace

bool TakesInsertedText(Control::Impl& field, const QString& text) {
  if (!field.keyDown) return true;
  const auto handler = field.keyDown;  // the handler may replace itself
  const bool oneLine = !field.multiline;
  Ref<TextArea> sender = field.self.SelfAs<TextArea>();
  QPointer<QWidget> widget = field.widget;
  const QList<uint> codes = text.toUcs4();
  for (qsizetype i = 0; i < codes.size(); ++i) {
    const char32_t c = codes[i];
    std::string key;
    if (oneLine && (IsControl(c) || IsLineBreak(c))) {
      Beep();
      return false;
    }
    if (IsLineBreak(c)) {
      // Return types a line break; a CR LF pair is one.
      if (c == U'\r' && i + 1 < codes.size() && codes[i + 1] == U'\n') ++i;
      key = "\r";
    } else {
      key = U(QString::fromUcs4(&c, 1));
    }
    bool discard = true;  // a handler that fails lets nothing in
    RunGuarded([&] { discard = handler(sender, key); });
    if (discard || !widget) return false;
  }
  return true;
}

std::unique_ptr<QMimeData> InsertableData(Control::Impl& field, QTextEdit& edit,
                                          const QMimeData* offered) {
  if (!offered || !offered->hasText()) return nullptr;
  const bool approved = approvedDrop.widget == &edit && approvedDrop.data == offered;
  auto data = std::make_unique<QMimeData>();
  data->setText(offered->text());
  // What a handler judges is the plain text, so only that may go in past one.
  if (!field.keyDown && offered->hasHtml()) data->setHtml(offered->html());
  if (data->text().isEmpty()) return nullptr;
  if (!approved && !TakesInsertedText(field, data->text())) return nullptr;
  return data;
}

bool DeliverToField(Control::Impl& field, QWidget& widget, QEvent& event,
                    const std::function<bool(QEvent*)>& base) {
  if (!Editable(widget)) return base(&event);
  auto* line = qobject_cast<QLineEdit*>(&widget);
  switch (event.type()) {
    case QEvent::KeyPress: {
      const auto& key = static_cast<const QKeyEvent&>(event);
      if (!line || !key.matches(QKeySequence::Paste)) break;
      // Ctrl+Shift+Insert pastes the X11 selection.
      const bool selection = key.key() == Qt::Key_Insert &&
                             key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                             SupportsSelection();
      PasteInto(*line, selection ? QClipboard::Selection : QClipboard::Clipboard);
      event.accept();
      return true;
    }
    case QEvent::ContextMenu:
      if (!line) break;
      ShowContextMenu(*line, static_cast<const QContextMenuEvent&>(event));
      event.accept();
      return true;
    case QEvent::MouseButtonRelease: {
      const auto& mouse = static_cast<const QMouseEvent&>(event);
      if (!line || mouse.button() != Qt::MiddleButton || !SupportsSelection()) break;
      line->deselect();
      PasteInto(*line, QClipboard::Selection);
      event.accept();
      return true;
    }
    case QEvent::DragEnter:
      if (line) RememberBeforeDrag(*line);
      break;
    case QEvent::Drop: {
      auto& drop = static_cast<QDropEvent&>(event);
      const QMimeData* data = drop.mimeData();
      if (!data || !data->hasText()) break;
      // A drop goes in where it falls and replaces nothing.
      const std::optional<QString> text =
          line ? ForOneLineField(field, *line, data->text(), 0)
               : (TakesInsertedText(field, data->text()) ? std::optional(data->text())
                                                         : std::nullopt);
      if (!text || text->isEmpty()) {
        // The source keeps what it offered (a move removes nothing), the field its text and
        // selection.
        drop.setDropAction(Qt::IgnoreAction);
        drop.ignore();
        QDragLeaveEvent leave;  // and the drop caret goes
        base(&leave);
        if (line) RestoreBeforeDrag(*line);
        return true;
      }
      if (line) {
        line->setProperty(kBeforeDrag, QVariant());
        bool done = false;
        if (*text == data->text()) {
          InsertAsOneStep(*line, [&] { done = base(&event); });
          return done;
        }
        QMimeData own;
        own.setText(*text);
        QDropEvent taken(drop.position(), drop.possibleActions(), &own, drop.buttons(),
                         drop.modifiers());
        taken.setDropAction(drop.dropAction());
        InsertAsOneStep(*line, [&] { done = base(&taken); });
        drop.setDropAction(taken.dropAction());
        drop.setAccepted(taken.isAccepted());
        return done;
      }
      approvedDrop = {&widget, data};
      const bool done = base(&event);
      approvedDrop = {};
      return done;
    }
    case QEvent::InputMethod: {
      const auto& input = static_cast<const QInputMethodEvent&>(event);
      const QVariant before = line ? line->property(kBeforeComposition) : QVariant();
      const QString offered = input.commitString();
      std::optional<QString> commit = offered;
      if (!offered.isEmpty()) {
        // A commit replaces the selection and the range the input method names.
        if (line)
          commit =
              ForOneLineField(field, *line, offered,
                              line->selectedText().size() + std::max(0, input.replacementLength()));
        else if (!TakesInsertedText(field, offered))
          commit = std::nullopt;
      }
      if (!commit) {
        // The composition goes on as the input method shows it, without the commit.
        QInputMethodEvent withoutCommit(input.preeditString(), input.attributes());
        base(&withoutCommit);
        if (line) {
          RestoreBeforeComposition(*line, before);
          if (input.preeditString().isEmpty()) line->setProperty(kBeforeComposition, QVariant());
        }
        event.accept();
        return true;
      }
      if (!line) break;
      if (!before.isValid() && !input.preeditString().isEmpty()) RememberComposition(*line);
      bool done = false;
      if (*commit == offered) {
        done = base(&event);
      } else {
        QInputMethodEvent taken(input.preeditString(), input.attributes());
        taken.setCommitString(*commit, input.replacementStart(), input.replacementLength());
        done = base(&taken);
        event.setAccepted(taken.isAccepted());
      }
      NoteComposition(*line, input);
      return done;
    }
    default:
      break;
  }
  return base(&event);
}

void PasteInto(QLineEdit& edit, QClipboard::Mode mode) {
  if (edit.isReadOnly()) return;
  Control::Impl* field = ControlOfWidget(&edit);
  const QString offered = QGuiApplication::clipboard()->text(mode);
  if (!field || field->widget != &edit) {  // a widget on its way out
    if (mode == QClipboard::Clipboard)
      edit.paste();
    else
      edit.insert(offered);
    return;
  }
  if (offered.isEmpty() && !edit.hasSelectedText()) return;
  QPointer<QLineEdit> target(&edit);
  const std::optional<QString> text =
      ForOneLineField(*field, edit, offered, edit.selectedText().size());
  if (!text || !target || (text->isEmpty() && !edit.hasSelectedText())) return;
  InsertAsOneStep(edit, *text);
}

}  // namespace fw::internal
