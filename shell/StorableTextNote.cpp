#include "shell/StorableTextNote.h"

#include "platform/encoding/CodePage.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace karvel {

namespace {

QString Quoted(Language language, const QString& text) {
    return Tr(language, QStringLiteral("„%1“"), QStringLiteral("\"%1\"")).arg(text.toHtmlEscaped());
}

} // namespace

StorableTextNote::StorableTextNote(QLineEdit& field, Language language)
    : field_(field), language_(language) {
    setObjectName(field.objectName() + QStringLiteral("Note"));
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: #b00000"));
    connect(&field, &QLineEdit::textChanged, this, [this] { Check(); });
    connect(this, &QLabel::linkActivated, this, [this] { UseStorableSpellings(); });
    Check();
}

void StorableTextNote::UseStorableSpellings() {
    QString text = field_.text();
    for (const QString& character : UnstorableCharacters(text)) {
        const QString spelling = StorableSpelling(character);
        if (!spelling.isEmpty())
            text.replace(character, spelling);
    }
    // As if typed: one undo step in the field brings the old text back.
    field_.selectAll();
    field_.insert(text.left(field_.maxLength()));
}

void StorableTextNote::Check() {
    const QStringList unstorable = UnstorableCharacters(field_.text());
    storable_ = unstorable.isEmpty();
    // Hidden while all is well; not before it has a place in a window, as a widget without a
    // parent that is shown becomes a window of its own.
    if (parentWidget() != nullptr)
        setVisible(!storable_);
    if (storable_) {
        clear();
    } else {
        QStringList quoted;
        QStringList replacements;
        for (const QString& character : unstorable) {
            quoted << Quoted(language_, character);
            const QString spelling = StorableSpelling(character);
            if (!spelling.isEmpty())
                replacements << Quoted(language_, character) + QStringLiteral(" → ") +
                                    Quoted(language_, spelling);
        }
        QString note = (unstorable.size() == 1
                            ? Tr(language_, QStringLiteral("%1 kann nicht gespeichert werden."),
                                 QStringLiteral("%1 cannot be stored."))
                            : Tr(language_, QStringLiteral("%1 können nicht gespeichert werden."),
                                 QStringLiteral("%1 cannot be stored.")))
                           .arg(quoted.join(QStringLiteral(", ")));
        if (!replacements.isEmpty())
            note += QStringLiteral(" <a href=\"spelling\">") +
                    Tr(language_, QStringLiteral("Ersetzen: %1"), QStringLiteral("Replace: %1"))
                        .arg(replacements.join(QStringLiteral(", "))) +
                    QStringLiteral("</a>");
        setText(note);
    }
    if (OnChange)
        OnChange();
}

void GuardStorableFields(const std::vector<StorableTextNote*>& notes, QDialogButtonBox& buttons) {
    QPushButton* ok = buttons.button(QDialogButtonBox::Ok);
    if (ok == nullptr)
        return;
    const auto update = [notes, ok] {
        bool storable = true;
        for (const StorableTextNote* note : notes)
            storable = storable && note->Storable();
        ok->setEnabled(storable);
    };
    for (StorableTextNote* note : notes)
        note->setVisible(!note->Storable());
    for (StorableTextNote* note : notes)
        note->OnChange = update;
    update();
}

} // namespace karvel
