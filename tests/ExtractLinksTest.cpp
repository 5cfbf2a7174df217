// Link and anchor extraction from HTML text.
#include "TestSupport.h"

#include "analysis/ExtractLinks.h"
#include "analysis/FolderScan.h"
#include "support/CodePage.h"

#include <gtest/gtest.h>
#include <random>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

struct TExtracted {
    Strings Links, Anchors;
};

TExtracted Extract(const std::string& Html, const TSettings& Settings = {}) {
    TTempDir Dir;
    const std::string Path = Dir.Write("page.html", Html);
    TTestRun T;
    T.Run.Settings = Settings;
    AddFile(T.Run, Path, T.Run.Tree.Root());
    const TFileObject& File = T.Run.FileObjects[0];
    return {File.Links.Strings(), File.Anchors.Strings()};
}

TSettings With(bool IsSpaceValid, bool IgnoreJavaScript) {
    TSettings S;
    S.isSpaceValid = IsSpaceValid;
    S.IgnoreJavaScript = IgnoreJavaScript;
    return S;
}

struct TLinkCase {
    const char* Name;
    std::string Html;
    Strings Links;
    TSettings Settings = {};
};

class LinkRules : public ::testing::TestWithParam<TLinkCase> {};

TEST_P(LinkRules, StoresTheLinksOfTheRules) {
    EXPECT_EQ(Extract(GetParam().Html, GetParam().Settings).Links, GetParam().Links);
}

const TLinkCase LinkCases[] = {
    {"LowerCaseUnquoted", "<a href=index.html>", {"index.html"}},
    {"UpperCaseQuotedKeepsValueCase", "<A HREF=\"Index.HTML\">", {"Index.HTML"}},
    {"TabAfterTagNameHidesTag", "<A\tHREF=x.html>", {}},
    {"LineBreakAfterTagNameWorks", "<A\r\nHREF=x.html>", {"x.html"}},
    {"DynsrcAndSrcBothStored", "<IMG DYNSRC=a.avi SRC=b.gif>", {"a.avi", "b.gif"}},
    {"SrcInsideLowsrcDoesNotCount", "<img lowsrc=low.gif>", {"low.gif"}},
    {"HrefWordInTitleStoresNothing", "<A TITLE=\"see HREF here\" HREF=\"x.html\">", {}},
    {"GreaterThanInTitleEndsTag", "<A TITLE=\"a>b\" HREF=\"x.html\">", {}},
    {"SpaceCutsValue", "<a href=\"my page.html\">", {"my"}},
    {"SpaceKeptWhenValid", "<a href=\"my page.html\">", {"my page.html"}, With(true, true)},
    {"LeadingSpaceStoresNothing", "<a href=\" x.html\">", {}},
    {"LeadingSpaceKeptWhenValid", "<a href=\" x.html\">", {" x.html"}, With(true, true)},
    {"JavaScriptIgnoredByDefault", "<a href=\"javascript:void(0)\">", {}},
    {"JavaScriptStoredWhole",
     "<a href=\"JavaScript:go('a b')\">",
     {"JavaScript:go('a b')"},
     With(false, false)},
    {"UnquotedValueRunsOverLineBreak", "<a href=x.html\r\nTARGET=top>", {"x.htmlTARGET=top"}},
    {"LoneLineFeedStays", "<a href=x.html\nb>", {"x.html\nb"}},
    {"BlanksAroundEquals", "<a href = \"x.html\" >", {"x.html"}},
    {"SingleQuotes", "<a href='y.html'>", {"y.html"}},
    {"GreaterThanEndsQuotedValue", "<a href=\"x.html>", {"x.html"}},
    {"NoEqualsAfterAttribute", "<a href x.html>", {}},
    {"AreaIsNotA", "<AREA HREF=map.html>", {"map.html"}},
    {"AbbrIsNotA", "<ABBR HREF=x.html>", {}},
    {"LinkHrefAndSrc", "<link rel=stylesheet href=s.css src=t.js>", {"s.css", "t.js"}},
    {"TagsInScriptTextAreFound",
     "<script>document.write('<a href=\"w.html\">')</script>",
     {"w.html"}},
    {"FirstCaseVariantStays", "<a href=\"Index.html\"><a href=\"index.html\">", {"Index.html"}},
    {"EarlierRowWinsOverEarlierText", "<img src=\"A.gif\"><a href=\"a.gif\">", {"a.gif"}},
    {"CommentHidesLinks", "<!-- <a href=hidden.html> --><a href=shown.html>", {"shown.html"}},
    {"CloseBeforeOpenKeepsComments", "--> <!-- <a href=a.html> -->", {"a.html"}},
    {"UnclosedCommentKeepsRest", "<!-- c --><!-- <a href=x.html>", {"x.html"}},
    {"DeletionJoinsNewComment", "<!<!-- c -->-- <a href=x.html> -->", {}},
    {"MetaRefresh", "<META HTTP-EQUIV=\"refresh\" CONTENT=\"5; URL=next.html\">", {"next.html"}},
    {"MetaRefreshTrimsAndCuts", "<meta content=\"0;URL=  next.html extra \">", {"next.html"}},
    {"MetaLowerCaseUrlIgnored", "<meta content=\"5; url=next.html\">", {}},
    {"MetaValueStartingWithUrlIgnored", "<meta content=\"URL=next.html\">", {}},
    {"MetaJavaScriptRuleDoesNotApply", "<meta content=\"1;URL=javascript:x\">", {"javascript:x"}},
};

