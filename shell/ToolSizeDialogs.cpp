#include "shell/ToolSizeDialogs.h"

#include "board/Platine.h"
#include "shell/DialogParts.h"
#include "shell/NumberField.h"

#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int SizeHelpTopic = ManualTopic::SizeDialog;
constexpr int PadWithDrillingHelpTopic = ManualTopic::PadWithDrilling;

// "Durchmesser" beside a diameter field in millimetres.
QHBoxLayout* DiameterRow(Language language, NumberField* field) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(T(language, "Durchmesser", "Diameter"));
    label->setBuddy(field);
    row->addWidget(label);
    row->addWidget(field);
    row->addWidget(new QLabel(QStringLiteral("mm")));
    return row;
}

class SizeDialog : public HelpDialog {
public:
    SizeDialog(QWidget* parent, const QString& caption, Language language, HelpRequest help)
        : HelpDialog(parent, language, SizeHelpTopic, std::move(help)),
          diameter_(new NumberField(DiameterRange())) {
        setObjectName(QStringLiteral("Bohr_dlg"));
        setWindowTitle(caption);
        diameter_->setObjectName(QStringLiteral("Diameter"));
        diameter_->SetValue(1.0);
        SetContent(DiameterRow(language, diameter_));
        diameter_->setFocus();
    }
    NumberField& Diameter() const { return *diameter_; }

private:
    NumberField* diameter_;
};

class PadWithDrillingDialog : public HelpDialog {
public:
    PadWithDrillingDialog(QWidget* parent, Language language, HelpRequest help)
        : HelpDialog(parent, language, PadWithDrillingHelpTopic, std::move(help)),
          pad_(new NumberField(DiameterRange())), drilling_(new NumberField(DiameterRange())) {
        setObjectName(QStringLiteral("LoetBohr_DLG"));
        setWindowTitle(T(language, "Auge mit Bohrung", "Pad with drilling"));
        pad_->setObjectName(QStringLiteral("PadDiameter"));
        drilling_->setObjectName(QStringLiteral("DrillDiameter"));
        auto* padGroup = new QGroupBox(T(language, "Lötauge", "Pad"));
        padGroup->setLayout(DiameterRow(language, pad_));
        auto* drillingGroup = new QGroupBox(T(language, "Bohrung", "Drilling"));
        drillingGroup->setLayout(DiameterRow(language, drilling_));
        auto* content = new QVBoxLayout;
        content->addWidget(padGroup);
        content->addWidget(drillingGroup);
        SetContent(content);
        pad_->setFocus();
    }
    NumberField& Pad() const { return *pad_; }
    NumberField& Drilling() const { return *drilling_; }

private:
    NumberField* pad_;
    NumberField* drilling_;
};

bool AskPadWithDrilling(QWidget* parent, TPlatine& board, Language language,
                        const HelpRequest& help) {
    PadWithDrillingDialog dialog(parent, language, help);
    dialog.Pad().SetValue(board.PadDiameter);
    dialog.Drilling().SetValue(board.DrillDiameter);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    board.PadDiameter = dialog.Pad().Value();
    board.DrillDiameter = dialog.Drilling().Value();
    return true;
}

} // namespace

NumberRange DiameterRange() {
    return {.Minimum = 0.2F, .Maximum = 100.0F, .Step = 0.1F, .Decimals = 1};
}

std::optional<double> RunSizeDialog(QWidget* parent, const QString& caption, double diameter,
                                    Language language, const HelpRequest& help) {
    SizeDialog dialog(parent, caption, language, help);
    dialog.Diameter().SetValue(diameter);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Diameter().Value();
}

bool AskToolSize(QWidget* parent, int toolTag, TPlatine& board, Language language,
                 const HelpRequest& help) {
    double* size = nullptr;
    QString caption;
    switch (toolTag) {
    case DrillingToolTag:
        size = &board.DrillDiameter;
        caption = T(language, "Bohrung", "Drilling");
        break;
    case PadToolTag:
        size = &board.PadDiameter;
        caption = T(language, "Lötauge", "Pad");
        break;
    case TrackToolTag:
        size = &board.TrackWidth;
        caption = T(language, "Leiterbahn", "Track");
        break;
    case PadWithDrillingToolTag:
        return AskPadWithDrilling(parent, board, language, help);
    default:
        return true;
    }
    const std::optional<double> chosen = RunSizeDialog(parent, caption, *size, language, help);
    if (chosen)
        *size = *chosen;
    return chosen.has_value();
}

bool AskToolSizeWithDialogs(QWidget* parent, int toolTag, TPlatine& board, Language language) {
    return AskToolSize(parent, toolTag, board, language,
                       ManualHelp(board.View().ProgramFolder, language));
}

std::function<bool(int toolTag, TPlatine& board)> ToolSizeQuestion(QWidget* parent,
                                                                   Language language) {
    return [parent, language](int toolTag, TPlatine& board) {
        return AskToolSizeWithDialogs(parent, toolTag, board, language);
    };
}

} // namespace karvel
