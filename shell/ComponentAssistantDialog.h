#pragma once
// The component assistant's dialog: a style list, a grid with the parameters of the style and
// a live preview on a small board of its own, where one generator builds the part again after
// every change. It lives for the whole run, so that it opens with the style and values last
// used; the main window hands its preview to the user's board on OK.

#include "assistant/BtParamEditing.h"
#include "platform/HelpTopic.h"

#include <memory>
#include <QtWidgets/QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTableWidget;

namespace karvel {

class BoardControl;
class ShellDialogs;
class TBt;
class TPlatine;
class TScrollBoxEx;
class BoardHoleGrid;
struct ViewState;

class ComponentAssistantDialog : public QDialog {
    Q_OBJECT
public:
    // The manual's topic of the dialog.
    static constexpr int HelpTopic = ManualTopic::ComponentAssistant;

    ComponentAssistantDialog(ViewState& view, ShellDialogs& dialogs, QWidget* parent = nullptr);
    ~ComponentAssistantDialog() override;

    TPlatine& Preview() const { return *preview_; }
    TBt& Generator() const { return *generator_; }
    BoardControl& PreviewControl() const { return *previewControl_; }
    QComboBox& StyleCombo() const { return *styleCombo_; }
    QTableWidget& ParamGrid() const;
    QPushButton& OkButton() const { return *okButton_; }
    QPushButton& CancelButton() const { return *cancelButton_; }
    QPushButton& HelpButton() const { return *helpButton_; }
    // The parameter of the grid row being edited.
    int CurrentIndex() const { return currentIndex_; }

    // Builds the part again and fits the preview around it.
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void CreatePreview();
    void CreateGenerator();
    void ApplyLanguage();
    void Prepare();
    void StyleChanged(int index);
    void FillGrid();
    void CellChanged(int row, int column, int previousRow);
    void CommitRow(int index);
    void CommitCurrentRow();
    void Step(StepInput input);
    bool StepKey(int key);
    void ShowResistorValue(TBt& generator);
    // Says so when the resistor's value lies beyond what colour bands can show.
    void TellUncodedResistance();
    void ShowHelp();
    void AcceptCommitted();

    ViewState& view_;
    ShellDialogs& dialogs_;
    std::unique_ptr<TPlatine> preview_;
    std::unique_ptr<BoardHoleGrid> grid_;
    // Declared after the board so that the view goes first.
    std::unique_ptr<TScrollBoxEx> scroll_;
    BoardControl* previewControl_ = nullptr;
    TBt* generator_ = nullptr;

    QGroupBox* groupBox_ = nullptr;
    QComboBox* styleCombo_ = nullptr;
    QTableWidget* paramGrid_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QString yes_;
    QString no_;
    int currentIndex_ = 0;
    // While the grid is filled its cell changes are not the user's.
    bool filling_ = false;
};

} // namespace karvel
