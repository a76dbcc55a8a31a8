#pragma once
// TEditorForm: a small word processor window — file, clipboard, font and paragraph commands, a
// ruler with the indent markers, a status bar with line, column and the modified mark — that
// can insert a board's components list or order list at the caret. It serves as the window of
// a components list and as the annotation window of every board.

#include "platform/HelpTopic.h"
#include "platform/Language.h"
#include "platform/rtf/RtfParser.h"

#include <array>
#include <functional>
#include <memory>
#include <QtWidgets/QDialog>

class QAction;
class QActionGroup;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QTextCharFormat;
class QTextDocument;
class QTextEdit;
class QToolBar;

namespace karvel {

class EditorDialogs;
class EditorRuler;

// The window's commands with their shortcuts.
enum class EditorCommand {
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    FilePrint,
    FileExit,
    EditUndo,
    EditCut,
    EditCopy,
    EditPaste,
    SelectFont,
    Count
};

class TEditorForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = ManualTopic::Annotations;
    static constexpr QSize StartSize{727, 397};
    static constexpr int MaxHeight = 1000;

    struct Options {
        Language Sprache = Language::German;
        // Where the manual lies, and where the file dialogs start when nothing better is told.
        QString ProgramFolder;
        // Where the file dialogs start until a file was opened or saved: the project's folder.
        std::function<QString()> DocumentFolder;
        // A window whose text lives nowhere else (a components list) asks before it closes
        // with changes; an annotation window keeps its text in the board and never asks.
        bool AskBeforeClosing = false;
        // The desktop's dialogs when none are given.
        std::shared_ptr<EditorDialogs> Dialogs;
        // Opens the manual at a topic (F1).
        std::function<void(int topic)> Help;
    };

    explicit TEditorForm(Options options, QWidget* parent = nullptr);
    ~TEditorForm() override;

    QTextEdit& Editor() const { return *editor_; }
    QTextDocument& Document() const;
    EditorRuler& Ruler() const { return *ruler_; }
    QToolBar& ToolBar() const { return *toolBar_; }
    QAction& Action(EditorCommand command) const;
    // A tool bar button by its name ("BoldBtn", "sList_Btn", ...).
    QAction& ToolAction(const char* name) const;
    QFontComboBox& FontName() const { return *fontName_; }
    QSpinBox& FontSize() const { return *fontSize_; }
    // The status bar's three panels: line and column, modified mark, spare.
    QLabel& StatusPanel(int index) const { return *status_.at(std::size_t(index)); }
    const QString& FileName() const { return fileName_; }
    // The list kind the last insertion asked for: 0 components list, 1 order list.
    int ListTag() const { return tag_; }

    // Asked to insert a list at the caret; ListTag says which.
    std::function<void(TEditorForm&)> OnListRequest;
    // Told when the user closes the window (not when it is only hidden).
    std::function<void()> OnClosed;

    // --- Commands
    void FileNew();
    void FileOpen();
    void FileSave();
    void FileSaveAs();
    void FilePrint();
    void SelectFont();
    void InsertList(int tag);
    // Asks whether a modified document is to be saved; false when the user cancels (or saving
    // did not happen after all).
    bool CheckFileSave();
    // Replaces the document by RTF bytes (or plain text) without it counting as a change: not
    // modified, nothing to undo. A reading problem is shown to the user.
    RtfResult LoadDocument(const QByteArray& bytes);

    // The texts of the window in its language.
    QString UntitledName() const;

protected:
    void showEvent(QShowEvent* event) override;
    // Closing, Escape and Exit all end here; hiding the window does not.
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildToolBar();
    void BuildLayout();
    void ConnectEditor();
    QAction* AddToolAction(const char* name, const char* icon, const char* theme,
                           const char* german, const char* english);
    void ApplyDefaultAttributes();

    // The character format of the selection, or of what is typed next.
    void MergeCurrentAttributes(const QTextCharFormat& format);
    void SetAlignment(int tag);
    void SetBullets(bool on);
    void ApplyRulerIndents();
    void SelectionChanged();
    void UpdateStatus();
    void UpdateModifiedMark();
    void UpdateCommandStates();
    void PlaceRuler();

    bool WriteTo(const QString& path);
    // The folder the file dialogs start in.
    QString DialogFolder() const;
    void ShowError(const QString& text);
    QString Tr(const char* german, const char* english) const;

    Options options_;
    std::shared_ptr<EditorDialogs> dialogs_;
    QTextEdit* editor_ = nullptr;
    EditorRuler* ruler_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QFontComboBox* fontName_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    QActionGroup* alignment_ = nullptr;
    std::array<QAction*, std::size_t(EditorCommand::Count)> actions_{};
    std::array<QLabel*, 3> status_{};
    QString fileName_;
    QString folder_;
    int tag_ = 0;
    // Set while the tool bar follows the selection, so that its change signals write nothing.
    bool updating_ = false;
    bool placed_ = false;
};

} // namespace karvel
