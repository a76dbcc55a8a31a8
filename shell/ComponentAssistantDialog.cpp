#include "shell/ComponentAssistantDialog.h"

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "assistant/Farbcode.h"
#include "assistant/OhmText.h"
#include "board/BoardHoleGrid.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "platform/HelpTopic.h"
#include "shell/BoardControl.h"
#include "shell/CursorLibrary.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellDialogs.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

namespace karvel {

namespace {

using enum TPlatinenModus;

constexpr QSize DesignSize{546, 302};
constexpr int PreviewSize = 30000; // 300 mm square
constexpr QPoint PreviewCentre{15000, 15000};
const QColor GridBackground(0xFE, 0xFF, 0xCE);
constexpr int ResistanceRow = 4; // "Normwert" of the resistor

// The parameter grid; it can hand over a value still being typed before the dialog closes.
class ParameterTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    void FinishEditing() {
        if (state() != QAbstractItemView::EditingState)
            return;
        QWidget* editor = QApplication::focusWidget();
        if (editor == nullptr || editor == this || !isAncestorOf(editor))
            return;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
};

bool IsStepped(const TBtParam& param) {
    return param.Kind == TBtParamKind::pkChoice || param.Kind == TBtParamKind::pkFlag;
}

QTableWidgetItem* EnsureItem(QTableWidget& table, int row, int column) {
    if (QTableWidgetItem* item = table.item(row, column))
        return item;
    auto* item = new QTableWidgetItem;
    table.setItem(row, column, item);
    return item;
}

} // namespace

ComponentAssistantDialog::ComponentAssistantDialog(ViewState& view, ShellDialogs& dialogs,
                                                   QWidget* parent)
    : QDialog(parent), view_(view), dialogs_(dialogs) {
    setObjectName(QStringLiteral("KompoManDlg"));
    BuildControls();
    CreatePreview();
    CreateGenerator();
    ApplyLanguage();
    Prepare();
}

ComponentAssistantDialog::~ComponentAssistantDialog() = default;

QTableWidget& ComponentAssistantDialog::ParamGrid() const {
    return *paramGrid_;
}

// --- Construction ------------------------------------------------------------------------------

void ComponentAssistantDialog::BuildControls() {
    setFixedSize(DesignSize);
    groupBox_ = new QGroupBox(this);
    groupBox_->setGeometry(8, 8, 265, 49);
    styleCombo_ = new QComboBox(groupBox_);
    styleCombo_->setObjectName(QStringLiteral("StyleCombo"));
    styleCombo_->setGeometry(12, 18, 241, styleCombo_->sizeHint().height());
    styleCombo_->setMaxVisibleItems(20);
    connect(styleCombo_, &QComboBox::activated, this, &ComponentAssistantDialog::StyleChanged);

    auto* table = new ParameterTable(0, 2, this);
    paramGrid_ = table;
    paramGrid_->setObjectName(QStringLiteral("ParamGrid"));
    paramGrid_->setGeometry(8, 72, 265, 174);
    paramGrid_->verticalHeader()->hide();
    paramGrid_->verticalHeader()->setDefaultSectionSize(18);
    // Captions as wide as they need, values what is left: the grid never scrolls sideways.
    paramGrid_->horizontalHeader()->setDefaultSectionSize(140);
    paramGrid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    paramGrid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    paramGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    paramGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    paramGrid_->setShowGrid(true);
    paramGrid_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    QPalette palette = paramGrid_->palette();
    palette.setColor(QPalette::Base, GridBackground);
    paramGrid_->setPalette(palette);
    paramGrid_->installEventFilter(this);
    connect(paramGrid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int previousRow, int) {
                CellChanged(row, column, previousRow);
            });
    connect(paramGrid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row == currentIndex_)
            Step(StepInput::Advance);
    });
    // Enter in a cell being edited hands the value over: the row is committed then.
    connect(paramGrid_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint != QAbstractItemDelegate::RevertModelCache)
                    CommitCurrentRow();
            });

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName(QStringLiteral("OKBtn"));
    okButton_->setGeometry(124, 263, 70, 25);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &ComponentAssistantDialog::AcceptCommitted);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QStringLiteral("CancelBtn"));
    cancelButton_->setGeometry(203, 263, 70, 25);
    cancelButton_->setAutoDefault(false);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    helpButton_ = new QPushButton(this);
    helpButton_->setObjectName(QStringLiteral("HelpBtn"));
    helpButton_->setGeometry(8, 263, 65, 25);
    helpButton_->setAutoDefault(false);
    connect(helpButton_, &QPushButton::clicked, this, &ComponentAssistantDialog::ShowHelp);
}

