#pragma once
// The annotation window every board owns: an editor window whose document is the board's
// annotations. It is made when first needed, as a child of the board's view, so that it lives
// exactly as long as the board. Every change of its document is written back to the board and
// marks the board modified; a document nobody edits keeps the bytes it was read from.

#include "shell/EditorForm.h"

#include <functional>

class QWidget;

namespace karvel {

class TPlatine;

// "Anmerkungen: " or "Remarks: " and the board's name; after a rename the English caption says
// "Annotations: ".
QString AnnotationCaption(Language language, const QString& boardName, bool renamed);

// Makes the annotation window of a board, owned by (and found through) the board's view.
TEditorForm& CreateAnnotationWindow(TPlatine& board, TEditorForm::Options options,
                                    QWidget& boardView);
// The annotation window made for a board's view, or null.
TEditorForm* FindAnnotationWindow(const QWidget& boardView);
// Brings the caption in line with the board's name, which may have changed.
void UpdateAnnotationCaption(TEditorForm& window);

// What a window asks its board for when a list is to be inserted: the components list (tag 0)
// or the order list, at the caret in place of the selection.
std::function<void(TEditorForm&)> ListRequestFor(TPlatine& board);

} // namespace karvel
