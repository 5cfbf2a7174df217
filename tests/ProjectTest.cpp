// The project: its three lists kept in step with their views, the folder labels and captions,
// the wildcard and ignored-folder rules, and link resolution in both path styles.
#include "CodePageFixture.h"

#include "project/Project.h"
#include "support/Assertion.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvel::test {
namespace {

using TTexts = std::vector<std::string>;

// A project whose views are plain lists the test can read.
struct TViewedProject {
    explicit TViewedProject(TPathStyle Style = TPathStyle::psPosix) : Project(Style) {
        Project.SetViews(&Top, &Ignore, &Wild, &Display);
    }
    // Each list and its view hold the same entries in the same order.
    void ExpectViewsInStep() const {
        EXPECT_EQ(Top.Items, Project.TopFiles);
        EXPECT_EQ(Ignore.Items, Project.IgnoreFiles.Strings());
        EXPECT_EQ(Wild.Items, Project.WildCards);
    }
    TOrvelProject Project;
    TPlainListView Top, Ignore, Wild;
    TPlainProjectDisplay Display;
};

TEST(ProjectListTest, NewProjectIsEmptyAndUntitled) {
    const TOrvelProject Project;
    EXPECT_TRUE(Project.TopFiles.empty());
    EXPECT_TRUE(Project.IgnoreFiles.Empty());
    EXPECT_TRUE(Project.WildCards.empty());
    EXPECT_EQ(Project.FileName, "");
    EXPECT_EQ(Project.HomeDir, "");
    EXPECT_EQ(Project.ServerRoot, "");
    EXPECT_EQ(Project.TopFileView().Count(), 0);
    EXPECT_EQ(Project.IgnoreFileView().Count(), 0);
    EXPECT_EQ(Project.WildCardView().Count(), 0);
}

TEST(ProjectListTest, TopFilesAreUpperCasedInInsertionOrderAndMayRepeat) {
    TViewedProject P;
    P.Project.AddTopFile("/site/b.htm");
    P.Project.AddTopFile("/site/a.htm");
    P.Project.AddTopFile("/site/B.HTM");
    EXPECT_EQ(P.Project.TopFiles, (TTexts{"/SITE/B.HTM", "/SITE/A.HTM", "/SITE/B.HTM"}));
    P.ExpectViewsInStep();
    EXPECT_EQ(P.Project.IndexOfTopFile("/Site/A.htm"), 1);
    EXPECT_EQ(P.Project.IndexOfTopFile("/site/b.htm"), 0);
    EXPECT_EQ(P.Project.IndexOfTopFile("/site/c.htm"), -1);
}

TEST(ProjectListTest, RemovingATopFileDeletesItsFirstEntry) {
    TViewedProject P;
    for (const char* Path : {"/site/a.htm", "/site/b.htm", "/site/a.htm", "/site/c.htm"})
        P.Project.AddTopFile(Path);
    P.Project.RemoveTopFile("/SITE/a.htm");
    EXPECT_EQ(P.Project.TopFiles, (TTexts{"/SITE/B.HTM", "/SITE/A.HTM", "/SITE/C.HTM"}));
    P.ExpectViewsInStep();
    P.Project.RemoveTopFile("/site/missing.htm");
    EXPECT_EQ(P.Project.TopFiles.size(), 3u);
    P.ExpectViewsInStep();
    P.Project.ClearTopFiles();
    EXPECT_TRUE(P.Project.TopFiles.empty());
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, ExcludedFilesAreSortedWithoutDuplicates) {
    TViewedProject P;
    for (const char* Path : {"/site/c.htm", "/site/a.htm", "/SITE/C.HTM", "/site/b.htm"})
        P.Project.AddIgnoreFile(Path);
    EXPECT_EQ(P.Project.IgnoreFiles.Strings(),
              (TTexts{"/SITE/A.HTM", "/SITE/B.HTM", "/SITE/C.HTM"}));
    P.ExpectViewsInStep();
    EXPECT_TRUE(P.Project.IsIgnoreFile("/site/B.htm"));
    EXPECT_FALSE(P.Project.IsIgnoreFile("/site/d.htm"));
    P.Project.RemoveIgnoreFile("/site/b.HTM");
    EXPECT_EQ(P.Project.IgnoreFiles.Strings(), (TTexts{"/SITE/A.HTM", "/SITE/C.HTM"}));
    P.ExpectViewsInStep();
    P.Project.RemoveIgnoreFile("/site/b.htm");
    EXPECT_EQ(P.Project.IgnoreFiles.Count(), 2);
    P.Project.ClearIgnoreFiles();
    EXPECT_TRUE(P.Project.IgnoreFiles.Empty());
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, ExcludingAFileRemovesItFromTheTopFiles) {
    TViewedProject P;
    P.Project.AddTopFile("/site/a.htm");
    P.Project.AddTopFile("/site/b.htm");
    P.Project.AddIgnoreFile("/site/A.HTM");
    EXPECT_EQ(P.Project.TopFiles, (TTexts{"/SITE/B.HTM"}));
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, ExcludingAnExcludedFileAgainStillRemovesItFromTheTopFiles) {
    TViewedProject P;
    P.Project.AddIgnoreFile("/site/a.htm");
    P.Project.AddIgnoreFile("/site/b.htm");
    P.Project.AddTopFile("/site/a.htm");
    P.Project.AddTopFile("/site/c.htm");
    const TTexts IgnoreView = P.Ignore.Items;
    P.Project.AddIgnoreFile("/Site/A.htm");
    EXPECT_EQ(P.Project.IgnoreFiles.Strings(), (TTexts{"/SITE/A.HTM", "/SITE/B.HTM"}));
    EXPECT_EQ(P.Ignore.Items, IgnoreView);
    EXPECT_EQ(P.Project.TopFiles, (TTexts{"/SITE/C.HTM"}));
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, ForgettingAFileRemovesItFromBothLists) {
    TViewedProject P;
    P.Project.AddTopFile("/site/a.htm");
    P.Project.AddTopFile("/site/b.htm");
    P.Project.AddIgnoreFile("/site/c.htm");
    P.Project.ForgetFile("/site/A.htm");
    P.Project.ForgetFile("/site/c.HTM");
    EXPECT_EQ(P.Project.TopFiles, (TTexts{"/SITE/B.HTM"}));
    EXPECT_TRUE(P.Project.IgnoreFiles.Empty());
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, WildCardsKeepTheirCaseAndDuplicates) {
    TViewedProject P;
    P.Project.AddWildCard("*.bak");
    P.Project.AddWildCard("*.bak");
    P.Project.AddWildCard("Temp/");
    P.Project.AddIgnoreFolder("/site/old");
    P.Project.AddIgnoreFolder("/site/img/");
    EXPECT_EQ(P.Project.WildCards, (TTexts{"*.bak", "*.bak", "Temp/", "/SITE/OLD/", "/SITE/IMG/"}));
    P.ExpectViewsInStep();
    P.Project.RemoveWildCard("*.BAK"); // the first entry equal without regard to case
    P.Project.RemoveWildCard("/site/old/");
    P.Project.RemoveWildCard("*.txt");
    EXPECT_EQ(P.Project.WildCards, (TTexts{"*.bak", "Temp/", "/SITE/IMG/"}));
    P.ExpectViewsInStep();
    P.Project.ClearWildCards();
    EXPECT_TRUE(P.Project.WildCards.empty());
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, WindowsFolderEntriesEndInABackslash) {
    TViewedProject P(TPathStyle::psWindows);
    P.Project.AddIgnoreFolder("C:\\Site\\Old");
    P.Project.AddIgnoreFolder("C:\\Site\\Img\\");
    EXPECT_EQ(P.Project.WildCards, (TTexts{"C:\\SITE\\OLD\\", "C:\\SITE\\IMG\\"}));
    P.ExpectViewsInStep();
}

TEST(ProjectListTest, ProjectWithoutAttachedViewsKeepsItsOwn) {
    TOrvelProject Project;
    Project.AddTopFile("/site/a.htm");
    Project.AddIgnoreFile("/site/b.htm");
    Project.AddWildCard("*.bak");
    EXPECT_EQ(Project.TopFileView().Count(), 1);
    EXPECT_EQ(Project.IgnoreFileView().Count(), 1);
    EXPECT_EQ(Project.WildCardView().Count(), 1);
    Project.ClearTopFiles();
    EXPECT_EQ(Project.TopFileView().Count(), 0);
}

// Expects the operation to report an internal assertion failure of the project unit.
template <typename F> void ExpectAssertionFailure(F&& Operation) {
    try {
        Operation();
        ADD_FAILURE() << "no assertion failure";
    } catch (const EAssertionFailed& E) {
        const std::string Text = E.what();
        EXPECT_EQ(Text.rfind("Assertion failure", 0), 0u) << Text;
        EXPECT_NE(Text.find("Project"), std::string::npos) << Text;
    }
}

TEST(ProjectListTest, ListAndViewOfDifferentCountsAreAnAssertionFailure) {
    TViewedProject Top;
    Top.Top.Items.push_back("/SITE/STRAY.HTM");
    ExpectAssertionFailure([&] { Top.Project.AddTopFile("/site/a.htm"); });
    ExpectAssertionFailure([&] { Top.Project.RemoveTopFile("/site/a.htm"); });

    TViewedProject Ignore;
    Ignore.Ignore.Items.push_back("/SITE/STRAY.HTM");
    ExpectAssertionFailure([&] { Ignore.Project.AddIgnoreFile("/site/a.htm"); });

    TViewedProject Wild;
    Wild.Wild.Items.push_back("*.bak");
    ExpectAssertionFailure([&] { Wild.Project.AddWildCard("*.tmp"); });
    ExpectAssertionFailure([&] { Wild.Project.RemoveWildCard("*.tmp"); });
}

// A faulty view that loses every entry it is given.
class TLosingView : public TPlainListView {
public:
    void Append(const std::string&) override {}
    void Insert(int, const std::string&) override {}
};

TEST(ProjectListTest, ViewThatLosesAnEntryIsCaughtByTheSameOperation) {
    TOrvelProject Project;
    TLosingView Top, Ignore, Wild;
    Project.SetViews(&Top, &Ignore, &Wild, nullptr);
    ExpectAssertionFailure([&] { Project.AddTopFile("/site/a.htm"); });
    ExpectAssertionFailure([&] { Project.AddWildCard("*.bak"); });
    Project.SetViews(nullptr, &Ignore, nullptr, nullptr);
    ExpectAssertionFailure([&] { Project.AddIgnoreFile("/site/a.htm"); });
}

TEST(ProjectDisplayTest, HomeFolderGetsItsSeparatorAndIsShown) {
    TViewedProject P;
    P.Project.SetHomeDir("/home/me/site");
    EXPECT_EQ(P.Project.HomeDir, "/home/me/site/");
    EXPECT_EQ(P.Display.HomeDirLabel, "/home/me/site/");
    P.Project.SetHomeDir("/other/");
    EXPECT_EQ(P.Project.HomeDir, "/other/");
    P.Project.SetHomeDir(""); // keeps the current home folder
    EXPECT_EQ(P.Project.HomeDir, "/other/");
    EXPECT_EQ(P.Display.HomeDirLabel, "/other/");

    TViewedProject W(TPathStyle::psWindows);
    W.Project.SetHomeDir("C:\\SITE");
    EXPECT_EQ(W.Project.HomeDir, "C:\\SITE\\");
}

TEST(ProjectDisplayTest, EmptyServerRootIsShownAsNotSet) {
    TViewedProject P;
    P.Project.SetServerRoot("/srv/www");
    EXPECT_EQ(P.Project.ServerRoot, "/srv/www/");
    EXPECT_EQ(P.Display.ServerRootLabel, "/srv/www/");
    P.Project.SetServerRoot("");
    EXPECT_EQ(P.Project.ServerRoot, "");
    EXPECT_EQ(P.Display.ServerRootLabel, "未設定");

    TViewedProject W(TPathStyle::psWindows);
    W.Project.SetServerRoot("D:\\ROOT");
    EXPECT_EQ(W.Project.ServerRoot, "D:\\ROOT\\");
}

TEST(ProjectDisplayTest, CaptionsNameTheProjectFile) {
    struct TCase {
        TPathStyle Style;
        const char* FileName;
        const char* Main;
        const char* Info;
    };
    const TCase Cases[] = {
        {TPathStyle::psPosix, "/home/me/my site.opr", "my site.opr - Orvel(UO)",
         "my site.opr - プロジェクト情報"},
        {TPathStyle::psWindows, "C:\\PROJ\\SITE.OPR", "SITE.OPR - Orvel(UO)",
         "SITE.OPR - プロジェクト情報"},
        {TPathStyle::psPosix, "", "無題 - Orvel(UO)", "無題 - プロジェクト情報"},
    };
    for (const TCase& C : Cases) {
        TViewedProject P(C.Style);
        P.Project.SetFileName(C.FileName);
        EXPECT_EQ(P.Project.FileName, C.FileName);
        EXPECT_EQ(P.Display.MainCaption, C.Main);
        EXPECT_EQ(P.Display.ProjectCaption, C.Info);
    }
}

// --- Wildcards and ignored folders -------------------------------------------------------

// A project with these wildcard entries, stored as typed.
struct TWildCardProject {
    explicit TWildCardProject(const TTexts& Entries, TPathStyle Style = TPathStyle::psPosix)
        : Project(Style) {
        for (const std::string& Entry : Entries)
            Project.AddWildCard(Entry);
    }
    TOrvelProject Project;
};

struct TNameCase {
    TTexts Entries;
    const char* Name;
    bool IgnoreCase;
    bool Matches;
};

TEST(ProjectWildCardTest, AnyPatternEntryMatchesTheFileName) {
    const TNameCase Cases[] = {
        {{"*.bak", "*.tmp"}, "x.tmp", false, true},
        {{"*.bak", "*.tmp"}, "x.htm", false, false},
        {{"*.BAK"}, "x.bak", false, false},
        {{"*.BAK"}, "x.bak", true, true},
        {{"*.bak"}, "X.BAK", true, true},
        {{"x/"}, "x/", false, false}, // folder entries are never patterns
        {{"*/", "x/"}, "x/", true, false},
        {{""}, "", false, false}, // empty entries are skipped
        {{"", "*"}, "", false, true},
        {{}, "a.htm", false, false},
        {{"Temp\\"}, "Temp\\", false, true}, // in POSIX style only "/" ends a folder entry
        {{"\xEF\xBC\xA1.txt"}, "\xEF\xBD\x81.txt", true, false}, // full-width A and a
    };
    for (const TNameCase& C : Cases)
        EXPECT_EQ(TWildCardProject(C.Entries).Project.MatchesWildCard(C.Name, C.IgnoreCase),
                  C.Matches)
            << C.Name << (C.IgnoreCase ? " ignoring case" : "");
}

TEST(ProjectWildCardTest, WindowsEntryEndingInABackslashIsAFolderEntry) {
    const TWildCardProject P({"Temp\\", "*.bak"}, TPathStyle::psWindows);
    const TOrvelProject& Project = P.Project;
    EXPECT_FALSE(Project.MatchesWildCard("Temp\\", false));
    EXPECT_TRUE(Project.MatchesWildCard("a.bak", false));
    EXPECT_FALSE(Project.IsIgnoredFolder("C:\\SITE\\Temp"));
    EXPECT_FALSE(Project.IsIgnoredFolder("C:\\SITE\\TEMP"));
}

class ProjectWildCardCp932Test : public TCp932Test {};

TEST_F(ProjectWildCardCp932Test, IgnoringCaseFoldsLetterBytesInsideDoubleByteCharacters) {
    // The second byte of "\x83\x61" is the letter a; ASCII upper-casing makes it "\x83\x41".
    const TWildCardProject P({"\x83\x41*"});
    const TOrvelProject& Project = P.Project;
    EXPECT_TRUE(Project.MatchesWildCard("\x83\x61.txt", true));
    EXPECT_FALSE(Project.MatchesWildCard("\x83\x61.txt", false));
}

struct TFolderCase {
    const char* Folder;
    bool Ignored;
};

TEST(ProjectWildCardTest, PosixFolderEntryCoversTheFolderAndItsSubfolders) {
    TOrvelProject Project;
    Project.AddIgnoreFolder("/site/img");
    Project.AddWildCard("*.bak");
    const TFolderCase Cases[] = {
        {"/site/img", true},        {"/site/img/", true},
        {"/SITE/IMG", true},        {"/site/Img/sub", true},
        {"/site/img/sub/", true},   {"/site/imgs", false},
        {"/site/im", false},        {"/site", false},
        {"/other/site/img", false}, {"/", false},
    };
    for (const TFolderCase& C : Cases)
        EXPECT_EQ(Project.IsIgnoredFolder(C.Folder), C.Ignored) << C.Folder;
}

TEST(ProjectWildCardTest, WindowsFolderEntryCoversTheFolderAndItsSubfolders) {
    TOrvelProject Project(TPathStyle::psWindows);
    Project.AddIgnoreFolder("C:\\SITE\\IMG\\");
    const TFolderCase Cases[] = {
        {"C:\\SITE\\IMG\\", true},   {"C:\\SITE\\IMG", true}, {"C:\\site\\img\\SUB\\", true},
        {"C:\\SITE\\IMGS\\", false}, {"C:\\SITE\\", false},   {"D:\\SITE\\IMG\\", false},
    };
    for (const TFolderCase& C : Cases)
        EXPECT_EQ(Project.IsIgnoredFolder(C.Folder), C.Ignored) << C.Folder;
}

TEST(ProjectWildCardTest, HandTypedLowerCaseOrRelativeFolderEntriesCoverNothing) {
    const TWildCardProject P({"/site/img/", "IMG/", "SITE/", "*", "", "img*"});
    const TOrvelProject& Project = P.Project;
    for (const char* Folder : {"/site/img", "/SITE/IMG", "/site/IMG/sub", "/site", "/img"})
        EXPECT_FALSE(Project.IsIgnoredFolder(Folder)) << Folder;
}

TEST(ProjectWildCardTest, LaterFolderEntriesAreAskedToo) {
    const TWildCardProject P({"", "*.bak", "/A/", "/SITE/OLD/"});
    const TOrvelProject& Project = P.Project;
    EXPECT_TRUE(Project.IsIgnoredFolder("/site/old/2019"));
    EXPECT_FALSE(Project.IsIgnoredFolder("/site/older"));
}

// --- Link resolution ---------------------------------------------------------------------

struct TLinkCase {
    const char* ServerRoot;
    const char* Base;
    const char* Target;
    const char* Expected;
};

void ExpectResolved(TPathStyle Style, const std::vector<TLinkCase>& Cases) {
    for (const TLinkCase& C : Cases) {
        TOrvelProject Project(Style);
        Project.SetServerRoot(C.ServerRoot);
        EXPECT_EQ(Project.ResolveLink(C.Base, C.Target), C.Expected)
            << C.Base << " + " << C.Target << " (server root '" << C.ServerRoot << "')";
    }
}

TEST(ProjectResolveLinkTest, WindowsStylePaths) {
    ExpectResolved(TPathStyle::psWindows,
                   {
                       {"", "C:\\SITE\\A\\PAGE.HTM", "../img/x.gif#top", "C:\\SITE\\img\\x.gif"},
                       {"D:\\ROOT\\", "C:\\SITE\\A\\PAGE.HTM", "/b/c.htm", "D:\\ROOT\\b\\c.htm"},
                       {"D:\\ROOT", "C:\\SITE\\A\\PAGE.HTM", "/b/c.htm", "D:\\ROOT\\b\\c.htm"},
                       {"D:\\ROOT\\", "C:\\SITE\\A\\PAGE.HTM", "b/c.htm", "C:\\SITE\\A\\b\\c.htm"},
                       {"", "C:\\SITE\\A\\PAGE.HTM", "..\\img\\x.gif", "C:\\SITE\\img\\x.gif"},
                       {"", "C:\\SITE\\A\\PAGE.HTM", "x.cgi?a=1#f", "C:\\SITE\\A\\x.cgi?a=1"},
                       {"", "C:\\SITE\\C#\\PAGE.HTM", "x.htm#top", "C:\\SITE\\C#\\x.htm"},
                   });
}

TEST(ProjectResolveLinkTest, PosixStyleTranslations) {
    ExpectResolved(TPathStyle::psPosix,
                   {
                       {"", "/site/A/PAGE.HTM", "../img/x.gif#top", "/site/img/x.gif"},
                       {"/root/", "/site/A/PAGE.HTM", "/b/c.htm", "/root/b/c.htm"},
                       {"/root", "/site/A/PAGE.HTM", "/b/c.htm", "/root/b/c.htm"},
                       {"/root/", "/site/A/PAGE.HTM", "b/c.htm", "/site/A/b/c.htm"},
                       {"/root/", "/site/A/PAGE.HTM", "/../../x.htm", "/x.htm"},
                       {"", "/site/A/PAGE.HTM", "Sub/Page.HTML", "/site/A/Sub/Page.HTML"},
                       {"", "/site/A/PAGE.HTM", "./x.htm", "/site/A/x.htm"},
                       {"", "/site/A/PAGE.HTM", "sub/../x.htm", "/site/A/x.htm"},
                       {"", "/site/A/PAGE.HTM", "../../../../x.htm", "/x.htm"},
                       {"", "/site/A/PAGE.HTM", "sub/", "/site/A/sub/"},
                       {"", "/site/A/PAGE.HTM", "sub//x.htm", "/site/A/sub/x.htm"},
                   });
}

TEST(ProjectResolveLinkTest, OnlyTheTargetLosesItsFragment) {
    ExpectResolved(TPathStyle::psPosix,
                   {
                       {"", "/site/c#/page.htm", "x.htm", "/site/c#/x.htm"},
                       {"", "/site/c#/page.htm", "x.htm#a#b", "/site/c#/x.htm"},
                       {"", "/site/c#/page.htm", "sub/x.htm#top", "/site/c#/sub/x.htm"},
                       {"/srv/c#/", "/site/page.htm", "/x.htm#top", "/srv/c#/x.htm"},
                       {"", "/site/A/page.htm", "../b#/x.htm", "/site/b"},
                   });
}

TEST(ProjectResolveLinkTest, BackslashesInTheTargetSeparateFolders) {
    ExpectResolved(TPathStyle::psPosix,
                   {
                       {"", "/site/A/PAGE.HTM", "..\\img\\x.gif", "/site/img/x.gif"},
                       {"", "/site/A/PAGE.HTM", "sub\\x.htm", "/site/A/sub/x.htm"},
                       {"", "/site/A/PAGE.HTM", "sub\\..\\x.htm#top", "/site/A/x.htm"},
                       // the base is a real path: a backslash in a folder name stays
                       {"", "/site/a\\b/PAGE.HTM", "x.htm", "/site/a\\b/x.htm"},
                   });
}

TEST(ProjectResolveLinkTest, QueryIsNotCut) {
    ExpectResolved(TPathStyle::psPosix,
                   {
                       {"", "/site/A/PAGE.HTM", "x.cgi?a=1", "/site/A/x.cgi?a=1"},
                       {"", "/site/A/PAGE.HTM", "x.cgi?a=1#f", "/site/A/x.cgi?a=1"},
                       {"", "/site/A/PAGE.HTM", "x.cgi?p=/../b", "/site/A/b"},
                   });
}

class ProjectResolveLinkCp932Test : public TCp932Test {};

TEST_F(ProjectResolveLinkCp932Test, SecondByteOfADoubleByteCharacterIsNoSeparator) {
    // "\x95\x5C" is one character whose second byte is the backslash.
    ExpectResolved(TPathStyle::psPosix,
                   {
                       {"", "/site/A/PAGE.HTM", "\x95\x5C.htm", "/site/A/\x95\x5C.htm"},
                       {"", "/site/A/PAGE.HTM", "..\\\x95\x5C\\x.htm", "/site/\x95\x5C/x.htm"},
                   });
    ExpectResolved(TPathStyle::psWindows,
                   {
                       {"", "C:\\SITE\\\x95\x5C\\PAGE.HTM", "x.gif", "C:\\SITE\\\x95\x5C\\x.gif"},
                       {"", "C:\\SITE\\\x95\x5C\\PAGE.HTM", "../x.gif", "C:\\SITE\\x.gif"},
                   });
}

} // namespace
} // namespace orvel::test
