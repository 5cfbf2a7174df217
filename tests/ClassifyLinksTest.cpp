// Link classification and the path rules it uses, in Windows and in POSIX path style.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/FolderScan.h"
#include "analysis/NodePictures.h"
#include "analysis/UrlToPath.h"

#include <gtest/gtest.h>
#include <set>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

enum TClass { Valid, Invalid, External, Unclassified };

struct TSettingsTweak {
    bool IgnoreCase = false;
    int CheckLocalFile = 0;
    bool ServerRoot = false;
    bool KeepJavaScript = false;
};

// A link standing in DOCS/PAGE.HTM of the example site, with its Windows and POSIX forms.
struct TRow {
    std::string Windows, Posix;
    std::string Target, Anchor; // as SplitLink gives them (Windows form)
    std::string Resolved;       // below the home folder, "/"-separated; empty for none
    TClass Class;
    TSettingsTweak Tweak = {};
};

const TRow Rows[] = {
    {"a.html", "a.html", "a.html", "", "DOCS/a.html", Valid},
    {"a.html#sec2", "a.html#sec2", "a.html", "sec2", "DOCS/a.html", Valid},
    {"a.html#SEC2", "a.html#SEC2", "a.html", "SEC2", "DOCS/a.html", Valid},
    {"a.html#nope", "a.html#nope", "a.html", "nope", "DOCS/a.html", Invalid},
    {"#top", "#top", "PAGE.HTM", "top", "DOCS/PAGE.HTM", Valid},
    {"a.html?x=1#sec2", "a.html?x=1#sec2", "a.html", "sec2", "DOCS/a.html", Valid},
    {"?x=1", "?x=1", "", "", "", Unclassified},
    {"../index.html", "../index.html", "../index.html", "", "index.html", Valid},
    {"./a.html", "./a.html", "./a.html", "", "DOCS/a.html", Valid},
    {"..\\index.html", "..\\index.html", "..\\index.html", "", "index.html", Valid},
    {"../", "../", "../index.html", "", "index.html", Valid},
    {"../img/LOGO.GIF", "../img/LOGO.GIF", "../img/LOGO.GIF", "", "img/LOGO.GIF", Invalid},
    {"../img/LOGO.GIF", "../img/LOGO.GIF", "../img/LOGO.GIF", "", "img/LOGO.GIF", Valid, {true}},
    {"sub", "sub", "sub", "", "DOCS/sub", Invalid},
    {"sub/#x", "sub/#x", "sub/", "x", "DOCS/sub/", Invalid},
    {"http:a.html", "http:a.html", "a.html", "", "DOCS/a.html", Valid},
    {"/img/logo.gif", "/img/logo.gif", "/img/logo.gif", "", "", External},
    {"/img/logo.gif",
     "/img/logo.gif",
     "/img/logo.gif",
     "",
     "img/logo.gif",
     Valid,
     {false, 0, true}},
    {"/img/nothing.gif",
     "/img/nothing.gif",
     "/img/nothing.gif",
     "",
     "img/nothing.gif",
     Invalid,
     {false, 0, true}},
    {"javascript:void(0)",
     "javascript:void(0)",
     "javascript:void(0)",
     "",
     "DOCS/javascript:void(0)",
     Invalid,
     {false, 0, false, true}},
    {"file:///C|/SITE/index.html", "file://%HOME%index.html", "file:///C|/SITE/index.html", "", "",
     Invalid},
    {"file:///C|/SITE/index.html",
     "file://%HOME%index.html",
     "file:///C|/SITE/index.html",
     "",
     "",
     Valid,
     {false, 1}},
    {"FILE:///C|/SITE/index.html",
     "FILE://%HOME%index.html",
     "FILE:///C|/SITE/index.html",
     "",
     "",
     Valid,
     {false, -1}},
    {"file://///C|/SITE/index.html",
     "file:////%HOME%index.html",
     "file://///C|/SITE/index.html",
     "",
     "",
     Invalid,
     {false, 1}},
    {"http://example.org/a.html", "http://example.org/a.html", "//example.org/a.html", "", "",
     External},
    {"page.html?back=http://x", "page.html?back=http://x", "page.html", "", "", External},
    {"MailTo:someone@example.org", "MailTo:someone@example.org", "MailTo:someone@example.org", "",
     "", External},
    {"x.html#news:1", "x.html#news:1", "x.html", "news:1", "", External},
};

