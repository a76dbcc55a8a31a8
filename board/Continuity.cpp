#include "board/Continuity.h"

#include "board/Board.h"
#include "board/Platine.h"
#include "board/RectIndex.h"
#include "board/TrackSplitter.h"
#include "elements/Bohrung.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Trenner.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <QtGui/QImage>

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

// Coordinates are summed in 64 bits and kept within the 32-bit range of board units, so that
// elements at the ends of that range cannot overflow.
int Clamped(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The one-unit square at a board point: a rectangle meets it when it holds the point.
Rect PointRect(QPoint p) {
    return {p.x(), p.y(), Clamped(std::int64_t(p.x()) + 1), Clamped(std::int64_t(p.y()) + 1)};
}

} // namespace

// Repaints the elements whose marks change, through one canvas mapped like the view.
class CopperAnalysis::Repainter {
public:
    explicit Repainter(TPlatine& board) : board_(board) {}
    void operator()(TBauteil& element) {
        BoardHost* host = board_.Host();
        if (host == nullptr)
            return;
        if (!canvas_) {
            canvas_ = std::make_unique<Canvas>(image_);
            board_.SetzeMassstab(*canvas_);
        }
        element.Invalidate(*host, *canvas_);
    }

private:
    TPlatine& board_;
    QImage image_{1, 1, QImage::Format_RGB32};
    std::unique_ptr<Canvas> canvas_;
};

// What one analysis needs and drops afterwards: the interrupting rectangles, a canvas at zoom
// 10, the pieces' bounds in an index, and the regions made on the canvas.
struct CopperAnalysis::Scratch {
    QImage image{1, 1, QImage::Format_RGB32};
    Canvas canvas{image};
    std::vector<Rect> interrupters;
    const std::vector<TBauteil*>* pieces = nullptr;
    std::vector<Rect> bounds;
    RectIndex index;
    std::vector<std::optional<Region>> regions;
    std::vector<char> regionMade;

    Scratch() {
        canvas.SetMapping({0, 0}, {HolePitch, HolePitch}, {0, 0},
                          {AnalysisPixelsPerHole, AnalysisPixelsPerHole});
    }
    void Index(const std::vector<TBauteil*>& list) {
        pieces = &list;
        bounds.clear();
        for (TBauteil* piece : list)
            bounds.push_back(Normalised(piece->GetBounds(canvas)));
        index = RectIndex(bounds);
        regions.assign(list.size(), std::nullopt);
        regionMade.assign(list.size(), 0);
    }
    const std::optional<Region>& RegionOf(std::size_t i) {
        if (!regionMade[i]) {
            regions[i] = (*pieces)[i]->CreateRegion(canvas);
            regionMade[i] = 1;
        }
        return regions[i];
    }
    // Whether a board point lies in a piece's bounds and in its region.
    bool Contains(std::size_t i, QPoint p) {
        if (!Intersects(bounds[i], PointRect(p)))
            return false;
        const std::optional<Region>& region = RegionOf(i);
        return region && region->Contains(canvas.LPtoDP(p));
    }
    bool Overlap(std::size_t a, std::size_t b) {
        if (!Intersects(bounds[a], bounds[b]))
            return false;
        const std::optional<Region>& ra = RegionOf(a);
        const std::optional<Region>& rb = RegionOf(b);
        return ra && rb && ra->ToQRegion().intersects(rb->ToQRegion());
    }
    // The pieces holding a board point.
    void PiecesAt(QPoint p, std::vector<std::size_t>& found) {
        index.Meeting(PointRect(p), found);
        std::erase_if(found, [&](std::size_t i) { return !Contains(i, p); });
    }
};

CopperAnalysis::CopperAnalysis(TPlatine& board) : board_(board) {}

CopperAnalysis::~CopperAnalysis() = default;

