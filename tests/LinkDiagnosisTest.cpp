// The diagnosis of invalid links and the back-links, on a small real site.
#include "DiagnosisSite.h"

#include "analysis/BackLinks.h"
#include "analysis/CheckRun.h"
#include "analysis/LinkDiagnosis.h"
#include "support/NearNames.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;

namespace {

const TFileObject& FileAt(const TRunContext& Run, const std::string& Path) {
    const TFileObject* File = Run.FileObjects.FindByPath(Path, false);
    if (!File) throw std::runtime_error("no file " + Path);
    return *File;
}

std::vector<std::string> Relative(const std::vector<const TFileObject*>& Files,
                                  const std::string& Home) {
    std::vector<std::string> Paths;
    for (const TFileObject* File : Files)
        Paths.push_back(File->Path.substr(Home.size()));
    return Paths;
}

// The diagnosis site, checked under the original or the modern rules.
struct TCheckedSite {
    explicit TCheckedSite(bool Modern = false) {
        WriteDiagnosisSite(Site);
        T.Run.Settings.ModernHTML = Modern;
        CheckFolder(T.Run, Site.Path(), false);
    }
    TTempDir Site;
    TTestRun T;
};

} // namespace

TEST(LinkDiagnosis, EachReasonWithItsSuggestionInTheLinksStyle) {
    for (const bool Modern : {false, true}) {
        SCOPED_TRACE(Modern ? "modern rules" : "original rules");
        TCheckedSite Checked(Modern);
        const TTempDir& Site = Checked.Site;
        TTestRun& T = Checked.T;
        const TLinkDiagnoser Diagnoser(T.Run);
        int Invalid = 0, MadeValid = 0, ValidWhenModern = 0;
        for (const TDiagnosisRow& Row : DiagnosisRows()) {
            SCOPED_TRACE(Row.From + ": " + Row.Link);
            const TFileObject& File = FileAt(T.Run, Site.Path() + Row.From);
            const std::string Link = Row.LinkIn(Site.Path());
            ValidWhenModern += Row.ValidWhenModern;
            if (Modern && Row.ValidWhenModern) {
                EXPECT_GE(File.ValidLinks.IndexOf(Link), 0);
                continue;
            }
            ASSERT_GE(File.InvalidLinks.IndexOf(Link), 0);
            ++Invalid;
            const TLinkDiagnosis D = Diagnoser.Diagnose(File, Link);
            MadeValid += D.ValidByModernRules;
            EXPECT_EQ(LinkReasonName(D.Reason), Row.ReasonUnder(Modern));
            EXPECT_EQ(D.Suggestion.value_or(""), Row.SuggestionUnder(Modern, Site.Path()));
            EXPECT_EQ(Relative(D.Candidates, Site.Path()), Row.Candidates);
        }
        EXPECT_EQ(T.Run.InvalidLinkTotal, Invalid); // the table covers every invalid link
        EXPECT_EQ(MadeValid, Modern ? 0 : ValidWhenModern);
        EXPECT_EQ(LinksValidByModernRules(T.Run), MadeValid);
    }
}

