#include "board/Continuity.h"

#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Bohrung.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"

#include <deque>
#include <QtGui/QImage>
#include <unordered_map>

namespace karvel {

namespace {

// Region tests happen at zoom 10: 160 pixels per hole pitch, about 1.6 units per pixel.
constexpr int AnalysisPixelsPerHole = 160;

// Visits the elements of a list and of the groups in it.
template <typename Visit>
void ForEachElement(const std::vector<std::unique_ptr<TBauteil>>& elements, Visit&& visit) {
    for (const auto& element : elements) {
        if (const auto* group = dynamic_cast<const TGruppe*>(element.get()))
            ForEachElement(group->Members(), visit);
        else
            visit(*element);
    }
}

bool IsConnectionKind(TBauteilTyp kind) {
    return kind == TBauteilTyp::btDraht || kind == TBauteilTyp::btDrahtFest ||
           kind == TBauteilTyp::btAnschluss || kind == TBauteilTyp::btPin;
}

} // namespace

// What one analysis needs and drops afterwards: the temporary cuts around drillings, the
// interrupting rectangles, a canvas at zoom 10, and the regions made on it.
struct CopperAnalysis::Scratch {
    QImage image{1, 1, QImage::Format_RGB32};
    Canvas canvas{image};
    std::vector<std::unique_ptr<TTrenner>> temporaryCuts;
    std::vector<Rect> interrupters;
    std::unordered_map<TBauteil*, std::optional<Region>> regions;
    std::unordered_map<TBauteil*, Rect> bounds;