void CopperAnalysis::CollectPieces(Scratch& scratch, Repainter& repaint) {
    TBoard* layout = board_.Layout();
    pieces_.clear();
    if (layout == nullptr)
        return;
    // The pieces of the last analysis go; where one showed a mark, what lies beneath shows again.
    for (const auto& piece : layout->Pieces())
        if (piece->HatTestSpannung() || piece->istFreierBereich())
            repaint(*piece);
    layout->ClearPieces();
    for (const auto& element : layout->Bauteile()) {
        // A layout is copper through and through; drillings refuse the flag.
        element->SetKupferFlag(true);
    }
    ForEachElement(layout->Bauteile(), [&](TBauteil& e) {
        if (e.KupferFlag())
            pieces_.push_back(&e);
    });
    TrackSplitter(std::move(scratch.interrupters)).Split(pieces_, *layout);
}

void CopperAnalysis::CollectConnections() {
    connections_.clear();
    ForEachElement(board_.Bauteile(), [&](TBauteil& e) {
        if (IsConnectionKind(e.BauteilTyp))
            connections_.push_back(&e);
    });
}

void CopperAnalysis::Rebuild(Scratch& scratch, Repainter& repaint) {
    ForEachElement(board_.Bauteile(), [&](TBauteil& e) {
        if (e.BauteilTyp == TBauteilTyp::btTrenner || e.BauteilTyp == TBauteilTyp::btTrennerFest) {
            scratch.interrupters.push_back(Normalised(static_cast<TTrenner&>(e).CutRect));
        } else if (auto* drilling = dynamic_cast<TBohrung*>(&e)) {
            // A drilling interrupts the copper across the square of its diameter.
            const std::int64_t half = RoundToUnit((long double)drilling->Diameter * 50.0L);
            const QPoint c = drilling->Centre;
            scratch.interrupters.push_back(
                Normalised(Rect{Clamped(c.x() - half), Clamped(c.y() - half), Clamped(c.x() + half),
                                Clamped(c.y() + half)}));
        }
    });
    CollectPieces(scratch, repaint);
    CollectConnections();
    scratch.Index(pieces_);
}

void CopperAnalysis::ClearMarks(bool testVoltage, Repainter& repaint) {
    auto clear = [&](TBauteil& e) {
        if (testVoltage ? !e.HatTestSpannung() : !e.istFreierBereich())
            return;
        if (testVoltage)
            e.SetHatTestSpannung(false);
        else
            e.SetIstFreierBereich(false);
        repaint(e);
    };
    // Every copper element, not only the pieces of the last analysis: a strip split since then
    // is no piece any more, and would keep its mark under the pieces.
    if (TBoard* layout = board_.Layout()) {
        for (const auto& piece : layout->Pieces())
            clear(*piece);
        ForEachElement(layout->Bauteile(), clear);
    }
    if (testVoltage) {
        ForEachElement(board_.Bauteile(), [&](TBauteil& e) {
            if (IsConnectionKind(e.BauteilTyp))
                clear(e);
        });
    }
}

void CopperAnalysis::Deselect() {
    for (const auto& element : board_.Bauteile())
        element->SetIstMarkiert(false);
}

void CopperAnalysis::EndTest() {
    Repainter repaint(board_);
    ClearMarks(true, repaint);
    Scratch scratch;
    Rebuild(scratch, repaint);
    if (BoardHost* host = board_.Host())
        host->Repaint();
}

