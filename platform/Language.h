#pragma once
// The user-interface language, read once at start. Every text exists in German and English;
// value 2 is German everywhere except the undo depth dialog, which speaks French.

#include <QtCore/QString>

namespace karvel {

enum class Language { German = 0, English = 1, French = 2 };

constexpr bool UsesEnglish(Language language) {
    return language == Language::English;
}

// Picks the text of the language; anything but English shows German.
inline QString Tr(Language language, const QString& german, const QString& english) {
    return UsesEnglish(language) ? english : german;
}

} // namespace karvel
