#pragma once
// Drawing a board onto a printer page and onto the print preview's paper, through the page
// mapping. The board draws as it stands; the print window wraps both in an OutputViewScope.

#include "board/Platine.h"
#include "output/PageMapping.h"

namespace karvel {

// One board on a printer page whose painter starts at the printable area's corner, clipped
// to the printable area.
void PrintBoardPage(Canvas& canvas, TPlatine& board, const PrinterMetrics& printer,
                    const PagePlacement& placement);

enum class PreviewDetail {
    Full,      // the whole output rendering
    FrameOnly, // while dragging: the board's frame, title block and grid numbering
};

// The paper with its printable area outlined and the board on it, on a canvas whose pixels
// are the paper's own (origin at the paper's corner).
void DrawPreviewPage(Canvas& canvas, TPlatine& board, const PreviewGeometry& preview,
                     const PrinterMetrics& printer, const PagePlacement& placement,
                     PreviewDetail detail);

} // namespace karvel
