#pragma once
// The dialogs and questions of the rich-text editor, behind one interface so that tests can
// answer them without a user.

#include "platform/Language.h"
#include "shell/ShellDialogs.h"

#include <optional>
#include <QtCore/QString>
#include <QtGui/QFont>

class QTextDocument;
class QWidget;

namespace karvel {

class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;
    // The document to open, or empty when the user cancels.
    virtual QString ChooseFileToOpen(QWidget* parent, const QString& folder, Language language) = 0;
    // The file to save to, or empty; the editor asks itself before overwriting.
    virtual QString ChooseFileToSave(QWidget* parent, const QString& folder, const QString& name,
                                     Language language) = 0;
    // A question answered with Yes, No or Cancel.
    virtual SaveAnswer Ask(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                             const QString& text) = 0;
    // The system print dialog; when confirmed, prints the document under the job title.
    virtual void Print(QWidget* parent, const QTextDocument& document, const QString& title,
                       Language language) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
};

// The name filters of the editor's file dialogs: Rich Text first, then plain text.
QStringList EditorFileFilters(Language language);

// The desktop's dialogs.
class QtEditorDialogs : public EditorDialogs {
public:
    QString ChooseFileToOpen(QWidget* parent, const QString& folder, Language language) override;
    QString ChooseFileToSave(QWidget* parent, const QString& folder, const QString& name,
                             Language language) override;
    SaveAnswer Ask(QWidget* parent, const QString& caption, const QString& text) override;
    void ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                     const QString& text) override;
    void Print(QWidget* parent, const QTextDocument& document, const QString& title,
               Language language) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
};

// The desktop's file, print and font dialogs, with the questions and messages of the program's
// own dialogs, so that they look alike (and a test of the program can answer them).
class ProgramEditorDialogs : public QtEditorDialogs {
public:
    explicit ProgramEditorDialogs(ShellDialogs& program) : program_(program) {}
    SaveAnswer Ask(QWidget* parent, const QString& caption, const QString& text) override;
    void ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                     const QString& text) override;

private:
    ShellDialogs& program_;
};

} // namespace karvel