// Answers for the Windows-style example site, which is not on this disk.
class TExampleFileSystem : public TFileSystem {
public:
    bool FileExists(const std::string& Path) const override { return Files.count(Path) > 0; }
    bool DirExists(const std::string& Path) const override { return Path == "C:\\SITE\\"; }
    std::set<std::string> Files = {"C:\\SITE\\index.html", "C:\\SITE\\DOCS\\PAGE.HTM",
                                   "C:\\SITE\\DOCS\\a.html", "C:\\SITE\\img\\logo.gif"};
};

class Classify : public ::testing::TestWithParam<TPathStyle> {
protected:
    Classify() : T(GetParam()) {
        T.Run.Settings.ModernHTML = false; // the rows give the original rules' answers
        if (GetParam() == TPathStyle::psWindows) {
            Home = "C:\\SITE\\";
            T.Run.FileSystem = &ExampleFiles;
            for (const char* Path : {"C:\\SITE\\DOCS\\PAGE.HTM", "C:\\SITE\\DOCS\\a.html",
                                     "C:\\SITE\\img\\logo.gif", "C:\\SITE\\index.html"})
                AddObject(Path);
        } else {
            Home = Dir.Path();
            Dir.WriteSite({{"DOCS/PAGE.HTM", "<a name=top>"},
                           {"DOCS/a.html", "<h2 id=sec2><a name=top>"},
                           {"img/logo.gif", ""},
                           {"index.html", ""}});
            Dir.MakeDir("DOCS/sub");
            T.Run.CurrentProject.SetHomeDir(Home);
            ScanHomeFolder(T.Run, Home);
        }
        T.Run.CurrentProject.SetHomeDir(Home);
        const std::string PagePath =
            Home + (GetParam() == TPathStyle::psWindows ? "DOCS\\PAGE.HTM" : "DOCS/PAGE.HTM");
        Page = FindNodeByPath(T.Run, PagePath, false)->Data;
    }

    void AddObject(const std::string& Path) {
        const bool Image = Path.find(".gif") != std::string::npos;
        const Strings Anchors = Path.find("a.html") != std::string::npos ? Strings{"sec2", "top"}
                                : Path.find("PAGE") != std::string::npos ? Strings{"top"}
                                                                         : Strings{};
        AddUnreadFile(T.Run, T.Run.Tree.Root(), Path, Image ? fkImage : fkHtml, Anchors);
    }

    std::string LinkOf(const TRow& Row) const {
        if (GetParam() == TPathStyle::psWindows) return Row.Windows;
        return ReplaceAll(Row.Posix, "%HOME%", Home);
    }

    std::string ResolvedOf(const TRow& Row) const {
        std::string Path = Home + Row.Resolved;
        return GetParam() == TPathStyle::psWindows ? ReplaceAll(Path, "/", "\\") : Path;
    }

    void Apply(const TSettingsTweak& Tweak) {
        T.Run.Settings.IgnoreCase = Tweak.IgnoreCase;
        T.Run.Settings.CheckLocalFile = Tweak.CheckLocalFile;
        T.Run.Settings.IgnoreJavaScript = !Tweak.KeepJavaScript;
        T.Run.CurrentProject.SetServerRoot(Tweak.ServerRoot ? Home : "");
    }

    TClass ClassOf(const std::string& Link) const {
        if (Page->ValidLinks.IndexOf(Link) >= 0) return Valid;
        if (Page->InvalidLinks.IndexOf(Link) >= 0) return Invalid;
        if (Page->ExternalLinks.IndexOf(Link) >= 0) return External;
        return Unclassified;
    }

    TTempDir Dir;
    TExampleFileSystem ExampleFiles;
    TTestRun T;
    std::string Home;
    TFileObject* Page;
};

TEST_P(Classify, EachRowsClassSplitAndResolvedPath) {
    for (const TRow& Row : Rows) {
        const std::string Link = LinkOf(Row);
        SCOPED_TRACE(Link);
        Apply(Row.Tweak);
        Page->Links.Clear();
        Page->Links.Add(Link);
        Page->ClassifyLinks();
        EXPECT_EQ(ClassOf(Link), Row.Class);
        EXPECT_EQ(Page->ValidLinks.Count() + Page->InvalidLinks.Count() +
                      Page->ExternalLinks.Count(),
                  Row.Class == Unclassified ? 0 : 1);
        if (GetParam() == TPathStyle::psWindows) {
            const TSplitLink Split = Page->SplitLink(Link);
            EXPECT_EQ(Split.Target, Row.Target);
            EXPECT_EQ(Split.Anchor, Row.Anchor);
        }
        if (!Row.Resolved.empty()) {
            const std::string Target = Page->SplitLink(Link).Target;
            EXPECT_EQ(T.Run.CurrentProject.ResolveLink(Page->Path, Target), ResolvedOf(Row));
        }
    }
}