void ComponentAssistantDialog::CreatePreview() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("VorschauPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(284, 8, 249, 277);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);

    preview_ = std::make_unique<TPlatine>(view_);
    scroll_ = std::make_unique<TScrollBoxEx>();
    scroll_->setObjectName(QStringLiteral("VorschauScrollbox"));
    scroll_->setFrameShape(QFrame::NoFrame);
    previewControl_ = new BoardControl(*preview_);
    scroll_->setWidget(previewControl_);
    layout->addWidget(scroll_.get());
    preview_->SetHost(scroll_.get());
    preview_->SetSize(PreviewSize, PreviewSize);
    preview_->SetModus(pm_Zoom);
    previewControl_->setCursor(CursorForMode(pm_Zoom, view_.Sprache));
    previewControl_->OnMousePress = [this](const BoardMouseEvent& e) {
        previewControl_->Editor().Press(ToPointer(PointerAction::Press, e));
    };
    previewControl_->OnMouseMove = [this](const BoardMouseEvent& e) {
        previewControl_->Editor().Move(ToPointer(PointerAction::Move, e));
    };
    previewControl_->OnMouseRelease = [this](const BoardMouseEvent& e) {
        previewControl_->Editor().Release(ToPointer(PointerAction::Release, e));
    };
    // A right click leaves the magnifier on the main board; here it stays the only tool.
    preview_->OnModeChange = [](TPlatine& board) {
        if (board.Modus() != pm_Zoom)
            board.SetModus(pm_Zoom);
    };
    grid_ = std::make_unique<BoardHoleGrid>(*preview_);
}

void ComponentAssistantDialog::CreateGenerator() {
    auto generator = std::make_unique<TBt>(view_.Sprache);
    // The board first: the resistor's gradient pictures are found through it.
    generator->SetParent(preview_.get());
    generator->SetBMUsage(&preview_->BitmapUsages());
    generator->SetStyle(std::uint8_t(BtStyle::Resistor));
    generator->Board = grid_.get();
    generator->Centre = preview_->SnapToHole(preview_->BoardToControl(PreviewCentre), true);
    generator->OnResistorBuilt = [this](TBt& built) { ShowResistorValue(built); };
    generator_ = static_cast<TBt*>(preview_->Add(std::move(generator)));
}

void ComponentAssistantDialog::ApplyLanguage() {
    const bool english = UsesEnglish(view_.Sprache);
    setWindowTitle(english ? QStringLiteral("Object assistant")
                           : QStringLiteral("Objekt-Assistent"));
    groupBox_->setTitle(english ? QStringLiteral("Style") : QStringLiteral("Objekt"));
    cancelButton_->setText(english ? QStringLiteral("&Cancel") : QStringLiteral("&Abbrechen"));
    helpButton_->setText(english ? QStringLiteral("&Help...") : QStringLiteral("&Hilfe..."));
    styleCombo_->clear();
    styleCombo_->addItems(StyleEntries(view_.Sprache));
    yes_ = english ? QStringLiteral("Yes") : QStringLiteral("Ja");
    no_ = english ? QStringLiteral("No") : QStringLiteral("Nein");
    paramGrid_->setHorizontalHeaderLabels(
        {QStringLiteral("Parameter"), english ? QStringLiteral("Value") : QStringLiteral("Wert")});
}

