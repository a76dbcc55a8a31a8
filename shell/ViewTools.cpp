#include "shell/ViewTools.h"

#include "board/Continuity.h"
#include "board/Platine.h"
#include "shell/BoardControl.h"

namespace karvel {

namespace {

using enum TPlatinenModus;

// A tool leaves itself by a right click: back to the select tool, which the window shows.
void LeaveTool(TPlatine& board) {
    board.SetModus(pm_Standard);
    board.Fire(board.OnModeChange);
}

} // namespace

bool ViewTools::Press(BoardControl& control, const BoardMouseEvent& event) {
    TPlatine& board = control.Board();
    if (board.Modus() == pm_Test) {
        ProbePress(board, event);
    } else if (board.Modus() == pm_Zoom) {
        ZoomPress(control, event);
    } else {
        return false;
    }
    board.Fire(board.OnMyClick);
    return true;
}

void ViewTools::ProbePress(TPlatine& board, const BoardMouseEvent& event) {
    if (event.Button == Qt::LeftButton) {
        board.Analysis().Probe(board.ControlToBoard(event.Control));
    } else if (event.Button == Qt::RightButton) {
        board.Analysis().EndTest();
        LeaveTool(board);
    }
}

void ViewTools::ZoomPress(BoardControl& control, const BoardMouseEvent& event) {
    TPlatine& board = control.Board();
    if (event.Button == Qt::LeftButton) {
        frameStart_ = event.Control;
        control.SetRubberBand(QRect(event.Control, event.Control));
        board.SetInfozeilen(QStringLiteral("Zoom..."), QString());
    } else if (event.Button == Qt::RightButton && !frameStart_) {
        board.ZoomAbout(event.Control, false);
    }
}

bool ViewTools::Move(BoardControl& control, const BoardMouseEvent& event) {
    if (!frameStart_ || control.Board().Modus() != pm_Zoom)
        return false;
    control.SetRubberBand(QRect(*frameStart_, event.Control).normalized());
    return true;
}

bool ViewTools::Release(BoardControl& control, const BoardMouseEvent& event) {
    if (!frameStart_ || event.Button != Qt::LeftButton)
        return false;
    TPlatine& board = control.Board();
    const QPoint start = *frameStart_;
    frameStart_.reset();
    control.SetRubberBand(std::nullopt);
    const QRect frame = QRect(start, event.Control).normalized();
    board.ZoomToRect({frame.left(), frame.top(), frame.right(), frame.bottom()}, start);
    ResetStatusLines(board);
    board.Fire(board.OnMyClick);
    return true;
}

void ViewTools::ResetStatusLines(TPlatine& board) {
    const ViewState& view = board.View();
    board.SetInfozeilen(
        view.Tr(QStringLiteral("Platine"), QStringLiteral("Board")),
        view.Loetseite ? view.Tr(QStringLiteral("Lötseite"), QStringLiteral("Solder side"))
                       : view.Tr(QStringLiteral("Bauteilseite"), QStringLiteral("Component side")));
}

} // namespace karvel
