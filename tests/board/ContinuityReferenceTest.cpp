// The copper analyses against a plain reference that follows the rules word for word: a track
// is split at the first interrupter (in list order) that crosses it and the scan starts again
// from the first piece; copper spreads by trying every pair of pieces and every wire. Boards of
// many kinds must give the same pieces, in the same order, and the same marks.

#include "board/Board.h"
#include "board/Continuity.h"
#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/DrahtFest.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "elements/TrennerFest.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

namespace karvel {
namespace {

template <typename Visit>
void VisitAll(const std::vector<std::unique_ptr<TBauteil>>& elements, const Visit& visit) {
    for (const auto& element : elements) {
        if (const auto* group = dynamic_cast<const TGruppe*>(element.get()))
            VisitAll(group->Members(), visit);
        else
            visit(*element);
    }
}

// The analyses as the rules describe them, slowly and without shortcuts.
class ReferenceAnalysis {
public:
    explicit ReferenceAnalysis(TPlatine& board) {
        canvas_.SetMapping({0, 0}, {254, 254}, {0, 0}, {160, 160});
        VisitAll(board.Bauteile(), [&](TBauteil& e) {
            if (e.BauteilTyp == TBauteilTyp::btTrenner ||
                e.BauteilTyp == TBauteilTyp::btTrennerFest) {
                cuts_.push_back(Normalised(static_cast<TTrenner&>(e).CutRect));
            } else if (auto* drilling = dynamic_cast<TBohrung*>(&e)) {
                const int half = RoundToUnit((long double)drilling->Diameter * 50.0L);
                const QPoint c = drilling->Centre;
                cuts_.push_back(
                    Normalised(Rect{c.x() - half, c.y() - half, c.x() + half, c.y() + half}));
            }
            const TBauteilTyp k = e.BauteilTyp;
            if (k == TBauteilTyp::btDraht || k == TBauteilTyp::btDrahtFest ||
                k == TBauteilTyp::btAnschluss || k == TBauteilTyp::btPin)
                connections_.push_back(&e);
        });
        for (const auto& element : board.Layout()->Bauteile())
            element->SetKupferFlag(true);
        VisitAll(board.Layout()->Bauteile(), [&](TBauteil& e) {
            if (e.KupferFlag())
                pieces_.push_back(&e);
        });
        Split(*board.Layout());
    }

    const std::vector<TBauteil*>& Pieces() const { return pieces_; }
    const std::vector<TBauteil*>& Connections() const { return connections_; }
    bool IsOwnPiece(const TBauteil* piece) const {
        for (const auto& own : own_)
            if (own.get() == piece)
                return true;
        return false;
    }

    struct Marks {
        std::vector<bool> pieces;
        std::vector<bool> connections;
    };

    Marks Probe(QPoint p) {
        Marks marks{std::vector<bool>(pieces_.size()), std::vector<bool>(connections_.size())};
        MarkAt(p, marks);
        return marks;
    }

    std::vector<bool> Unused() {
        std::vector<bool> unused(pieces_.size(), true);
        std::function<void(std::size_t)> release = [&](std::size_t a) {
            unused[a] = false;
            for (std::size_t b = 0; b < pieces_.size(); ++b)
                if (unused[b] && Overlap(a, b))
                    release(b);
        };
        for (TBauteil* e : connections_) {
            e->BeginContacts();
            while (const std::optional<QPoint> contact = e->NextContact())
                for (std::size_t i = 0; i < pieces_.size(); ++i)
                    if (unused[i] && Contains(i, *contact))
                        release(i);
        }
        return unused;
    }

private:
    void Split(TBoard& layout) {
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
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
            const std::vector<QPoint> corners = track->Contour().Nodes;
            if (corners.size() < 4)
                continue;
            const Rect strip =
                Normalised(Rect{corners[0].x(), corners[0].y(), corners[2].x(), corners[2].y()});
            const Rect* cut = nullptr;
            for (const Rect& r : cuts_) {
                const bool across = horizontal ? r.Top <= strip.Top && r.Bottom > strip.Bottom
                                               : r.Left <= strip.Left && r.Right > strip.Right;
                if (Intersects(r, strip) && across) {
                    cut = &r;
                    break;
                }
            }
            if (cut == nullptr)
                continue;
            auto piece = [&](bool before) {
                std::vector<QPoint> c = corners;
                for (int k : before ? std::array{1, 2} : std::array{0, 3}) {
                    QPoint& corner = c[std::size_t(k)];
                    if (horizontal)
                        corner.rx() = before ? cut->Left - 1 : cut->Right + 1;
                    else
                        corner.ry() = before ? cut->Top - 1 : cut->Bottom + 1;
                }
                auto made = std::make_unique<TLeiterbahn>();
                made->SetParent(&layout);
                made->Contour().Nodes = c;
                made->Nodes = {c[0], c[1]};
                pieces_.push_back(made.get());
                own_.push_back(std::move(made));
            };
            if (horizontal ? cut->Left > strip.Left : cut->Top > strip.Top)
                piece(true);
            if (horizontal ? cut->Right < strip.Right : cut->Bottom < strip.Bottom)
                piece(false);
            pieces_.erase(pieces_.begin() + std::ptrdiff_t(i));
            i = std::size_t(-1);
        }
    }

