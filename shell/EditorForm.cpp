#include "shell/EditorForm.h"

#include "platform/AtomicFile.h"
#include "platform/rtf/RtfDocument.h"
#include "shell/Command.h"
#include "shell/EditorDialogs.h"
#include "shell/EditorRuler.h"
#include "shell/Icons.h"
#include "shell/ScreenPlacement.h"

#include <cmath>
#include <QtCore/QFileInfo>
#include <QtGui/QActionGroup>
#include <QtGui/QClipboard>
#include <QtGui/QKeyEvent>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextList>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFontComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QVBoxLayout>
#include <stdexcept>

namespace karvel {

namespace {

struct CommandText {
    EditorCommand Id;
    const char* German;
    const char* English;
    QKeySequence Shortcut;
};

const CommandText& TextOf(EditorCommand id) {
    static const CommandText texts[] = {
        {EditorCommand::FileNew, "&Neu", "&New", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {EditorCommand::FileOpen, "Ö&ffnen...", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {EditorCommand::FileSave, "&Speichern", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {EditorCommand::FileSaveAs, "Speichern &unter...", "Save &As...", QKeySequence()},
        {EditorCommand::FilePrint, "&Drucken", "&Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {EditorCommand::FileExit, "&Beenden", "E&xit", QKeySequence(Qt::ALT | Qt::Key_X)},
        {EditorCommand::EditUndo, "&Rückgängig", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {EditorCommand::EditCut, "&Ausschneiden", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {EditorCommand::EditCopy, "&Kopieren", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {EditorCommand::EditPaste, "&Einfügen", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {EditorCommand::SelectFont, "&Schriftart...", "&Font...", QKeySequence()},
    };
    return texts[int(id)];
}

// A hint with a vertical bar shows only what stands before it.
QString ShortHint(const QString& hint) {
    return hint.section(u'|', 0, 0);
}

constexpr int AlignLeftTag = 0;
constexpr int AlignRightTag = 1;
constexpr int AlignCentreTag = 2;

int AlignmentTag(Qt::Alignment alignment) {
    if (alignment & Qt::AlignHCenter)
        return AlignCentreTag;
    if (alignment & Qt::AlignRight)
        return AlignRightTag;
    return AlignLeftTag;
}

// A bullet list moves its paragraphs right by its own indent; the ruler shows where the text
// really starts.
int ListIndentPoints(const QTextCursor& cursor) {
    const QTextList* list = cursor.currentList();
    if (list == nullptr)
        return 0;
    const double pixels = list->format().indent() * cursor.document()->indentWidth();
    return int(std::lround(pixels * 3 / 4));
}

bool IsPlainTextFile(const QString& path) {
    return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

} // namespace

TEditorForm::TEditorForm(Options options, QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
    dialogs_ = options_.Dialogs ? options_.Dialogs : std::make_shared<QtEditorDialogs>();
    setWindowTitle(QStringLiteral("Editor"));
    setMaximumHeight(MaxHeight);
    resize(StartSize);
    editor_ = new QTextEdit(this);
    ruler_ = new EditorRuler(this);
    BuildActions();
    BuildToolBar();
    BuildLayout();
    ApplyDefaultAttributes();
    ConnectEditor();
    FileNew();
    SelectionChanged();
    UpdateCommandStates();
}

TEditorForm::~TEditorForm() = default;

QTextDocument& TEditorForm::Document() const {
    return *editor_->document();
}

QString TEditorForm::Tr(const char* german, const char* english) const {
    return karvel::Tr(options_.Sprache, QString::fromUtf8(german), QString::fromUtf8(english));
}

QString TEditorForm::UntitledName() const {
    return Tr("Unbenannt", "Untitled");
}

QAction& TEditorForm::Action(EditorCommand command) const {
    return *actions_.at(std::size_t(command));
}

QAction& TEditorForm::ToolAction(const char* name) const {
    auto* action = toolBar_->findChild<QAction*>(QString::fromLatin1(name));
    if (action == nullptr)
        throw std::out_of_range(name);
    return *action;
}

// --- Building ------------------------------------------------------------------------------------

void TEditorForm::BuildActions() {
    const std::array<std::function<void()>, std::size_t(EditorCommand::Count)> handlers{
        [this] { FileNew(); },        [this] { FileOpen(); },     [this] { FileSave(); },
        [this] { FileSaveAs(); },     [this] { FilePrint(); },    [this] { close(); },
        [this] { editor_->undo(); },  [this] { editor_->cut(); }, [this] { editor_->copy(); },
        [this] { editor_->paste(); }, [this] { SelectFont(); }};
    for (int i = 0; i < int(EditorCommand::Count); ++i) {
        const CommandText& text = TextOf(EditorCommand(i));
        auto* action = new QAction(Tr(text.German, text.English), this);
        action->setShortcut(text.Shortcut);
        // The editor has the clipboard keys itself; the window's take the rest.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handlers[std::size_t(i)]);
        addAction(action);
        actions_[std::size_t(i)] = action;
    }
}

QAction* TEditorForm::AddToolAction(const char* name, const char* icon, const char* theme,
                                    const char* german, const char* english) {
    Command picture;
    picture.Icon = icon;
    picture.ThemeIcon = theme;
    auto* action = new QAction(CommandIcon(picture), ShortHint(Tr(german, english)), toolBar_);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(ShortHint(Tr(german, english)));
    toolBar_->addAction(action);
    return action;
}

void TEditorForm::BuildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setIconSize(QSize(18, 18));
    const auto run = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, handler);
    };
    run(AddToolAction("NewBtn", "NEU", "document-new", "Neu", "New"), [this] { FileNew(); });
    run(AddToolAction("OpenBtn", "OPEN", "document-open", "Datei laden", "Open"),
        [this] { FileOpen(); });
    run(AddToolAction("SaveBtn", "SAVE", "document-save", "Speichern", "Save"),
        [this] { FileSaveAs(); });
    run(AddToolAction("PrintBtn", "PRINT", "document-print", "Drucken", "Print"),
        [this] { FilePrint(); });
    toolBar_->addSeparator();
    run(AddToolAction("CutBtn", "CUT", "edit-cut", "Löschen", "Cut"), [this] { editor_->cut(); });
    run(AddToolAction("CopyBtn", "COPY", "edit-copy", "Kopieren", "Copy"),
        [this] { editor_->copy(); });
    run(AddToolAction("PasteBtn", "PASTE", "edit-paste", "Einfügen", "Paste"),
        [this] { editor_->paste(); });
    run(AddToolAction("UndoBtn", "UNDO", "edit-undo", "Rückgängig", "Undo"),
        [this] { editor_->undo(); });
    toolBar_->addSeparator();
    run(AddToolAction("sList_Btn", "SLIST", "", "Stückliste einfügen", "Add components list"),
        [this] { InsertList(0); });
    run(AddToolAction("EK_Btn", "E_ORDER", "", "Einkaufsliste einfügen", "Add order list"),
        [this] { InsertList(1); });
    toolBar_->addSeparator();

    fontName_ = new QFontComboBox(toolBar_);
    fontName_->setObjectName(QStringLiteral("FontName"));
    fontName_->setMaxVisibleItems(10);
    // Long font names would push the paragraph buttons off the tool bar.
    fontName_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fontName_->setMinimumContentsLength(12);
    fontName_->setToolTip(ShortHint(Tr("Schriftart|Select font name", "Select font")));
    toolBar_->addWidget(fontName_);
    fontSize_ = new QSpinBox(toolBar_);
    fontSize_->setObjectName(QStringLiteral("FontSize"));
    fontSize_->setRange(1, 1638);
    fontSize_->setKeyboardTracking(false);
    fontSize_->setToolTip(ShortHint(Tr("Schriftgröße|Select font size", "Font size")));
    toolBar_->addWidget(fontSize_);
    toolBar_->addSeparator();

    const auto toggle = [this](const char* name, const char* icon, const char* theme,
                               const char* german, const char* english) {
        QAction* action = AddToolAction(name, icon, theme, german, english);
        action->setCheckable(true);
        return action;
    };
    QAction* bold = toggle("BoldBtn", "E_BOLD", "format-text-bold", "Fett", "Bold");
    QAction* italic = toggle("ItalicBtn", "E_ITALIC", "format-text-italic", "Kursiv", "Italic");
    QAction* underline = toggle("UnderlineBtn", "E_UNDERLINE", "format-text-underline",
                                "Unterstreichen", "Underline");
    toolBar_->addSeparator();
    alignment_ = new QActionGroup(this);
    alignment_->setExclusive(true);
    const auto align = [&](const char* name, const char* icon, const char* theme,
                           const char* german, const char* english, int tag) {
        QAction* action = toggle(name, icon, theme, german, english);
        action->setData(tag);
        alignment_->addAction(action);
    };
    align("LeftAlign", "E_LEFT", "format-justify-left", "Linksbündig", "Align left", AlignLeftTag);
    align("CenterAlign", "E_CENTRE", "format-justify-center", "Zentriert", "Align center",
          AlignCentreTag);
    align("RightAlign", "E_RIGHT", "format-justify-right", "Rechtsbündig", "Align right",
          AlignRightTag);
    toolBar_->addSeparator();
    QAction* bullets = toggle("BulletsBtn", "E_BULLETS", "format-list-unordered",
                              "Aufzählung|Enter bullet mode", "Bullets");

    connect(bold, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        MergeCurrentAttributes(format);
    });
    connect(italic, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        MergeCurrentAttributes(format);
    });
    connect(underline, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        MergeCurrentAttributes(format);
    });
    connect(alignment_, &QActionGroup::triggered, this,
            [this](QAction* action) { SetAlignment(action->data().toInt()); });
    connect(bullets, &QAction::toggled, this, [this](bool on) { SetBullets(on); });
    connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{font.family()});
        MergeCurrentAttributes(format);
    });
    connect(fontSize_, &QSpinBox::valueChanged, this, [this](int size) {
        QTextCharFormat format;
        format.setFontPointSize(size);
        MergeCurrentAttributes(format);
    });
}

void TEditorForm::BuildLayout() {
    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu(Tr("&Datei", "&File"));
    for (const EditorCommand id : {EditorCommand::FileNew, EditorCommand::FileOpen,
                                   EditorCommand::FileSave, EditorCommand::FileSaveAs})
        file->addAction(&Action(id));
    file->addSeparator();
    file->addAction(&Action(EditorCommand::FilePrint));
    file->addSeparator();
    file->addAction(&Action(EditorCommand::FileExit));
    QMenu* edit = menus->addMenu(Tr("&Bearbeiten", "&Edit"));
    edit->addAction(&Action(EditorCommand::EditUndo));
    edit->addSeparator();
    for (const EditorCommand id :
         {EditorCommand::EditCut, EditorCommand::EditCopy, EditorCommand::EditPaste})
        edit->addAction(&Action(id));
    edit->addSeparator();
    edit->addAction(&Action(EditorCommand::SelectFont));

    auto* status = new QStatusBar(this);
    // At least as wide as the longest text they show in this font.
    const QFontMetrics metrics(status->font());
    const int widths[] = {std::max(120, metrics.horizontalAdvance(Tr("Zeile: 9999   Spalte: 9999",
                                                                     "Row: 9999   Column: 9999")) +
                                            12),
                          std::max(60, metrics.horizontalAdvance(Tr("Geändert", "Modified")) + 16),
                          50};
    for (std::size_t i = 0; i < status_.size(); ++i) {
        status_[i] = new QLabel(status);
        status_[i]->setFixedWidth(widths[i]);
        status->addWidget(status_[i]);
    }
    status_[1]->setAlignment(Qt::AlignCenter);

    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(toolBar_);
    layout->addWidget(ruler_);
    layout->addWidget(editor_, 1);
    layout->addWidget(status);
}

void TEditorForm::ApplyDefaultAttributes() {
    QTextDocument& document = Document();
    document.setDefaultFont(QApplication::font());
    // The text keeps 6 pixels from the edges, where the ruler's markers expect it.
    document.setDocumentMargin(EditorRuler::TextMargin);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(EditorRuler::TabDistance);
    document.setDefaultTextOption(option);
}

void TEditorForm::ConnectEditor() {
    editor_->installEventFilter(this);
    editor_->viewport()->installEventFilter(this);
    connect(editor_, &QTextEdit::cursorPositionChanged, this, [this] { SelectionChanged(); });
    connect(editor_, &QTextEdit::selectionChanged, this, [this] {
        SelectionChanged();
        UpdateCommandStates();
    });
    connect(editor_, &QTextEdit::currentCharFormatChanged, this, [this] { SelectionChanged(); });
    connect(&Document(), &QTextDocument::contentsChanged, this, [this] { UpdateModifiedMark(); });
    connect(&Document(), &QTextDocument::undoAvailable, this, [this] { UpdateCommandStates(); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { UpdateCommandStates(); });
    ruler_->OnIndentsChosen = [this](const RulerIndents&) { ApplyRulerIndents(); };
}

// --- Following the selection ------------------------------------------------------------------

void TEditorForm::SelectionChanged() {
    updating_ = true;
    const QTextCursor cursor = editor_->textCursor();
    RulerIndents indents = IndentsOf(cursor.blockFormat());
    indents.First += ListIndentPoints(cursor);
    ruler_->SetIndents(indents);
    const QTextCharFormat format = editor_->currentCharFormat();
    ToolAction("BoldBtn").setChecked(format.fontWeight() > QFont::Medium);
    ToolAction("ItalicBtn").setChecked(format.fontItalic());
    ToolAction("UnderlineBtn").setChecked(format.fontUnderline());
    ToolAction("BulletsBtn").setChecked(cursor.currentList() != nullptr);
    const QFont font = format.font().resolve(Document().defaultFont());
    double points =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : font.pointSizeF();
    fontSize_->setValue(int(std::lround(points > 0 ? points : 8)));
    QStringList families = format.fontFamilies().toStringList();
    fontName_->setCurrentFont(
        QFont(families.isEmpty() ? Document().defaultFont().family() : families.front()));
    const int tag = AlignmentTag(cursor.blockFormat().alignment());
    for (QAction* action : alignment_->actions())
        action->setChecked(action->data().toInt() == tag);
    UpdateStatus();
    updating_ = false;
}

void TEditorForm::UpdateStatus() {
    const QTextDocument& document = Document();
    const int start = editor_->textCursor().selectionStart();
    const QTextBlock block = document.findBlock(start);
    // Lines as the screen shows them: a wrapped paragraph counts each of its lines.
    int line = 0;
    for (QTextBlock b = document.begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() != nullptr ? b.layout()->lineCount() : 1);
    int lineStart = block.position();
    if (block.layout() != nullptr) {
        const QTextLine shown = block.layout()->lineForTextPosition(start - block.position());
        if (shown.isValid()) {
            line += shown.lineNumber();
            lineStart += shown.textStart();
        }
    }
    status_[0]->setText(QString::asprintf(
        UsesEnglish(options_.Sprache) ? "Row: %3d   Column: %3d" : "Zeile: %3d   Spalte: %3d",
        line + 1, start - lineStart + 1));
}

void TEditorForm::UpdateModifiedMark() {
    status_[1]->setText(Document().isModified() ? Tr("Geändert", "Modified") : QString());
}

void TEditorForm::UpdateCommandStates() {
    const bool selection = editor_->textCursor().hasSelection();
    const bool undo = Document().isUndoAvailable();
    const bool paste = editor_->canPaste();
    Action(EditorCommand::EditCut).setEnabled(selection);
    Action(EditorCommand::EditCopy).setEnabled(selection);
    Action(EditorCommand::EditUndo).setEnabled(undo);
    Action(EditorCommand::EditPaste).setEnabled(paste);
    ToolAction("CutBtn").setEnabled(selection);
    ToolAction("CopyBtn").setEnabled(selection);
    ToolAction("UndoBtn").setEnabled(undo);
    ToolAction("PasteBtn").setEnabled(paste);
}

// --- Formatting ----------------------------------------------------------------------------------

void TEditorForm::MergeCurrentAttributes(const QTextCharFormat& format) {
    if (updating_)
        return;
    editor_->mergeCurrentCharFormat(format);
    editor_->setFocus();
}

void TEditorForm::SetAlignment(int tag) {
    if (updating_)
        return;
    const Qt::Alignment alignment = tag == AlignRightTag    ? Qt::AlignRight
                                    : tag == AlignCentreTag ? Qt::AlignHCenter
                                                            : Qt::AlignLeft;
    editor_->setAlignment(alignment);
    SelectionChanged();
}

void TEditorForm::SetBullets(bool on) {
    if (updating_)
        return;
    QTextCursor cursor = editor_->textCursor();
    if (on) {
        cursor.createList(QTextListFormat::ListDisc);
    } else {
        const QTextDocument& document = Document();
        QTextBlock block = document.findBlock(cursor.selectionStart());
        const QTextBlock last = document.findBlock(cursor.selectionEnd());
        cursor.beginEditBlock();
        for (;; block = block.next()) {
            if (QTextList* list = block.textList())
                list->remove(block);
            if (block == last || !block.isValid())
                break;
        }
        cursor.endEditBlock();
    }
    SelectionChanged();
}

void TEditorForm::ApplyRulerIndents() {
    QTextCursor cursor = editor_->textCursor();
    RulerIndents indents = ruler_->Indents();
    indents.First = std::max(0, indents.First - ListIndentPoints(cursor));
    indents.Left = std::max(indents.Left, -indents.First);
    QTextBlockFormat format;
    ApplyIndents(indents, format);
    cursor.mergeBlockFormat(format);
    SelectionChanged();
}

void TEditorForm::SelectFont() {
    const std::optional<QFont> chosen = dialogs_->ChooseFont(this, editor_->currentFont());
    if (chosen) {
        QTextCharFormat format;
        format.setFont(*chosen, QTextCharFormat::FontPropertiesSpecifiedOnly);
        MergeCurrentAttributes(format);
    }
    SelectionChanged();
    editor_->setFocus();
}

// --- Files
// ----------------------------------------------------------------------------------------

bool TEditorForm::CheckFileSave() {
    if (!Document().isModified())
        return true;
    switch (dialogs_->Ask(this, windowTitle(), Tr("%1 speichern?", "Save %1 ?").arg(fileName_))) {
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Yes:
        break;
    }
    FileSave();
    // A save that was cancelled or failed keeps the document.
    return !Document().isModified();
}

void TEditorForm::FileNew() {
    if (!fileName_.isEmpty() && !CheckFileSave())
        return;
    fileName_ = UntitledName();
    LoadDocument({});
}

RtfResult TEditorForm::LoadDocument(const QByteArray& bytes) {
    QTextDocument& document = Document();
    document.setUndoRedoEnabled(false);
    const RtfResult result = ReadRtfDocument(bytes, document);
    ApplyDefaultAttributes();
    document.setUndoRedoEnabled(true);
    document.setModified(false);
    editor_->moveCursor(QTextCursor::Start);
    SelectionChanged();
    UpdateModifiedMark();
    UpdateCommandStates();
    if (!result.Complete())
        ShowError(RtfProblemMessage(result, options_.Sprache));
    return result;
}

void TEditorForm::FileOpen() {
    if (!CheckFileSave())
        return;
    const QString path = dialogs_->ChooseFileToOpen(this, DialogFolder(), options_.Sprache);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(Tr("%1 kann nicht gelesen werden:\n%2", "%1 cannot be read:\n%2")
                      .arg(path, file.errorString()));
        return;
    }
    const RtfLimits limits;
    if (file.size() > limits.MaxInput) {
        ShowError(RtfProblemMessage({RtfProblem::TooLarge, 0}, options_.Sprache, limits));
        return;
    }
    LoadDocument(file.read(limits.MaxInput + 1));
    fileName_ = path;
    folder_ = QFileInfo(path).absolutePath();
    editor_->setFocus();
}

QString TEditorForm::DialogFolder() const {
    if (!folder_.isEmpty())
        return folder_;
    if (options_.DocumentFolder)
        if (const QString folder = options_.DocumentFolder(); !folder.isEmpty())
            return folder;
    return options_.ProgramFolder;
}

bool TEditorForm::WriteTo(const QString& path) {
    const QByteArray bytes =
        IsPlainTextFile(path) ? Document().toPlainText().toUtf8() : WriteRtfDocument(Document());
    const QString reason = WriteFileAtomically(path, bytes);
    if (reason.isEmpty())
        return true;
    ShowError(
        Tr("%1 kann nicht geschrieben werden:\n%2", "%1 cannot be written:\n%2").arg(path, reason));
    return false;
}

void TEditorForm::FileSave() {
    if (fileName_ == UntitledName()) {
        FileSaveAs();
        return;
    }
    if (WriteTo(fileName_))
        Document().setModified(false);
    UpdateModifiedMark();
}

void TEditorForm::FileSaveAs() {
    const QString offered =
        fileName_ == UntitledName() ? QString() : QFileInfo(fileName_).fileName();
    const QString path =
        dialogs_->ChooseFileToSave(this, DialogFolder(), offered, options_.Sprache);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) &&
        dialogs_->Ask(this, windowTitle(), Tr("%1 überschreiben", "Overwrite %1 ").arg(path)) !=
            SaveAnswer::Yes)
        return;
    if (!WriteTo(path))
        return;
    fileName_ = path;
    folder_ = QFileInfo(path).absolutePath();
    Document().setModified(false);
    UpdateModifiedMark();
}