// --- Showing and refreshing --------------------------------------------------------------------

void ComponentAssistantDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Prepare();
}

void ComponentAssistantDialog::Prepare() {
    FillGrid();
    {
        const QSignalBlocker quiet(paramGrid_);
        paramGrid_->setCurrentCell(0, 1);
    }
    currentIndex_ = 0;
    styleCombo_->setCurrentIndex(generator_->Style);
    Refresh();
    paramGrid_->setFocus();
}

void ComponentAssistantDialog::Refresh() {
    generator_->Generate();
    generator_->SetIstAufLoetseite(view_.NewElementsOnSolderSide());
    // Fitted twice: the first fit may bring up or take away the scroll bars.
    preview_->FitElements(false);
    previewControl_->InvalidateAll();
    preview_->FitElements(false);
    previewControl_->InvalidateAll();
}

void ComponentAssistantDialog::StyleChanged(int index) {
    if (index < 0 || index >= TBt::StyleCount)
        return;
    paramGrid_->setCurrentCell(0, 1);
    generator_->SetStyle(std::uint8_t(index));
    FillGrid();
    currentIndex_ = 0;
    Refresh();
}

void ComponentAssistantDialog::FillGrid() {
    filling_ = true;
    std::vector<TBtParam>& params = generator_->Params;
    paramGrid_->setRowCount(int(params.size()));
    for (int row = 0; row < int(params.size()); ++row) {
        TBtParam& param = params[std::size_t(row)];
        QTableWidgetItem* caption = EnsureItem(*paramGrid_, row, 0);
        caption->setText(ParamCaptionText(param));
        caption->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        QTableWidgetItem* value = EnsureItem(*paramGrid_, row, 1);
        value->setText(ParamCellText(param, yes_, no_));
        // Choices and flags change by keys and double clicks only.
        const Qt::ItemFlags editable =
            IsStepped(param) ? Qt::ItemFlags() : Qt::ItemFlags(Qt::ItemIsEditable);
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | editable);
    }
    filling_ = false;
}

// --- Editing -----------------------------------------------------------------------------------

void ComponentAssistantDialog::CellChanged(int row, int column, int previousRow) {
    if (filling_ || row < 0)
        return;
    // The value column is the one to edit; a click on a caption means its value.
    if (column == 0) {
        QMetaObject::invokeMethod(
            this, [this, row] { paramGrid_->setCurrentCell(row, 1); }, Qt::QueuedConnection);
    }
    if (row == previousRow)
        return;
    CommitRow(currentIndex_);
    currentIndex_ = row;
}

void ComponentAssistantDialog::CommitCurrentRow() {
    CommitRow(currentIndex_);
}

void ComponentAssistantDialog::CommitRow(int index) {
    if (index < 0 || index >= int(generator_->Params.size()))
        return;
    const QTableWidgetItem* cell = paramGrid_->item(index, 1);
    if (cell == nullptr)
        return;
    TBtParam& param = generator_->Params[std::size_t(index)];
    switch (CommitParamText(param, cell->text())) {
    case CommitOutcome::Unchanged:
        return;
    case CommitOutcome::Corrected:
        dialogs_.ShowMessage(
            this, MessageIcon::Warning,
            view_.Tr(QStringLiteral("Hinweis"), QStringLiteral("Information")),
            view_.Tr(QStringLiteral("Der eingegebene Wert überschreitet die zulässigen Grenzen "
                                    "und wird korrigiert!"),
                     QStringLiteral("Value exceeds range and will be corrected!")));
        FillGrid();
        break;
    case CommitOutcome::Changed:
        // A resistance shows in its own form at once.
        if (param.Kind == TBtParamKind::pkOhm)
            FillGrid();
        break;
    }
    Refresh();
    if (param.Kind == TBtParamKind::pkOhm)
        TellUncodedResistance();
}

