#include "board/BoardProperties.h"

#include "board/Platine.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace karvel {

namespace {

QString Millimetres(int units, const QLocale& locale) {
    return locale.toString(units / 100.0, 'g', 8);
}

int Units(const QString& text, int low, int high) {
    const long double units = TextToNumber(text) * 100.0L;
    const long double clamped = std::clamp(units, (long double)low, (long double)high);
    return int(RoundHalfEven(clamped));
}

} // namespace

BoardPropertiesText PropertiesOf(const TPlatine& board, const QLocale& locale) {
    return {board.PlatinenName(), Millimetres(board.Width(), locale),
            Millimetres(board.Height(), locale), Millimetres(board.Nullpunkt().x(), locale),
            Millimetres(board.Nullpunkt().y(), locale)};
}

BoardPropertiesText DefaultProperties(const QString& name, const QLocale& locale) {
    return {name, locale.toString(160), locale.toString(100), locale.toString(1.27),
            locale.toString(2.05)};
}

void ApplyBoardProperties(TPlatine& board, const BoardPropertiesText& text) {
    board.MerkeZustand();
    board.SetPlatinenTyp(TPlatinenTyp::pt_UserBoard);
    board.SetSize(Units(text.Width, TPlatine::HolePitch, MaxBoardSize),
                  Units(text.Height, TPlatine::HolePitch, MaxBoardSize));
    board.SetNullpunkt({Units(text.X, 0, MaxBoardOffset), Units(text.Y, 0, MaxBoardOffset)});
    board.SetPlatinenName(text.Name.left(TPlatine::StoredNameLength));
    board.SetModified(true);
}

} // namespace karvel
