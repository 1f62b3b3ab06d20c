#include "undo_steps.h"

#include <QAbstractUndoItem>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace fw::internal {

namespace {

// Qt's one-line field undoes consecutive insertions together unless a boundary lies between
// them; its own paste marks one on each side, an insert does not. The widget sets one whenever
// its cursor moves, and clearing a field that is empty sets one and changes nothing; the public
// API offers no other way.
void MarkUndoBoundary(QLineEdit& edit) {
  if (edit.text().isEmpty()) {
    edit.clear();
    return;
  }
  const int cursor = edit.cursorPosition();
  const bool selected = edit.hasSelectedText();
  const int start = edit.selectionStart();
  const int length = edit.selectionLength();
  edit.setCursorPosition(cursor > 0 ? cursor - 1 : cursor + 1);
  if (!selected)
    edit.setCursorPosition(cursor);
  else if (cursor == start)
    edit.setSelection(start + length, -length);
  else
    edit.setSelection(start, length);
}

// Closes an insertion's edit block in a multi-line field. The document would otherwise add
// typing that follows an insertion to the insertion's last step; after an item of another kind
// it starts a step of its own.
class UndoBoundary : public QAbstractUndoItem {
 public:
  void undo() override {}
  void redo() override {}
};

}  // namespace

void InsertAsOneStep(QLineEdit& edit, const QString& text) {
  InsertAsOneStep(edit, [&] { edit.insert(text); });
}

void InsertAsOneStep(QLineEdit& edit, const std::function<void()>& insert) {
  MarkUndoBoundary(edit);
  insert();
  MarkUndoBoundary(edit);
}

void InsertAsOneStep(QTextEdit& edit, const std::function<void()>& insert) {
  // A cursor where the insertion starts: Undo puts the cursor back there.
  QTextCursor block = edit.textCursor();
  block.beginEditBlock();
  insert();
  edit.document()->appendUndoItem(new UndoBoundary);  // the document takes it over
  block.endEditBlock();
}

void ChangeWithoutUndoStep(QTextDocument& document, const std::function<void()>& change) {
  // The document records every change while it keeps a history, so it keeps none for this one.
  document.setUndoRedoEnabled(false);
  change();
  document.setUndoRedoEnabled(true);
}

}  // namespace fw::internal
