#pragma once
// The print window: one board of the project on a picture of the printer page. The user
// chooses what is drawn, how the board is seen, the scale and the place on the page, prints
// the selected board or all boards, or copies the board to the clipboard as a 300 dpi bitmap.
// Every drawing uses its own copy of the program's view state, so the program's view is the
// same after the window closes, whatever was chosen in it.

#include "output/OutputView.h"
#include "output/PageMapping.h"
#include "platform/HelpTopic.h"
#include "platform/Language.h"
#include "shell/ShellDialogs.h"

#include <functional>
#include <memory>
#include <QtWidgets/QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPainter;
class QPrinter;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabBar;

namespace karvel {

class Canvas;
class PrintPreviewBox;
class TPlatine;
struct ViewState;

// What the print command hands the window before each showing.
struct PrintRequest {
    std::vector<TPlatine*> Boards; // the project's boards in tab order
    int Current = 0;               // the tab shown first
    const ViewState* View = nullptr;
    bool Outline = false; // the program's outline mode
    QString Title;        // the printout's title: the project's name
    QString Folder;       // where a PDF file is offered first
};

class PrintDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = ManualTopic::Print;

    PrintDialog(ShellDialogs& dialogs, Language language, QWidget* parent = nullptr);
    ~PrintDialog() override;

    // Takes the project's boards and the program's view; the view boxes follow the program's
    // switches at every showing, the other boxes keep what was chosen last.
    void Prepare(const PrintRequest& request);

    // --- What the boxes say
    PrintChoices Choices() const;
    PagePlacement Placement() const;
    double Scale() const;
    QPoint Offset() const { return offset_; }
    int Copies() const;
    bool AllBoards() const;
    TPlatine* Board() const { return board_; }
    int BoardIndex() const;
    // Whether the system has a printer at all; without one the window prints to PDF files.
    bool PrinterInstalled() const { return printerInstalled_; }
    void SetPrinterInstalled(bool installed);
    QPrinter& Printer() { return *printer_; }
    PrinterMetrics Metrics() const;
    const PreviewGeometry& Preview() const { return preview_; }

    // --- What the buttons do
    // Prints the selected board or all boards, the copies collated, one job per board.
    void PrintChosen();
    // Copies the board as a 300 dpi bitmap to the clipboard; true when the clipboard holds it.
    bool CopyToClipboard();
    void SetUpPrinter();
    void RestoreDefaults();
    // Puts the board's centre on the centre of the printable area.
    void Centre();

    // Told of every board printed, by its index, as its job begins.
    std::function<void(int)> OnJobPrinted;

protected:
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildTopBar();
    QWidget* BuildLeftColumn();
    QWidget* BuildPreviewSide();
    QCheckBox* AddCheckBox(QGroupBox& group, const char* name, const QString& german,
                           const QString& english, const QString& hint);
    void SetLanguageTexts();
    void ConnectControls();
    void UpdateCaption();
    void UpdateScaleControls();
    void Redraw();
    void PaintPreview(QPainter& painter);
    void DragStarted(QPoint at);
    void Dragged(QPoint at);
    void DragEnded();
    void TabChanged(int index);
    void RefreshUnusedAreas();
    void HideUnusedAreas();
    bool PrintsToPdf() const;
    void PrintToPrinter(const std::vector<int>& jobs);
    void PrintToPdf(const std::vector<int>& jobs);
    void PrintPlatine(Canvas& canvas, int index, const PrinterMetrics& metrics);
    QString Tr(const char* german, const char* english) const;
    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text);

    ShellDialogs& dialogs_;
    Language language_;
    std::unique_ptr<QPrinter> printer_;
    bool printerInstalled_ = false;
    PrintRequest request_;
    TPlatine* board_ = nullptr;
    QPoint offset_{0, 0};
    bool dragging_ = false;
    bool shown_ = false;
    QPoint lastMouse_;
    PrinterMetrics metrics_;
    PreviewGeometry preview_;

    // Top bar
    QLabel* copiesLabel_ = nullptr;
    QSpinBox* copySpin_ = nullptr;
    QLabel* ofLabel_ = nullptr;
    QComboBox* rangeCombo_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* setupBtn_ = nullptr;
    QPushButton* defaultBtn_ = nullptr;
    QPushButton* closeBtn_ = nullptr;
    QPushButton* clipboardBtn_ = nullptr;
    QLabel* noPrinter_ = nullptr;
    // Left column
    QGroupBox* viewGroup_ = nullptr;
    QGroupBox* optionsGroup_ = nullptr;
    QGroupBox* scaleGroup_ = nullptr;
    QCheckBox* loetseite_ = nullptr;
    QCheckBox* umriss_ = nullptr;
    QCheckBox* roentgen_ = nullptr;
    QCheckBox* durchsicht_ = nullptr;
    QCheckBox* freieBereiche_ = nullptr;
    QCheckBox* bauteile_ = nullptr;
    QCheckBox* leiterbahnen_ = nullptr;
    QCheckBox* lineale_ = nullptr;
    QCheckBox* infos_ = nullptr;
    QCheckBox* spiegeln_ = nullptr;
    QRadioButton* s1zu1_ = nullptr;
    QRadioButton* sFrei_ = nullptr;
    QScrollBar* sWert_ = nullptr;
    QLabel* lScale_ = nullptr;
    QCheckBox* mittig_ = nullptr;
    QPushButton* helpBtn_ = nullptr;
    // Preview side
    QTabBar* tabs_ = nullptr;
    QWidget* area_ = nullptr;
    PrintPreviewBox* box_ = nullptr;
};

} // namespace karvel
