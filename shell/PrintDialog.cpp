#include "shell/PrintDialog.h"

#include "board/Continuity.h"
#include "board/Platine.h"
#include "output/PrintedPage.h"
#include "platform/HelpTopic.h"
#include "shell/CursorLibrary.h"
#include "shell/PrintPreviewBox.h"
#include "shell/ShellDialogs.h"

#include <algorithm>
#include <QtCore/QFileInfo>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QVBoxLayout>

namespace karvel {

namespace {

const QColor Silver(192, 192, 192);
const QColor PreviewBackground(128, 128, 128);
constexpr int FirstPosition = 10;
constexpr int LastPosition = 50;

void SetBackground(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// Sets a box without telling its listeners: the window redraws once afterwards.
void SetQuietly(QCheckBox& box, bool on) {
    const QSignalBlocker blocker(box);
    box.setChecked(on);
}

} // namespace

PrintDialog::PrintDialog(ShellDialogs& dialogs, Language language, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), language_(language),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      printerInstalled_(!QPrinterInfo::availablePrinters().isEmpty()) {
    setObjectName(QStringLiteral("Print_Dlg"));
    SetBackground(*this, Silver);
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(BuildTopBar());
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildLeftColumn());
    columns->addWidget(BuildPreviewSide(), 1);
    rows->addLayout(columns, 1);
    SetLanguageTexts();
    ConnectControls();
    RestoreDefaults();
    UpdateCaption();
}

PrintDialog::~PrintDialog() = default;

QString PrintDialog::Tr(const char* german, const char* english) const {
    return karvel::Tr(language_, QString::fromUtf8(german), QString::fromUtf8(english));
}

// --- Building the window
// ------------------------------------------------------------------------

QWidget* PrintDialog::BuildTopBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    copiesLabel_ = new QLabel(bar);
    copySpin_ = new QSpinBox(bar);
    copySpin_->setObjectName(QStringLiteral("CopySpin"));
    copySpin_->setRange(1, 999);
    ofLabel_ = new QLabel(bar);
    rangeCombo_ = new QComboBox(bar);
    rangeCombo_->setObjectName(QStringLiteral("RangeCombo"));
    rangeCombo_->addItems({QString(), QString()});
    okBtn_ = new QPushButton(bar);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    okBtn_->setDefault(true);
    setupBtn_ = new QPushButton(bar);
    setupBtn_->setObjectName(QStringLiteral("SetupBtn"));
    defaultBtn_ = new QPushButton(bar);
    defaultBtn_->setObjectName(QStringLiteral("BitBtn1"));
    closeBtn_ = new QPushButton(bar);
    closeBtn_->setObjectName(QStringLiteral("CloseBtn"));
    clipboardBtn_ = new QPushButton(bar);
    clipboardBtn_->setObjectName(QStringLiteral("ExportBtn"));
    noPrinter_ = new QLabel(bar);
    noPrinter_->setObjectName(QStringLiteral("NoPrinterNotice"));
    noPrinter_->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{copiesLabel_, copySpin_, ofLabel_, rangeCombo_, okBtn_,
                                         setupBtn_, defaultBtn_, closeBtn_, clipboardBtn_})
        row->addWidget(w);
    row->addSpacing(16);
    row->addWidget(noPrinter_, 1);
    return bar;
}

QCheckBox* PrintDialog::AddCheckBox(QGroupBox& group, const char* name, const QString& german,
                                    const QString& english, const QString& hint) {
    auto* box = new QCheckBox(karvel::Tr(language_, german, english), &group);
    box->setObjectName(QString::fromLatin1(name));
    // Hints are shown in German only.
    if (!UsesEnglish(language_))
        box->setToolTip(hint);
    group.layout()->addWidget(box);
    return box;
}

