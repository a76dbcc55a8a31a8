#pragma once
// What the print window chooses for a printout, and a scope that lets a board draw with those
// choices while the program's view state and the board itself stay as they are.

#include "board/Platine.h"
#include "elements/ViewState.h"
#include "output/PageMapping.h"

#include <QtCore/QString>

namespace karvel {

struct PrintChoices {
    // What is drawn
    bool Components = true;
    bool Layout = true; // copper and cuts
    bool GridNumbering = true;
    bool TitleBlock = true;
    // How the board is seen
    bool SolderSide = false;
    bool Outline = false;
    bool XRay = false;
    bool SeeThrough = false;
    bool Mirror = false;
    QString Title;

    // The view switches of the program's view state, the rest as they are.
    static PrintChoices FromView(const ViewState& view, bool outline, PrintChoices choices);
    OutputOptions Options() const;
    PagePlacement Placement(double scale, QPoint offset) const;
    bool operator==(const PrintChoices&) const = default;
};

// For its lifetime the board and its layout draw with a copy of the program's view state
// carrying the choices, in the chosen outline and mirror mode and with the chosen output
// options; afterwards everything is as it was. Without it a preview would have to flip the
// program's switches and hope to flip them back.
class OutputViewScope {
public:
    OutputViewScope(TPlatine& board, const ViewState& programView, const PrintChoices& choices);
    ~OutputViewScope();
    OutputViewScope(const OutputViewScope&) = delete;
    OutputViewScope& operator=(const OutputViewScope&) = delete;

private:
    TPlatine& board_;
    ViewState view_;
    bool umriss_;
    bool spiegeln_;
    OutputOptions output_;
};

} // namespace karvel
