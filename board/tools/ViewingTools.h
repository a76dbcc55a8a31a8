#pragma once
// The two tools that only look at a board: the magnifier (a frame to zoom into, a click to
// zoom in, a right click to zoom out) and the continuity probe.

#include "board/tools/Tool.h"

#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class MagnifierTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override { return frameStart_.has_value(); }
    void Cancel() override;

private:
    std::optional<QPoint> frameStart_;
};

class ProbeTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
};

} // namespace karvel
