#include "shell/AnnotationWindows.h"

#include "board/ComponentsList.h"
#include "board/Platine.h"
#include "platform/rtf/RtfDocument.h"

#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QTextEdit>

namespace karvel {

namespace {

const QString WindowName = QStringLiteral("AnnotationWindow");

// Keeps the board's annotations in step with the window's document.
class AnnotationBinding : public QObject {
public:
    AnnotationBinding(TPlatine& board, TEditorForm& window, Language language)
        : QObject(&window), board_(board), window_(window), language_(language),
          createdName_(board.PlatinenName()) {
        setObjectName(QStringLiteral("AnnotationBinding"));
        window.LoadDocument(board.Anmerkungen().Rtf());
        connect(&window.Document(), &QTextDocument::contentsChanged, this,
                [this] { DocumentChanged(); });
    }

    QString Caption() const {
        return AnnotationCaption(language_, board_.PlatinenName(),
                                 board_.PlatinenName() != createdName_);
    }

private:
    void DocumentChanged() {
        QByteArray rtf = WriteRtfDocument(window_.Document());
        // A change that leaves the document as it was (a format set to what it had) is none.
        if (rtf == board_.Anmerkungen().Rtf())
            return;
        board_.Anmerkungen().SetRtf(std::move(rtf));
        board_.SetModified(true);
    }

    TPlatine& board_;
    TEditorForm& window_;
    Language language_;
    QString createdName_;
};

AnnotationBinding* BindingOf(TEditorForm& window) {
    return window.findChild<AnnotationBinding*>(QStringLiteral("AnnotationBinding"),
                                                Qt::FindDirectChildrenOnly);
}

} // namespace

QString AnnotationCaption(Language language, const QString& boardName, bool renamed) {
    return Tr(language, QStringLiteral("Anmerkungen: "),
              renamed ? QStringLiteral("Annotations: ") : QStringLiteral("Remarks: ")) +
           boardName;
}

TEditorForm& CreateAnnotationWindow(TPlatine& board, TEditorForm::Options options,
                                    QWidget& boardView) {
    const Language language = options.Sprache;
    auto* window = new TEditorForm(std::move(options), &boardView);
    window->setObjectName(WindowName);
    window->OnListRequest = ListRequestFor(board);
    // Captioned before the document is read, so that a reading problem says whose it is.
    window->setWindowTitle(AnnotationCaption(language, board.PlatinenName(), false));
    new AnnotationBinding(board, *window, language);
    return *window;
}

TEditorForm* FindAnnotationWindow(const QWidget& boardView) {
    return boardView.findChild<TEditorForm*>(WindowName, Qt::FindDirectChildrenOnly);
}

void UpdateAnnotationCaption(TEditorForm& window) {
    if (const AnnotationBinding* binding = BindingOf(window))
        window.setWindowTitle(binding->Caption());
}

std::function<void(TEditorForm&)> ListRequestFor(TPlatine& board) {
    return [&board](TEditorForm& window) {
        QTextCursor cursor = window.Editor().textCursor();
        FuegeStuecklisteEin(board, cursor,
                            window.ListTag() == 0 ? ListKind::Components : ListKind::Order,
                            CurrentListStamp());
        window.Editor().setTextCursor(cursor);
    };
}

} // namespace karvel
