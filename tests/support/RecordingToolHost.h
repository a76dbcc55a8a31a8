#pragma once
// A tool host without a window that keeps what the tools last asked of it.

#include "board/tools/ToolHost.h"

#include <optional>

namespace karvel::test {

class RecordingToolHost : public ToolHost {
public:
    void SetPointerShape(PointerShape shape) override { pointer = shape; }
    void ConfinePointer(bool on) override { confined = on; }
    void Beep() override { ++beeps; }
    void SetAutoscrollTimer(bool running) override { autoscrolling = running; }
    void ShowRubberBand(std::optional<QRect> r) override { band = r; }
    void ShowTempLine(std::optional<TempLine> l) override { line = l; }
    void ShowCrosshair(std::optional<QPoint> board) override { crosshair = board; }

    PointerShape pointer = PointerShape::ToolDefault;
    bool confined = false;
    int beeps = 0;
    bool autoscrolling = false;
    std::optional<QRect> band;
    std::optional<TempLine> line;
    std::optional<QPoint> crosshair{QPoint(-1, -1)}; // (-1, -1): not yet asked
};

} // namespace karvel::test
