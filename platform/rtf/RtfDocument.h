#pragma once
// Rich Text documents in and out of a QTextDocument, for what our editor can produce: fonts,
// sizes, bold, italic, underline, strike-out, colours, paragraph alignment, the three indents,
// tab stops and bullets. Text leaves as Windows-1252 with \'hh and \uN escapes.

#include "platform/rtf/RtfParser.h"

#include <QtCore/QByteArray>
#include <QtCore/QStringView>

class QTextDocument;

namespace karvel {

// Replaces the document's content. Bytes that are no RTF become its plain text (UTF-8 when they
// are valid UTF-8, else Windows-1252) and give RtfProblem::NotRtf. After a problem the
// document holds what was read before it.
RtfResult ReadRtfDocument(QByteArrayView bytes, QTextDocument& document,
                          const RtfLimits& limits = {});

QByteArray WriteRtfDocument(const QTextDocument& document);

// Appends text to RTF output: ASCII as it is, the rest of Windows-1252 as \'hh, everything else
// as \uN with "?" for readers without Unicode; tabs and line separators as control words.
// Paragraph breaks are the caller's.
void AppendRtfText(QByteArray& out, QStringView text);

// Layout pixels (96 per inch, as QTextDocument measures margins) and twips.
int PixelsToTwips(double pixels);
double TwipsToPixels(int twips);

} // namespace karvel
