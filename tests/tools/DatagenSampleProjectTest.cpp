// The sample project committed under resources/examples: a 555 blinker on a stripboard. It
// loads, survives a save unchanged, lies on the small standard stripboard, and is wired as the
// schematic says — checked strip piece by strip piece between the cuts, and by the program's own
// continuity probe.

#include "board/Board.h"
#include "board/Continuity.h"
#include "board/ProjectFile.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <set>

namespace karvel {
namespace {

constexpr int Pitch = 254;

QString Resources() {
    return QStringLiteral(KARVEL_SOURCE_DIR "/resources");
}
QString SamplePath() {
    return Resources() + QStringLiteral("/examples/555-blinker.rst");
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QPoint HoleOf(QPoint p) {
    return {(p.x() + Pitch / 2) / Pitch, p.y() / Pitch};
}

// A lead, pin or wire end of a component: its identifier text and its place among the
// component's contacts, counted from 1 (for the IC, its pin number).
using Terminal = std::pair<std::string, int>;

class DatagenSampleProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        load_ = ReadProjectFile(SamplePath(), view_);
        ASSERT_FALSE(load_.Error.has_value()) << load_.Error->what();
        ASSERT_EQ(load_.Boards.size(), 1u);
        board_ = load_.Boards[0].get();
    }

    std::vector<TGruppe*> Components() const {
        std::vector<TGruppe*> components;
        for (const auto& element : board_->Bauteile())
            if (auto* group = dynamic_cast<TGruppe*>(element.get()); group && group->IsComponent)
                components.push_back(group);
        return components;
    }
    TGruppe* Component(const QString& identifier) const {
        for (TGruppe* component : Components())
            if (component->IdentifierText() == identifier)
                return component;
        return nullptr;
    }
    // The members with contacts (leads and pins), in member order.
    static std::vector<TDraht*> Contacts(const TGruppe& component) {
        std::vector<TDraht*> contacts;
        for (const auto& member : component.Members())
            if (auto* d = dynamic_cast<TDraht*>(member.get()); d && d->GetContactCount() > 0)
                contacts.push_back(d);
        return contacts;
    }

    ViewState view_;
    ProjectLoad load_;
    TPlatine* board_ = nullptr;
};

// --- The strips as the cuts leave them ---------------------------------------------------------

struct Piece {
    int Top, Bottom, Left, Right;
};

class StripNets {
public:
    StripNets(const TBoard& layout, const std::vector<Rect>& cuts) {
        for (const auto& element : layout.Bauteile()) {
            const auto* strip = dynamic_cast<const TLeiterbahn*>(element.get());
            if (strip == nullptr || !strip->IsHorizontal())
                continue;
            const std::vector<QPoint>& c = strip->Contour().Nodes;
            const auto [minX, maxX] = std::minmax({c[0].x(), c[1].x(), c[2].x(), c[3].x()});
            const auto [minY, maxY] = std::minmax({c[0].y(), c[1].y(), c[2].y(), c[3].y()});
            Split({minY, maxY, minX, maxX}, cuts);
        }
        parent_.resize(pieces_.size());
        std::iota(parent_.begin(), parent_.end(), 0);
    }

    // The net of the copper under a point; -1 off the copper.
    int NetAt(QPoint p) {
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            const Piece& s = pieces_[i];
            if (p.y() > s.Top && p.y() < s.Bottom && p.x() > s.Left && p.x() < s.Right)
                return Find(int(i));
        }
        return -1;
    }
    void Join(QPoint a, QPoint b) {
        const int na = NetAt(a), nb = NetAt(b);
        if (na >= 0 && nb >= 0)
            parent_[std::size_t(na)] = nb;
    }

private:
    // A cut interrupts a strip only where it covers the strip's whole width.
    void Split(Piece piece, const std::vector<Rect>& cuts) {
        for (const Rect& cut : cuts) {
            if (cut.Top <= piece.Top && cut.Bottom > piece.Bottom && cut.Left < piece.Right &&
                cut.Right > piece.Left) {
                if (cut.Left > piece.Left)
                    Split({piece.Top, piece.Bottom, piece.Left, cut.Left}, cuts);
                if (cut.Right < piece.Right)
                    Split({piece.Top, piece.Bottom, cut.Right, piece.Right}, cuts);
                return;
            }
        }
        pieces_.push_back(piece);
    }
    int Find(int i) {
        while (parent_[std::size_t(i)] != i)
            i = parent_[std::size_t(i)];
        return i;
    }

