#pragma once
// Tools that draw from hole to hole: jumper wires (with bends on Ctrl-click), component leads,
// and pins.

#include "board/tools/Tool.h"

#include <optional>
#include <QtCore/QPoint>
#include <vector>

namespace karvel {

class TDraht;

class WireTool : public Tool {
public:
    // A wire holds at most this many points; one more beeps.
    static constexpr int MaxPoints = 68;

    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    bool Busy() const override { return wire_ != nullptr; }
    void Cancel() override;
    void PointerLost() override;

private:
    bool IsLead() const;
    void Start(const PointerEvent& event);
    void ContinueHandedOver(const PointerEvent& event);
    void AddPoint(QPoint point);
    void Finish(const PointerEvent& event);
    ToolAnswer TakeBack();
    void EndDrawing();
    QPoint& ExtendedEnd() const;
    void ShowLine(QPoint to);

    TDraht* wire_ = nullptr;
    bool atFirst_ = false;
    bool created_ = false;
    int pointsAdded_ = 0;
    // A continued wire as it was, for a right click before any new point and for Escape.
    std::optional<std::pair<std::vector<QPoint>, std::vector<QPoint>>> before_;
};

class PinTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
};

} // namespace karvel
