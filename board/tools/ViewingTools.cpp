#include "board/tools/ViewingTools.h"

#include "board/Continuity.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"

namespace karvel {

ToolAnswer MagnifierTool::Press(const PointerEvent& event) {
    TPlatine& board = Board();
    if (event.Left()) {
        frameStart_ = event.Control;
        Editor().Host().ShowRubberBand(QRect(event.Control, event.Control));
        Editor().ShowStatus(QStringLiteral("Zoom..."), QString());
    } else if (event.Right() && !frameStart_) {
        board.ZoomAbout(event.Control, false);
        board.Fire(board.OnChange);
    }
    board.Fire(board.OnMyClick);
    return ToolAnswer::Handled;
}

ToolAnswer MagnifierTool::Move(const PointerEvent& event) {
    if (!frameStart_)
        return ToolAnswer::Ignored;
    Editor().Host().ShowRubberBand(QRect(*frameStart_, event.Control).normalized());
    return ToolAnswer::Handled;
}

ToolAnswer MagnifierTool::Release(const PointerEvent& event) {
    if (!frameStart_ || !event.Left())
        return ToolAnswer::Ignored;
    const QPoint start = *frameStart_;
    Cancel();
    // A frame narrower or lower than 5 pixels zooms in about the click.
    const QRect frame = QRect(start, event.Control).normalized();
    Board().ZoomToRect({frame.left(), frame.top(), frame.right(), frame.bottom()}, start);
    Board().Fire(Board().OnChange);
    Editor().ResetStatusLines();
    return ToolAnswer::Handled;
}

void MagnifierTool::Cancel() {
    frameStart_.reset();
    Editor().Host().ShowRubberBand(std::nullopt);
}

ToolAnswer ProbeTool::Press(const PointerEvent& event) {
    TPlatine& board = Board();
    if (event.Left()) {
        board.Analysis().Probe(board.ControlToBoard(event.Control));
    } else if (event.Right()) {
        board.Analysis().EndTest();
        return ToolAnswer::LeaveTool;
    }
    board.Fire(board.OnMyClick);
    return ToolAnswer::Handled;
}

} // namespace karvel
