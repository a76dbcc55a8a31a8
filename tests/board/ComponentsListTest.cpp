// The components list, the order list and the wire list of boards built here, line by line.

#include "board/ComponentsList.h"
#include "board/Platine.h"
#include "elements/Gruppe.h"
#include "platform/AccountName.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>

namespace karvel {
namespace {

using test::MakeWire;

// Lines as UTF-8, so that a failure shows them readably.
using Texts = std::vector<std::string>;

struct Part {
    const char* identifier;
    int number;
    const char* value;
    const char* description;
};

std::unique_ptr<TGruppe> MakeComponent(const Part& part, bool listed = true) {
    auto group = std::make_unique<TGruppe>();
    group->IsComponent = true;
    group->InComponentsList = listed;
    group->Identifier = QString::fromUtf8(part.identifier);
    group->Number = std::int16_t(part.number);
    group->Value = QString::fromUtf8(part.value);
    group->Description = QString::fromUtf8(part.description);
    return group;
}

std::unique_ptr<TGruppe> Holding(std::unique_ptr<TGruppe> outer,
                                 std::vector<std::unique_ptr<TGruppe>> inner) {
    for (auto& member : inner)
        outer->AddMember(std::move(member));
    return outer;
}

std::unique_ptr<TGruppe> PlainGroup(std::vector<std::unique_ptr<TGruppe>> inner) {
    auto group = std::make_unique<TGruppe>();
    group->IsComponent = false;
    return Holding(std::move(group), std::move(inner));
}

struct ListBoard {
    ViewState view;
    TPlatine board{view};

    explicit ListBoard(Language language = Language::German) {
        view.Sprache = language;
        board.SetPlatinenName(QStringLiteral("Blinker"));
        board.SetDateiname(QStringLiteral("/home/anna/blinker.rst"));
    }
    void Add(std::unique_ptr<TBauteil> element) { board.Add(std::move(element)); }
    void Add(const std::vector<Part>& parts) {
        for (const Part& part : parts)
            Add(MakeComponent(part));
    }
    std::vector<ListLine> Lines(ListKind kind) const {
        return StuecklistenZeilen(board, kind, Stamp());
    }
    static ListStamp Stamp() {
        return {QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)), QStringLiteral("Anna Beispiel")};
    }
    // The lines between the header and the wires.
    Texts Body(ListKind kind) const {
        const std::vector<ListLine> lines = Lines(kind);
        Texts body;
        for (std::size_t i = 6; i + 1 < lines.size() && lines[i + 1].Style != ListStyle::Bold; ++i)
            body.push_back(lines[i].Text.toStdString());
        return body;
    }
    Texts Wires() const {
        const std::vector<ListLine> lines = Lines(ListKind::Components);
        Texts wires;
        bool after = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (after && i > 0 && lines[i - 1].Style != ListStyle::Bold)
                wires.push_back(lines[i].Text.toStdString());
            after = after || lines[i].Style == ListStyle::Bold;
        }
        return wires;
    }
};

// --- The components list ------------------------------------------------------------------------

TEST(ComponentsListTest, ResistorsComeFirstInNumberOrderWithTheirValues) {
    ListBoard b;
    b.Add({{"C#", 1, "100n", "Keramik"},
           {"R#", 2, "10k", "Widerstand"},
           {"R#", 1, "4k7", "Widerstand"}});
    EXPECT_EQ(b.Body(ListKind::Components),
              (Texts{"R1\tWiderstand, 4k7", "R2\tWiderstand, 10k", "C1\tKeramik, 100n"}));
}

