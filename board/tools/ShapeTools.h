#pragma once
// Tools that draw shapes on the fine grid: lines and polygons point by point, rectangles and
// circles with two clicks, and text labels through their dialog.

#include "board/tools/Tool.h"

#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class TDraht;
class TKreis;

class LineTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    bool Busy() const override { return line_ != nullptr; }
    void Cancel() override;
    void PointerLost() override { Finish(); }

private:
    void Finish();
    void ShowLine(QPoint to);

    TDraht* line_ = nullptr;
};

class RectangleTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override { return corner_.has_value(); }
    void Cancel() override;

private:
    std::optional<QPoint> corner_; // control pixel of the first click
};

class CircleTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override { return circle_ != nullptr; }
    void Cancel() override;
    void PointerLost() override;

private:
    void End();

    TKreis* circle_ = nullptr;
};

class TextTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
};

} // namespace karvel