    std::vector<Piece> pieces_;
    std::vector<int> parent_;
};

TEST_F(DatagenSampleProjectTest, SurvivesASaveUnchanged) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteProject(buffer, {board_});
    EXPECT_TRUE(buffer.data() == Bytes(SamplePath()));
}

TEST_F(DatagenSampleProjectTest, LiesOnTheSmallStandardStripboard) {
    EXPECT_EQ(board_->PlatinenName(), QStringLiteral("555-Blinker"));
    TBoard& layout = *board_->Layout();
    EXPECT_EQ(board_->Width(), 8000);
    EXPECT_EQ(board_->Height(), 5000);
    EXPECT_EQ(board_->Width(), layout.Width());
    EXPECT_EQ(board_->Height(), layout.Height());
    EXPECT_EQ(board_->Nullpunkt(), layout.Nullpunkt());
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("layout.KVB"));
    ASSERT_TRUE(SaveLayoutFile(copy, layout).isEmpty());
    EXPECT_TRUE(Bytes(copy) ==
                Bytes(Resources() + QStringLiteral("/Board Layouts/Streifenraster 80 x 50.KVB")))
        << "the layout is the board a user opens as \"Streifenraster 80 x 50\"";
}

TEST_F(DatagenSampleProjectTest, HoldsTheBlinkersPartsWithTheirIdentity) {
    const std::map<QString, QString> values{
        {"X1", "9 V"}, {"IC1", "NE555"}, {"R1", "1k"},    {"R2", "47k"},
        {"R3", "470"}, {"C1", "10 µF"},  {"C2", "10 nF"}, {"D1", "LED rot"},
    };
    std::map<QString, QString> found;
    for (const TGruppe* component : Components()) {
        found[component->IdentifierText()] = component->Value;
        EXPECT_FALSE(component->Description.isEmpty()) << component->IdentifierText().toStdString();
        bool labelled = false;
        for (const auto& member : component->Members()) {
            EXPECT_TRUE(member->InGroup);
            if (const auto* label = dynamic_cast<const TTextLabel*>(member.get());
                label && label->Placeholder == 1)
                labelled = label->TextString() == component->IdentifierText();
        }
        EXPECT_TRUE(labelled) << "a label shows " << component->IdentifierText().toStdString();
        for (const TDraht* contact : Contacts(*component))
            EXPECT_EQ(contact->Anchors.at(0), HoleOf(contact->Nodes.at(0)))
                << "anchored at its hole: " << component->IdentifierText().toStdString();
    }
    EXPECT_EQ(found, values);
    EXPECT_EQ(Contacts(*Component("IC1")).size(), 8u);
}

TEST_F(DatagenSampleProjectTest, TwoLeadPartsStretchAlongTheirLeads) {
    for (const char* id : {"R1", "R2", "R3", "C1", "C2", "D1"}) {
        TGruppe* part = Component(QString::fromLatin1(id));
        ASSERT_NE(part, nullptr) << id;
        EXPECT_TRUE(part->CanStretchLeads()) << id;
    }
}