QWidget* PrintDialog::BuildLeftColumn() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    viewGroup_ = new QGroupBox(column);
    viewGroup_->setLayout(new QVBoxLayout);
    loetseite_ =
        AddCheckBox(*viewGroup_, "WillsteLoetseite", QStringLiteral("&Wenden"),
                    QStringLiteral("&Turn round"), QStringLiteral("Platine um x-Achse drehen"));
    umriss_ = AddCheckBox(*viewGroup_, "WillsteUmriss", QStringLiteral("Umriss / S&W"),
                          QStringLiteral("Black/White"), QStringLiteral("S/W-Druck"));
    roentgen_ = AddCheckBox(*viewGroup_, "WillsteRoentgen", QStringLiteral("&Röntgenblick"),
                            QStringLiteral("X-ray"), QStringLiteral("Röntgenblick"));
    durchsicht_ = AddCheckBox(*viewGroup_, "WillsteDurchsicht", QStringLiteral("D&urchsicht"),
                              QStringLiteral("Right through"), QStringLiteral("Durchsicht"));
    freieBereiche_ =
        AddCheckBox(*viewGroup_, "WillsteFreieBereiche", QStringLiteral("&Freie Bereiche"),
                    QStringLiteral("Unused areas"), QStringLiteral("Freie Bereiche anzeigen"));

    optionsGroup_ = new QGroupBox(column);
    optionsGroup_->setLayout(new QVBoxLayout);
    bauteile_ = AddCheckBox(*optionsGroup_, "WillsteBauteile", QStringLiteral("Ba&uteile"),
                            QStringLiteral("Components"), QStringLiteral("Bauteile drucken"));
    leiterbahnen_ =
        AddCheckBox(*optionsGroup_, "WillsteLeiterbahnen", QStringLiteral("&Kupfer / Trenner"),
                    QStringLiteral("Copper"), QStringLiteral("Kupferflächen / Trenner drucken"));
    lineale_ = AddCheckBox(*optionsGroup_, "WillsteLineale", QStringLiteral("&Lineale"),
                           QStringLiteral("Ruler"), QStringLiteral("Lineale drucken"));
    infos_ =
        AddCheckBox(*optionsGroup_, "WillsteInfos", QStringLiteral("Da&ten"),
                    QStringLiteral("Information"), QStringLiteral("Datum, Zeit, Größe drucken"));
    spiegeln_ =
        AddCheckBox(*optionsGroup_, "Spiegeln", QStringLiteral("S&piegeln"),
                    QStringLiteral("Mirror"), QStringLiteral("Platine um y-Achse spiegeln"));

    scaleGroup_ = new QGroupBox(column);
    auto* scale = new QVBoxLayout(scaleGroup_);
    s1zu1_ = new QRadioButton(scaleGroup_);
    s1zu1_->setObjectName(QStringLiteral("S_1zu1"));
    sFrei_ = new QRadioButton(scaleGroup_);
    sFrei_->setObjectName(QStringLiteral("S_Frei"));
    sWert_ = new QScrollBar(Qt::Horizontal, scaleGroup_);
    sWert_->setObjectName(QStringLiteral("S_Wert"));
    sWert_->setRange(FirstPosition, LastPosition);
    sWert_->setPageStep(5);
    lScale_ = new QLabel(scaleGroup_);
    lScale_->setObjectName(QStringLiteral("L_Scale"));
    mittig_ = new QCheckBox(scaleGroup_);
    mittig_->setObjectName(QStringLiteral("WillsteMittig"));
    auto* slider = new QHBoxLayout;
    slider->addWidget(sWert_, 1);
    slider->addWidget(lScale_);
    scale->addWidget(s1zu1_);
    scale->addWidget(sFrei_);
    scale->addLayout(slider);
    scale->addWidget(mittig_);

    helpBtn_ = new QPushButton(column);
    helpBtn_->setObjectName(QStringLiteral("HelpBtn"));
    layout->addWidget(viewGroup_);
    layout->addWidget(optionsGroup_);
    layout->addWidget(scaleGroup_);
    layout->addStretch(1);
    layout->addWidget(helpBtn_);
    return column;
}

QWidget* PrintDialog::BuildPreviewSide() {
    auto* side = new QWidget(this);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs_ = new QTabBar(side);
    tabs_->setObjectName(QStringLiteral("Tabs"));
    tabs_->setExpanding(false);
    area_ = new QWidget(side);
    area_->setObjectName(QStringLiteral("PreviewArea"));
    SetBackground(*area_, PreviewBackground);
    area_->installEventFilter(this);
    box_ = new PrintPreviewBox(area_);
    box_->setCursor(NumberedCursor(4, language_));
    box_->OnPaint = [this](QPainter& painter) { PaintPreview(painter); };
    box_->OnPress = [this](QPoint at) { DragStarted(at); };
    box_->OnDrag = [this](QPoint at) { Dragged(at); };
    box_->OnRelease = [this] { DragEnded(); };
    layout->addWidget(tabs_);
    layout->addWidget(area_, 1);
    return side;
}

