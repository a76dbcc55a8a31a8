#pragma once
// The main window: the project's boards on tabs with rulers, the library panel, the tool
// column, twelve tool bars that dock top or bottom, the menus and context menus. Every command
// comes from the command table and reaches the current board, the project or the window.

#include "board/CommandId.h"
#include "board/LibraryFolder.h"
#include "board/Platine.h"
#include "board/PlatinenTyp.h"
#include "board/Project.h"
#include "elements/ViewState.h"
#include "platform/SettingsStore.h"
#include "shell/AutoSave.h"
#include "shell/RecentFiles.h"
#include "shell/ShellDialogs.h"
#include "shell/ToolWindowPlacement.h"

#include <array>
#include <functional>
#include <memory>
#include <QtCore/QTimer>
#include <QtWidgets/QMainWindow>
#include <vector>

class QActionGroup;
class QEventLoop;
class QComboBox;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;

class QLabel;

namespace karvel {

class ElementClipboard;

class BoardArea;
class BoardControl;
class ComponentAssistantDialog;
class ColourGrid;
class InfoDisplay;
struct WindowSettings;
class LibraryController;
class LibraryPanel;
class LoadingWindow;
class TBoard;
class TPlatine;
class TEditorForm;
class PrintDialog;
class TScrollBoxEx;
struct BoardMouseEvent;
struct MenuDefinition;
struct ToolBarDefinition;
enum class ToolBarWidget;

// The commands only the layout editor offers: its copper tools, accept and reject.
bool IsLayoutEditorCommand(CommandId id);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ToolWindowCount = 12;

    // The program's main window, or the board layout editor: the same window reduced to
    // what editing a board's copper layout needs.
    enum class Role { Main, LayoutEditor };

    struct Options {
        karvel::Language Language = karvel::Language::German;
        // The desktop's dialogs when none are given; the layout editor shares its window's.
        std::shared_ptr<ShellDialogs> Dialogs;
        // The user's library folder; none leaves the library without pages.
        LibrarySetup Library;
        MainWindow::Role Role = MainWindow::Role::Main;
    };

    explicit MainWindow(Options options);
    ~MainWindow() override;

    // --- The project
    ViewState& View() { return view_; }
    Language Sprache() const { return view_.Sprache; }
    int BoardCount() const { return project_.Count(); }
    int CurrentIndex() const { return current_; }
    TPlatine& Board(int index) const;
    TPlatine& CurrentBoard() const { return Board(current_); }
    bool IsCurrent(const TPlatine& board) const;
    BoardControl& Control(int index) const;
    TScrollBoxEx& ScrollBox(int index) const;
    const QString& ProjectFileName() const { return project_.FileName(); }
    // The project came from a damaged file and holds only what could be read of it.
    bool ProjectIncomplete() const { return project_.Incomplete(); }
    QString TabCaption(int index) const;
    // Replaces the project by a file's boards; messages tell why when that fails. False when
    // the file yielded no board: the project then stays as it was.
    bool OpenProjectFile(const QString& path);
    // The tab change: shows another board and makes it current.
    void SelectBoard(int index);
    RecentFiles& Recent() { return recent_; }
    // The file whose folder the open dialog starts in while the project has no name.
    void SetEditFile(const QString& path) { editFile_ = path; }
    // What the settings file says about the window: rulers, outline mode, the "Editfile",
    // the export folder.
    void ApplySettings(const WindowSettings& settings);
    // The folder the export dialog starts in; told when an export chose another.
    const QString& ExportDir() const { return exportDir_; }
    std::function<void(const QString&)> OnExportDirChanged;
    // The print window, made at the first use and kept with its choices for the whole run.
    PrintDialog& PrintWindow();
    // A board's annotation window, made when first asked for; it goes with the board.
    TEditorForm& AnnotationWindow(int index);
    // The current board's annotation window is shown, and follows the tabs.
    bool AnnotationsShown() const { return annotationsShown_; }
    // Told when the window closes for good, after the save prompt said "go on".
    std::function<void()> OnClosed;

