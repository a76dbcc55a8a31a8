#include "board/SelectionQueries.h"

#include "board/Platine.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"

#include <algorithm>

namespace karvel {

namespace {

template <typename Predicate> bool AnySelected(const TPlatine& board, Predicate&& predicate) {
    return std::any_of(board.Bauteile().begin(), board.Bauteile().end(),
                       [&](const auto& e) { return e->IstMarkiert() && predicate(*e); });
}

} // namespace

TBauteil* SingleSelected(const TPlatine& board) {
    TBauteil* found = nullptr;
    for (const auto& element : board.Bauteile()) {
        if (!element->IstMarkiert())
            continue;
        if (found != nullptr)
            return nullptr;
        found = element.get();
    }
    return found;
}

bool GroupSelected(const TPlatine& board, bool component) {
    const auto* group = dynamic_cast<const TGruppe*>(SingleSelected(board));
    return group != nullptr && group->IsComponent == component;
}

bool CanAddToLibrary(const TPlatine& board) {
    const int n = board.CountSelected();
    return n > 1 || (n == 1 && dynamic_cast<const TGruppe*>(SingleSelected(board)) != nullptr);
}

bool CanBuildComponent(const TPlatine& board) {
    const int n = board.CountSelected();
    return n > 1 || (n == 1 && GroupSelected(board, false));
}

bool CanAlign(const TPlatine& board) {
    return board.CountSelected() > 1;
}

bool HasContourPoints(const TPlatine& board) {
    return AnySelected(board, [](const TBauteil& e) {
        const auto* wire = dynamic_cast<const TDraht*>(&e);
        if (wire == nullptr)
            return false;
        const TBauteilTyp kind = e.BauteilTyp;
        const bool contoured = kind == TBauteilTyp::btDraht || kind == TBauteilTyp::btLine ||
                               kind == TBauteilTyp::btRect || kind == TBauteilTyp::btPolygon ||
                               kind == TBauteilTyp::btAnschluss;
        return contoured && wire->Nodes.size() > 2;
    });
}

bool HasTurnableBitmap(const TPlatine& board) {
    if (!board.View().BitmapRendering)
        return false;
    return AnySelected(board, [](const TBauteil& e) { return e.HasteBitmap() && !e.Fraesen(); });
}

bool HasSelectedKind(const TPlatine& board, std::initializer_list<TBauteilTyp> kinds) {
    return AnySelected(board, [&](const TBauteil& e) {
        return std::find(kinds.begin(), kinds.end(), e.BauteilTyp) != kinds.end();
    });
}

bool CanRotate(const TPlatine& board) {
    // A strip cut would end up across the strips.
    const auto* group = dynamic_cast<const TGruppe*>(SingleSelected(board));
    return group != nullptr && group->HasNoStripCut();
}

} // namespace karvel