TEST(LinkDiagnosis, MovedOnlyWhereNothingElseLinksThereOrTheDepthAloneIsWrong) {
    TTempDir Site;
    Site.WriteSite(
        {{"home.html",
          "<a href=library/contents.html><a href=a/index.html><a href=library/modles.html>"},
         {"library/contents.html", "<a href=modules.html>"},
         {"library/modules.html", ""},
         {"old/setup.html", ""}, // moved here: only the page that lost it links to it
         {"tutorial/start.html",
          "<a href=modules.html><a href=setup.html><a "
          "href=../old/setup.html><a href=dup.html><a href=../library/contnts.html>"
          "<a href=five.html><a href=six.html>"},
         {"x/dup.html", ""},
         {"y/dup.html", ""},
         {"a/index.html", "<a href=c.html><a href=../library/modles.html>"},
         {"a/c.html", ""},
         {"a/b/page.html", "<a href=../../c.html><a href=index.html>"},
         // A Latin-1 name on a UTF-8 system cannot be written in the page's charset.
         {"latin/page.html", "<meta charset=iso-8859-1><a href=cafes.html>"},
         {"latin/caf\xe9s.html", ""},
         {"latin/caf", ""}});
    for (int I = 0; I < 6; ++I) {
        Site.Write("m" + std::to_string(I) + "/six.html", "");
        if (I < 5) Site.Write("m" + std::to_string(I) + "/five.html", "");
    }
    TTestRun T;
    CheckFolder(T.Run, Site.Path(), false);
    const TLinkDiagnoser Diagnoser(T.Run);
    const struct {
        const char *From, *Link, *Reason, *Suggestion;
        std::vector<std::string> Candidates;
    } Rows[] = {
        // Deleted; the page of the same name elsewhere is linked from another page.
        {"tutorial/start.html", "modules.html", "missing", "", {"library/modules.html"}},
        {"tutorial/start.html", "setup.html", "moved", "../old/setup.html", {}},
        {"tutorial/start.html", "dup.html", "missing", "", {"x/dup.html", "y/dup.html"}},
        // One folder too many, though others link to a/c.html.
        {"a/b/page.html", "../../c.html", "moved", "../c.html", {}},
        // A misspelling of one page; the same name in several is a page that is gone.
        {"tutorial/start.html", "../library/contnts.html", "typo", "../library/contents.html", {}},
        {"home.html", "library/modles.html", "missing", "", {}},
        // A folder's default page is no other folder's.
        {"a/b/page.html", "index.html", "missing", "", {}},
        // Five files of the name are listed; six are too many.
        {"tutorial/start.html",
         "five.html",
         "missing",
         "",
         {"m0/five.html", "m1/five.html", "m2/five.html", "m3/five.html", "m4/five.html"}},
        {"tutorial/start.html", "six.html", "missing", "", {}},
        {"latin/page.html", "cafes.html", "missing", "", {}},
    };
    for (const auto& Row : Rows) {
        SCOPED_TRACE(std::string(Row.From) + ": " + Row.Link);
        const TLinkDiagnosis D =
            Diagnoser.Diagnose(FileAt(T.Run, Site.Path() + Row.From), Row.Link);
        EXPECT_STREQ(LinkReasonName(D.Reason), Row.Reason);
        EXPECT_EQ(D.Suggestion.value_or(""), Row.Suggestion);
        EXPECT_EQ(Relative(D.Candidates, Site.Path()), Row.Candidates);
    }
}

TEST(LinkDiagnosis, CaseIsNoReasonWhenCaseIsIgnored) {
    TTempDir Site;
    Site.WriteSite({{"index.html", "<a href=Gone/Page.html>"}, {"elsewhere/page.html", ""}});
    TTestRun T;
    T.Run.Settings.IgnoreCase = true;
    CheckFolder(T.Run, Site.Path(), false);
    const TLinkDiagnosis D =
        TLinkDiagnoser(T.Run).Diagnose(FileAt(T.Run, Site.Path() + "index.html"), "Gone/Page.html");
    EXPECT_STREQ(LinkReasonName(D.Reason), "moved");
    EXPECT_EQ(D.Suggestion.value_or(""), "elsewhere/page.html");
}

