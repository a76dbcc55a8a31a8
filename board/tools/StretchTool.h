#pragma once
// Stretching a two-lead part from the library between two holes: the first click puts its
// first lead into a hole, the second lead follows the pointer with the body between them,
// and the second click puts it into its hole. Ctrl-click goes on drawing the moving lead with
// bends; a right click takes a bend back, or, before the first click, drops the part.

#include "board/tools/Tool.h"

#include <QtCore/QPoint>

namespace karvel {

class TDraht;
class TGruppe;

class StretchTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    bool Busy() const override { return true; }
    void Cancel() override;
    void PointerLost() override;

private:
    TGruppe* Part() const;
    bool FindLeads(TGruppe& part);
    void Anchor(TGruppe& part, const PointerEvent& event);
    void Follow(QPoint end);
    void Place(const PointerEvent& event);
    void Finish();

    TGruppe* part_ = nullptr;
    TDraht* first_ = nullptr;
    TDraht* second_ = nullptr;
    QPoint lastCell_{-1, -1};
};

} // namespace karvel
