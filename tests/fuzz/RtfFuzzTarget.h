#pragma once
// What the RTF fuzzer does with one input, shared with the test that replays its corpus: read
// the bytes into a document and as plain text, write the document and read it again. The text
// must come back as it was.

#include "platform/rtf/RtfDocument.h"
#include "platform/rtf/RtfText.h"

#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QTextDocument>

namespace karvel::fuzz {

// False when the written document does not read back to the same text.
inline bool ReadRtfAndWriteBack(const QByteArray& bytes) {
    RtfLimits limits;
    // Small enough that one input stays fast, large enough for every kept sample.
    limits.MaxInput = 1024 * 1024;
    QTextDocument document;
    // With a layout, as in the annotation window: building and laying out must stay fast too
    // (./build.sh fuzz-rtf gives every input a time limit).
    document.documentLayout();
    ReadRtfDocument(bytes, document, limits);
    document.documentLayout()->documentSize();
    RtfToPlainText(bytes);
    const QByteArray written = WriteRtfDocument(document);
    QTextDocument again;
    if (ReadRtfDocument(written, again).Problem != RtfProblem::None)
        return false;
    return again.toPlainText() == document.toPlainText() && WriteRtfDocument(again) == written;
}

} // namespace karvel::fuzz
