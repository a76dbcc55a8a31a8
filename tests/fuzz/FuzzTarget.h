#pragma once
// What the fuzzer does with one input, shared with the test that replays the corpus: read the
// bytes as a project, and write back whatever could be read.

#include "board/ElementClasses.h"
#include "board/ProjectFile.h"
#include "board/stream/LoadError.h"

#include <QtCore/QBuffer>

namespace karvel::fuzz {

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
        for (const auto& board : load.Boards)
            boards.push_back(board.get());
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        WriteProject(output, boards);
    } catch (const VersionError&) {
    } catch (const FileOpenError&) {
    }
}

} // namespace karvel::fuzz
