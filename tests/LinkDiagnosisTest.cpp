// The diagnosis of invalid links and the back-links, on a small real site.
#include "DiagnosisSite.h"

#include "analysis/BackLinks.h"
#include "analysis/CheckRun.h"
#include "analysis/LinkDiagnosis.h"

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
            ValidWhenModern += Row.ValidWhenModern;
            if (Modern && Row.ValidWhenModern) {
                EXPECT_GE(File.ValidLinks.IndexOf(Row.Link), 0);
                continue;
            }
            ASSERT_GE(File.InvalidLinks.IndexOf(Row.Link), 0);
            ++Invalid;
            const TLinkDiagnosis D = Diagnoser.Diagnose(File, Row.Link);
            MadeValid += D.ValidByModernRules;
            EXPECT_EQ(LinkReasonName(D.Reason), Row.Reason);
            EXPECT_EQ(D.Suggestion.value_or(""), Row.Suggestion);
        }
        EXPECT_EQ(T.Run.InvalidLinkTotal, Invalid); // the table covers every invalid link
        EXPECT_EQ(MadeValid, Modern ? 0 : ValidWhenModern);
        EXPECT_EQ(LinksValidByModernRules(T.Run), MadeValid);
    }
}

TEST(LinkDiagnosis, CaseIsNoReasonWhenCaseIsIgnored) {
    TTempDir Site;
    Site.Write("index.html", "<a href=Gone/Page.html>");
    Site.Write("elsewhere/page.html", "");
    TTestRun T;
    T.Run.Settings.IgnoreCase = true;
    CheckFolder(T.Run, Site.Path(), false);
    const TLinkDiagnosis D =
        TLinkDiagnoser(T.Run).Diagnose(FileAt(T.Run, Site.Path() + "index.html"), "Gone/Page.html");
    EXPECT_STREQ(LinkReasonName(D.Reason), "moved");
    EXPECT_EQ(D.Suggestion.value_or(""), "elsewhere/page.html");
}

TEST(LinkDiagnosis, EditDistanceStopsAtTheLimit) {
    const struct {
        const char *A, *B;
        int Distance;
    } Rows[] = {{"install", "install", 0}, {"instal", "install", 1}, {"INSTALL", "install", 0},
                {"intsall", "install", 2}, {"usage", "install", 3},  {"", "ab", 2},
                {"abcdef", "abc", 3},      {"sec2", "sec-2", 1}};
    for (const auto& Row : Rows)
        EXPECT_EQ(EditDistanceWithin(Row.A, Row.B, 2), Row.Distance) << Row.A << " " << Row.B;
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
    EXPECT_EQ(Relative(Back.LinkingFiles(FileAt(T.Run, H + "archive/old.html"), "TOP"), H),
              std::vector<std::string>{"docs/index.html"});
    // Its own links to its anchors do not count; invalid links lead nowhere.
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "docs/guide.html")).empty());
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "my file.html")).empty());
    EXPECT_TRUE(Back.LinkingFiles(FileAt(T.Run, H + "page.htm"), "top").empty());
}