    Scratch() {
        canvas.SetMapping({0, 0}, {TPlatine::HolePitch, TPlatine::HolePitch}, {0, 0},
                          {AnalysisPixelsPerHole, AnalysisPixelsPerHole});
    }
    const std::optional<Region>& RegionOf(TBauteil* e) {
        auto it = regions.find(e);
        if (it == regions.end())
            it = regions.emplace(e, e->CreateRegion(canvas)).first;
        return it->second;
    }
    const Rect& BoundsOf(TBauteil* e) {
        auto it = bounds.find(e);
        if (it == bounds.end())
            it = bounds.emplace(e, Normalised(e->GetBounds(canvas))).first;
        return it->second;
    }
    // Whether a board point lies in an element's bounds and in its region.
    bool Contains(TBauteil* e, QPoint p) {
        const Rect& b = BoundsOf(e);
        if (p.x() < b.Left || p.x() >= b.Right || p.y() < b.Top || p.y() >= b.Bottom)
            return false;
        const std::optional<Region>& region = RegionOf(e);
        return region && region->Contains(canvas.LPtoDP(p));
    }
    bool Overlap(TBauteil* a, TBauteil* b) {
        if (!Intersects(BoundsOf(a), BoundsOf(b)))
            return false;
        const std::optional<Region>& ra = RegionOf(a);
        const std::optional<Region>& rb = RegionOf(b);
        return ra && rb && ra->ToQRegion().intersects(rb->ToQRegion());
    }
};

CopperAnalysis::CopperAnalysis(TPlatine& board) : board_(board) {}

CopperAnalysis::~CopperAnalysis() = default;

void CopperAnalysis::Repaint(TBauteil& element) {
    if (BoardHost* host = board_.Host()) {
        QImage image(1, 1, QImage::Format_RGB32);
        Canvas canvas(image);
        board_.SetzeMassstab(canvas);
        element.Invalidate(*host, canvas);
    }
}

void CopperAnalysis::CollectInterrupters(Scratch& scratch) {
    ForEachElement(board_.Bauteile(), [&](TBauteil& e) {
        if (e.BauteilTyp == TBauteilTyp::btTrenner || e.BauteilTyp == TBauteilTyp::btTrennerFest) {
            scratch.interrupters.push_back(Normalised(static_cast<TTrenner&>(e).CutRect));
        } else if (auto* drilling = dynamic_cast<TBohrung*>(&e)) {
            // A drilling interrupts the copper across the square of its diameter.
            const int half = RoundToUnit((long double)drilling->Diameter * 50.0L);
            auto cut = std::make_unique<TTrenner>();
            cut->BauteilTyp = TBauteilTyp::btTempBohrTrenner;
            const QPoint c = drilling->Centre;
            cut->CutRect = Normalised(Rect{c.x() - half, c.y() - half, c.x() + half, c.y() + half});
            scratch.interrupters.push_back(cut->CutRect);
            scratch.temporaryCuts.push_back(std::move(cut));
        }
    });
}

void CopperAnalysis::CollectPieces(Scratch& scratch) {
    TBoard* layout = board_.Layout();
    pieces_.clear();
    if (layout == nullptr)
        return;
    layout->ClearPieces();
    for (const auto& element : layout->Bauteile()) {
        // A layout is copper through and through; drillings refuse the flag.
        element->SetKupferFlag(true);
    }
    ForEachElement(layout->Bauteile(), [&](TBauteil& e) {
        if (e.KupferFlag())
            pieces_.push_back(&e);
    });
    SplitTracks(scratch);
}

void CopperAnalysis::SplitTracks(Scratch& scratch) {
    TBoard& layout = *board_.Layout();
    // Every split removes one track and adds at most two shorter ones, so this ends; the bound
    // only guards against interrupters of no width at all.
    std::size_t budget = 4 * (pieces_.size() + scratch.interrupters.size() + 16) * 16;
    for (std::size_t i = 0; i < pieces_.size() && budget > 0; ++i) {
        auto* track = dynamic_cast<TLeiterbahn*>(pieces_[i]);
        if (track == nullptr || track->Nodes.size() < 2)
            continue;
        const bool horizontal = track->IsHorizontal();
        const bool vertical = !horizontal && track->IsVertical();
        if (!horizontal && !vertical)
            continue;
        QPoint& first = track->Nodes.front();
        QPoint& last = track->Nodes.back();
        if ((horizontal && first.x() > last.x()) || (vertical && first.y() > last.y())) {
            std::swap(first, last);
            track->RebuildOutline();
        }
        const std::vector<QPoint>& corners = track->Contour().Nodes;
        if (corners.size() < 4)
            continue;
        const Rect strip =
            Normalised(Rect{corners[0].x(), corners[0].y(), corners[2].x(), corners[2].y()});
        const Rect* cut = nullptr;
        for (const Rect& r : scratch.interrupters) {
            const bool across = horizontal ? r.Top <= strip.Top && r.Bottom > strip.Bottom
                                           : r.Left <= strip.Left && r.Right > strip.Right;
            if (Intersects(r, strip) && across) {
                cut = &r;
                break;
            }
        }
        if (cut == nullptr)
            continue;
        --budget;
        auto makePiece = [&](bool before) {
            auto piece = std::make_unique<TLeiterbahn>();
            piece->SetParent(&layout);
            piece->SetIstMarkiert(false);
            std::vector<QPoint> c = corners;
            // The corners on the cut's side move to just outside it.
            if (before) {
                const int edge = horizontal ? cut->Left - 1 : cut->Top - 1;
                for (int k : {1, 2})
                    (horizontal ? c[std::size_t(k)].rx() : c[std::size_t(k)].ry()) = edge;
            } else {
                const int edge = horizontal ? cut->Right + 1 : cut->Bottom + 1;
                for (int k : {0, 3})
                    (horizontal ? c[std::size_t(k)].rx() : c[std::size_t(k)].ry()) = edge;
            }
            piece->Contour().Nodes = c;
            piece->Nodes = {c[0], c[1]};
            pieces_.push_back(piece.get());
            layout.AddPiece(std::move(piece));
        };
        if (horizontal ? cut->Left > strip.Left : cut->Top > strip.Top)
            makePiece(true);
        if (horizontal ? cut->Right < strip.Right : cut->Bottom < strip.Bottom)
            makePiece(false);
        pieces_.erase(pieces_.begin() + std::ptrdiff_t(i));
        i = std::size_t(-1); // start again from the first piece
    }
}

void CopperAnalysis::CollectConnections() {
    connections_.clear();
    ForEachElement(board_.Bauteile(), [&](TBauteil& e) {
        if (IsConnectionKind(e.BauteilTyp))
            connections_.push_back(&e);
    });
}

void CopperAnalysis::Rebuild(Scratch& scratch) {
    CollectInterrupters(scratch);
    CollectPieces(scratch);
    CollectConnections();
}

void CopperAnalysis::EndTest() {
    // The pieces split off last time belong to the layout; whatever else the last analysis
    // saw may have changed since, so it is found anew below.
    if (TBoard* layout = board_.Layout()) {
        for (const auto& piece : layout->Pieces()) {
            if (piece->HatTestSpannung()) {
                piece->SetHatTestSpannung(false);
                Repaint(*piece);
            }
        }
    }
    Scratch scratch;
    Rebuild(scratch);
    for (TBauteil* e : pieces_)
        e->SetHatTestSpannung(false);
    for (TBauteil* e : connections_) {
        if (e->HatTestSpannung()) {
            e->SetHatTestSpannung(false);
            Repaint(*e);
        }
    }
    if (BoardHost* host = board_.Host())
        host->Repaint();
}

void CopperAnalysis::Probe(QPoint boardPoint) {
    EndTest();
    Scratch scratch;
    Rebuild(scratch);
    // Spreads with a work list instead of recursion: long chains of copper cannot exhaust
    // the stack, and the marked set is the same.
    std::deque<TBauteil*> work;
    auto markPiecesAt = [&](QPoint p) {
        for (TBauteil* piece : pieces_) {
            if (!piece->HatTestSpannung() && scratch.Contains(piece, p)) {
                piece->SetHatTestSpannung(true);
                work.push_back(piece);
            }
        }
    };
    markPiecesAt(boardPoint);
    while (!work.empty()) {
        TBauteil* a = work.front();
        work.pop_front();
        for (TBauteil* b : pieces_) {
            if (b != a && !b->HatTestSpannung() && scratch.Overlap(a, b)) {
                b->SetHatTestSpannung(true);
                work.push_back(b);
            }
        }
        for (TBauteil* e : connections_) {
            if (e->HatTestSpannung())
                continue;
            auto* wire = dynamic_cast<TDraht*>(e);
            if (wire == nullptr || wire->Nodes.empty())
                continue;
            const QPoint firstPoint = wire->Nodes.front();
            const QPoint lastPoint = wire->Nodes.back();
            if (e->BauteilTyp == TBauteilTyp::btDraht) {
                // A jumper wire carries the voltage on to whatever copper its other end is in.
                if (scratch.Contains(a, firstPoint)) {
                    e->SetHatTestSpannung(true);
                    Repaint(*e);
                    markPiecesAt(lastPoint);
                } else if (scratch.Contains(a, lastPoint)) {
                    e->SetHatTestSpannung(true);
                    Repaint(*e);
                    markPiecesAt(firstPoint);
                }
            } else if (e->BauteilTyp == TBauteilTyp::btAnschluss ||
                       e->BauteilTyp == TBauteilTyp::btPin) {
                // Leads and pins only show that they touch; a part's body does not conduct.
                if (scratch.Contains(a, firstPoint)) {
                    e->SetHatTestSpannung(true);
                    Repaint(*e);
                }
            }
        }
    }
    for (TBauteil* piece : pieces_)
        if (piece->HatTestSpannung())
            Repaint(*piece);
}

void CopperAnalysis::ShowUnused() {
    Scratch scratch;
    Rebuild(scratch);
    unusedShown_ = true;
    for (TBauteil* piece : pieces_)
        piece->SetIstFreierBereich(true);
    std::vector<TBauteil*> work;
    auto release = [&](TBauteil* piece) {
        piece->SetIstFreierBereich(false);
        work.push_back(piece);
        while (!work.empty()) {
            TBauteil* a = work.back();
            work.pop_back();
            for (TBauteil* b : pieces_) {
                if (b->istFreierBereich() && scratch.Overlap(a, b)) {
                    b->SetIstFreierBereich(false);
                    work.push_back(b);
                }
            }
        }
    };
    for (TBauteil* e : connections_) {
        e->BeginContacts();
        while (const std::optional<QPoint> contact = e->NextContact()) {
            for (TBauteil* piece : pieces_)
                if (piece->istFreierBereich() && scratch.Contains(piece, *contact))
                    release(piece);
        }
    }
    for (TBauteil* piece : pieces_)
        if (piece->istFreierBereich())
            Repaint(*piece);
    for (const auto& element : board_.Bauteile())
        element->SetIstMarkiert(false);
}

void CopperAnalysis::HideUnused() {
    if (!unusedShown_)
        return;
    unusedShown_ = false;
    if (TBoard* layout = board_.Layout()) {
        for (const auto& piece : layout->Pieces()) {
            if (piece->istFreierBereich()) {
                piece->SetIstFreierBereich(false);
                Repaint(*piece);
            }
        }
    }
    Scratch scratch;
    Rebuild(scratch);
    for (TBauteil* piece : pieces_)
        piece->SetIstFreierBereich(false);
    for (const auto& element : board_.Bauteile())
        element->SetIstMarkiert(false);
}

} // namespace karvel
