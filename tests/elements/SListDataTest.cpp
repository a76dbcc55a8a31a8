#include "elements/slData.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

TSListEntry E(const char* identifier, int number, int level = 0) {
    return TSListEntry::Make(QString::fromLatin1(identifier), {}, {}, number, level);
}

// "R#/5@1" for identifier R#, number 5, level 1: the whole list in one readable line.
std::string Describe(const TSListData& list) {
    std::string text;
    for (const TSListEntry& e : list.Entries()) {
        if (!text.empty())
            text += ' ';
        text += e.Identifier.toStdString() + '/' + std::to_string(e.Number) + '@' +
                std::to_string(e.Level);
    }
    return text;
}

TEST(SListDataTest, EntryTextsAreCutToTheirRoom) {
    const TSListEntry e =
        TSListEntry::Make(QString(12, QLatin1Char('i')), QString(41, QLatin1Char('v')),
                          QString(50, QLatin1Char('d')), -3, 2);
    EXPECT_EQ(e.Identifier.size(), 10);
    EXPECT_EQ(e.Value.size(), 40);
    EXPECT_EQ(e.Description.size(), 40);
    EXPECT_EQ(e.Number, -3);
    EXPECT_EQ(e.Level, 2);
    EXPECT_FALSE(e.Done);
}

TEST(SListDataTest, SubtreeSizeCountsTheFollowingDeeperEntries) {
    const TSListData list(
        {E("A", 0, 0), E("B", 0, 1), E("C", 0, 2), E("D", 0, 1), E("E", 0, 0), E("F", 0, 1)});
    const std::vector<int> expected{3, 1, 0, 0, 1, 0};
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.SubtreeSize(i), expected[std::size_t(i)]) << i;
    EXPECT_EQ(list.SubtreeSize(-1), 0);
    EXPECT_EQ(list.SubtreeSize(6), 0);
}

TEST(SListDataTest, MoveBlockMovesForwardOnly) {
    const TSListData original({E("a", 0), E("b", 0), E("c", 0), E("d", 0), E("e", 0)});
    struct Case {
        int first, last, to;
        const char* expected;
    };
    const Case cases[] = {
        {2, 3, 0, "c/0@0 d/0@0 a/0@0 b/0@0 e/0@0"},
        {4, 4, 1, "a/0@0 e/0@0 b/0@0 c/0@0 d/0@0"},
        {0, 4, 0, "a/0@0 b/0@0 c/0@0 d/0@0 e/0@0"},
        // Anything else leaves the list alone.
        {1, 2, 3, "a/0@0 b/0@0 c/0@0 d/0@0 e/0@0"},
        {3, 2, 0, "a/0@0 b/0@0 c/0@0 d/0@0 e/0@0"},
        {3, 5, 0, "a/0@0 b/0@0 c/0@0 d/0@0 e/0@0"},
        {1, 1, -1, "a/0@0 b/0@0 c/0@0 d/0@0 e/0@0"},
    };
    for (const Case& c : cases) {
        TSListData list = original;
        list.MoveBlock(c.first, c.last, c.to);
        EXPECT_EQ(Describe(list), c.expected) << c.first << ".." << c.last << " to " << c.to;
    }
}

TEST(SListDataTest, MovePrefixFirstMovesWholeBlocksWithinTheRange) {
    TSListData list(
        {E("X", 1), E("R#", 1), E("Q", 1), E("R#", 2, 0), E("L#", 1, 1), E("R#", 3), E("R#", 4)});
    list.MovePrefixFirst(QStringLiteral("R#"), 1, 5);
    // R#/2 moves with its child; R#/4 lies outside the range.
    EXPECT_EQ(Describe(list), "X/1@0 R#/3@0 R#/2@0 L#/1@1 R#/1@0 Q/1@0 R#/4@0");
}

TEST(SListDataTest, MovePrefixFirstComparesExactly) {
    TSListData list({E("A", 1), E("r#", 1), E("R#1", 1), E("R", 1), E("R#", 7)});
    list.MovePrefixFirst(QStringLiteral("R#"), 0, 4);
    EXPECT_EQ(Describe(list), "R#/7@0 A/1@0 r#/1@0 R#1/1@0 R/1@0");
}

// --- Flat list --------------------------------------------------------------------------------

