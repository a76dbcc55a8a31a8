#include "shell/LabelDialog.h"

#include "platform/Colour.h"
#include "shell/ColourDialog.h"
#include "shell/DialogParts.h"
#include "shell/NumberField.h"
#include "shell/StorableTextNote.h"

#include <QtGui/QFontInfo>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <array>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int LabelHelpTopic = ManualTopic::TextLabel;
constexpr int TextLength = 200;
// The text field shows the chosen font at this height, whatever its size on the board.
constexpr int SampleTextPixels = 16;

QFont ToQFont(const LabelFont& label, double heightMillimetres) {
    QFont font(label.Face);
    font.setBold(label.Bold);
    font.setItalic(label.Italic);
    font.setUnderline(label.Underline);
    font.setStrikeOut(label.StrikeOut);
    if (heightMillimetres > 0)
        font.setPointSizeF(FontPoints(heightMillimetres));
    return font;
}

// The character set is the label's own; a font dialog knows none.
LabelFont ToLabelFont(const QFont& font, LabelFont label) {
    label.Face = font.family();
    label.Bold = font.bold();
    label.Italic = font.italic();
    label.Underline = font.underline();
    label.StrikeOut = font.strikeOut();
    return label;
}

class LabelDialog : public HelpDialog {
public:
    LabelDialog(QWidget* parent, const TextLabelFields& fields, Language language,
                HelpRequest help);
    TextLabelFields Answer() const;

private:
    QLayout* TextRows();
    QLayout* SizeRow();
    QLayout* FontRow();
    void Choose(int choice);
    void ChooseFont();
    void ChooseColour();
    void ShowFont();
    void ShowColour();

    TextLabelFields fields_;
    QFont font_;
    QColor colour_;
    QLineEdit* text_;
    StorableTextNote* textNote_ = nullptr;
    QButtonGroup* choices_;
    NumberField* height_;
    NumberField* angle_;
    QPushButton* colourButton_ = nullptr;
};

LabelDialog::LabelDialog(QWidget* parent, const TextLabelFields& fields, Language language,
                         HelpRequest help)
    : HelpDialog(parent, language, LabelHelpTopic, std::move(help)), fields_(fields),
      font_(ToQFont(fields.Font, fields.Height)), colour_(ToQColor(fields.FontColour)),
      text_(new QLineEdit(fields.Text.left(TextLength))), choices_(new QButtonGroup(this)),
      height_(new NumberField(LabelHeightRange())), angle_(new NumberField(LabelAngleRange())) {
    setObjectName(QStringLiteral("TextDlg"));
    setWindowTitle(T(language, "Eigenschaften Text", "Properties text"));
    text_->setObjectName(QStringLiteral("Text"));
    text_->setMaxLength(TextLength);
    height_->setObjectName(QStringLiteral("Height"));
    angle_->setObjectName(QStringLiteral("Angle"));
    height_->SetValue(fields.Height);
    angle_->SetValue(fields.AngleDegrees);

    auto* content = new QVBoxLayout;
    content->addLayout(TextRows());
    content->addLayout(SizeRow());
    content->addLayout(FontRow());
    GuardStorableFields({textNote_}, *SetContent(content));

    const int choice = std::clamp(fields.Placeholder, 0, 3);
    choices_->button(choice)->setChecked(true);
    // The label's own text stays; only a click on a choice puts in its default text.
    text_->setEnabled(choice == 0);
    connect(choices_, &QButtonGroup::idClicked, this, [this](int id) { Choose(id); });
    ShowFont();
    ShowColour();
    if (text_->isEnabled())
        text_->setFocus();
}

QLayout* LabelDialog::TextRows() {
    const char* const names[][2] = {{"fester Text:", "Fixed"},
                                    {"Bauteileigenschaft: Kurzbezeichnung", "Identifier"},
                                    {"Bauteileigenschaft: Wert/Typ", "Type/Value"},
                                    {"Bauteileigenschaft: Beschreibung", "Description"}};
    std::array<QRadioButton*, 4> radios{};
    for (int i = 0; i < 4; ++i) {
        radios[std::size_t(i)] = new QRadioButton(T(language_, names[i][0], names[i][1]));
        radios[std::size_t(i)]->setObjectName(QStringLiteral("Choice%1").arg(i));
        choices_->addButton(radios[std::size_t(i)], i);
    }
    auto* fixed = new QHBoxLayout;
    fixed->addWidget(radios[0]);
    fixed->addWidget(text_, 1);
    auto* group = new QGroupBox(
        T(language_, "Text als Platzhalter reservieren für:", "Reserved for component data..."));
    auto* inside = new QVBoxLayout(group);
    for (std::size_t i = 1; i < radios.size(); ++i)
        inside->addWidget(radios[i]);
    auto* rows = new QVBoxLayout;
    rows->addLayout(fixed);
    textNote_ = new StorableTextNote(*text_, language_);
    rows->addWidget(textNote_);
    rows->addWidget(group);
    return rows;
}

