#pragma once
// The dialogs and message boxes the main window opens, behind one interface so that tests can
// answer them without a user.

#include "platform/Language.h"
#include "shell/SettingsDialogs.h"

#include <functional>
#include <optional>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QColor>

class QPrinter;
class QWidget;

namespace karvel {

class ComponentAssistantDialog;

enum class MessageIcon { Information, Warning, Error, Question };
enum class SaveAnswer { Yes, No, Cancel };

// A save dialog: it asks before overwriting and wants an existing folder.
struct SaveFileRequest {
    QString Title;
    QString Folder;
    QString Name; // the file name offered first
    // Name filters such as "PDF (*.pdf)"; the first one is chosen at first.
    QStringList Filters;
    int InitialFilter = 0;
    // Added to a name typed without an extension: the chosen filter's, or this one.
    QString DefaultSuffix;
};

class ShellDialogs {
public:
    virtual ~ShellDialogs() = default;
    // The project file to open, or empty when the user cancels.
    virtual QString ChooseProjectToOpen(QWidget* parent, const QString& folder,
                                        Language language) = 0;
    virtual void ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                             const QString& text) = 0;
    virtual SaveAnswer AskToSave(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Name, size and offset of a board; with nameOnly the rest is shown but disabled. The
    // layout's holes let it say when a size cuts through some of them.
    virtual std::optional<BoardPropertiesText>
    EditBoardProperties(QWidget* parent, const BoardPropertiesText& now, bool nameOnly,
                        Language language, const std::vector<Rect>& layoutHoles) = 0;
    // A picture to fill shapes with; empty when cancelled.
    virtual QString ChooseFillPicture(QWidget* parent, const QString& folder,
                                      Language language) = 0;
    virtual std::optional<int> AskUndoDepth(QWidget* parent, int depth, Language language) = 0;
    virtual std::optional<AutoSaveSettings> EditAutoSave(QWidget* parent, AutoSaveSettings now,
                                                         Language language) = 0;
    // A board layout file (".KVB") to start a board with; empty when cancelled.
    virtual QString ChooseBoardLayout(QWidget* parent, const QString& folder,
                                      Language language) = 0;
    virtual std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) = 0;
    virtual void ShowAbout(QWidget* parent, Language language) = 0;
    // Shows the manual file at a topic in the help window; false when it shows nothing.
    virtual bool OpenManual(const QString& file, int topic, Language language) = 0;
    // Shows the component assistant modally; true when the user chose OK.
    virtual bool RunComponentAssistant(ComponentAssistantDialog& dialog) = 0;
    // The file to write, or empty when the user cancels.
    virtual QString ChooseFileToSave(QWidget* parent, const SaveFileRequest& request) = 0;
    // The system's printer setup; whatever it answers, the printer keeps what was chosen.
    virtual void SetUpPrinter(QWidget* parent, QPrinter& printer, Language language) = 0;
    // A question answered Yes or No, No offered first; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The library page dialog: the page's name (at most 36 characters) beside its file's name;
    // the name on OK, nothing on Cancel.
    virtual std::optional<QString> AskLibraryPageName(QWidget* parent, Language language,
                                                      const QString& name,
                                                      const QString& fileName) = 0;
    // The fine grid dialog: the step in board units, shown in millimetres; the new step on OK,
    // nothing on Cancel. Help opens the manual at a topic.
    virtual std::optional<double> AskFineGrid(QWidget* parent, double step, Language language,
                                              const std::function<void(int topic)>& help) = 0;
};

// The name filters of the project open dialog: projects and, in German, backups.
QStringList OpenProjectFilters(Language language);
// The name filter of the board layout dialog.
QStringList BoardLayoutFilters(Language language);

// Opens the manual of the language below the program folder at a topic through
// dialogs.OpenManual; a manual that is missing or shows nothing is reported with its path.
void ShowManual(ShellDialogs& dialogs, const QString& programFolder, Language language, int topic);

// The real dialogs of the desktop. Their Help buttons open the manual below the program
// folder in the help window.
class QtShellDialogs : public ShellDialogs {
public:
    QtShellDialogs();
    explicit QtShellDialogs(QString programFolder) : programFolder_(std::move(programFolder)) {}
    QString ChooseProjectToOpen(QWidget* parent, const QString& folder, Language language) override;
    void ShowMessage(QWidget* parent, MessageIcon icon, const QString& caption,
                     const QString& text) override;
    SaveAnswer AskToSave(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<BoardPropertiesText>
    EditBoardProperties(QWidget* parent, const BoardPropertiesText& now, bool nameOnly,
                        Language language, const std::vector<Rect>& layoutHoles) override {
        return RunBoardPropertiesDialog(parent, now, nameOnly, language, Help(language),
                                        layoutHoles);
    }
    QString ChooseFillPicture(QWidget* parent, const QString& folder, Language language) override;
    std::optional<int> AskUndoDepth(QWidget* parent, int depth, Language language) override {
        return RunUndoDepthDialog(parent, depth, language);
    }
    std::optional<AutoSaveSettings> EditAutoSave(QWidget* parent, AutoSaveSettings now,
                                                 Language language) override {
        return RunAutoSaveDialog(parent, now, language, Help(language));
    }
    QString ChooseBoardLayout(QWidget* parent, const QString& folder, Language language) override;
    std::optional<QColor> ChooseColour(QWidget* parent, const QColor& initial) override;
    void ShowAbout(QWidget* parent, Language language) override;
    bool OpenManual(const QString& file, int topic, Language language) override;
    bool RunComponentAssistant(ComponentAssistantDialog& dialog) override;
    QString ChooseFileToSave(QWidget* parent, const SaveFileRequest& request) override;
    void SetUpPrinter(QWidget* parent, QPrinter& printer, Language language) override;
    bool Confirm(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> AskLibraryPageName(QWidget* parent, Language language,
                                              const QString& name,
                                              const QString& fileName) override;
    std::optional<double> AskFineGrid(QWidget* parent, double step, Language language,
                                      const std::function<void(int topic)>& help) override;

private:
    std::function<void(int topic)> Help(Language language);

    QString programFolder_;
};

} // namespace karvel
