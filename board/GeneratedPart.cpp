#include "board/GeneratedPart.h"

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "board/Platine.h"
#include "elements/Geometry.h"
#include "platform/Canvas.h"

#include <optional>
#include <QtGui/QImage>
#include <vector>

namespace karvel {

namespace {

// The group's members take its place in the drawing order, free of it.
TBauteil* Dissolve(TPlatine& board, TBt& group) {
    int at = board.IndexOf(&group);
    std::vector<TBauteil*> members;
    for (const auto& member : group.Members())
        members.push_back(member.get());
    for (TBauteil* member : members) {
        std::unique_ptr<TBauteil> taken = group.TakeMember(member);
        taken->InGroup = false;
        board.Insert(++at, std::move(taken));
        board.InvalidateElement(*member);
    }
    board.Remove(&group);
    board.Fire(board.OnMyClick);
    return members.empty() ? nullptr : members.front();
}

int RoundToPitches(int units) {
    return RoundToUnit((long double)units / HolePitch) * HolePitch;
}

} // namespace

TBauteil* HandOverGeneratedPart(TPlatine& preview, TPlatine& target, QByteArray& transferStream) {
    preview.MarkiereAlle(true);
    transferStream = preview.KopiereMarkierte();
    preview.MarkiereAlle(false);
    const int before = target.Count();
    target.EinfuegenAusStream(transferStream);
    if (target.Count() == before)
        return nullptr;
    auto* part = dynamic_cast<TBt*>(target.At(target.Count() - 1));
    if (part == nullptr)
        return target.At(target.Count() - 1);
    // The next free number among the others: the part itself does not count.
    part->Number = 0;
    part->Number = std::int16_t(target.NaechsteNummer(part->Identifier));
    part->PropagateIdentity();
    part->SetParent(&target);
    if (part->Style < FirstComponentStyle)
        return Dissolve(target, *part);
    target.InvalidateElement(*part);
    return part;
}

void MoveSelectionNear(TPlatine& board, QPoint point) {
    const std::vector<TBauteil*> selected = board.Selected();
    if (selected.empty())
        return;
    std::optional<Rect> united;
    {
        QImage image(1, 1, QImage::Format_RGB32);
        Canvas canvas(image);
        const Mapping m = board.CurrentMapping();
        canvas.SetMapping(m.WindowOrg, m.WindowExt, m.ViewportOrg, m.ViewportExt);
        for (TBauteil* element : selected) {
            const Rect r = Normalised(element->GetRedrawBounds(canvas));
            united = united ? United(*united, r) : r;
        }
    }
    const QPoint centre = Midpoint({united->Left, united->Top}, {united->Right, united->Bottom});
    const QPoint delta{RoundToPitches(point.x() - centre.x()),
                       RoundToPitches(point.y() - centre.y())};
    for (TBauteil* element : selected) {
        board.InvalidateElement(*element);
        element->MoveBy(delta.x(), delta.y());
        element->MoveAnchorsBy(delta.x() / HolePitch, delta.y() / HolePitch);
        board.InvalidateElement(*element);
    }
    // Placing moves the selection by the mouse's way from the anchor: the anchor goes along.
    board.Drag().MoveAnchor = board.BoardToControl(centre + delta);
}

} // namespace karvel
