#include "shell/SettingsDialogs.h"

#include "board/Platine.h"
#include "platform/NumberLocale.h"
#include "shell/DialogParts.h"
#include "shell/NumberField.h"
#include "shell/StorableTextNote.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <cmath>
#include <tuple>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int BoardPropertiesHelpTopic = ManualTopic::BoardProperties;
constexpr int AutoSaveHelpTopic = ManualTopic::AutoSave;
// As much as the stored board record keeps.
constexpr int BoardNameLength = TPlatine::StoredNameLength;

// --- Board properties ----------------------------------------------------------------------------

class BoardPropertiesDialog : public HelpDialog {
public:
    BoardPropertiesDialog(QWidget* parent, Language language, HelpRequest help,
                          std::vector<Rect> layoutHoles)
        : HelpDialog(parent, language, BoardPropertiesHelpTopic, std::move(help)),
          name_(Field(QStringLiteral("Name"))), width_(Field(QStringLiteral("Width"))),
          height_(Field(QStringLiteral("Height"))), x_(Field(QStringLiteral("X"))),
          y_(Field(QStringLiteral("Y"))) {
        layoutHoles_ = std::move(layoutHoles);
        setObjectName(QStringLiteral("PlatinenDlg"));
        setWindowTitle(T(language, "Eigenschaften Platine", "Board properties"));
        name_->setMaxLength(BoardNameLength);
        name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 30);
        auto* nameBox = new QGroupBox(T(language, "Name", "Name"));
        auto* nameLayout = new QVBoxLayout(nameBox);
        nameLayout->addWidget(name_);
        auto* nameNote = new StorableTextNote(*name_, language);
        nameLayout->addWidget(nameNote);
        size_ = Pair(T(language, "Größe", "Size"), T(language, "Breite", "Width"), width_,
                     T(language, "Höhe", "Height"), height_);
        offset_ =
            Pair(T(language, "Offset", "Offset"), QStringLiteral("x"), x_, QStringLiteral("y"), y_);
        AddHoleCounts(language);
        cutNote_ = new QLabel;
        cutNote_->setObjectName(QStringLiteral("CutHoles"));
        cutNote_->setWordWrap(true);
        auto* content = new QVBoxLayout;
        content->addWidget(nameBox);
        content->addWidget(size_);
        content->addWidget(offset_);
        content->addWidget(cutNote_);
        QDialogButtonBox* buttons = SetContent(content);
        GuardStorableFields({nameNote}, *buttons);
        defaults_ =
            buttons->addButton(T(language, "&Standard", "&Default"), QDialogButtonBox::ResetRole);
        defaults_->setAutoDefault(false);
        connect(defaults_, &QPushButton::clicked, this, [this] { FillDefaults(); });
        FillDefaults();
        for (QLineEdit* field : {width_, height_, x_, y_})
            connect(field, &QLineEdit::textChanged, this, [this] { FollowMillimetres(); });
        connect(columns_, &QSpinBox::valueChanged, this, [this] { FollowHoles(); });
        connect(rows_, &QSpinBox::valueChanged, this, [this] { FollowHoles(); });
        name_->setFocus();
    }

    void Fill(const BoardPropertiesText& text, bool nameOnly) {
        name_->setText(text.Name.left(BoardNameLength));
        width_->setText(text.Width);
        height_->setText(text.Height);
        x_->setText(text.X);
        y_->setText(text.Y);
        for (QWidget* geometry : {static_cast<QWidget*>(size_), static_cast<QWidget*>(offset_),
                                  static_cast<QWidget*>(defaults_)})
            geometry->setEnabled(!nameOnly);
        FollowMillimetres();
    }
    BoardPropertiesText Answer() const {
        return {name_->text(), width_->text(), height_->text(), x_->text(), y_->text()};
    }