void TEditorForm::FilePrint() {
    // The job title is the file's own name: the print dialog offers it as the name of a PDF in
    // the user's folder, and a whole path there names a folder that does not exist.
    dialogs_->Print(this, Document(), QFileInfo(fileName_).fileName(), options_.Sprache);
}

void TEditorForm::InsertList(int tag) {
    tag_ = tag;
    if (OnListRequest)
        OnListRequest(*this);
    // The caret stands after the inserted list, where typing goes on.
    editor_->ensureCursorVisible();
}

void TEditorForm::ShowError(const QString& text) {
    dialogs_->ShowMessage(this, MessageIcon::Error, windowTitle(), text);
}

// --- Window
// ---------------------------------------------------------------------------------------

void TEditorForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!placed_) {
        placed_ = true;
        const QRect screen = AvailableScreenArea(
            parentWidget() != nullptr ? parentWidget()->mapToGlobal(QPoint()) : QPoint());
        if (screen.isValid())
            move(screen.center() - rect().center());
    }
    PlaceRuler();
    UpdateStatus();
    UpdateModifiedMark();
    editor_->setFocus();
}

void TEditorForm::done(int result) {
    if (options_.AskBeforeClosing && !CheckFileSave())
        return;
    QDialog::done(result);
    if (OnClosed)
        OnClosed();
}

void TEditorForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceRuler();
}

void TEditorForm::PlaceRuler() {
    const QWidget* viewport = editor_->viewport();
    const int left = viewport->mapTo(this, QPoint()).x() - ruler_->x();
    ruler_->SetTextArea(left, viewport->width());
}

bool TEditorForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_->viewport() && event->type() == QEvent::Resize)
        PlaceRuler();
    if (watched == editor_ && event->type() == QEvent::KeyRelease &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (options_.Help)
            options_.Help(HelpTopic);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace karvel
