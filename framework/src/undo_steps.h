// What a text field's undo history holds: only what the user did. A change the program makes (the
// design data's text, a text or a style set by code) is no step of its own; as after a text set by
// code, the field's history starts again from it. Each insertion the user makes by a road other
// than typing (a paste, a drop) is one step of its own, never merged with the typing before or
// after it. Not part of the public API.
#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QTextDocument;
class QTextEdit;

namespace fw::internal {

// Inserts text into a one-line field in place of its selection, as one undo step.
void InsertAsOneStep(QLineEdit& edit, const QString& text);

// Runs the widget's own insertion into a one-line field (a drop) as one undo step.
void InsertAsOneStep(QLineEdit& edit, const std::function<void()>& insert);

// Runs the widget's own insertion into a multi-line field as one undo step.
void InsertAsOneStep(QTextEdit& edit, const std::function<void()>& insert);

// Makes a change to the document that the user cannot undo.
void ChangeWithoutUndoStep(QTextDocument& document, const std::function<void()>& change);

}  // namespace fw::internal
