#pragma once
// Legacy board types and the tool modes of a board view.

#include <cstdint>

namespace karvel {

// Only files of older versions carry types 0 to 20; every loaded board becomes pt_UserBoard,
// its geometry being its layout.
enum class TPlatinenTyp : std::uint8_t {
    pt_Streifen254 = 0,
    pt_augen254 = 1,
    pt_ohne = 2,
    pt_Streifen508 = 3,
    pt_augen508 = 4,
    pt_Streifen254Kontakt = 5,
    pt_augen254Kontakt = 6,
    pt_Streifen508Kontakt = 7,
    pt_Telekom = 8,
    pt_StreifenDIN617 = 9,
    pt_AugenDIN617 = 10,
    pt_StreifenDIN612 = 11,
    pt_AugenDIN612 = 12,
    pt_SubD25 = 13,
    pt_SubD9_15 = 14,
    pt_AugenDIN612_64pol = 15,
    pt_Streifen254KontaktTrenner = 16,
    pt_BP670 = 17,
    pt_IC_klein = 18,
    pt_BP823 = 19,
    pt_612_B = 20,
    pt_UserBoard = 21,
};

inline constexpr int PlatinenTypCount = 22;

enum class TPlatinenModus : std::uint8_t {
    pm_Zoom = 0,
    pm_Standard = 1,
    pm_Draht = 2,
    pm_Linie = 3,
    pm_Kreis = 4,
    pm_Rechteck = 5,
    pm_Polygon = 6,
    pm_Trenner = 7,
    pm_Text = 8,
    pm_Anschluss = 9,
    pm_Platzieren = 10,
    pm_Zweipol = 11,
    pm_Test = 12,
    pm_Pin = 13,
    pm_Auge = 14,
    pm_Bohrung = 15,
    pm_Leiterbahn = 16,
    pm_BohrAuge = 17,
    pm_Ursprung = 18,
};

} // namespace karvel