    // --- The board layout editor
    bool IsLayoutEditor() const { return role_ == Role::LayoutEditor; }
    // Edits the current board's layout in the layout editor, modally; accepting takes the
    // layout and its size back onto the board.
    void EditLayoutCommand(int tag);
    // The editor's accept (tag 1) and reject (tag 0) buttons.
    void LayoutEditorCommand(int tag);
    // The layout editor once it was made; it stays for the rest of the run.
    MainWindow* LayoutEditorWindow() const { return layoutEditor_.get(); }
    // Told when the layout editor has been made, before it is first shown.
    std::function<void(MainWindow& editor)> OnLayoutEditorMade;
    // The layout editor tells as it closes, so that its tool windows' places can be stored.
    std::function<void(const MainWindow& editor)> OnToolWindowsLeft;
    // Where a tool window stands now, as the settings store it.
    ToolWindowPlacement ToolWindowPlace(int number) const;

    // --- The language of the next start
    // The language the settings give the next start; its menu item carries the check mark.
    void SetNextLanguage(Language language);
    Language NextLanguage() const { return nextLanguage_; }
    // Stores the language chosen in the menu for the next start; without it nothing is stored.
    std::function<SettingsWriteResult(Language)> OnLanguageChosen;

    // --- Commands
    QAction& Action(CommandId id) const;
    // Runs a command's handler, as its menu item, button or key does.
    void Execute(CommandId id);
    // Told after every command that reached its handler.
    std::function<void(CommandId)> OnCommandExecuted;
    // The enabling rules, run after every change of the selection, the tab or the view.
    void DoMenues();
    // Chooses a tool by its button tag, with the tool's cursor and start values.
    void ChooseTool(int tag);
    // Asked for the size of drillings, pads and tracks before their tools start; false when
    // the user cancels. Without it those tools do not start.
    std::function<bool(int tag, TPlatine& board)> AskToolSize;

    // --- The window's controls
    QToolBar& ToolWindow(int number) const;
    void PlaceToolWindow(int number, const ToolWindowPlacement& placement);
    QMenu& ShowToolsMenu() const { return *showToolsMenu_; }
    QMenu& LanguageMenu() const { return *languageMenu_; }
    QMenu& FileMenu() const { return *fileMenu_; }
    QMenu& ElementPopup() const { return *elementMenu_; }
    QMenu& LibraryPopup() const { return *libraryMenu_; }
    QMenu& BoardTabPopup() const { return *tabMenu_; }
    BoardArea& Area() const { return *area_; }
    LibraryPanel& Library() const { return *library_; }
    LibraryController& LibraryPages() const { return *libraryPages_; }
    QToolBar& ToolColumnBar() const { return *toolColumn_; }
    ColourGrid& Colours() const { return *colourGrid_; }
    QComboBox& PenWidths() const { return *penWidths_; }
    QLineEdit& ContourAmount() const { return *contourAmount_; }
    InfoDisplay& Display() const { return *display_; }
    QToolButton& UnusedAreasButton() const { return *unusedButton_; }
    void SetRulersVisible(bool visible);
    void SetOutlineMode(bool on);
    // The unused areas are shown on the current board, and follow its edits and the tabs.
    bool UnusedAreasShown() const { return unusedAreasShown_; }