void PrintDialog::SetLanguageTexts() {
    const bool german = !UsesEnglish(language_);
    auto hint = [german](QWidget* w, const char* text) {
        if (german)
            w->setToolTip(QString::fromUtf8(text));
    };
    viewGroup_->setTitle(Tr("Ansicht", "&View"));
    optionsGroup_->setTitle(Tr("Optionen", "Options"));
    scaleGroup_->setTitle(Tr("Skalierung", "Scale"));
    s1zu1_->setText(Tr("&Originalgröße 1:1", "&Original 1:1"));
    hint(s1zu1_, "Ausdruck in Originalgröße");
    sFrei_->setText(Tr("&Vergrößern:", "&Magnification"));
    hint(sFrei_, "Ausdruck frei skalierbar");
    hint(sWert_, "Skalierung einstellen");
    mittig_->setText(Tr("&mittig ausrichten", "Center"));
    hint(mittig_, "Ausdruck auf Seitenmitte");
    copiesLabel_->setText(Tr("Exemplare:", "Copies:"));
    hint(copySpin_, "Anzahl der zu druckenden Exemplare");
    ofLabel_->setText(Tr("von", "of"));
    rangeCombo_->setItemText(0, Tr("gewählter Platine", "Selected board"));
    rangeCombo_->setItemText(1, Tr("allen Platinen", "All boards"));
    hint(rangeCombo_, "Auswahl");
    okBtn_->setText(Tr("&Drucken", "&Print"));
    hint(okBtn_, "Ausdruck starten");
    setupBtn_->setText(Tr("&Einrichten", "&Setup"));
    hint(setupBtn_, "Drucker einrichten");
    defaultBtn_->setText(Tr("&Standardwerte", "&Default"));
    hint(defaultBtn_, "Standard wiederherstellen");
    closeBtn_->setText(Tr("&Schliessen", "&Close"));
    hint(closeBtn_, "Dialog schliessen");
    clipboardBtn_->setText(Tr("In die Zwischen&ablage", "Copy to clip&board"));
    hint(clipboardBtn_, "Ansicht als Bild mit 300 dpi in die Zwischenablage kopieren");
    helpBtn_->setText(Tr("&Hilfe...", "&Help..."));
    // The preview's hint shows in both languages.
    box_->setToolTip(Tr("Ausdruck verschieben...", "Adjust printout..."));
    noPrinter_->setText(Tr("Kein Drucker installiert: »Drucken« schreibt eine PDF-Datei.",
                           "No printer installed: Print writes a PDF file."));
}

void PrintDialog::ConnectControls() {
    auto redraw = [this] { Redraw(); };
    for (QCheckBox* box : {loetseite_, umriss_, roentgen_, durchsicht_, bauteile_, leiterbahnen_,
                           lineale_, infos_, spiegeln_, mittig_})
        connect(box, &QCheckBox::toggled, this, redraw);
    connect(freieBereiche_, &QCheckBox::toggled, this, [this] {
        RefreshUnusedAreas();
        Redraw();
    });
    connect(s1zu1_, &QRadioButton::toggled, this, [this] {
        UpdateScaleControls();
        Redraw();
    });
    connect(sWert_, &QScrollBar::valueChanged, this, [this] {
        UpdateScaleControls();
        Redraw();
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { TabChanged(index); });
    connect(okBtn_, &QPushButton::clicked, this, [this] { PrintChosen(); });
    connect(setupBtn_, &QPushButton::clicked, this, [this] { SetUpPrinter(); });
    connect(defaultBtn_, &QPushButton::clicked, this, [this] { RestoreDefaults(); });
    connect(closeBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(clipboardBtn_, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(helpBtn_, &QPushButton::clicked, this, [this] {
        ShowManual(dialogs_, request_.View ? request_.View->ProgramFolder : QString(), language_,
                   HelpTopic);
    });
}

// --- State
// ---------------------------------------------------------------------------------------

void PrintDialog::Prepare(const PrintRequest& request) {
    request_ = request;
    board_ = nullptr;
    {
        const QSignalBlocker blocker(tabs_);
        while (tabs_->count() > 0)
            tabs_->removeTab(0);
        for (TPlatine* board : request_.Boards)
            tabs_->addTab(board->PlatinenName());
    }
    if (request_.Boards.empty())
        return;
    const int current = std::clamp(request_.Current, 0, int(request_.Boards.size()) - 1);
    {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(current);
    }
    board_ = request_.Boards[std::size_t(current)];
}

PrintChoices PrintDialog::Choices() const {
    PrintChoices c;
    c.Components = bauteile_->isChecked();
    c.Layout = leiterbahnen_->isChecked();
    c.GridNumbering = lineale_->isChecked();
    c.TitleBlock = infos_->isChecked();
    c.SolderSide = loetseite_->isChecked();
    c.Outline = umriss_->isChecked();
    c.XRay = roentgen_->isChecked();
    c.SeeThrough = durchsicht_->isChecked();
    c.Mirror = spiegeln_->isChecked();
    c.Title = request_.Title;
    return c;
}

double PrintDialog::Scale() const {
    return sFrei_->isChecked() ? ScaleForPosition(sWert_->value()) : 1.0;
}

PagePlacement PrintDialog::Placement() const {
    return Choices().Placement(Scale(), offset_);
}

int PrintDialog::Copies() const {
    return copySpin_->value();
}

bool PrintDialog::AllBoards() const {
    return rangeCombo_->currentIndex() == 1;
}

int PrintDialog::BoardIndex() const {
    return tabs_->currentIndex();
}

PrinterMetrics PrintDialog::Metrics() const {
    return PrinterMetrics::FromPageLayout(printer_->pageLayout(), printer_->resolution());
}

void PrintDialog::SetPrinterInstalled(bool installed) {
    printerInstalled_ = installed;
    UpdateCaption();
}

bool PrintDialog::PrintsToPdf() const {
    return !printerInstalled_ || printer_->outputFormat() == QPrinter::PdfFormat;
}

void PrintDialog::UpdateCaption() {
    QString target = printer_->printerName();
    if (PrintsToPdf()) {
        const QString file = printer_->outputFormat() == QPrinter::PdfFormat
                                 ? printer_->outputFileName()
                                 : QString();
        target = file.isEmpty() ? Tr("PDF-Datei", "PDF file")
                                : QStringLiteral("PDF: ") + QFileInfo(file).fileName();
    }
    setWindowTitle(Tr("Druckvorschau - ", "Preview - ") + target);
    noPrinter_->setVisible(!printerInstalled_);
}

void PrintDialog::UpdateScaleControls() {
    sWert_->setEnabled(sFrei_->isChecked());
    lScale_->setText(QString::number(sWert_->value() * 10) + QLatin1Char('%'));
}

void PrintDialog::RestoreDefaults() {
    SetQuietly(*loetseite_, false);
    SetQuietly(*mittig_, true);
    SetQuietly(*bauteile_, true);
    SetQuietly(*umriss_, false);
    SetQuietly(*leiterbahnen_, true);
    SetQuietly(*infos_, true);
    SetQuietly(*lineale_, true);
    SetQuietly(*spiegeln_, false);
    {
        const QSignalBlocker blocker(s1zu1_);
        s1zu1_->setChecked(true);
    }
    copySpin_->setValue(1);
    rangeCombo_->setCurrentIndex(0);
    UpdateScaleControls();
    Redraw();
}

void PrintDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (request_.View) {
        SetQuietly(*umriss_, request_.Outline);
        SetQuietly(*roentgen_, request_.View->Roentgen);
        SetQuietly(*durchsicht_, request_.View->Durchsicht);
        SetQuietly(*loetseite_, request_.View->Loetseite);
    }
    UpdateCaption();
    RefreshUnusedAreas();
    shown_ = true;
    UpdateScaleControls();
    Redraw();
}

void PrintDialog::done(int result) {
    HideUnusedAreas();
    shown_ = false;
    dragging_ = false;
    QDialog::done(result);
}

bool PrintDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize)
        Redraw();
    return QDialog::eventFilter(watched, event);
}