TEST(ComponentsListTest, NestedComponentsAreFramedAndIndented) {
    struct Case {
        const char* name;
        bool leafFirst;
        Texts expected;
    };
    const Case cases[] = {
        {"after a plain line, with an empty line before the frame", true,
         Texts{"R1\tWiderstand, 1k", "", ">>> T3 - Transistor, BC547 <<<", "\tR4\tWiderstand, 10k",
               "\tR5\tWiderstand, 47k"}},
        {"as the first entry, without an empty line before it", false,
         Texts{">>> T3 - Transistor, BC547 <<<", "\tR4\tWiderstand, 10k", "\tR5\tWiderstand, 47k"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListBoard b;
        std::vector<std::unique_ptr<TGruppe>> inner;
        inner.push_back(MakeComponent({"R#", 5, "47k", "Widerstand"}));
        inner.push_back(MakeComponent({"R#", 4, "10k", "Widerstand"}));
        b.Add(Holding(MakeComponent({"T#", 3, "BC547", "Transistor"}), std::move(inner)));
        if (c.leafFirst)
            b.Add({{"R#", 1, "1k", "Widerstand"}});
        EXPECT_EQ(b.Body(ListKind::Components), c.expected);
    }
}

TEST(ComponentsListTest, TwoLevelsDeepGetTwoTabs) {
    ListBoard b;
    std::vector<std::unique_ptr<TGruppe>> deepest;
    deepest.push_back(MakeComponent({"R#", 7, "", "Widerstand"}));
    std::vector<std::unique_ptr<TGruppe>> middle;
    middle.push_back(Holding(MakeComponent({"U#", 2, "", "Modul"}), std::move(deepest)));
    b.Add(Holding(MakeComponent({"K#", 1, "", "Karte"}), std::move(middle)));
    EXPECT_EQ(b.Body(ListKind::Components),
              (Texts{">>> K1 - Karte <<<", "", "\t>>> U2 - Modul <<<", "\t\tR7\tWiderstand"}));
}

TEST(ComponentsListTest, IdentifiersWithoutNumberOrEmpty) {
    ListBoard b;
    b.Add({{"IC1", 9, "NE555", "Timer"}, {"", 0, "", "Brücke"}, {"X#Y#", 4, "", "Stecker"}});
    EXPECT_EQ(b.Body(ListKind::Components),
              (Texts{"X4\tStecker", "-\tBrücke", "IC1\tTimer, NE555"}));
}

TEST(ComponentsListTest, UnlistedComponentsAndPlainGroupsOnlyGiveTheirContents) {
    ListBoard b;
    std::vector<std::unique_ptr<TGruppe>> hidden;
    hidden.push_back(MakeComponent({"R#", 2, "1k", "Widerstand"}));
    b.Add(Holding(MakeComponent({"K#", 1, "", "Kühlkörper"}, false), std::move(hidden)));
    std::vector<std::unique_ptr<TGruppe>> plain;
    plain.push_back(MakeComponent({"C#", 3, "10µ", "Elko"}));
    b.Add(PlainGroup(std::move(plain)));
    // What the unlisted component holds stands on its own, not inside the capacitor sorted
    // before it.
    EXPECT_EQ(b.Body(ListKind::Components), (Texts{"R2\tWiderstand, 1k", "C3\tElko, 10µ"}));
    const TSListData entries = CollectListEntries(b.board);
    ASSERT_EQ(entries.Count(), 2);
    EXPECT_EQ(entries.At(0).Level, 0);
    EXPECT_EQ(entries.At(1).Level, 0);
}

TEST(ComponentsListTest, WritingTheListLeavesTheBoardAsItWas) {
    ListBoard b;
    b.Add({{"R#", 2, "1k", "Widerstand"}, {"R#", 1, "1k", "Widerstand"}});
    b.board.SetModified(false);
    b.Lines(ListKind::Components);
    b.Lines(ListKind::Order);
    EXPECT_FALSE(b.board.Modified());
    EXPECT_EQ(static_cast<TGruppe*>(b.board.At(0))->Number, 2);
}

// --- The order list
// -------------------------------------------------------------------------------

TEST(ComponentsListTest, OrderListCountsEqualPartsTenIdentifiersToALine) {
    struct Case {
        const char* name;
        int count;
        Texts expected;
    };
    const Case cases[] = {
        {"twelve", 12,
         Texts{"R1,R2,R3,R4,R5,R6,R7,R8,R9,R10,", "R11,R12", "12x\tWiderstand, 1k", ""}},
        {"exactly ten", 10, Texts{"R1,R2,R3,R4,R5,R6,R7,R8,R9,R10,", "10x\tWiderstand, 1k", ""}},
        {"one", 1, Texts{"R1", "1x\tWiderstand, 1k", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListBoard b;
        // Placed in a shuffled order: the list sorts them by number.
        for (int i = 0; i < c.count; ++i)
            b.Add({{"R#", (i * 7) % c.count + 1, "1k", "Widerstand"}});
        EXPECT_EQ(b.Body(ListKind::Order), c.expected);
    }
}

TEST(ComponentsListTest, OrderListSeparatesValuesAndLiftsNestedParts) {
    ListBoard b;
    b.Add({{"R#", 3, "1k", "Widerstand"},
           {"R#", 2, "4k7", "Widerstand"},
           {"R#", 1, "1k", "Widerstand"},
           {"", 0, "", "Lötstift"},
           {"", 0, "", "Lötstift"}});
    std::vector<std::unique_ptr<TGruppe>> inner;
    inner.push_back(MakeComponent({"C#", 5, "100n", "Keramik"}));
    inner.push_back(MakeComponent({"C#", 4, "100n", "Keramik"}));
    b.Add(Holding(MakeComponent({"U#", 1, "", "Modul"}), std::move(inner)));
    EXPECT_EQ(b.Body(ListKind::Order),
              (Texts{"R1,R3", "2x\tWiderstand, 1k", "", "R2", "1x\tWiderstand, 4k7", "", "C4,C5",
                     "2x\tKeramik, 100n", "", "2x\tLötstift", ""}));
}

// --- Header, wires, languages
// -----------------------------------------------------------------------

TEST(ComponentsListTest, HeaderInBothLanguages) {
    struct Case {
        Language language;
        ListKind kind;
        const char* heading;
        const char* project;
        const char* created;
        const char* by;
        const char* unknown;
        const char* wires;
    };
    const Case cases[] = {
        {Language::German, ListKind::Components, "Stückliste für Blinker", "Projekt: ",
         "Erstellt am 09.03.2024 um 14:05:07", "von ", "von (Unbekannt)", "Drahtbrücken:"},
        {Language::German, ListKind::Order, "Einkaufsliste für Blinker", "Projekt: ",
         "Erstellt am 09.03.2024 um 14:05:07", "von ", "von (Unbekannt)", "Drahtbrücken:"},
        {Language::English, ListKind::Components, "Components list for Blinker",
         "Project: ", "Created on 09/03/2024 at 14:05:07", "by ", "by (Unknown)", "Jumper wires:"},
        {Language::English, ListKind::Order, "Order list for Blinker",
         "Project: ", "Created on 09/03/2024 at 14:05:07", "by ", "by (Unknown)", "Jumper wires:"},
    };
    for (const Case& c : cases) {
        ListBoard b(c.language);
        const std::vector<ListLine> lines = b.Lines(c.kind);
        ASSERT_EQ(lines.size(), 9u);
        EXPECT_EQ(lines[0], (ListLine{QString::fromUtf8(c.heading), ListStyle::Heading}));
        EXPECT_EQ(lines[1].Text, QString());
        EXPECT_EQ(lines[2].Text, QString::fromUtf8(c.project) + b.board.Dateiname());
        // The date and time as the list's language writes them, whatever the desktop's locale.
        EXPECT_EQ(lines[3].Text, QString::fromUtf8(c.created));
        EXPECT_EQ(lines[4].Text, QString::fromUtf8(c.by) + QStringLiteral("Anna Beispiel"));
        EXPECT_EQ(lines[5].Text, QString());
        EXPECT_EQ(lines[6].Text, QString());
        EXPECT_EQ(lines[7], (ListLine{QString::fromUtf8(c.wires), ListStyle::Bold}));
        EXPECT_EQ(lines[8].Text, QString());
        for (std::size_t i = 1; i < lines.size(); ++i)
            if (i != 7) {
                EXPECT_EQ(lines[i].Style, ListStyle::Regular) << i;
            }

        const std::vector<ListLine> nobody =
            StuecklistenZeilen(b.board, c.kind, {ListBoard::Stamp().When, QString()});
        EXPECT_EQ(nobody[4].Text, QString::fromUtf8(c.unknown));
    }
}

TEST(ComponentsListTest, WireEndsAreCountedFromTheOriginMarker) {
    struct Case {
        const char* name;
        QPoint origin;
        Language language;
        Texts expected;
    };
    const Case cases[] = {
        {"default origin, German",
         {0, 127},
         Language::German,
         Texts{"(3/4)\t(10/4)\tDraht Lochabstand 7; L = 17.78 mm",
               "(1/1)\t(1/3)\tDraht Lochabstand 2; L = 5.08 mm"}},
        {"default origin, English",
         {0, 127},
         Language::English,
         Texts{"(3/4)\t(10/4)\twire: hole distance 7; L = 17.78 mm",
               "(1/1)\t(1/3)\twire: hole distance 2; L = 5.08 mm"}},
        {"moved origin",
         {508, 381},
         Language::German,
         Texts{"(1/3)\t(8/3)\tDraht Lochabstand 7; L = 17.78 mm",
               "(-1/0)\t(-1/2)\tDraht Lochabstand 2; L = 5.08 mm"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListBoard b(c.language);
        b.board.SetUrsprung(c.origin);
        auto wire = MakeWire(TBauteilTyp::btDraht, {{762, 1143}, {2540, 1143}});
        wire->Anchors = {{3, 4}, {10, 4}};
        b.Add(std::move(wire));
        // Both ends in one hole: no line.
        auto loop = MakeWire(TBauteilTyp::btDraht, {{254, 381}, {508, 381}, {254, 381}});
        loop->Anchors = {{1, 1}, {1, 1}};
        b.Add(std::move(loop));
        // A lead is no jumper wire; a wire inside a group is one.
        auto lead = MakeWire(TBauteilTyp::btAnschluss, {{0, 127}, {254, 127}});
        lead->Anchors = {{0, 0}};
        b.Add(std::move(lead));
        auto grouped = MakeWire(TBauteilTyp::btDraht, {{254, 381}, {254, 889}});
        grouped->Anchors = {{1, 1}, {1, 3}};
        auto group = std::make_unique<TGruppe>();
        group->AddMember(std::move(grouped));
        b.Add(std::move(group));
        EXPECT_EQ(b.Wires(), c.expected);
    }
}

TEST(ComponentsListTest, GecosFullName) {
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"Anna Beispiel,Raum 4,,", QStringLiteral("Anna Beispiel")},
        {"  Jörg Müller  ", QStringLiteral("Jörg Müller")},
        {",Raum 4", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [gecos, expected] : cases)
        EXPECT_EQ(FullNameFromGecos(QByteArray(gecos)), expected) << gecos;
}

// --- Into a document
// ------------------------------------------------------------------------------

TEST(ComponentsListTest, DocumentGetsOneParagraphPerLineWithItsFormat) {
    ListBoard b;
    b.Add({{"R#", 1, "1k", "Widerstand"}});
    QTextDocument document;
    document.setPlainText(QStringLiteral("Vorher"));
    SchreibeStueckliste(b.board, document, ListKind::Components, ListBoard::Stamp());
    const std::vector<ListLine> lines = b.Lines(ListKind::Components);
    ASSERT_EQ(document.blockCount(), int(lines.size()) + 1);
    EXPECT_EQ(document.firstBlock().text(), QStringLiteral("Vorher"));
    QTextBlock block = document.firstBlock().next();
    for (const ListLine& line : lines) {
        EXPECT_EQ(block.text(), line.Text);
        QTextCursor at(block);
        at.movePosition(QTextCursor::NextCharacter);
        const QTextCharFormat format = line.Text.isEmpty() ? block.charFormat() : at.charFormat();
        EXPECT_EQ(format.fontWeight() == QFont::Bold, line.Style != ListStyle::Regular);
        EXPECT_DOUBLE_EQ(format.fontPointSize(), line.Style == ListStyle::Heading ? 15.0 : 8.0);
        block = block.next();
    }

    QTextDocument empty;
    SchreibeStueckliste(b.board, empty, ListKind::Order, ListBoard::Stamp());
    EXPECT_EQ(empty.blockCount(), int(b.Lines(ListKind::Order).size()));
    EXPECT_EQ(empty.firstBlock().text(), QStringLiteral("Einkaufsliste für Blinker"));
}

TEST(ComponentsListTest, InsertingReplacesTheSelectionAndLeavesTheClipboardAlone) {
    ListBoard b;
    b.Add({{"R#", 1, "1k", "Widerstand"}});
    QGuiApplication::clipboard()->setText(QStringLiteral("what the user copied"));
    QTextDocument document;
    document.setPlainText(QStringLiteral("vorn XXX hinten"));
    QTextCursor cursor(&document);
    cursor.setPosition(5);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    FuegeStuecklisteEin(b.board, cursor, ListKind::Order, ListBoard::Stamp());
    const QStringList paragraphs = document.toPlainText().split(u'\n');
    const std::vector<ListLine> lines = b.Lines(ListKind::Order);
    ASSERT_EQ(paragraphs.size(), qsizetype(lines.size()) + 2);
    EXPECT_EQ(paragraphs[0], QStringLiteral("vorn "));
    EXPECT_EQ(paragraphs[1], lines[0].Text);
    EXPECT_EQ(paragraphs[2], lines[1].Text);
    EXPECT_EQ(paragraphs.back(), QStringLiteral(" hinten"));
    EXPECT_FALSE(document.toPlainText().contains(QStringLiteral("XXX")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("what the user copied"));
}

} // namespace
} // namespace karvel