    // --- Handlers, bound to the controls by the command table
    void OpenCommand(int tag);
    void RecentFileCommand(int index);
    void ExitCommand(int tag);
    void PrintCommand(int tag);
    void ExportCommand(int tag);
    void AnnotationsCommand(int tag);
    void ComponentsListCommand(int tag);
    // Every command that is an operation on the current board; the tag is its CommandId.
    void BoardCommand(int tag);
    // New, save, save as and the board tab commands, by command id.
    void FileCommand(int tag);
    // The element menu's properties: the selected element's own dialog, or the board's.
    void ElementPropertiesCommand(int tag);
    // False when the project was not written (cancelled, or the reason was shown).
    bool SaveProject(bool askForName);
    void SetAutoSave(bool enabled, int intervalMinutes);
    // One minute of the backup clock; the window's timer calls it.
    void AutoSaveTick();
    // A new undo depth empties every board's undo and redo lists, but only when it changes.
    void SetUndoDepth(int depth);
    // The tool bar's pen, colours and fill act on the selection as well as setting the defaults.
    void ApplyToSelection(TPlatine::Attribut attribute);
    void ShowToolWindowCommand(int number);
    // Settings -> Language: the tag is the language value stored for the next start.
    void LanguageCommand(int tag);
    void ZoomCommand(int tag);
    void RulersCommand(int tag);
    void FineGridCommand(int tag);
    void OutlineCommand(int tag);
    void SolderSideCommand(int tag);
    void SeeThroughCommand(int tag);
    void XRayCommand(int tag);
    void RenderingCommand(int tag);
    void UnusedAreasCommand(int tag);
    void HelpCommand(int tag);
    void AboutCommand(int tag);
    // The Board menu's "Set origin": the origin tool, as its button chooses it.
    void SetOriginCommand(int tag);
    void NextBoardCommand(int tag);
    void PenColourCommand(int tag);
    void FillColourCommand(int tag);
    void FillCommand(int tag);
    // The component assistant: its dialog, then the part it made into placing on the board.
    void AssistantCommand(int tag);
    // The library's commands, adding to the library included; the tag is the CommandId.
    void LibraryCommand(int tag);
    // The assistant's dialog once it was opened; it stays for the rest of the run.
    ComponentAssistantDialog* Assistant() const { return assistant_.get(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    // The view of one of the project's boards. The project owns the board and tells before a
    // board leaves, so that its view (and the editor in it) goes first.
    struct BoardView {
        TPlatine* Board = nullptr;
        std::unique_ptr<TScrollBoxEx> ScrollBox;
        BoardControl* Control = nullptr;
    };

    // Hides the floating tool windows while a dialog is open and shows them again after.
    class DialogScope {
    public:
        explicit DialogScope(MainWindow& window);
        ~DialogScope();
        DialogScope(const DialogScope&) = delete;
        DialogScope& operator=(const DialogScope&) = delete;

    private:
        MainWindow& window_;
        std::vector<QToolBar*> hidden_;
    };

    // Construction (MainWindow.cpp)
    void BuildLayout();
    void FirstShow();
    void FitAllBoards();

    // Commands, menus and tool bars (MainWindowCommands.cpp)
    void CreateActions();
    void CreateMenus();
    QMenu* CreateMenu(const MenuDefinition& definition, QWidget* parent);
    void CreateToolBars();
    QToolBar* CreateToolBar(const ToolBarDefinition& definition);
    QWidget* CreateToolBarWidget(ToolBarWidget kind, QToolBar& bar);
    void CreateToolColumn();
    void ApplyLanguage();
    void DefaultToolWindowPlacement();
    void UpdateShowToolsMenu();
    void UpdateRecentMenu();

    // The project (MainWindowProject.cpp)
    int AddBoardTab(std::unique_ptr<TPlatine> board);
    // The views follow the project's list of boards.
    void ConnectProject();
    void ShowAddedBoard(int index);
    void DropBoardView(int index);
    void MoveBoardView(int from, int to);
    void ConnectBoard(TPlatine& board);
    void RemoveAllBoards();
    bool LoadProject(const QString& path);
    QString LoadErrorCaption() const;
    void ShowLoadError(const QString& caption, const QString& text, MessageIcon icon);
    void ShowFileProblem(const FileProblem& problem);
    bool SavePromptSaysGoOn();
    void UpdateTitle();
    QString OpenDialogFolder() const;
    QString SaveDialogFolder() const;
    QString ProjectFolder() const;

    // View, tools and mouse (MainWindowView.cpp)
    void BoardChanged(TPlatine& board);
    void BoardModeChanged(TPlatine& board);
    void UpdateRulers(bool force);
    void MouseMoved(BoardControl& control, const BoardMouseEvent& event);
    void MousePressed(BoardControl& control, const BoardMouseEvent& event);
    void MouseReleased(BoardControl& control, const BoardMouseEvent& event);
    void ShowTool(int tag);
    void ShowToolStart(TPlatinenModus mode);
    void SetForeground(int index);
    void SetBackground(int index);
    void PenWidthChosen(int index);
    void ClearSelection(TPlatine& board);
    void SelectionClearedByView();
    void RepaintAllBoards();
    void KeepCentreAcrossTurn(TPlatine& board, bool wasSolderSide);
    void ScheduleUnusedAreasRefresh();
    void RefreshUnusedAreas();
    void HideUnusedAreas();
    bool BoardBusy() const;
    // Commands that replace the board's elements or leave the board (files, another board,
    // the layout editor, a library part) end a running operation first, the way Escape does,
    // as the board's own commands do; false when nothing can run now (no board, a pan).
    bool EndBoardOperation();
    void EscapeKey();
    // Where the editor windows' file dialogs start: the project's folder (MainWindowAnnotations).
    std::function<QString()> DocumentFolder() const;
    void ShowHoleUnderPointer(std::optional<QPoint> hole);
    void SetWorkingAreaEnabled(bool enabled);

    // The project on disk and its boards (MainWindowFiles.cpp)
    QString ChooseBoardLayout();
    std::unique_ptr<TPlatine> BoardWithLayout(const QString& layoutPath);
    void NewProject();
    void AddBoardWithLayout();
    void DuplicateCurrentBoard();
    void DeleteCurrentBoard();
    void ImportProject();
    void MoveCurrentBoard(int to);
    void EditBoardProperties(bool nameOnly);
    void LoadFillPicture();

    // Annotations (MainWindowAnnotations.cpp): shows the current board's annotation window
    // while they are shown, and hides the others.
    void FollowAnnotations();

    // Printing and export (MainWindowOutput.cpp)
    QString PrintTitle() const;
    void AfterPrintWindow();

    // The library (MainWindowLibrary.cpp)
    void ConnectLibrary(const LibrarySetup& setup);
    void PlaceLibraryPart(const QByteArray& part, bool stretchLeads);

    // The board layout editor (MainWindowLayoutEditor.cpp)
    MainWindow& LayoutEditor();
    void ReduceToLayoutEditor();
    void ApplyLayoutEditorLanguage();
    void CollectEditorCommands();
    // Shows the editor modally with a fresh tab holding the layout; true when it was accepted.
    bool RunAsLayoutEditor(std::unique_ptr<TBoard> layout);
    void CloseLayoutEditor(QCloseEvent& event);
    void NewLayout();
    void OpenLayout();
    bool SaveLayout();
    QString LayoutFolder() const;
    void ShowLayoutBoard(std::unique_ptr<TBoard> layout);
    // Runs a read of a board layout file; its errors are shown, and false returned.
    bool ReadingLayout(const QString& path, const std::function<void()>& read);

    // Enabling (MainWindowEnabling.cpp)
    void ApplyCommandStates();
    void UpdateInformation();
    void SyncToggles();
    // The language stored for the next start: the check mark, what it means, and the library
    // pages of that language offered.
    void SyncLanguageItems();
    void TellNextLanguage(Language chosen);

    ViewState view_;
    Role role_ = Role::Main;
    std::shared_ptr<ShellDialogs> dialogs_;
    std::unique_ptr<ElementClipboard> clipboard_;
    Project project_{view_};
    // The views of the project's boards, in the project's order.
    std::vector<BoardView> boards_;
    // The board shown; -1 while there is none.
    int current_ = -1;
    QString editFile_;
    RecentFiles recent_;
    bool firstShown_ = false;
    bool rulersVisible_ = true;
    bool outlineMode_ = false;
    bool unusedAreasShown_ = false;
    bool annotationsShown_ = false;
    bool unusedRefreshPending_ = false;
    bool confinementSuspended_ = false;
    struct RulerState {
        double Zoom = 0;
        QPoint Scroll;
        int Board = -1;
        bool Solder = false;
        QPoint Origin;
    } lastRulers_;

    std::array<QAction*, CommandCount> actions_{};
    std::array<QToolBar*, ToolWindowCount> toolWindows_{};
    QActionGroup* toolGroup_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* showToolsMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    Language nextLanguage_ = Language::German;
    QMenu* elementMenu_ = nullptr;
    QMenu* libraryMenu_ = nullptr;
    QMenu* tabMenu_ = nullptr;
    std::vector<QMenu*> mainMenus_;
    BoardArea* area_ = nullptr;
    LibraryPanel* library_ = nullptr;
    std::unique_ptr<LibraryController> libraryPages_;
    QToolBar* toolColumn_ = nullptr;
    ColourGrid* colourGrid_ = nullptr;
    QComboBox* penWidths_ = nullptr;
    QLineEdit* contourAmount_ = nullptr;
    InfoDisplay* display_ = nullptr;
    QLabel* holeLabel_ = nullptr;
    AutoSaveClock autoSave_;
    QTimer autoSaveTimer_;
    QToolButton* unusedButton_ = nullptr;
    std::unique_ptr<LoadingWindow> loading_;
    std::unique_ptr<ComponentAssistantDialog> assistant_;
    // What the component assistant hands to a board.
    QByteArray transferStream_;
    std::unique_ptr<PrintDialog> printWindow_;
    QString exportDir_;
    // The layout editor, and in the editor: its answer, its modal loop, the open layout file and
    // which commands its reduced window offers.
    std::unique_ptr<MainWindow> layoutEditor_;
    std::optional<bool> editorAccepted_;
    QEventLoop* editorLoop_ = nullptr;
    QString layoutFile_;
    std::vector<bool> editorCommands_;
};

} // namespace karvel
