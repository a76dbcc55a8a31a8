#include "board/ElementClipboard.h"

#include "board/Platine.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

namespace karvel {

namespace {

// Only a GUI application has a system clipboard; the command-line tool may run without one.
QClipboard* SystemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}

} // namespace

bool ElementClipboard::Copy(TPlatine& board) {
    if (board.AnzahlMarkierte() == 0)
        return false;
    clipboardStream_ = board.KopiereMarkierte();
    view_.ClipboardFilled = true;
    if (QClipboard* system = SystemClipboard()) {
        auto data = std::make_unique<QMimeData>();
        data->setData(MimeType(), clipboardStream_);
        system->setMimeData(data.release()); // the clipboard owns it
    }
    return true;
}

bool ElementClipboard::Cut(TPlatine& board) {
    if (!Copy(board))
        return false;
    board.LoescheMarkierte();
    return true;
}

bool ElementClipboard::Paste(TPlatine& board) {
    const QByteArray foreign = ForeignElements();
    const QByteArray& bytes = foreign.isEmpty() ? clipboardStream_ : foreign;
    if (bytes.isEmpty())
        return false;
    board.EinfuegenAusStream(bytes);
    return true;
}

bool ElementClipboard::Duplicate(TPlatine& board) {
    return Copy(board) && Paste(board);
}

bool ElementClipboard::CanPaste() const {
    return view_.ClipboardFilled || !ForeignElements().isEmpty();
}

void ElementClipboard::Forget() {
    if (QClipboard* system = SystemClipboard()) {
        const QMimeData* data = system->mimeData();
        if (data != nullptr && data->hasFormat(MimeType()) &&
            data->data(MimeType()) == clipboardStream_)
            system->clear();
    }
    clipboardStream_.clear();
    view_.ClipboardFilled = false;
}

QByteArray ElementClipboard::ForeignElements() const {
    QClipboard* system = SystemClipboard();
    if (system == nullptr || system->ownsClipboard())
        return {};
    const QMimeData* data = system->mimeData();
    return data != nullptr && data->hasFormat(MimeType()) ? data->data(MimeType()) : QByteArray();
}

} // namespace karvel
