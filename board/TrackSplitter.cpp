#include "board/TrackSplitter.h"

#include "board/Board.h"
#include "elements/Geometry.h"
#include "elements/Leiterbahn.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace karvel {

namespace {

// A corner moved to just outside a cut; in 64 bits, so that a cut at the end of the coordinate
// range cannot overflow.
int Beside(int edge, int step) {
    return int(std::clamp<std::int64_t>(std::int64_t(edge) + step, INT_MIN, INT_MAX));
}

} // namespace

// A piece not made yet: the copper outline of part of a track, whose nodes are its first two
// corners. Only the pieces that remain are made, not the ones split again.
struct TrackSplitter::Outline {
    QPoint first;
    QPoint last;
    std::vector<QPoint> corners;
};

// One entry of the scan: an element (of the layout, or a piece made already) or an outline.
struct TrackSplitter::Item {
    TBauteil* element = nullptr;
    Outline outline;
};

TrackSplitter::TrackSplitter(std::vector<Rect> interrupters)
    : interrupters_(std::move(interrupters)) {}

std::optional<std::size_t> TrackSplitter::CrossingCut(const Rect& strip, bool horizontal) const {
    return interrupters_.First(strip, [&](std::size_t i) {
        const Rect& r = interrupters_[i];
        return horizontal ? r.Top <= strip.Top && r.Bottom > strip.Bottom
                          : r.Left <= strip.Left && r.Right > strip.Right;
    });
}

void TrackSplitter::Split(std::vector<TBauteil*>& pieces, TBoard& layout) const {
    auto make = [&layout](const Outline& outline) {
        auto piece = std::make_unique<TLeiterbahn>();
        piece->SetParent(&layout);
        piece->SetIstMarkiert(false);
        piece->Contour().Nodes = outline.corners;
        piece->Nodes = {outline.first, outline.last};
        TLeiterbahn* made = piece.get();
        layout.AddPiece(std::move(piece));
        return made;
    };
    auto element = [&make](Item& item) { return item.element ? item.element : make(item.outline); };

    // Splitting in place and starting again from the first piece after every split visits the
    // pieces in this order too: everything before the split one was found whole already, and
    // stays whole. A queue does the same work once.
    std::vector<Item> queue;
    queue.reserve(pieces.size());
    for (TBauteil* piece : pieces)
        queue.push_back({piece, {}});
    std::vector<TBauteil*> whole;
    whole.reserve(pieces.size());
    // Every split removes one track and adds at most two shorter ones, so this ends; the bound
    // only guards against interrupters of no width at all.
    std::size_t budget = 4 * (pieces.size() + interrupters_.Size() + 16) * 16;
    std::size_t head = 0;
    for (; head < queue.size() && budget > 0; ++head) {
        Item item = std::move(queue[head]);
        auto* track = dynamic_cast<TLeiterbahn*>(item.element);
        if (item.element != nullptr && (track == nullptr || track->Nodes.size() < 2)) {
            whole.push_back(item.element);
            continue;
        }
        const QPoint first = track ? track->Nodes.front() : item.outline.first;
        const QPoint last = track ? track->Nodes.back() : item.outline.last;
        const bool horizontal = first.y() == last.y();
        const bool vertical = !horizontal && first.x() == last.x();
        if (!horizontal && !vertical) {
            whole.push_back(element(item));
            continue;
        }
        if ((horizontal && first.x() > last.x()) || (vertical && first.y() > last.y())) {
            // Only a sliver left of a track that was no wider than a unit runs backwards.
            if (track == nullptr)
                item.element = track = make(item.outline);
            std::swap(track->Nodes.front(), track->Nodes.back());
            track->RebuildOutline();
        }
        const std::vector<QPoint>& corners = track ? track->Contour().Nodes : item.outline.corners;
        if (corners.size() < 4) {
            whole.push_back(element(item));
            continue;
        }
        const Rect strip =
            Normalised(Rect{corners[0].x(), corners[0].y(), corners[2].x(), corners[2].y()});
        const std::optional<std::size_t> crossing = CrossingCut(strip, horizontal);
        if (!crossing) {
            whole.push_back(element(item));
            continue;
        }
        --budget;
        const Rect& cut = interrupters_[*crossing];
        auto piece = [&](bool before) {
            Outline outline{{}, {}, corners};
            // The corners on the cut's side move to just outside it.
            for (const std::size_t k :
                 before ? std::array<std::size_t, 2>{1, 2} : std::array<std::size_t, 2>{0, 3}) {
                QPoint& c = outline.corners[k];
                if (horizontal)
                    c.rx() = before ? Beside(cut.Left, -1) : Beside(cut.Right, 1);
                else
                    c.ry() = before ? Beside(cut.Top, -1) : Beside(cut.Bottom, 1);
            }
            outline.first = outline.corners[0];
            outline.last = outline.corners[1];
            queue.push_back({nullptr, std::move(outline)});
        };
        if (horizontal ? cut.Left > strip.Left : cut.Top > strip.Top)
            piece(true);
        if (horizontal ? cut.Right < strip.Right : cut.Bottom < strip.Bottom)
            piece(false);
    }
    for (; head < queue.size(); ++head)
        whole.push_back(element(queue[head]));
    pieces = std::move(whole);
}

} // namespace karvel