TEST(NearNames, NamesWithinTheLimitOfEdits) {
    const struct {
        const char *A, *B;
        int Distance;
    } Rows[] = {{"install", "install", 0}, {"instal", "install", 1}, {"INSTALL", "install", 0},
                {"intsall", "install", 2}, {"usage", "install", 3},  {"", "ab", 2},
                {"abcdef", "abc", 3},      {"sec2", "sec-2", 1},     {"b", "", 1},
                {"xabc", "abcx", 2},       {"ab", "ba", 2},          {"abc", "xyz", 3}};
    for (const auto& Row : Rows)
        for (const int Limit : {0, 1, 2}) {
            const std::vector<std::string_view> Names{Row.B};
            EXPECT_EQ(TNearNames(Names).Near(Row.A, Limit, 2).size(),
                      Row.Distance <= Limit ? 1u : 0u)
                << Row.A << " " << Row.B << " within " << Limit;
        }
    // Among many names: all near ones, each once, and no more than asked for.
    std::vector<std::string> Owned;
    for (int I = 0; I < 2000; ++I)
        Owned.push_back("sec-" + std::to_string(I));
    Owned.push_back("SEC-7");
    const std::vector<std::string_view> Names(Owned.begin(), Owned.end());
    const TNearNames Near(Names);
    std::vector<int> Found = Near.Near("sec-1999", 1, 100);
    std::ranges::sort(Found);
    EXPECT_EQ(Found,
              (std::vector<int>{199,  999,  1099, 1199, 1299, 1399, 1499, 1599, 1699, 1799,
                                1899, 1909, 1919, 1929, 1939, 1949, 1959, 1969, 1979, 1989,
                                1990, 1991, 1992, 1993, 1994, 1995, 1996, 1997, 1998, 1999}));
    EXPECT_EQ(Near.Near("sec-7", 0, 100), std::vector<int>{7});
    EXPECT_EQ(Near.Near("sec-1999", 2, 2).size(), 2u);
}

TEST(BackLinks, FilesAndAnchorsWithTheFilesThatLinkThere) {
    TCheckedSite Checked;
    const TTempDir& Site = Checked.Site;
    TTestRun& T = Checked.T;
    const TBackLinks Back(T.Run);
    const std::string& H = Site.Path();
    EXPECT_EQ(Relative(Back.LinkingFiles(FileAt(T.Run, H + "page.htm")), H),
              std::vector<std::string>{"docs/guide.html"});
    EXPECT_EQ(Relative(Back.LinkingFiles(FileAt(T.Run, H + "archive/news.html")), H),
              std::vector<std::string>{"docs/index.html"});
    EXPECT_EQ(Relative(Back.LinkingFiles(FileAt(T.Run, H + "archive/news.html"), "TOP"), H),
              std::vector<std::string>{"docs/index.html"});
    // Invalid links count where their suggestion leads, each page once.
    const auto Texts = [&](const std::vector<TBrokenLink>& Links) {
        std::vector<std::string> Result;
        for (const TBrokenLink& Link : Links)
            Result.push_back(Link.Page->Path.substr(H.size()) + " " + Link.Link());
        return Result;
    };
    const TLinkDiagnoser& Diagnoser = T.Run.Findings.Diagnoser();
    const std::vector<TBrokenLink> Fixed =
        LinksFixedTo(T.Run, Diagnoser, FileAt(T.Run, H + "archive/old.html"));
    EXPECT_EQ(Texts(Fixed),
              (std::vector<std::string>{"docs/guide.html old.html#top", "index.html old.html"}));
    EXPECT_EQ(PagesAmong(Fixed), 2);
    // Three links of index.html: once.
    EXPECT_EQ(PagesAmong(LinksFixedTo(T.Run, Diagnoser, FileAt(T.Run, H + "page.htm"))), 1);
    // For every file, under both rules, the links the cheap test lets through are those that
    // diagnosing every link finds.
    for (const bool Modern : {false, true}) {
        TCheckedSite Other(Modern);
        const TLinkDiagnoser& Diagnosing = Other.T.Run.Findings.Diagnoser();
        const TSuggestedBackLinks All(Other.T.Run, [&](int File, int Invalid) {
            const TFileObject& Page = Other.T.Run.FileObjects[File];
            return Diagnosing.Diagnose(Page, Page.InvalidLinks[Invalid]).Leads;
        });
        for (const auto& File : Other.T.Run.FileObjects) {
            SCOPED_TRACE(File->Path);
            const auto Named = [&](const std::vector<TBrokenLink>& Links) {
                std::vector<std::string> Result;
                for (const TBrokenLink& Link : Links)
                    Result.push_back(Link.Page->Path + " " + Link.Link());
                return Result;
            };
            EXPECT_EQ(Named(LinksFixedTo(Other.T.Run, Diagnosing, *File)),
                      Named(All.LinksTo(*File)));
        }
    }
    // Its own links to its anchors do not count; invalid links lead nowhere.
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "docs/guide.html")).empty());
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "my file.html")).empty());
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "page.htm"), "top").empty());
}