    void MarkAt(QPoint p, Marks& marks) {
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            if (!marks.pieces[i] && Contains(i, p)) {
                marks.pieces[i] = true;
                Spread(i, marks);
            }
        }
    }

    void Spread(std::size_t a, Marks& marks) {
        for (std::size_t b = 0; b < pieces_.size(); ++b) {
            if (b != a && !marks.pieces[b] && Overlap(a, b)) {
                marks.pieces[b] = true;
                Spread(b, marks);
            }
        }
        for (std::size_t i = 0; i < connections_.size(); ++i) {
            auto* wire = dynamic_cast<TDraht*>(connections_[i]);
            if (marks.connections[i] || wire == nullptr || wire->Nodes.empty())
                continue;
            const QPoint first = wire->Nodes.front();
            const QPoint last = wire->Nodes.back();
            if (wire->BauteilTyp == TBauteilTyp::btDraht) {
                if (Contains(a, first)) {
                    marks.connections[i] = true;
                    MarkAt(last, marks);
                } else if (Contains(a, last)) {
                    marks.connections[i] = true;
                    MarkAt(first, marks);
                }
            } else if (wire->BauteilTyp != TBauteilTyp::btDrahtFest && Contains(a, first)) {
                marks.connections[i] = true;
            }
        }
    }

    Rect Bounds(std::size_t i) { return Normalised(pieces_[i]->GetBounds(canvas_)); }
    std::optional<Region> RegionOf(std::size_t i) { return pieces_[i]->CreateRegion(canvas_); }

    bool Contains(std::size_t i, QPoint p) {
        const Rect b = Bounds(i);
        if (p.x() < b.Left || p.x() >= b.Right || p.y() < b.Top || p.y() >= b.Bottom)
            return false;
        const std::optional<Region> region = RegionOf(i);
        return region && region->Contains(canvas_.LPtoDP(p));
    }

    bool Overlap(std::size_t a, std::size_t b) {
        if (!Intersects(Bounds(a), Bounds(b)))
            return false;
        const std::optional<Region> ra = RegionOf(a);
        const std::optional<Region> rb = RegionOf(b);
        return ra && rb && ra->ToQRegion().intersects(rb->ToQRegion());
    }

    QImage image_{1, 1, QImage::Format_RGB32};
    Canvas canvas_{image_};
    std::vector<Rect> cuts_;
    std::vector<TBauteil*> pieces_;
    std::vector<TBauteil*> connections_;
    std::vector<std::unique_ptr<TLeiterbahn>> own_;
};

QPoint Hole(int column, int row) {
    return {column * 254, row * 254 + 127};
}

// --- Boards
// ------------------------------------------------------------------------------------------

TLeiterbahn* AddTrack(TPlatine& on, QPoint from, QPoint to, int halfWidth = 100) {
    auto track = std::make_unique<TLeiterbahn>();
    track->Nodes = {from, to};
    track->SetStiftbreite(std::int16_t(halfWidth));
    track->RebuildOutline();
    return static_cast<TLeiterbahn*>(on.Add(std::move(track)));
}

void AddStrips(TPlatine& board, int columns, int rows) {
    board.SetSize(columns * 254, rows * 254);
    board.Layout()->SetSize(columns * 254, rows * 254);
    for (int row = 0; row < rows; ++row)
        AddTrack(*board.Layout(), Hole(0, row), Hole(columns - 1, row));
}