private:
    static QLineEdit* Field(const QString& name) {
        auto* field = new QLineEdit;
        field->setObjectName(name);
        return field;
    }
    // A group of two millimetre fields.
    static QGroupBox* Pair(const QString& title, const QString& first, QLineEdit* firstField,
                           const QString& second, QLineEdit* secondField) {
        auto* group = new QGroupBox(title);
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (const auto& [caption, field] : {std::pair{first, firstField}, {second, secondField}}) {
            auto* label = new QLabel(caption);
            label->setBuddy(field);
            field->setMaxLength(12);
            grid->addWidget(label, row, 0);
            grid->addWidget(field, row, 1);
            grid->addWidget(new QLabel(QStringLiteral("mm")), row, 2);
            ++row;
        }
        return group;
    }
    // Columns × rows of whole holes beside the millimetres of the size.
    void AddHoleCounts(Language language) {
        auto* grid = static_cast<QGridLayout*>(size_->layout());
        int row = 0;
        for (auto& [spin, name, german, english] :
             {std::tuple{&columns_, "Columns", "Spalten", "Columns"},
              std::tuple{&rows_, "Rows", "Zeilen", "Rows"}}) {
            *spin = new QSpinBox;
            (*spin)->setObjectName(QString::fromLatin1(name));
            (*spin)->setRange(0, MostHolesAcross());
            auto* label = new QLabel(T(language, german, english));
            label->setBuddy(*spin);
            grid->addWidget(*spin, row, 3);
            grid->addWidget(label, row, 4);
            ++row;
        }
        grid->setColumnMinimumWidth(3, grid->spacing() * 3);
        // Tab goes along each line: the millimetres, then their holes.
        setTabOrder(width_, columns_);
        setTabOrder(columns_, height_);
        setTabOrder(height_, rows_);
    }
    // The millimetres changed: the hole counts follow, and the note on cut holes.
    void FollowMillimetres() {
        if (following_)
            return;
        following_ = true;
        const HoleCount holes = WholeHoles(Answer());
        columns_->setValue(holes.Columns);
        rows_->setValue(holes.Rows);
        following_ = false;
        ShowCutHoles();
    }
    // The hole counts changed: the millimetres follow, from the offset.
    void FollowHoles() {
        if (following_)
            return;
        following_ = true;
        const QLocale locale = NumberLocale(language_);
        const BoardPropertiesText now = Answer();
        if (WholeHoles(now).Columns != columns_->value())
            width_->setText(WidthForColumns(now, columns_->value(), locale));
        if (WholeHoles(now).Rows != rows_->value())
            height_->setText(HeightForRows(now, rows_->value(), locale));
        following_ = false;
        ShowCutHoles();
    }
    void ShowCutHoles() {
        const QString note = CutHolesMessage(CutHoles(layoutHoles_, Answer()), language_);
        cutNote_->setText(note);
        cutNote_->setVisible(!note.isEmpty());
    }
    void FillDefaults() {
        const BoardPropertiesText standard = DefaultProperties({}, NumberLocale(language_));
        width_->setText(standard.Width);
        height_->setText(standard.Height);
        x_->setText(standard.X);
        y_->setText(standard.Y);
    }

    QLineEdit* name_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* x_;
    QLineEdit* y_;
    QGroupBox* size_ = nullptr;
    QGroupBox* offset_ = nullptr;
    QPushButton* defaults_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QLabel* cutNote_ = nullptr;
    std::vector<Rect> layoutHoles_;
    // Set while one side of the size follows the other, so that it does not answer back.
    bool following_ = false;
};

// --- Undo depth ----------------------------------------------------------------------------------

class UndoDepthDialog : public HelpDialog {
public:
    UndoDepthDialog(QWidget* parent, Language language)
        : HelpDialog(parent, language), steps_(new NumberField(UndoDepthRange())) {
        const UndoDepthTexts texts = UndoDepthTextsFor(language);
        setObjectName(QStringLiteral("UndoDlg"));
        setWindowTitle(texts.Caption);
        steps_->setObjectName(QStringLiteral("Steps"));
        auto* explanation = new QLabel(texts.Explanation);
        explanation->setWordWrap(true);
        explanation->setMinimumWidth(explanation->fontMetrics().averageCharWidth() * 50);
        auto* group = new QGroupBox(texts.Group);
        auto* inside = new QVBoxLayout(group);
        inside->addWidget(explanation);
        auto* row = new QHBoxLayout;
        row->addWidget(steps_);
        row->addStretch();
        inside->addLayout(row);
        auto* content = new QVBoxLayout;
        content->addWidget(group);
        SetContent(content)->button(QDialogButtonBox::Cancel)->setText(texts.Cancel);
        steps_->setFocus();
    }
    NumberField& Steps() const { return *steps_; }

private:
    NumberField* steps_;
};

// --- Auto-save -----------------------------------------------------------------------------------

