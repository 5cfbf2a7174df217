// Link and anchor extraction from HTML text.
#include "ReferenceCheck.h"
#include "TestSupport.h"

#include "analysis/ExtractLinks.h"
#include "analysis/FolderScan.h"
#include "analysis/PageReader.h"
#include "support/CodePage.h"
#include "support/SortedStringList.h"
#include "support/StringUtils.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

TSettings With(bool IsSpaceValid, bool IgnoreJavaScript, bool ModernHTML = false) {
    TSettings S;
    S.isSpaceValid = IsSpaceValid;
    S.IgnoreJavaScript = IgnoreJavaScript;
    S.ModernHTML = ModernHTML;
    return S;
}

const TSettings Original = With(false, true);
const TSettings Modern = With(false, true, true);

TExtracted Extract(const std::string& Html, const TSettings& Settings = Original) {
    // One folder for every call. The page is removed first: a file truncated and written
    // again is flushed to disk when it is closed, a new one is not.
    static const TTempDir Dir;
    std::remove((Dir.Path() + "page.html").c_str());
    const std::string Path = Dir.Write("page.html", Html);
    TTestRun T;
    T.Run.Settings = Settings;
    AddFile(T.Run, Path, T.Run.Tree.Root());
    const TFileObject& File = T.Run.FileObjects[0];
    return {File.Links.Strings(), File.Anchors.Strings()};
}

struct TLinkCase {
    const char* Name;
    std::string Html;
    Strings Links;
    TSettings Settings = Original;
};

class LinkRules : public ::testing::TestWithParam<TLinkCase> {};

TEST_P(LinkRules, StoresExactlyTheCasesLinks) {
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
    {"UnclosedTagStoresNothing", "<a href=x.html", {}},
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
    {"ModernRowsOnlyWithTheSetting", "<video src=v.mp4 poster=p.jpg><img srcset=a.png>", {}},
    {"ModernVideoAudioTrack",
     "<video src=v.mp4 poster=p.jpg><audio src=a.ogg><track src=t.vtt>",
     {"a.ogg", "p.jpg", "t.vtt", "v.mp4"},
     Modern},
    {"SrcsetCandidatesWithoutDescriptors",
     "<img src=a.png srcset=\"a-2x.png 2x,\r\n b-800.png 800w , c.png\">"
     "<source src=e.webm srcset=\"d.webp 1x\">",
     {"a-2x.png", "a.png", "b-800.png", "c.png", "d.webp", "e.webm"},
     Modern},
    {"ModernObjectFormsAndSvgUse",
     "<object data=o.svg><button formaction=send.cgi><input formaction=go.cgi>"
     "<use href=s.svg#a><use xlink:href=t.svg#b><sourcex src=no.png>",
     {"go.cgi", "o.svg", "s.svg#a", "send.cgi", "t.svg#b"},
     Modern},
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
    // With the setting, the id of every element is an anchor.
    EXPECT_EQ(
        Extract("<A NAME=top><H2 ID=intro><section id=z><a id=w><div data-id=no>", Modern).Anchors,
        (Strings{"intro", "top", "w", "z"}));
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

TEST(SmallRules, CutAtSpaceAndSkipBlanks) {
    EXPECT_EQ(CutAtSpace("a b c"), "a");
    EXPECT_EQ(CutAtSpace("abc"), "abc");
    EXPECT_EQ(CutAtSpace(" abc"), "");
    EXPECT_EQ(CutAtSpace("a\tb"), "a\tb");
    size_t Pos = 1;
    EXPECT_EQ(SkipBlanks("x \r\n\ty", Pos), 3u);
    EXPECT_EQ(Pos, 4u);
}

TEST(CommentRemoval, SameResultAsRepeatedSearchAndDelete) {
    std::mt19937 Random(20261208);
    const char Alphabet[] = {'<', '!', '-', '-', '>', 'a'};
    TTestRun T;
    TRunExtractProgress Progress(T.Run, "page.html");
    for (int Round = 0; Round < 20000; ++Round) {
        std::string Text;
        const int Length = static_cast<int>(Random() % 40);
        for (int I = 0; I < Length; ++I)
            Text.push_back(Alphabet[Random() % sizeof Alphabet]);
        std::string Linear = Text;
        ASSERT_TRUE(RemoveComments(Linear, Progress));
        ASSERT_EQ(Linear, RemoveCommentsByRepeatedSearch(Text)) << "text: " << Text;
    }
}

// Pages of tags with attributes, mostly well formed, with stray pieces in between.
std::string GeneratedPage(std::mt19937& Random) {
    using Choices = std::vector<std::string>;
    static const Choices Tags = {"<a",     "<A",     "<area", "<abbr", "<img", "<IMG",  "<meta",
                                 "<h2",    "<p",     "<pre",  "<td",   "<tr",  "<link", "<ilayer",
                                 "<layer", "<frame", "<q",    "<map",  "<li",  "<div"};
    static const Choices Blanks = {" ", " ", "\r\n", "\n", "\t", ""};
    static const Choices Attributes = {"href", "HREF",    "src",        "dynsrc", "lowsrc", "name",
                                       "id",   "content", "background", "title",  "xhref"};
    static const Choices Equals = {"=", "=", " = ", "=\r\n", ""};
    static const Choices Values = {
        "x.html",           "X.HTML",  "\"x.Html\"",      "'y.html'",
        "\"My Page.html\"", "\"a>b\"", "javascript:go()", "\"5; URL=x.html\"",
        "\"URL=u.html\"",   "\"\"",    "\" lead.html\"",  "p.html\r\nq",
        "\"href=h\""};
    static const Choices Stray = {"<!--", "-->", ">", "<", "text ", "<a>"};
    const auto Pick = [&](const Choices& From) { return From[Random() % From.size()]; };
    std::string Html;
    for (int Tag = static_cast<int>(Random() % 8); Tag > 0; --Tag) {
        if (Random() % 4 == 0) Html += Pick(Stray);
        Html += Pick(Tags);
        for (int Attribute = static_cast<int>(Random() % 4); Attribute > 0; --Attribute)
            Html += Pick(Blanks) + Pick(Attributes) + Pick(Equals) + Pick(Values);
        if (Random() % 8 != 0) Html += ">";
    }
    return Html;
}

TEST(OnePassExtraction, SameResultAsScanningRowByRow) {
    std::mt19937 Random(20261215);
    for (int Round = 0; Round < 3000; ++Round) {
        const std::string Html = GeneratedPage(Random);
        const TSettings Settings = With(Random() % 2 == 0, Random() % 2 == 0);
        const TExtracted OnePass = Extract(Html, Settings),
                         RowByRow = ExtractRowByRow(Html, Settings);
        ASSERT_EQ(OnePass.Links, RowByRow.Links) << "page: " << Html;
        ASSERT_EQ(OnePass.Anchors, RowByRow.Anchors) << "page: " << Html;
    }
}

TEST(CommentRemoval, HaltEndsTheExtraction) {
    TTestRun T;
    T.Host.OnPump = [](TRunContext& Run, int) { Run.Halted = true; };
    std::string Text = "<!-- a --><!-- b -->";
    TRunExtractProgress Progress(T.Run, "page.html");
    EXPECT_FALSE(RemoveComments(Text, Progress));
}

} // namespace