template <typename Cut = TTrenner> void AddCut(TPlatine& board, Rect r) {
    auto cut = std::make_unique<Cut>();
    cut->CutRect = r;
    board.Add(std::move(cut));
}

// A cut across one strip at a hole, 140 units wide.
void CutAt(TPlatine& board, int column, int row) {
    const QPoint h = Hole(column, row);
    AddCut(board, {h.x() - 70, h.y() - 127, h.x() + 70, h.y() + 127});
}

void AddDrilling(TPlatine& on, QPoint centre, double diameter) {
    auto drilling = std::make_unique<TBohrung>();
    drilling->Centre = centre;
    drilling->Diameter = diameter;
    on.Add(std::move(drilling));
}

TDraht* AddWire(TPlatine& board, TBauteilTyp kind, std::vector<QPoint> nodes) {
    return static_cast<TDraht*>(board.Add(test::MakeWire(kind, std::move(nodes))));
}

// Strips with every kind of cut: whole and partial, overlapping, doubled, at the ends, over
// two strips, fixed, in a group, reversed, of no width, and drillings of both sizes.
void CutsOfEveryKind(TPlatine& board) {
    AddStrips(board, 14, 8);
    CutAt(board, 3, 0);
    CutAt(board, 9, 0);
    CutAt(board, 3, 0);                             // the same cut twice
    AddCut(board, {700, 254 + 90, 820, 254 + 164}); // narrower than the copper
    AddCut(board, {1000, 254, 1300, 508});          // overlapping the next one
    AddCut(board, {1200, 254, 1500, 508});
    AddCut(board, {-50, 508, 60, 762});                                    // at the left end
    AddCut(board, {Hole(13, 2).x() - 30, 508, 4000, 762});                 // past the right end
    AddCut(board, {2000, 762 + 254, 1800, 762});                           // given reversed
    AddCut(board, {900, 762, 900, 1016});                                  // of no width
    AddCut(board, {Hole(5, 4).x() + 10, 1016, Hole(5, 4).x() + 11, 1524}); // over two strips
    AddCut(board, {Hole(0, 6).x() + 1, 1524, Hole(0, 6).x() + 40, 1778});  // a sliver left
    AddCut<TTrennerFest>(board, {2500, 1778, 2640, 2032});
    auto group = std::make_unique<TGruppe>();
    auto inner = std::make_unique<TTrenner>();
    inner->CutRect = {1500, 1778, 1640, 2032};
    group->AddMember(std::move(inner));
    group->AddMember(test::MakeWire(TBauteilTyp::btAnschluss, {Hole(1, 7), Hole(1, 6)}));
    board.Add(std::move(group));
    AddDrilling(board, Hole(7, 3), 0.8);           // smaller than the copper: no interruption
    AddDrilling(board, Hole(11, 3), 2.5);          // larger: cuts the strip
    AddDrilling(*board.Layout(), Hole(2, 5), 3.0); // the layout's own do not count

    AddWire(board, TBauteilTyp::btDraht, {Hole(1, 0), Hole(5, 0)});
    AddWire(board, TBauteilTyp::btDraht, {Hole(12, 0), Hole(12, 1), Hole(13, 3)});
    AddWire(board, TBauteilTyp::btAnschluss, {Hole(4, 2), Hole(4, 4)});
    AddWire(board, TBauteilTyp::btPin, {Hole(6, 5), Hole(6, 5)});
    auto fixed = std::make_unique<TDrahtFest>();
    fixed->Nodes = {Hole(8, 5), Hole(8, 7)};
    board.Add(std::move(fixed));
    TDraht* below = AddWire(board, TBauteilTyp::btDraht, {Hole(10, 6), Hole(2, 7)});
    below->SetIstAufLoetseite(true);
    auto resistor = test::MakeResistor(); // leads at holes (4, 5) and (8, 5)
    resistor->MoveBy(0, 254);
    board.Add(std::move(resistor));
}

