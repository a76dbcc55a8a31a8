#include "board/BoardProperties.h"

#include "board/Board.h"
#include "board/Platine.h"
#include "elements/RoundElement.h"
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

// Where the hole centres of an axis lie within a pitch: columns on it, rows half a pitch on.
constexpr int ColumnPhase = 0;
constexpr int RowPhase = HalfPitch;

// The geometry as applying the texts makes it.
struct Geometry {
    int Width, Height, X, Y;
};

Geometry GeometryOf(const BoardPropertiesText& text) {
    return {Units(text.Width, HolePitch, MaxBoardSize), Units(text.Height, HolePitch, MaxBoardSize),
            Units(text.X, 0, MaxBoardOffset), Units(text.Y, 0, MaxBoardOffset)};
}

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
long long CeilDiv(long long a, long long b) {
    return -FloorDiv(-a, b);
}

// The index of the first hole whose cell starts at or after the edge at `offset`.
long long FirstWholeHole(int offset, int phase) {
    return CeilDiv((long long)offset + HalfPitch - phase, HolePitch);
}

int WholeHolesAlong(int offset, int size, int phase) {
    const long long first = FirstWholeHole(offset, phase);
    const long long last = FloorDiv((long long)offset + size - HalfPitch - phase, HolePitch);
    return int(std::max(0LL, last - first + 1));
}

// The size whose far edge lies half a pitch after the last of `holes` whole holes.
int SizeForHoles(int offset, int holes, int phase) {
    const long long last = FirstWholeHole(offset, phase) + std::max(holes, 1) - 1;
    const long long size = last * HolePitch + phase + HalfPitch - offset;
    return int(std::clamp<long long>(size, HolePitch, MaxBoardSize));
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
    const UndoStep undo(board);
    board.SetPlatinenTyp(TPlatinenTyp::pt_UserBoard);
    board.SetSize(Units(text.Width, HolePitch, MaxBoardSize),
                  Units(text.Height, HolePitch, MaxBoardSize));
    board.SetNullpunkt({Units(text.X, 0, MaxBoardOffset), Units(text.Y, 0, MaxBoardOffset)});
    board.SetPlatinenName(text.Name.left(TPlatine::StoredNameLength));
    board.SetModified(true);
}

} // namespace karvel

namespace karvel {

HoleCount WholeHoles(const BoardPropertiesText& text) {
    const Geometry g = GeometryOf(text);
    return {WholeHolesAlong(g.X, g.Width, ColumnPhase), WholeHolesAlong(g.Y, g.Height, RowPhase)};
}

QString WidthForColumns(const BoardPropertiesText& text, int columns, const QLocale& locale) {
    return Millimetres(SizeForHoles(GeometryOf(text).X, columns, ColumnPhase), locale);
}

QString HeightForRows(const BoardPropertiesText& text, int rows, const QLocale& locale) {
    return Millimetres(SizeForHoles(GeometryOf(text).Y, rows, RowPhase), locale);
}

int MostHolesAcross() {
    return MaxBoardSize / HolePitch;
}

std::vector<Rect> LayoutHoles(const TPlatine& board) {
    std::vector<Rect> holes;
    const TBoard* layout = board.Layout();
    if (layout == nullptr)
        return holes;
    for (const TBauteil* element : layout->CollectOfKind(TBauteilTyp::btBohrung)) {
        const auto* drilling = dynamic_cast<const RoundElement*>(element);
        if (drilling == nullptr)
            continue;
        holes.push_back(SquareAround(drilling->Centre, drilling->Radius()));
    }
    return holes;
}

int CutHoles(const std::vector<Rect>& holes, const BoardPropertiesText& text) {
    const Geometry g = GeometryOf(text);
    const long long left = g.X, top = g.Y, right = left + g.Width, bottom = top + g.Height;
    return int(std::count_if(holes.begin(), holes.end(), [&](const Rect& hole) {
        const bool overlaps =
            hole.Left < right && hole.Right > left && hole.Top < bottom && hole.Bottom > top;
        const bool inside =
            hole.Left >= left && hole.Right <= right && hole.Top >= top && hole.Bottom <= bottom;
        return overlaps && !inside;
    }));
}

QString CutHolesMessage(int count, Language language) {
    if (count <= 0)
        return {};
    if (count == 1)
        return Tr(language,
                  QStringLiteral("Der Rand schneidet ein Loch an. Eine Größe aus ganzen Löchern "
                                 "(Spalten × Zeilen) vermeidet das."),
                  QStringLiteral("The edge cuts through a hole. A size of whole holes (columns × "
                                 "rows) avoids that."));
    return Tr(language,
              QStringLiteral("Der Rand schneidet %1 Löcher an. Eine Größe aus ganzen Löchern "
                             "(Spalten × Zeilen) vermeidet das."),
              QStringLiteral("The edge cuts through %1 holes. A size of whole holes (columns × "
                             "rows) avoids that."))
        .arg(count);
}

} // namespace karvel
