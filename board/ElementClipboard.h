#pragma once
// The project's two element streams: the copy clipboard (cut, copy, paste, duplicate) and the
// transfer stream that hands parts from the library and the component assistant to a board.
// Inside one program the internal clipboard is the source of truth; a copy also goes to the
// system clipboard under a private type, so that a second running program can paste it.

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace karvel {

class TPlatine;
struct ViewState;

class ElementClipboard {
public:
    static QString MimeType() { return QStringLiteral("application/x-karvel-elements"); }

    explicit ElementClipboard(ViewState& view) : view_(view) {}

    // False, changing nothing, when nothing is selected.
    bool Copy(TPlatine& board);
    bool Cut(TPlatine& board);
    // Starts placing the clipboard's elements on the board; false when there is nothing.
    bool Paste(TPlatine& board);
    // Copy, then paste.
    bool Duplicate(TPlatine& board);
    // Something to paste: our own copy, or another program's on the system clipboard.
    bool CanPaste() const;
    // Lets go of our copy, on the system clipboard as well, when elements of another kind of
    // board were copied meanwhile (the layout editor's).
    void Forget();

    QByteArray& TransferStream() { return transferStream_; }

private:
    // The system clipboard's elements when another program put them there.
    QByteArray ForeignElements() const;

    ViewState& view_;
    QByteArray clipboardStream_;
    QByteArray transferStream_;
};

} // namespace karvel