// Tracks in every direction, pads, a copper area and a group in the layout, seen from below.
void TracksPadsAndAreas(TPlatine& board) {
    board.View().Loetseite = true;
    board.SetSize(4064, 3048);
    TBoard& layout = *board.Layout();
    layout.SetSize(4064, 3048);
    for (int column = 0; column < 6; ++column) // vertical, every other one given upwards
        AddTrack(layout, column % 2 ? Hole(column, 11) : Hole(column, 0),
                 column % 2 ? Hole(column, 0) : Hole(column, 11), 80);
    AddTrack(layout, Hole(15, 2), Hole(7, 2));      // horizontal, given leftwards
    AddTrack(layout, Hole(7, 4), Hole(15, 9), 60);  // slanting: never split
    AddTrack(layout, Hole(7, 10), Hole(15, 10), 0); // no width at all
    AddTrack(layout, Hole(7, 11), Hole(7, 11));     // a single point
    for (QPoint centre : {Hole(8, 6), Hole(9, 6), Hole(12, 6), Hole(5, 5)}) {
        auto pad = std::make_unique<TAuge>();
        pad->Centre = centre;
        pad->Diameter = 2.2;
        layout.Add(std::move(pad));
    }
    auto area = test::MakeWire(TBauteilTyp::btPolygon, {Hole(10, 7), Hole(14, 7), Hole(12, 9)});
    area->SetFuellenFlag(true);
    layout.Add(std::move(area));
    auto group = std::make_unique<TGruppe>();
    auto grouped = std::make_unique<TLeiterbahn>();
    grouped->Nodes = {Hole(8, 0), Hole(15, 0)};
    grouped->RebuildOutline();
    group->AddMember(std::move(grouped));
    auto groupedPad = std::make_unique<TAuge>();
    groupedPad->Centre = Hole(15, 1);
    group->AddMember(std::move(groupedPad));
    layout.Add(std::move(group));

    for (int row : {2, 5, 8})
        AddCut(board, {Hole(1, row).x() - 127, Hole(1, row).y() - 70, Hole(1, row).x() + 127,
                       Hole(1, row).y() + 70});
    AddCut(board, {Hole(4, 3).x() - 127, Hole(4, 3).y() - 70, Hole(4, 3).x() + 127,
                   Hole(4, 7).y() + 70}); // a long one down a vertical strip
    AddCut(board, {Hole(0, 6).x() - 200, Hole(0, 6).y() - 30, Hole(5, 6).x() + 200,
                   Hole(0, 6).y() + 30}); // across all of them
    CutAt(board, 10, 2);
    CutAt(board, 11, 0);
    CutAt(board, 10, 10);
    AddDrilling(board, Hole(3, 9), 2.0);

    AddWire(board, TBauteilTyp::btDraht, {Hole(0, 1), Hole(8, 2)});
    AddWire(board, TBauteilTyp::btDraht, {Hole(9, 6), Hole(13, 8)});
    AddWire(board, TBauteilTyp::btDraht, {Hole(1, 10), Hole(1, 10)}); // both ends in one hole
    AddWire(board, TBauteilTyp::btPin, {Hole(15, 1), Hole(15, 1)})->SetIstAufLoetseite(true);
    AddWire(board, TBauteilTyp::btAnschluss, {Hole(2, 3), Hole(3, 3)});
}

// A stripboard with cuts, wires, leads and pins at random, some strips running down.
void RandomStripboard(TPlatine& board) {
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    constexpr int columns = 24;
    constexpr int rows = 16;
    AddStrips(board, columns, rows);
    for (int column = 0; column < 4; ++column)
        AddTrack(*board.Layout(), Hole(columns + column, 0), Hole(columns + column, rows - 1));
    board.SetSize((columns + 4) * 254, rows * 254);
    for (int i = 0; i < 90; ++i) {
        const QPoint h = Hole(pick(columns + 4), pick(rows));
        const int across = pick(4) == 0 ? 60 : 127; // now and then too narrow
        const int along = 20 + pick(120);
        if (h.x() >= columns * 254)
            AddCut(board, {h.x() - across, h.y() - along, h.x() + across, h.y() + along});
        else
            AddCut(board, {h.x() - along, h.y() - across, h.x() + along, h.y() + across});
    }
    for (int i = 0; i < 12; ++i)
        AddDrilling(board, Hole(pick(columns), pick(rows)), 0.6 + 0.3 * pick(8));
    for (int i = 0; i < 40; ++i)
        AddWire(board, TBauteilTyp::btDraht,
                {Hole(pick(columns + 4), pick(rows)), Hole(pick(columns + 4), pick(rows))});
    for (int i = 0; i < 15; ++i) {
        const QPoint h = Hole(pick(columns), pick(rows));
        AddWire(board, i % 2 ? TBauteilTyp::btPin : TBauteilTyp::btAnschluss,
                {h, h + QPoint(0, 254)});
    }
}