void PrintDialog::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        helpBtn_->click();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void PrintDialog::TabChanged(int index) {
    if (index < 0 || index >= int(request_.Boards.size()))
        return;
    board_ = request_.Boards[std::size_t(index)];
    Redraw();
}

void PrintDialog::RefreshUnusedAreas() {
    for (TPlatine* board : request_.Boards) {
        board->Analysis().HideUnused();
        if (freieBereiche_->isChecked())
            board->Analysis().ShowUnused();
    }
}

void PrintDialog::HideUnusedAreas() {
    for (TPlatine* board : request_.Boards)
        board->Analysis().HideUnused();
}

// --- Preview
// -------------------------------------------------------------------------------------

void PrintDialog::Centre() {
    if (!board_)
        return;
    offset_ =
        CentredOffset(Metrics(), {board_->Width(), board_->Height()}, infos_->isChecked(), Scale());
}

// The page is read from the printer anew every time: the setup may have changed it.
void PrintDialog::Redraw() {
    if (!shown_ || !board_)
        return;
    metrics_ = Metrics();
    preview_ = PreviewLayout(area_->size(), metrics_);
    if (mittig_->isChecked())
        Centre();
    box_->setGeometry(preview_.Paper.ToQRect());
    box_->update();
}

void PrintDialog::PaintPreview(QPainter& painter) {
    if (!board_ || !request_.View) {
        painter.fillRect(box_->rect(), PreviewBackground);
        return;
    }
    Canvas canvas(painter);
    const OutputViewScope scope(*board_, *request_.View, Choices());
    DrawPreviewPage(canvas, *board_, preview_, metrics_, Placement(),
                    dragging_ ? PreviewDetail::FrameOnly : PreviewDetail::Full);
}

void PrintDialog::DragStarted(QPoint at) {
    if (dragging_)
        return;
    lastMouse_ = at;
    dragging_ = true;
    mittig_->setChecked(false);
}

void PrintDialog::Dragged(QPoint at) {
    if (!dragging_)
        return;
    offset_ = DraggedOffset(Placement(), lastMouse_, at, preview_.Paper.Height(), metrics_);
    lastMouse_ = at;
    box_->update();
}

void PrintDialog::DragEnded() {
    dragging_ = false;
    box_->update();
}

} // namespace karvel
