#pragma once
// What the fuzzer does with one input, shared with the test that replays the corpus: read the
// bytes as a project, measure every element as the editor and `karvel-tool info` do, and write
// back whatever could be read.

#include "board/Board.h"
#include "board/ElementClasses.h"
#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "platform/Canvas.h"
#include "stream/LoadError.h"

#include <QtCore/QBuffer>
#include <QtGui/QImage>

namespace karvel::fuzz {

// Bounds, redraw areas and measure texts of every element, members included: where far-off
// coordinates and huge sizes would overflow.
inline void MeasureElements(const std::vector<std::unique_ptr<TBauteil>>& elements,
                            Canvas& canvas) {
    for (const auto& element : elements) {
        element->GetBounds(canvas);
        element->GetRedrawBounds(canvas);
        element->GetMeasureText();
        if (const auto* group = dynamic_cast<const TGruppe*>(element.get()))
            MeasureElements(group->Members(), canvas);
    }
}

inline void Measure(TPlatine& board) {
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    board.SetzeMassstab(canvas);
    board.BoardRect();
    board.ControlSize();
    MeasureElements(board.Bauteile(), canvas);
    if (TBoard* layout = board.Layout())
        Measure(*layout);
}

inline void ReadAndWriteBack(const QByteArray& bytes) {
    RegisterElementClasses();
    ViewState view;
    // Legacy board types look for their layouts here; there are none, which is an error too.
    view.ProgramFolder = QStringLiteral("/nonexistent-karvel-data");
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    try {
        ProjectLoad load = ReadProject(input, view);
        std::vector<TPlatine*> boards;
        for (const auto& board : load.Boards) {
            Measure(*board);
            boards.push_back(board.get());
        }
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        WriteProject(output, boards);
    } catch (const VersionError&) {
    } catch (const FileOpenError&) {
    }
}

} // namespace karvel::fuzz