QLayout* LabelDialog::SizeRow() {
    auto* row = new QHBoxLayout;
    const auto add = [&](const char* german, const char* english, NumberField* field) {
        auto* label = new QLabel(T(language_, german, english));
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
    };
    add("Höhe in mm:", "Height [mm]:", height_);
    row->addSpacing(12);
    add("Winkel°:", "Angle [°]:", angle_);
    row->addStretch();
    return row;
}

// Qt's font dialog offers no colour, unlike the font dialogs labels were first made with;
// the colour button beside it stands in for that.
QLayout* LabelDialog::FontRow() {
    auto* font = new QPushButton(T(language_, "Schriftart...", "Font..."));
    font->setObjectName(QStringLiteral("FontButton"));
    font->setAutoDefault(false);
    connect(font, &QPushButton::clicked, this, [this] { ChooseFont(); });
    colourButton_ = new QPushButton(T(language_, "Farbe...", "Colour..."));
    colourButton_->setObjectName(QStringLiteral("ColourButton"));
    colourButton_->setAutoDefault(false);
    connect(colourButton_, &QPushButton::clicked, this, [this] { ChooseColour(); });
    auto* row = new QHBoxLayout;
    row->addWidget(font);
    row->addWidget(colourButton_);
    row->addStretch();
    return row;
}

void LabelDialog::Choose(int choice) {
    text_->setText(PlaceholderText(choice, language_));
    text_->setEnabled(choice == 0);
    if (choice == 0)
        text_->setFocus();
}

void LabelDialog::ChooseFont() {
    // The dialog lists the installed families; an alias such as "ARIAL" would match none.
    QFont shown = font_;
    shown.setFamily(QFontInfo(font_).family());
    QFontDialog dialog(shown, this);
    dialog.setOption(QFontDialog::ScalableFonts);
    dialog.setWindowTitle(T(language_, "Schriftart", "Font"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    font_ = dialog.selectedFont();
    if (font_.pointSizeF() > 0)
        height_->SetValue(FontHeightMillimetres(font_.pointSizeF()));
    ShowFont();
}

void LabelDialog::ChooseColour() {
    const std::optional<QColor> chosen = AskColour(this, colour_, ProgramSettingsStore());
    if (!chosen)
        return;
    colour_ = *chosen;
    ShowColour();
}

void LabelDialog::ShowFont() {
    QFont sample = font_;
    sample.setPixelSize(SampleTextPixels);
    text_->setFont(sample);
}

void LabelDialog::ShowColour() {
    QPixmap swatch(14, 14);
    swatch.fill(colour_);
    colourButton_->setIcon(QIcon(swatch));
}

TextLabelFields LabelDialog::Answer() const {
    TextLabelFields answer = fields_;
    answer.Font = ToLabelFont(font_, fields_.Font);
    answer.FontColour = RgbColour(colour_.red(), colour_.green(), colour_.blue());
    answer.Text = text_->text();
    answer.Height = height_->Value();
    answer.AngleDegrees = angle_->Value();
    answer.Placeholder = std::max(0, choices_->checkedId());
    return answer;
}

} // namespace

NumberRange LabelHeightRange() {
    return {.Minimum = 1.0F, .Maximum = 99.9F, .Step = 0.1F, .Decimals = 1};
}

NumberRange LabelAngleRange() {
    return {.Minimum = -90.0F, .Maximum = 90.0F, .Step = 1.0F, .Decimals = 0};
}

QString PlaceholderText(int choice, Language language) {
    switch (choice) {
    case 1:
        return T(language, "<<KB>>", "<ID>");
    case 2:
        return T(language, "<<Wert>>", "<value>");
    case 3:
        return T(language, "<<Beschreibung>>", "<description>");
    default:
        return T(language, "Beschriftung", "New text label");
    }
}

std::optional<TextLabelFields> RunTextLabelDialog(QWidget* parent, const TextLabelFields& fields,
                                                  Language language, const HelpRequest& help) {
    LabelDialog dialog(parent, fields, language, help);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Answer();
}

} // namespace karvel
