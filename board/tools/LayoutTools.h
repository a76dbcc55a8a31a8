#pragma once
// Tools for board layouts: pads, drillings and pads with drilling at a hole, copper tracks
// from hole to hole, and the origin marker.

#include "board/tools/Tool.h"

namespace karvel {

class TLeiterbahn;

class PadTool : public Tool {
public:
    enum class Kind { Pad, Drilling, PadWithDrilling };
    PadTool(ToolManager& editor, Kind kind) : Tool(editor), kind_(kind) {}
    ToolAnswer Press(const PointerEvent& event) override;

private:
    Kind kind_;
};

class TrackTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    bool Busy() const override { return track_ != nullptr; }
    void Cancel() override;
    void PointerLost() override;

private:
    void End();

    TLeiterbahn* track_ = nullptr;
};

class OriginTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
};

} // namespace karvel
