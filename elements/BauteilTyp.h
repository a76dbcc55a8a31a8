#pragma once
// Element kinds. The kind, not only the class, selects behaviour; it is stored in one byte.

#include <cstdint>

namespace karvel {

enum class TBauteilTyp : std::uint8_t {
    btNone = 0,
    btDraht = 1,
    btEinpol = 2,
    btTrenner = 3,
    btLine = 4,
    btKreis = 5,
    btRect = 6,
    btPolygon = 7,
    btGruppe = 8,
    btAnschluss = 9,
    btText = 10,
    btPin = 11,
    btTrennerFest = 12,
    btDrahtFest = 13,
    btBohrung = 14,
    btAuge = 15,
    btLeiterbahn = 16,
    btTempBohrTrenner = 17,
};

inline constexpr int BauteilTypCount = 18;

enum class TGlaettenStil : std::uint8_t { glSpline = 0, glFase = 1, glRundung = 2 };

} // namespace karvel