TEST_P(Classify, BlueMarkAndCountersFollowInvalidLinks) {
    Page->Links.Clear();
    for (const char* Link : {"a.html", "gone.html", "a.html#nope", "http://x/"})
        Page->Links.Add(Link);
    Page->ClassifyLinks();
    EXPECT_EQ(Page->ValidLinks.Strings(), Strings{"a.html"});
    EXPECT_EQ(Page->InvalidLinks.Strings(), (Strings{"a.html#nope", "gone.html"}));
    EXPECT_EQ(Page->ExternalLinks.Strings(), Strings{"http://x/"});
    EXPECT_TRUE(Page->Flagged);
    EXPECT_EQ(Page->Node->ImageIndex, pic::BluePage);
    EXPECT_EQ(Page->Node->SelectedIndex, pic::BluePage);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 2);
    EXPECT_EQ(T.Run.InvalidLinkFileCount, 1);

    Page->ClassifyLinks(); // same lists, counters grow
    EXPECT_EQ(Page->InvalidLinks.Count(), 2);
    EXPECT_EQ(Page->ValidLinks.Count(), 1);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 4);
    EXPECT_EQ(T.Run.InvalidLinkFileCount, 2);

    Page->Links.Clear();
    Page->Links.Add("a.html");
    T.Run.Settings.AnchorMakesFileBlue = false;
    Page->ClassifyLinks();
    EXPECT_FALSE(Page->Flagged);
    EXPECT_EQ(Page->Node->ImageIndex, pic::HtmlPage);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 4);
}

INSTANTIATE_TEST_SUITE_P(PathStyles, Classify,
                         ::testing::Values(TPathStyle::psWindows, TPathStyle::psPosix),
                         [](const auto& Info) {
                             return Info.param == TPathStyle::psWindows ? "Windows" : "Posix";
                         });

TEST(URLToPath, WindowsStyle) {
    const std::pair<std::string, std::optional<std::string>> Cases[] = {
        {"file://C:/SITE/a.html", "C:\\SITE\\a.html"},
        {"file://server/share/a.html", "\\\\server\\share\\a.html"},
        {"file:///C|/SITE/index.html", "C:\\SITE\\index.html"},
        {"file:////server/share/a.html", "\\\\server\\share\\a.html"},
        {"FILE://C|/x", "C:\\x"},
        {"file://///server/a.html", std::nullopt},
        {"http://x/a.html", std::nullopt},
        {"file://a%20b.html", "\\\\a%20b.html"},
    };
    for (const auto& [Url, Path] : Cases)
        EXPECT_EQ(URLToPath(Url, TPathStyle::psWindows), Path) << Url;
}

TEST(URLToPath, PosixStyleTakesOnlyOneLeadingSlash) {
    const std::pair<std::string, std::optional<std::string>> Cases[] = {
        {"file:///site/a.html", "/site/a.html"},
        {"FILE:///site/a%20b.html", "/site/a%20b.html"},
        {"file:///", "/"},
        {"file:///home/me/site\\a.html", "/home/me/site/a.html"}, // a backslash separates too
        {"file://\\site\\docs/a.html", "/site/docs/a.html"},
        {"file://C:/SITE/a.html", std::nullopt},
        {"file:///\\server\\share\\a.html", std::nullopt},
        {"file://C|/SITE/a.html", std::nullopt},
        {"file://server/share/a.html", std::nullopt},
        {"file:////server/share/a.html", std::nullopt},
        {"file://", std::nullopt},
        {"mailto:x", std::nullopt},
    };
    for (const auto& [Url, Path] : Cases)
        EXPECT_EQ(URLToPath(Url, TPathStyle::psPosix), Path) << Url;
}

TEST(ResolveLink, HashInTheBaseFolderStays) {
    TTempDir Dir;
    Dir.WriteSite({{"c#/index.html", "<a href=\"page.html#part\"><a href=\"../c%23/x.html\">"},
                   {"c#/page.html", "<h2 id=part>"}});
    TTestRun T;
    CheckFolder(T.Run, Dir.Path(), false);
    const TFileObject& Index = T.Run.FileObjects[0];
    EXPECT_EQ(Index.ValidLinks.Strings(), Strings{"page.html#part"});
    EXPECT_EQ(Index.InvalidLinks.Strings(), Strings{"../c%23/x.html"});
}

} // namespace
