// The sorted list without duplicates that holds links, anchors and the excluded files: without
// case, or with it.
#include "support/SortedStringList.h"
#include "support/StringPool.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace orvel::test {
namespace {

using TTexts = std::vector<std::string>;

TSortedStringList AddedOneByOne(const TTexts& Texts) {
    TSortedStringList List;
    for (const std::string& Text : Texts)
        List.Add(Text);
    return List;
}

TEST(SortedStringListTest, KeepsTextsInCaseInsensitiveOrder) {
    const TSortedStringList List = AddedOneByOne({"b.htm", "C.htm", "a.htm", "_x", "Z"});
    // "_" (0x5F) sorts after the capital letters it is compared with.
    EXPECT_EQ(List.Strings(), (TTexts{"a.htm", "b.htm", "C.htm", "Z", "_x"}));
}

TEST(SortedStringListTest, FirstOfTwoTextsThatDifferInCaseStays) {
    TSortedStringList List;
    EXPECT_TRUE(List.Add("Index.html"));
    EXPECT_FALSE(List.Add("INDEX.HTML"));
    EXPECT_FALSE(List.Add("index.html"));
    EXPECT_TRUE(List.Add("index.htm"));
    EXPECT_EQ(List.Strings(), (TTexts{"index.htm", "Index.html"}));
}

TEST(SortedStringListTest, CaseSensitiveListKeepsEverySpellingInItsBytesOrder) {
    TSortedStringList List(true);
    for (const char* Text : {"index.html", "Index.html", "index.htm", "INDEX.HTML", "Index.html"})
        List.Add(Text);
    EXPECT_EQ(List.Strings(), (TTexts{"index.htm", "INDEX.HTML", "Index.html", "index.html"}));
    EXPECT_EQ(List.IndexOf("Index.html"), 2);
    EXPECT_EQ(List.IndexOf("INDEX.html"), -1);
}

TEST(SortedStringListTest, DuplicateArrivingOutOfOrderIsDroppedToo) {
    // The last text is smaller than the one before it, so it is looked up, not appended.
    const TSortedStringList List = AddedOneByOne({"a", "B", "c", "b"});
    EXPECT_EQ(List.Strings(), (TTexts{"a", "B", "c"}));
}

TEST(SortedStringListTest, FindGivesTheMatchOrTheInsertionPoint) {
    const TSortedStringList List = AddedOneByOne({"b", "d", "f"});
    struct TCase {
        const char* Text;
        bool Found;
        int Index;
    };
    const TCase Cases[] = {
        {"a", false, 0}, {"B", true, 0}, {"c", false, 1}, {"D", true, 1},
        {"e", false, 2}, {"f", true, 2}, {"g", false, 3}, {"", false, 0},
    };
    for (const TCase& C : Cases) {
        int Index = -1;
        EXPECT_EQ(List.Find(C.Text, Index), C.Found) << C.Text;
        EXPECT_EQ(Index, C.Index) << C.Text;
        EXPECT_EQ(List.IndexOf(C.Text), C.Found ? C.Index : -1) << C.Text;
    }
}

TEST(SortedStringListTest, FindInEmptyListGivesFirstPlace) {
    const TSortedStringList List;
    int Index = -1;
    EXPECT_FALSE(List.Find("x", Index));
    EXPECT_EQ(Index, 0);
    EXPECT_TRUE(List.Empty());
}

TEST(SortedStringListTest, DeleteAndClear) {
    TSortedStringList List = AddedOneByOne({"a", "b", "c"});
    List.Delete(1);
    EXPECT_EQ(List.Strings(), (TTexts{"a", "c"}));
    EXPECT_EQ(List.IndexOf("B"), -1);
    EXPECT_TRUE(List.Add("B"));
    EXPECT_EQ(List.Count(), 3);
    List.Clear();
    EXPECT_TRUE(List.Empty());
    EXPECT_EQ(List.Count(), 0);
}

TEST(SortedStringListTest, AddAllEqualsAddingOneByOne) {
    struct TCase {
        TTexts Existing;
        TTexts Added;
    };
    const TCase Cases[] = {
        {{}, {}},
        {{}, {"c", "a", "b"}},
        {{}, {"x", "X", "y", "x"}},              // duplicates among the newcomers: the first stays
        {{"B", "d"}, {"b", "a", "D", "e", "c"}}, // existing entries win over equal newcomers
        {{"a", "b"}, {}},
        {{"m"}, {"Z", "_", "a", "M", "z"}},
    };
    for (const TCase& C : Cases) {
        TSortedStringList Bulk = AddedOneByOne(C.Existing);
        Bulk.AddAll(C.Added);
        TTexts All = C.Existing;
        All.insert(All.end(), C.Added.begin(), C.Added.end());
        EXPECT_EQ(Bulk.Strings(), AddedOneByOne(All).Strings());
    }
}

TEST(SortedStringListTest, AddAllKeepsTheFirstOfManyEqualNewcomers) {
    // Enough texts that a sort which does not keep the order of equal texts would show it.
    TTexts Texts;
    for (int I = 0; I < 64; ++I) {
        std::string Name = "page" + std::to_string(I % 8) + ".htm";
        for (size_t K = 0; K < Name.size(); ++K)
            if (((I / 8) >> (K % 3)) & 1) Name[K] = static_cast<char>(std::toupper(Name[K]));
        Texts.push_back(Name);
    }
    TSortedStringList Bulk;
    Bulk.AddAll(Texts);
    EXPECT_EQ(Bulk.Count(), 8);
    EXPECT_EQ(Bulk.Strings(), AddedOneByOne(Texts).Strings());
}

TEST(SortedStringListTest, AddAllKeepsTheFirstOfEqualNewcomers) {
    TSortedStringList List;
    List.AddAll({"Page.htm", "PAGE.HTM", "page.htm"});
    EXPECT_EQ(List.Strings(), (TTexts{"Page.htm"}));
}

// Lists hold pooled texts by number: numbers cross the pool's segments (of 1024, 2048, ...
// texts per shard) and two threads adding the same texts must agree on them.
TEST(SortedStringListTest, PooledTextsKeepOneNumberAcrossSegmentsAndThreads) {
    TTexts Texts;
    for (int I = 0; I < 60000; ++I)
        Texts.push_back("pool-" + std::to_string(I));
    std::vector<TPooledId> Mine(Texts.size()), Theirs(Texts.size());
    std::thread Other([&] {
        for (size_t I = Texts.size(); I-- > 0;)
            Theirs[I] = PooledId(Texts[I]);
    });
    for (size_t I = 0; I < Texts.size(); ++I)
        Mine[I] = PooledId(Texts[I]);
    Other.join();
    EXPECT_EQ(Mine, Theirs);
    for (size_t I = 0; I < Texts.size(); ++I)
        ASSERT_EQ(PooledText(Mine[I]), Texts[I]) << I;
}

} // namespace
} // namespace orvel::test
