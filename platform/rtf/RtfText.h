#pragma once
// Rich Text as our stored annotations keep it: a small writer for plain text, and a reader
// that takes the plain text out of any RTF document. Neither recurses, so a damaged or hostile
// document cannot exhaust the stack.

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace karvel {

// A complete RTF document holding the text in Arial 10 pt; line breaks become paragraphs.
QByteArray PlainTextToRtf(const QString& text);
// The visible text of an RTF document: paragraphs as line breaks, without the fonts, colours
// and other tables. Bytes that are no RTF at all come back decoded as Windows-1252 text.
QString RtfToPlainText(const QByteArray& rtf);

} // namespace karvel