TEST(SListDataTest, FlatListPutsResistorsFirstInNumberOrder) {
    TSListData list({E("C#", 1), E("IC1", 0), E("R#", 5), E("T#", 1), E("R#", 2), E("D#", 2),
                     E("R#", 9), E("C#", 0)});
    list.SortFlat();
    EXPECT_EQ(Describe(list), "R#/2@0 R#/5@0 R#/9@0 C#/0@0 C#/1@0 D#/2@0 T#/1@0 IC1/0@0");
}

TEST(SListDataTest, FlatListRemovesParentsAndLiftsTheirChildren) {
    TSListData list({E("X#", 1, 0), E("Y#", 1, 1), E("Z#", 1, 2), E("Z#", 2, 2), E("W#", 1, 0)});
    list.SortFlat();
    EXPECT_EQ(Describe(list), "Z#/1@0 Z#/2@0 W#/1@0");
}

TEST(SListDataTest, FlatListRemovesAParentJustBeforeItsOnlyChildAtTheEnd) {
    TSListData list({E("A#", 1, 0), E("B#", 1, 0), E("P#", 1, 0), E("K#", 1, 1)});
    list.SortFlat();
    EXPECT_EQ(Describe(list), "A#/1@0 B#/1@0 K#/1@0");
}

TEST(SListDataTest, FlatListClearsDoneFlags) {
    TSListData list({E("R#", 2), E("R#", 1)});
    list.At(0).Done = true;
    list.At(1).Done = true;
    list.SortFlat();
    EXPECT_FALSE(list.At(0).Done);
    EXPECT_FALSE(list.At(1).Done);
}

TEST(SListDataTest, FlatListKeepsOtherFieldsWithTheirEntry) {
    TSListData list({TSListEntry::Make("R#", "10k", "Widerstand", 2, 0),
                     TSListEntry::Make("R#", "4k7", "Widerstand", 1, 0)});
    list.SortFlat();
    EXPECT_EQ(list.At(0).Value, "4k7");
    EXPECT_EQ(list.At(1).Value, "10k");
}

// --- Tree list --------------------------------------------------------------------------------

TEST(SListDataTest, TreeListKeepsSubComponentsUnderTheirParentInOrder) {
    TSListData list({E("R#", 2), E("T#", 1), E("L#", 7, 1), E("L#", 2, 1), E("L#", 5, 1),
                     E("C#", 3), E("R#", 1)});
    list.SortTreeAll();
    // Entries without children come before those with children.
    EXPECT_EQ(Describe(list), "R#/1@0 R#/2@0 C#/3@0 T#/1@0 L#/2@1 L#/5@1 L#/7@1");
}

TEST(SListDataTest, TreeListMovesParentsWithAllTheirDescendants) {
    TSListData list({E("T#", 2), E("R#", 4, 1), E("X", 0, 2), E("T#", 1), E("R#", 3, 1),
                     E("C#", 9, 1), E("A", 1)});
    list.SortTreeAll();
    EXPECT_EQ(Describe(list), "T#/1@0 R#/3@1 C#/9@1 T#/2@0 R#/4@1 X/0@2 A/1@0");
}

TEST(SListDataTest, TreeListGathersEqualIdentifiersInNumberOrder) {
    TSListData list({E("K", 3), E("J", 1), E("K", 1), E("J", 2), E("K", 2)});
    list.SortTreeAll();
    EXPECT_EQ(Describe(list), "K/1@0 K/2@0 K/3@0 J/1@0 J/2@0");
}

TEST(SListDataTest, EqualNumbersKeepTheOrderGatheringLeft) {
    TSListData list({TSListEntry::Make("R#", "first", {}, 1, 0),
                     TSListEntry::Make("R#", "second", {}, 1, 0), E("Q", 0),
                     TSListEntry::Make("R#", "third", {}, 0, 0)});
    list.SortTreeAll();
    std::vector<QString> values;
    for (const TSListEntry& e : list.Entries())
        values.push_back(e.Value);
    EXPECT_EQ(values, (std::vector<QString>{"third", "first", "second", ""}));
}

TEST(SListDataTest, EmptyAndSingleListsStayAsTheyAre) {
    TSListData empty;
    empty.SortTreeAll();
    empty.SortFlat();
    EXPECT_EQ(empty.Count(), 0);

    TSListData single({E("R#", 1, 3)});
    single.SortTreeAll();
    EXPECT_EQ(Describe(single), "R#/1@3");
    single.SortFlat();
    EXPECT_EQ(Describe(single), "R#/1@3");
}

} // namespace
} // namespace karvel