TEST_F(DatagenSampleProjectTest, IcRowsAreCutBetweenItsPinColumns) {
    const std::vector<TDraht*> pins = Contacts(*Component("IC1"));
    const int left = pins[0]->Nodes[0].x();  // pin 1
    const int right = pins[7]->Nodes[0].x(); // pin 8
    std::set<int> rows;
    for (const auto& element : board_->Bauteile()) {
        if (const auto* cut = dynamic_cast<const TTrenner*>(element.get())) {
            EXPECT_GT(cut->CutRect.Left, left + Pitch / 2);
            EXPECT_LT(cut->CutRect.Right, right - Pitch / 2);
            rows.insert(HoleOf({0, (cut->CutRect.Top + cut->CutRect.Bottom) / 2}).y());
        }
    }
    std::set<int> pinRows;
    for (int pin = 0; pin < 4; ++pin)
        pinRows.insert(HoleOf(pins[std::size_t(pin)]->Nodes[0]).y());
    EXPECT_EQ(rows, pinRows);
}

TEST_F(DatagenSampleProjectTest, EveryNetConnectsWhatTheSchematicConnects) {
    std::vector<Rect> cuts;
    std::vector<const TDraht*> wires;
    for (const auto& element : board_->Bauteile()) {
        if (const auto* cut = dynamic_cast<const TTrenner*>(element.get()))
            cuts.push_back(cut->CutRect);
        if (const auto* wire = dynamic_cast<const TDraht*>(element.get());
            wire && wire->BauteilTyp == TBauteilTyp::btDraht)
            wires.push_back(wire);
    }
    StripNets nets(*board_->Layout(), cuts);
    for (const TDraht* wire : wires) {
        EXPECT_GE(nets.NetAt(wire->Nodes.front()), 0) << "wire end off the copper";
        EXPECT_GE(nets.NetAt(wire->Nodes.back()), 0) << "wire end off the copper";
        nets.Join(wire->Nodes.front(), wire->Nodes.back());
    }
    std::map<int, std::set<Terminal>> byNet;
    for (const TGruppe* component : Components()) {
        const std::vector<TDraht*> contacts = Contacts(*component);
        for (std::size_t i = 0; i < contacts.size(); ++i) {
            const int net = nets.NetAt(contacts[i]->Nodes[0]);
            EXPECT_GE(net, 0) << component->IdentifierText().toStdString() << " lead " << i + 1
                              << " lies off the copper";
            byNet[net].insert({component->IdentifierText().toStdString(), int(i) + 1});
        }
    }
    std::set<std::set<Terminal>> found;
    for (const auto& [net, terminals] : byNet)
        found.insert(terminals);
    // X1: 1 plus, 2 minus. C1: 1 plus. D1: 1 cathode, 2 anode. IC1: pin numbers.
    const std::set<std::set<Terminal>> schematic{
        {{"X1", 1}, {"IC1", 8}, {"IC1", 4}, {"R1", 1}},           // +9 V
        {{"X1", 2}, {"IC1", 1}, {"C1", 2}, {"C2", 2}, {"D1", 1}}, // ground
        {{"IC1", 7}, {"R1", 2}, {"R2", 1}},                       // discharge
        {{"IC1", 6}, {"IC1", 2}, {"R2", 2}, {"C1", 1}},           // threshold, trigger
        {{"IC1", 3}, {"R3", 1}},                                  // output
        {{"R3", 2}, {"D1", 2}},                                   // LED anode
        {{"IC1", 5}, {"C2", 1}},                                  // control
    };
    EXPECT_EQ(found, schematic);
}

TEST_F(DatagenSampleProjectTest, TheProbeOnPin8FindsTheSupplyAndNothingElse) {
    const std::vector<TDraht*> ic = Contacts(*Component("IC1"));
    const std::vector<TDraht*> supply = Contacts(*Component("X1"));
    board_->Analysis().Probe(ic[7]->Nodes[0]);
    std::set<int> live;
    for (std::size_t pin = 0; pin < ic.size(); ++pin)
        if (ic[pin]->HatTestSpannung())
            live.insert(int(pin) + 1);
    EXPECT_EQ(live, (std::set<int>{4, 8}));
    EXPECT_TRUE(supply[0]->HatTestSpannung());
    EXPECT_FALSE(supply[1]->HatTestSpannung());
    board_->Analysis().EndTest();
}

} // namespace
} // namespace karvel