struct BoardCase {
    const char* name;
    void (*build)(TPlatine&);
};

void PrintTo(const BoardCase& c, std::ostream* os) {
    *os << c.name;
}

class ContinuityReferenceTest : public ::testing::TestWithParam<BoardCase> {
protected:
    ContinuityReferenceTest() { GetParam().build(board); }

    // The same pieces in the same order: the layout's own elements by identity, split-off
    // pieces by their copper outline.
    void ExpectSamePieces(const ReferenceAnalysis& reference) {
        const std::vector<TBauteil*>& pieces = board.Analysis().Pieces();
        ASSERT_EQ(pieces.size(), reference.Pieces().size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const TBauteil* expected = reference.Pieces()[i];
            if (!reference.IsOwnPiece(expected)) {
                EXPECT_EQ(pieces[i], expected) << "piece " << i;
                continue;
            }
            const auto* track = dynamic_cast<const TLeiterbahn*>(pieces[i]);
            ASSERT_NE(track, nullptr) << "piece " << i;
            const auto& wanted = static_cast<const TLeiterbahn*>(expected);
            EXPECT_EQ(track->Contour().Nodes, wanted->Contour().Nodes) << "piece " << i;
            EXPECT_EQ(track->Nodes, wanted->Nodes) << "piece " << i;
            EXPECT_EQ(track->Parent(), board.Layout());
        }
        EXPECT_EQ(board.Analysis().Connections(), reference.Connections());
    }

    ViewState view;
    TPlatine board{view};
};

TEST_P(ContinuityReferenceTest, ProbesMarkWhatTheRulesMark) {
    const QSize holes(board.Width() / 254 + 1, board.Height() / 254 + 1);
    int markedSomewhere = 0;
    for (int row = 0; row < holes.height(); ++row) {
        for (int column = 0; column < holes.width(); column += 1 + row % 3) {
            const QPoint at = Hole(column, row) + QPoint(row % 2 ? 0 : 40, 0);
            board.Analysis().Probe(at);
            ReferenceAnalysis reference(board);
            ASSERT_NO_FATAL_FAILURE(ExpectSamePieces(reference));
            const ReferenceAnalysis::Marks marks = reference.Probe(at);
            const std::vector<TBauteil*>& pieces = board.Analysis().Pieces();
            for (std::size_t i = 0; i < pieces.size(); ++i)
                ASSERT_EQ(pieces[i]->HatTestSpannung(), bool(marks.pieces[i]))
                    << "probe at hole " << column << ", " << row << ": piece " << i;
            for (std::size_t i = 0; i < marks.connections.size(); ++i)
                ASSERT_EQ(reference.Connections()[i]->HatTestSpannung(), bool(marks.connections[i]))
                    << "probe at hole " << column << ", " << row << ": connection " << i;
            markedSomewhere += int(std::count(marks.pieces.begin(), marks.pieces.end(), true));
        }
    }
    EXPECT_GT(markedSomewhere, 0);
}

TEST_P(ContinuityReferenceTest, UnusedAreasAreWhatTheRulesLeaveUntouched) {
    board.Analysis().ShowUnused();
    ReferenceAnalysis reference(board);
    ASSERT_NO_FATAL_FAILURE(ExpectSamePieces(reference));
    const std::vector<bool> unused = reference.Unused();
    const std::vector<TBauteil*>& pieces = board.Analysis().Pieces();
    int count = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i]->istFreierBereich(), bool(unused[i])) << "piece " << i;
        count += unused[i] ? 1 : 0;
    }
    EXPECT_GT(count, 0);
    EXPECT_LT(count, int(pieces.size()));
    EXPECT_FALSE(board.Layout()->Pieces().empty()) << "the board's cuts split some tracks";
}

INSTANTIATE_TEST_SUITE_P(Boards, ContinuityReferenceTest,
                         ::testing::Values(BoardCase{"CutsOfEveryKind", CutsOfEveryKind},
                                           BoardCase{"TracksPadsAndAreas", TracksPadsAndAreas},
                                           BoardCase{"RandomStripboard", RandomStripboard}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace karvel
