#pragma once
// Windows-1252, the single-byte code page of the texts in stored files and settings, with a
// table of our own so that every byte decodes the same everywhere.

#include <optional>
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QStringView>

namespace karvel {

// Every byte has a character; the five bytes Windows leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the control characters of the same number.
char16_t Windows1252ToUnicode(unsigned char byte);
// The byte of a character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> UnicodeToWindows1252(char32_t character);

QString DecodeWindows1252(QByteArrayView bytes);
// One byte per character; a character Windows-1252 cannot hold becomes '?'.
QByteArray EncodeWindows1252(QStringView text);
// The same into a given place, stopping after `capacity` bytes; the number of bytes written.
qsizetype EncodeWindows1252Into(QStringView text, char* out, qsizetype capacity);

// The characters of a text that Windows-1252 cannot hold, each once, in the order they first
// come; a character outside the BMP is one entry of two code units. Every field whose text is
// stored asks this while the user types, so that nothing turns into '?' unseen.
QStringList UnstorableCharacters(QStringView text);
// The usual spelling the code page can hold of a character it cannot ("Ω" is written "Ohm",
// the Greek "μ" as the micro sign "µ"); empty when there is none.
QString StorableSpelling(QStringView character);

} // namespace karvel