void CopperAnalysis::Probe(QPoint boardPoint) {
    // Ends the previous test as EndTest does, without building the pieces a second time.
    Repainter repaint(board_);
    ClearMarks(true, repaint);
    if (BoardHost* host = board_.Host())
        host->Repaint();
    Scratch scratch;
    Rebuild(scratch, repaint);

    // The ends that conduct: both ends of a jumper wire, the first point of a lead or pin.
    struct End {
        std::size_t connection;
        QPoint other; // where a wire carries the voltage on to; the point itself for the rest
        bool wire;
    };
    std::vector<End> ends;
    std::vector<Rect> endPoints;
    for (std::size_t i = 0; i < connections_.size(); ++i) {
        auto* wire = dynamic_cast<TDraht*>(connections_[i]);
        if (wire == nullptr || wire->Nodes.empty())
            continue;
        const QPoint first = wire->Nodes.front();
        const QPoint last = wire->Nodes.back();
        const TBauteilTyp kind = wire->BauteilTyp;
        if (kind == TBauteilTyp::btDraht) {
            ends.push_back({i, last, true});
            endPoints.push_back(PointRect(first));
            ends.push_back({i, first, true});
            endPoints.push_back(PointRect(last));
        } else if (kind == TBauteilTyp::btAnschluss || kind == TBauteilTyp::btPin) {
            ends.push_back({i, first, false});
            endPoints.push_back(PointRect(first));
        }
    }
    const RectIndex endIndex(endPoints);

    // Spreads with a work list instead of recursion: long chains of copper cannot exhaust the
    // stack. What ends up marked does not depend on the order: all copper that overlaps marked
    // copper, and whatever a marked wire end leads to.
    std::vector<std::size_t> work;
    std::vector<std::size_t> found;
    auto markPiecesAt = [&](QPoint p) {
        scratch.PiecesAt(p, found);
        for (const std::size_t i : found) {
            if (!pieces_[i]->HatTestSpannung()) {
                pieces_[i]->SetHatTestSpannung(true);
                work.push_back(i);
            }
        }
    };
    markPiecesAt(boardPoint);
    std::vector<std::size_t> near;
    while (!work.empty()) {
        const std::size_t a = work.back();
        work.pop_back();
        scratch.index.Meeting(scratch.bounds[a], near);
        for (const std::size_t b : near) {
            if (b != a && !pieces_[b]->HatTestSpannung() && scratch.Overlap(a, b)) {
                pieces_[b]->SetHatTestSpannung(true);
                work.push_back(b);
            }
        }
        endIndex.Meeting(scratch.bounds[a], near);
        for (const std::size_t k : near) {
            TBauteil& connection = *connections_[ends[k].connection];
            if (connection.HatTestSpannung() || !scratch.Contains(a, endPoints[k].TopLeft()))
                continue;
            connection.SetHatTestSpannung(true);
            repaint(connection);
            // A jumper wire carries the voltage on to whatever copper its other end is in;
            // leads and pins only show that they touch, a part's body does not conduct.
            if (ends[k].wire)
                markPiecesAt(ends[k].other);
        }
    }
    for (TBauteil* piece : pieces_)
        if (piece->HatTestSpannung())
            repaint(*piece);
}

void CopperAnalysis::ShowUnused() {
    Repainter repaint(board_);
    ClearMarks(false, repaint);
    Scratch scratch;
    Rebuild(scratch, repaint);
    unusedShown_ = true;
    for (TBauteil* piece : pieces_)
        piece->SetIstFreierBereich(true);
    std::vector<std::size_t> work;
    std::vector<std::size_t> near;
    auto release = [&](std::size_t piece) {
        pieces_[piece]->SetIstFreierBereich(false);
        work.push_back(piece);
        while (!work.empty()) {
            const std::size_t a = work.back();
            work.pop_back();
            scratch.index.Meeting(scratch.bounds[a], near);
            for (const std::size_t b : near) {
                if (pieces_[b]->istFreierBereich() && scratch.Overlap(a, b)) {
                    pieces_[b]->SetIstFreierBereich(false);
                    work.push_back(b);
                }
            }
        }
    };
    std::vector<std::size_t> found;
    for (TBauteil* e : connections_) {
        e->BeginContacts();
        while (const std::optional<QPoint> contact = e->NextContact()) {
            scratch.PiecesAt(*contact, found);
            for (const std::size_t i : found)
                if (pieces_[i]->istFreierBereich())
                    release(i);
        }
    }
    for (TBauteil* piece : pieces_)
        if (piece->istFreierBereich())
            repaint(*piece);
    Deselect();
}

void CopperAnalysis::HideUnused() {
    if (!unusedShown_)
        return;
    unusedShown_ = false;
    Repainter repaint(board_);
    ClearMarks(false, repaint);
    Scratch scratch;
    Rebuild(scratch, repaint);
    Deselect();
}

} // namespace karvel