void ComponentAssistantDialog::TellUncodedResistance() {
    const auto& members = generator_->Members();
    const auto* code =
        members.size() < 5 ? nullptr : dynamic_cast<const TFarbcode*>(members[4].get());
    if (code == nullptr || code->BandCoding() == TFarbcode::Coding::Shown)
        return;
    const bool tooLarge = code->BandCoding() == TFarbcode::Coding::BeyondWhite;
    dialogs_.ShowMessage(
        this, MessageIcon::Information,
        view_.Tr(QStringLiteral("Hinweis"), QStringLiteral("Information")),
        tooLarge ? view_.Tr(QStringLiteral("Der Wert ist zu groß für den Farbcode: sein größter "
                                           "Multiplikator ist Weiß (x 1 GOhm). Die Ringe bleiben "
                                           "leer."),
                            QStringLiteral("The value is too large for the colour code, whose "
                                           "largest multiplier is white (x 1 GOhm). The bands "
                                           "stay empty."))
                 : view_.Tr(QStringLiteral("Der Wert ist zu klein für den Farbcode dieser Reihe: "
                                           "sein kleinster Multiplikator ist Silber (x 0,01). Die "
                                           "Ringe bleiben leer."),
                            QStringLiteral("The value is too small for the colour code of this "
                                           "series, whose smallest multiplier is silver "
                                           "(x 0.01). The bands stay empty.")));
}

void ComponentAssistantDialog::Step(StepInput input) {
    if (currentIndex_ < 0 || currentIndex_ >= int(generator_->Params.size()))
        return;
    if (!StepParam(generator_->Params[std::size_t(currentIndex_)], input))
        return;
    FillGrid();
    Refresh();
}

bool ComponentAssistantDialog::StepKey(int key) {
    switch (key) {
    case Qt::Key_Space:
        Step(StepInput::Advance);
        return true;
    case Qt::Key_Right:
    case Qt::Key_J:
    case Qt::Key_Y:
        Step(StepInput::Forward);
        return true;
    case Qt::Key_Left:
    case Qt::Key_N:
        Step(StepInput::Back);
        return true;
    default:
        return false;
    }
}

bool ComponentAssistantDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != paramGrid_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool editing = static_cast<ParameterTable*>(paramGrid_)->Editing();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter hands the row over and keeps the dialog open; an open editor hands its text
        // over itself as it closes.
        if (!editing)
            CommitCurrentRow();
        return true;
    }
    const bool stepped = currentIndex_ >= 0 && currentIndex_ < int(generator_->Params.size()) &&
                         IsStepped(generator_->Params[std::size_t(currentIndex_)]);
    if (!editing && stepped && StepKey(key->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}

void ComponentAssistantDialog::ShowResistorValue(TBt& generator) {
    const auto& members = generator.Members();
    if (members.size() < 5)
        return;
    const auto* code = dynamic_cast<const TFarbcode*>(members[4].get());
    QTableWidgetItem* cell = paramGrid_->item(ResistanceRow, 1);
    if (code == nullptr || cell == nullptr)
        return;
    // Shown, not yet taken: the next commit of the row takes the snapped value over.
    filling_ = true;
    cell->setText(FormatOhm(code->Resistance));
    filling_ = false;
}

// --- Closing and help ---------------------------------------------------------------------------

void ComponentAssistantDialog::AcceptCommitted() {
    static_cast<ParameterTable*>(paramGrid_)->FinishEditing();
    CommitCurrentRow();
    Refresh();
    accept();
}

void ComponentAssistantDialog::done(int result) {
    // Every close takes the row being edited, Cancel too: the values stay for the next time.
    static_cast<ParameterTable*>(paramGrid_)->FinishEditing();
    CommitCurrentRow();
    QDialog::done(result);
}

void ComponentAssistantDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void ComponentAssistantDialog::ShowHelp() {
    ShowManual(dialogs_, view_.ProgramFolder, view_.Sprache, HelpTopic);
}

} // namespace karvel