class AutoSaveDialog : public HelpDialog {
public:
    AutoSaveDialog(QWidget* parent, Language language, HelpRequest help)
        : HelpDialog(parent, language, AutoSaveHelpTopic, std::move(help)),
          enabled_(new QCheckBox(
              T(language, "Arbeit automatisch &sichern, alle", "Save changes every..."))),
          minutes_(new NumberField(AutoSaveMinutesRange())) {
        setObjectName(QStringLiteral("AutoSaveDlg"));
        setWindowTitle(T(language, "AutoSpeichern", "AutoSave"));
        enabled_->setObjectName(QStringLiteral("Enabled"));
        minutes_->setObjectName(QStringLiteral("Minutes"));
        auto* group = new QGroupBox(T(language, "Intervall", "Interval"));
        auto* row = new QHBoxLayout(group);
        row->addWidget(enabled_);
        row->addWidget(minutes_);
        row->addWidget(new QLabel(T(language, "Minuten", "minutes")));
        auto* content = new QVBoxLayout;
        content->addWidget(group);
        SetContent(content);
        connect(enabled_, &QCheckBox::toggled, minutes_, &QWidget::setEnabled);
    }
    void Fill(AutoSaveSettings settings) {
        enabled_->setChecked(settings.Enabled);
        minutes_->setEnabled(settings.Enabled);
        minutes_->SetValue(settings.Minutes);
    }
    AutoSaveSettings Answer() const {
        return {enabled_->isChecked(), int(std::lround(minutes_->Value()))};
    }

private:
    QCheckBox* enabled_;
    NumberField* minutes_;
};

} // namespace

NumberRange UndoDepthRange() {
    return {.Minimum = 1, .Maximum = 50, .Step = 1, .Decimals = 0};
}

NumberRange AutoSaveMinutesRange() {
    return {.Minimum = 1, .Maximum = 60, .Step = 1, .Decimals = 0};
}

UndoDepthTexts UndoDepthTextsFor(Language language) {
    switch (language) {
    case Language::English:
        return {QStringLiteral("UNDO"), QStringLiteral("Number of UNDO operations"),
                QStringLiteral("Here you can define the maximum number of UNDO operations. The "
                               "maximum is 50 operations\nIf your system runs very slowly while "
                               "working with big layouts, you can decrease this value down to 1."),
                QStringLiteral("&Cancel")};
    case Language::French:
        return {QStringLiteral("Retour en arrière"),
                QStringLiteral("Nombre d´opérations de retour en arrière"),
                QStringLiteral("Vous pourrez définir ici le nombre maximum d´opérations de retour "
                               "en arrière. Le maximum d´opérations est de 50.\nSi votre système "
                               "ralenti de façon anormal lorsque vous travaillez sur de gros "
                               "tracés, vous pouvez réduire cette valeur à 1."),
                QStringLiteral("&Annuler")};
    case Language::German:
        break;
    }
    return {QStringLiteral("Rückgängig"), QStringLiteral("Anzahl der Rückgängig-Aktionen"),
            QStringLiteral("Hier können Sie die maximale Anzahl der Rückgängig-Aktionen "
                           "einstellen. Der Maximalwert liegt bei 50 Aktionen.\nWenn Ihr System "
                           "bei grösseren Projekten zu langsam wird, können Sie diesen Wert bis "
                           "auf 1 verringern."),
            QStringLiteral("&Abbrechen")};
}

std::optional<BoardPropertiesText> RunBoardPropertiesDialog(QWidget* parent,
                                                            const BoardPropertiesText& current,
                                                            bool nameOnly, Language language,
                                                            const HelpRequest& help,
                                                            std::vector<Rect> layoutHoles) {
    BoardPropertiesDialog dialog(parent, language, help, std::move(layoutHoles));
    dialog.Fill(current, nameOnly);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Answer();
}

std::optional<int> RunUndoDepthDialog(QWidget* parent, int depth, Language language) {
    UndoDepthDialog dialog(parent, language);
    dialog.Steps().SetValue(depth);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return int(std::lround(dialog.Steps().Value()));
}

std::optional<AutoSaveSettings> RunAutoSaveDialog(QWidget* parent, AutoSaveSettings current,
                                                  Language language, const HelpRequest& help) {
    AutoSaveDialog dialog(parent, language, help);
    dialog.Fill(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Answer();
}

} // namespace karvel
