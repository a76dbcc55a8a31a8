#include "shell/ViewDialogs.h"

#include "board/CommandId.h"
#include "shell/BoardControl.h"
#include "shell/DialogParts.h"
#include "shell/MainWindow.h"
#include "shell/NumberField.h"
#include "shell/ShellDialogs.h"

#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QContextMenuEvent>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QSlider>
#include <QtWidgets/QToolButton>

namespace karvel {

namespace {

using dialog_parts::T;

constexpr int FineGridHelpTopic = ManualTopic::FineGrid;

class FineGridDialog : public HelpDialog {
public:
    FineGridDialog(QWidget* parent, Language language, HelpRequest help)
        : HelpDialog(parent, language, FineGridHelpTopic, std::move(help)),
          step_(new NumberField(FineGridRange())) {
        setObjectName(QStringLiteral("Raster_Dlg"));
        setWindowTitle(T(language, "Feines Raster", "Fine grid"));
        step_->setObjectName(QStringLiteral("FineGrid"));
        auto* group =
            new QGroupBox(T(language, "Rasterweite (feines Raster)", "Grid pitch (fine grid)"));
        auto* explanation = new QLabel(
            T(language, "bei gedrückter SHIFT-Taste und für elementare Zeichenfunktionen",
              "when SHIFT is pressed and for drawing functions"));
        explanation->setWordWrap(true);
        auto* row = new QHBoxLayout;
        row->addWidget(step_);
        row->addWidget(new QLabel(QStringLiteral("mm")));
        row->addStretch();
        auto* inside = new QVBoxLayout(group);
        inside->addWidget(explanation);
        inside->addLayout(row);
        auto* content = new QVBoxLayout;
        content->addWidget(group);
        SetContent(content);
        step_->setFocus();
    }
    NumberField& Step() const { return *step_; }

private:
    NumberField* step_;
};

QSlider* ContrastBar() {
    auto* bar = new QSlider(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setMinimumWidth(160);
    return bar;
}

} // namespace

NumberRange FineGridRange() {
    return {.Minimum = 0.0F, .Maximum = 2.54F, .Step = 0.01F, .Decimals = 3};
}

std::optional<double> RunFineGridDialog(QWidget* parent, double step, Language language,
                                        const HelpRequest& help) {
    FineGridDialog dialog(parent, language, help);
    dialog.Step().SetValue(FineGridMillimetres(step));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FineGridBoardUnits(dialog.Step().Value());
}

std::optional<double> QtShellDialogs::AskFineGrid(QWidget* parent, double step, Language language,
                                                  const std::function<void(int)>& help) {
    return RunFineGridDialog(parent, step, language, help);
}

// --- X-ray contrast ------------------------------------------------------------------------------

XRayContrastWindow::XRayContrastWindow(ViewState& view, Language language, Target target,
                                       QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), view_(view), target_(std::move(target)),
      pen_(ContrastBar()), brush_(ContrastBar()) {
    setObjectName(QStringLiteral("Dlg_Kontrast"));
    setWindowTitle(T(language, "Röntgenkontrast", "X-Ray contrast"));
    pen_->setObjectName(QStringLiteral("PenBar"));
    brush_->setObjectName(QStringLiteral("BrushBar"));
    auto* form = new QFormLayout(this);
    form->addRow(T(language, "Rand", "Pen"), pen_);
    form->addRow(T(language, "Füllung", "Brush"), brush_);
    form->setSizeConstraint(QLayout::SetFixedSize);
    connect(pen_, &QSlider::valueChanged, this, [this] { BarMoved(true); });
    connect(brush_, &QSlider::valueChanged, this, [this] { BarMoved(false); });
}

void XRayContrastWindow::ShowAt(QPoint global) {
    if (!isVisible())
        move(global);
    show();
    raise();
    Refresh();
}

void XRayContrastWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}

void XRayContrastWindow::Refresh() {
    const bool outline = target_.OutlineMode && target_.OutlineMode();
    const XRayColours& colours = view_.XRay;
    const QSignalBlocker penQuiet(pen_);
    const QSignalBlocker brushQuiet(brush_);
    pen_->setValue(ContrastBarPosition(outline ? colours.PenBW : colours.Pen));
    brush_->setValue(ContrastBarPosition(outline ? colours.BrushBW : colours.Brush));
}

// Only the moved bar's colour changes: the other keeps its grey exactly, not as its bar
// rounds it.
void XRayContrastWindow::BarMoved(bool penBar) {
    const bool outline = target_.OutlineMode && target_.OutlineMode();
    XRayColours& colours = view_.XRay;
    if (penBar)
        (outline ? colours.PenBW : colours.Pen) = ContrastGrey(pen_->value());
    else
        (outline ? colours.BrushBW : colours.Brush) = ContrastGrey(brush_->value());
    if (target_.Repaint)
        target_.Repaint();
}

bool XRayContrastWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        ShowAt(menu->globalPos() + QPoint(8, 8));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

XRayContrastWindow& AttachXRayContrastWindow(MainWindow& window) {
    XRayContrastWindow::Target target;
    target.OutlineMode = [&window] {
        return window.BoardCount() > 0 && window.CurrentBoard().UmrissModus();
    };
    target.Repaint = [&window] {
        for (int i = 0; i < window.BoardCount(); ++i)
            window.Control(i).InvalidateAll();
    };
    auto* contrast =
        new XRayContrastWindow(window.View(), window.Sprache(), std::move(target), &window);
    QAction& xray = window.Action(CommandId::ViewXRay);
    for (QObject* shown : xray.associatedObjects())
        if (auto* button = qobject_cast<QToolButton*>(shown))
            button->installEventFilter(contrast);
    // The outline command switches the boards after its check mark changed; the bars follow
    // once it has.
    QObject::connect(&window.Action(CommandId::ViewOutline), &QAction::toggled, contrast,
                     [contrast] {
                         QTimer::singleShot(0, contrast, [contrast] {
                             if (contrast->isVisible())
                                 contrast->Refresh();
                         });
                     });
    return *contrast;
}

} // namespace karvel
