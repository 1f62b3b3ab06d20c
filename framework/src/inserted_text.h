// Text that enters a text field by any road but a key press: a paste (its keys, the Edit menu,
// the context menu, the X11 selection's middle click), a drop, or an input method's commit.
// A one-line field drops one line break at the end of such text, and refuses text that does not
// fit its character limit whole, with the alert sound, whether it has a KeyDown handler or not.
// KeyDown is a field's rule for what it takes, so a field with a KeyDown handler takes such text
// only when the handler takes each of its characters, offered one by one as if typed; at the
// first one refused the whole insertion is dropped. A one-line field with a handler never takes a
// control character (a line break, a tab) from an insertion: the framework refuses it with the
// alert sound without asking the handler. Fields without a KeyDown handler otherwise take inserted
// text as it comes (a one-line field up to its first line break). Not part of the public API.
#pragma once

#include <QClipboard>
#include <functional>
#include <memory>

#include "widgets.h"

class QEvent;
class QLineEdit;
class QMimeData;
class QTextEdit;

namespace fw::internal {

// Whether the field takes the text: true at once without a KeyDown handler; otherwise after
// offering each character to the handler. A refusal has made its sound.
bool TakesInsertedText(Control::Impl& field, const QString& text);

// An event for a field's widget (or for a multi-line field's viewport), after KeyDown had its
// say: the paste keys, the context menu, the middle click, a drop and an input method's commit
// go through the rule; base gives the widget its own handling of an event.
bool DeliverToField(Control::Impl& field, QWidget& widget, QEvent& event,
                    const std::function<bool(QEvent*)>& base);

// A multi-line field's one door for pasted and dropped text: the data to hand the widget, of our
// own, holding only the text the field takes (and, without a KeyDown handler, its styled form);
// null when there is nothing to insert or the rule refused it. The offered data is read once,
// before any handler runs, and never again: a clipboard may replace it while a handler runs, and
// the widget's own insertion does not survive data that holds no format at all.
std::unique_ptr<QMimeData> InsertableData(Control::Impl& field, QTextEdit& edit,
                                          const QMimeData* offered);

// Pastes the clipboard (or the X11 selection) into a one-line field through the rule, as one undo
// step.
void PasteInto(QLineEdit& edit, QClipboard::Mode mode = QClipboard::Clipboard);

}  // namespace fw::internal