INSTANTIATE_TEST_SUITE_P(Extraction, LinkRules, ::testing::ValuesIn(LinkCases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(Anchors, EveryAnchorRowDefinesAnAnchor) {
    for (const TTagRow& Row : AnchorTagTable) {
        const std::string Html = "<" + std::string(Row.Tag) + " " + std::string(Row.Attribute) +
                                 "=name" + std::string(Row.Tag) + ">";
        EXPECT_EQ(Extract(Html).Anchors, Strings{"name" + std::string(Row.Tag)}) << Html;
    }
}

TEST(Anchors, OtherTagsAndLinksDefineNone) {
    const TExtracted E = Extract("<A NAME=top href=x.html><H2 ID=intro><P ID=x><PRE ID=y>"
                                 "<section id=z><a id=w>");
    EXPECT_EQ(E.Anchors, (Strings{"intro", "top", "x"}));
    EXPECT_EQ(E.Links, Strings{"x.html"});
}

TEST(Values, LongValueIsCutToItsFirst1000Bytes) {
    const std::string Long(1500, 'v');
    EXPECT_EQ(Extract("<a href=\"" + Long + "\">").Links, Strings{Long.substr(0, MaxValueLength)});
}

TEST(Values, BinaryOrMissingFileHasNoLinks) {
    TTempDir Dir;
    const std::string Binary = Dir.Write("b.html", std::string("\x01\x02\x03<a href=x.html>", 18));
    TTestRun T;
    AddFile(T.Run, Binary, T.Run.Tree.Root());
    AddFile(T.Run, Dir.Path() + "missing.html", T.Run.Tree.Root());
    EXPECT_TRUE(T.Run.FileObjects[0].Links.Empty());
    EXPECT_TRUE(T.Run.FileObjects[1].Links.Empty());
    ASSERT_EQ(T.Host.Messages.size(), 1u); // only the file that cannot be opened says so
    EXPECT_EQ(T.Host.Messages[0].Text,
              "ファイルをオープンできません\r\n" + Dir.Path() + "missing.html");
}

TEST(ScanTagRule, MovesTheOffsetToEachTagsEnd) {
    const std::string Text = "<a href=x><a name=n><a href=y>";
    size_t Offset = 0;
    std::string Value;
    ASSERT_TRUE(ScanTag("A", "HREF", Text, AsciiUpperCase(Text), Offset, Value));
    EXPECT_EQ(Value, "x");
    EXPECT_EQ(Offset, 9u);
    ASSERT_TRUE(ScanTag("A", "HREF", Text, AsciiUpperCase(Text), Offset, Value));
    EXPECT_EQ(Value, ""); // an occurrence without the attribute still counts
    ASSERT_TRUE(ScanTag("A", "HREF", Text, AsciiUpperCase(Text), Offset, Value));
    EXPECT_EQ(Value, "y");
    const size_t End = Offset;
    EXPECT_FALSE(ScanTag("A", "HREF", Text, AsciiUpperCase(Text), Offset, Value));
    EXPECT_EQ(Offset, End);
}

TEST(ScanTagRule, UnclosedTagIsNoOccurrence) {
    const std::string Text = "<a href=x.html";
    size_t Offset = 0;
    std::string Value = "old";
    EXPECT_FALSE(ScanTag("A", "HREF", Text, Text, Offset, Value));
    EXPECT_EQ(Offset, 0u);
    EXPECT_EQ(Value, "");
}

TEST(SmallRules, CutAtSpaceAndSkipBlanks) {
    EXPECT_EQ(CutAtSpace("a b c"), "a");
    EXPECT_EQ(CutAtSpace("abc"), "abc");
    EXPECT_EQ(CutAtSpace(" abc"), "");
    EXPECT_EQ(CutAtSpace("a\tb"), "a\tb");
    size_t Pos = 1;
    EXPECT_EQ(SkipBlanks("x \r\n\ty", Pos), 3u);
    EXPECT_EQ(Pos, 4u);
}

// The repeated search-and-delete, as written: the reference for the linear removal.
std::string RemoveCommentsByRepeatedSearch(std::string Text) {
    for (;;) {
        const size_t P = Text.find("<!--"), Q = Text.find("-->");
        if (P == std::string::npos || Q == std::string::npos || Q <= P) return Text;
        Text.erase(P, Q - P + 3);
    }
}

TEST(CommentRemoval, SameResultAsRepeatedSearchAndDelete) {
    std::mt19937 Random(20261208);
    const char Alphabet[] = {'<', '!', '-', '-', '>', 'a'};
    TTestRun T;
    for (int Round = 0; Round < 20000; ++Round) {
        std::string Text;
        const int Length = static_cast<int>(Random() % 40);
        for (int I = 0; I < Length; ++I)
            Text.push_back(Alphabet[Random() % sizeof Alphabet]);
        std::string Linear = Text;
        ASSERT_TRUE(RemoveComments(Linear, T.Run));
        ASSERT_EQ(Linear, RemoveCommentsByRepeatedSearch(Text)) << "text: " << Text;
    }
}

TEST(CommentRemoval, HaltEndsTheExtraction) {
    TTestRun T;
    T.Host.OnPump = [](TRunContext& Run, int) { Run.Halted = true; };
    std::string Text = "<!-- a --><!-- b -->";
    EXPECT_FALSE(RemoveComments(Text, T.Run));
}

} // namespace
