// The folder scan: tree order, what the project's rules hide, odd entries, halting.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/FileObject.h"
#include "analysis/FolderScan.h"
#include "analysis/NodePictures.h"
#include "analysis/RunContext.h"

#include <climits>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

Strings ChildTexts(const TTreeNode& Node) {
    Strings Texts;
    for (const auto& Child : Node.Children)
        Texts.push_back(Child->Text);
    return Texts;
}

Strings ScanOrder(const TRunContext& Run) {
    Strings Paths;
    for (const auto& File : Run.FileObjects)
        Paths.push_back(File->Path.substr(Run.CurrentProject.HomeDir.size()));
    return Paths;
}

class Scan : public ::testing::Test {
protected:
    void Open() {
        T.Run.CurrentProject.SetHomeDir(Dir.Path());
        ScanHomeFolder(T.Run, T.Run.CurrentProject.HomeDir);
    }
    TTempDir Dir;
    TTestRun T;
};

TEST_F(Scan, SubfoldersBeforeFilesEachSortedWithoutCaseDepthFirst) {
    Dir.WriteSite({{"b/inner.htm", ""}, {"A/deep/x.gif", ""}, {"z.htm", ""}, {"B.htm", ""}});
    Open();
    EXPECT_EQ(ChildTexts(T.Run.Tree.Root()), (Strings{"A", "b", "B.htm", "z.htm"}));
    EXPECT_EQ(ScanOrder(T.Run), (Strings{"A/deep/x.gif", "b/inner.htm", "B.htm", "z.htm"}));
    ASSERT_EQ(T.Run.FolderNodes.size(), 3u);
    EXPECT_EQ(T.Run.FolderNodes[0]->Text, "A");
    EXPECT_EQ(T.Run.FolderNodes[1]->Text, "deep");
    EXPECT_EQ(T.Run.FolderNodes[2]->Text, "b");
    EXPECT_EQ(T.Run.FolderNodes[0]->ImageIndex, pic::FolderProblem);
    EXPECT_EQ(T.Run.FolderNodes[0]->SelectedIndex, pic::FolderProblemOpen);
    EXPECT_TRUE(T.Run.Tree.Root().Expanded);
}

TEST_F(Scan, NamesDifferingOnlyInCaseAreBothKept) {
    Dir.WriteSite({{"Page.html", ""}, {"page.html", ""}, {"a.html", ""}});
    Open();
    EXPECT_EQ(ScanOrder(T.Run), (Strings{"a.html", "Page.html", "page.html"}));
}

TEST_F(Scan, HiddenFilesAndEmptyFoldersAreShownAndCountedAsFiles) {
    Dir.Write(".hidden.html", "<a name=n>");
    Dir.MakeDir("empty");
    Open();
    EXPECT_EQ(ChildTexts(T.Run.Tree.Root()), (Strings{"empty", ".hidden.html"}));
    EXPECT_TRUE(T.Run.Tree.Root().Item(0)->Children.empty());
    EXPECT_EQ(T.Run.FileCountText(), "総ファイル数 1");
    const TTreeNode& Anchor = *T.Run.Tree.Root().Item(1)->Item(0);
    EXPECT_EQ(Anchor.Text, "n");
    EXPECT_EQ(Anchor.ImageIndex, pic::Reached);
    EXPECT_EQ(Anchor.StateIndex, pic::NotReached);
}

TEST_F(Scan, WildcardHidesFilesAndLinksToThemBecomeInvalid) {
    Dir.WriteSite({{"index.html", "<a href=old.bak>"}, {"old.bak", ""}, {"sub/old.BAK", ""}});
    T.Run.CurrentProject.AddWildCard("*.bak");
    Open();
    EXPECT_EQ(ScanOrder(T.Run), (Strings{"sub/old.BAK", "index.html"}));
    EXPECT_EQ(T.Run.FileCountText(), "総ファイル数 2");
    EXPECT_EQ(T.Run.FileObjects[1].InvalidLinks.Strings(), Strings{"old.bak"});

    T.Run.Settings.IgnoreCase = true;
    Open();
    EXPECT_EQ(ScanOrder(T.Run), Strings{"index.html"});

    T.Run.CurrentProject.AddWildCard("*.html");
    Open();
    EXPECT_EQ(T.Run.FileCountText(), "総ファイル数 0");
}

TEST_F(Scan, IgnoredFolderHidesItsWholeSubtree) {
    Dir.WriteSite({{"img/sub/a.gif", ""}, {"imgs/b.gif", ""}});
    T.Run.CurrentProject.AddIgnoreFolder(Dir.Path() + "img");
    Open();
    EXPECT_EQ(ChildTexts(T.Run.Tree.Root()), Strings{"imgs"});
    EXPECT_EQ(ScanOrder(T.Run), Strings{"imgs/b.gif"});
}

TEST_F(Scan, LinkCyclesEndAndOddEntriesAreFilesNeverOpened) {
    Dir.Write("a/page.html", "");
    ASSERT_EQ(::symlink("..", (Dir.Path() + "a/up").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (Dir.Path() + "dangling").c_str()), 0);
    ASSERT_EQ(::mkfifo((Dir.Path() + "pipe").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((Dir.Path() + "fifo.html").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", (Dir.Path() + "devnull.html").c_str()), 0);
    ASSERT_EQ(::symlink("/dev/ptmx", (Dir.Path() + "pty.html").c_str()), 0);
    Open(); // must neither loop nor block
    // The link to the home folder is shown as a folder but not entered again.
    EXPECT_EQ(ChildTexts(*T.Run.Tree.Root().Item(0)), (Strings{"up", "page.html"}));
    EXPECT_TRUE(T.Run.Tree.Root().Item(0)->Item(0)->Children.empty());
    EXPECT_EQ(ScanOrder(T.Run), (Strings{"a/page.html", "dangling", "devnull.html", "fifo.html",
                                         "pipe", "pty.html"}));
    // All are HTML files by name, files of the site that are never opened: nothing is said.
    EXPECT_EQ(T.Host.Messages.size(), 0u);
}

TEST(ScanLinks, FoldersAboveTheHomeFolderAreNotEnteredOthersOutsideAre) {
    // As a link to / would not be: it would walk the whole file system.
    TTempDir Dir;
    const std::string Home = Dir.MakeDir("a/site");
    Dir.WriteSite({{"a/site/index.html", ""}, {"b/x.html", ""}});
    for (const auto& [Name, Target] :
         {std::pair<std::string, std::string>{"parent", "a"}, {"top", "."}, {"other", "b"}})
        ASSERT_EQ(::symlink((Dir.Path() + Target).c_str(), (Home + Name).c_str()), 0);
    TTestRun T;
    T.Run.CurrentProject.SetHomeDir(Home);
    ScanHomeFolder(T.Run, Home);
    EXPECT_EQ(ChildTexts(T.Run.Tree.Root()), (Strings{"other", "parent", "top", "index.html"}));
    EXPECT_EQ(ChildTexts(*T.Run.Tree.Root().Item(0)), Strings{"x.html"});
    EXPECT_TRUE(T.Run.Tree.Root().Item(1)->Children.empty());
    EXPECT_TRUE(T.Run.Tree.Root().Item(2)->Children.empty());
}

TEST(ScanLinks, EachRealFolderIsListedOnceAndLinksThroughARepeatLeadThere) {
    // Levels of folders, each linked twice from the one before: walked by every path, the site
    // would double with each level.
    constexpr int Levels = 12;
    TTempDir Dir;
    const std::string Home = Dir.Path();
    const auto Level = [&](int I) { return Home + "real/d" + std::to_string(I); };
    for (int I = 1; I <= Levels; ++I) {
        Dir.Write("real/d" + std::to_string(I) + "/page.html", "");
        const std::string From = I == 1 ? Home : Level(I - 1) + "/";
        for (const char* Name : {"a", "b"})
            ASSERT_EQ(::symlink(Level(I).c_str(), (From + Name).c_str()), 0);
    }
    Dir.Write("index.html", "<a href=b/page.html><a href=real/d3/page.html><a href=b/c.html>");
    TTestRun T;
    T.Run.CurrentProject.SetHomeDir(Home);
    ScanHomeFolder(T.Run, Home);
    EXPECT_EQ(T.Run.FileObjects.Count(), Levels + 1);
    // a, b and real; below real every level again; in each level but the last, a and b.
    EXPECT_EQ(T.Run.FolderNodes.size(), static_cast<size_t>(3 + Levels + 2 * (Levels - 1)));
    const TTreeNode& Second = *T.Run.Tree.Root().Item(1);
    ASSERT_EQ(Second.Text, "b");
    EXPECT_TRUE(Second.Children.empty());
    ASSERT_NE(T.Run.Tree.RepeatOf(Second), nullptr);
    EXPECT_EQ(*T.Run.Tree.RepeatOf(Second), Home + "a");
    EXPECT_EQ(T.Run.Tree.RepeatOf(*T.Run.Tree.Root().Item(0)), nullptr);
    // Links through a repeated folder lead to the files listed under the first path.
    const TFileObject& Index = *FindNodeByPath(T.Run, Home + "index.html", false)->Data;
    EXPECT_EQ(Index.ValidLinks.Strings(), (Strings{"b/page.html", "real/d3/page.html"}));
    EXPECT_EQ(Index.InvalidLinks.Strings(), Strings{"b/c.html"});
}

TEST(ScanUnread, FoldersThatCannotBeListedAreNamedInTheEndOfCheckBox) {
    // A folder whose path is longer than the system takes: even the superuser cannot list it.
    TTempDir Dir;
    Dir.Write("index.html", "");
    std::string Deep = Dir.Path();
    const std::string Long(200, 'd');
    int Fd = ::open(Deep.c_str(), O_RDONLY | O_DIRECTORY);
    while (Deep.size() <= PATH_MAX) {
        ASSERT_EQ(::mkdirat(Fd, Long.c_str(), 0700), 0);
        const int Next = ::openat(Fd, Long.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(Fd);
        Fd = Next;
        Deep += Long + "/";
    }
    ::close(Fd);
    TTestRun T;
    OpenFolder(T.Run, Dir.Path());
    ASSERT_EQ(T.Run.Unread.size(), 1u);
    EXPECT_EQ(T.Host.StatusTexts.back(), "読めなかったフォルダとファイルの数 1");
    EXPECT_EQ(T.Run.Unread[0].Reason, "パスが長すぎます");
    EXPECT_TRUE(Deep.starts_with(T.Run.Unread[0].Path));
    ASSERT_FALSE(T.Host.Messages.empty());
    const std::string& Box = T.Host.Messages.back().Text;
    EXPECT_NE(Box.find("読めなかったフォルダとファイルの数 1\r\n\r\n" + T.Run.Unread[0].Path +
                       ": パスが長すぎます"),
              std::string::npos)
        << Box;
    CheckFolder(T.Run, Dir.MakeDir("other"), false); // a check that reads all forgets them
    EXPECT_TRUE(T.Run.Unread.empty());
}

TEST_F(Scan, NewScanReplacesTheOldTreeAndObjects) {
    Dir.Write("one.html", "");
    Open();
    Dir.Write("two.html", "");
    T.Run.Tree.Select(T.Run.Tree.Root().Item(0));
    Open();
    EXPECT_EQ(ChildTexts(T.Run.Tree.Root()), (Strings{"one.html", "two.html"}));
    EXPECT_EQ(T.Run.FileObjects.Count(), 2);
    EXPECT_EQ(T.Run.Tree.Selected(), nullptr);
    EXPECT_EQ(T.Host.LinkListClears, 2);
    for (const auto& File : T.Run.FileObjects)
        EXPECT_EQ(File->Node->Data, File.get());
}

TEST_F(Scan, HaltKeepsTheFilesFoundSoFarFullyClassified) {
    for (const char* Name : {"a.html", "b.html", "c.html", "d.html"})
        Dir.Write(Name, "<a href=a.html><a href=missing.html>");
    // Halt once the second file has been added completely.
    T.Host.OnPump = [](TRunContext& Run, int) {
        if (Run.FileCountText() == "総ファイル数 2") Run.Halted = true;
    };
    Open();
    ASSERT_EQ(T.Run.FileObjects.Count(), 2);
    for (const auto& File : T.Run.FileObjects) {
        EXPECT_EQ(File->ValidLinks.Strings(), Strings{"a.html"});
        EXPECT_EQ(File->InvalidLinks.Strings(), Strings{"missing.html"});
    }
    EXPECT_FALSE(T.Run.Halted); // cleared when the outermost busy section ends
    EXPECT_EQ(T.Run.BusyCount, 0);
}

TEST_F(Scan, FileKindsAndPictures) {
    Dir.WriteSite(
        {{"README", "<a href=x.html>"}, {"page.HT", ""}, {"Logo.GIF", ""}, {"page.", ""}});
    Open();
    const auto Kind = [&](const std::string& Name) {
        for (const auto& File : T.Run.FileObjects)
            if (File->Node->Text == Name) return File->Kind;
        throw std::runtime_error("no file " + Name);
    };
    EXPECT_EQ(Kind("README"), fkHtml);
    EXPECT_EQ(Kind("page.HT"), fkOther);
    EXPECT_EQ(Kind("Logo.GIF"), fkImage);
    EXPECT_EQ(Kind("page."), fkOther);
    for (const auto& File : T.Run.FileObjects) {
        const int Expected = File->Kind == fkImage   ? pic::ImageFile
                             : File->Kind == fkOther ? pic::OtherFile
                                                     : pic::BluePage; // README has an invalid link
        EXPECT_EQ(File->Node->ImageIndex, Expected) << File->Path;
        EXPECT_EQ(File->Node->SelectedIndex, Expected) << File->Path;
        EXPECT_EQ(File->Node->StateIndex, pic::NotReached);
    }
}

TEST_F(Scan, ExcludedHtmlIsNotReadWithIgnoreHtmlInfo) {
    Dir.Write("x.html", "<a name=n><a href=y.html>");
    T.Run.Settings.IgnoreHTMLInfo = true;
    T.Run.CurrentProject.AddIgnoreFile(Dir.Path() + "X.HTML");
    Open();
    EXPECT_TRUE(T.Run.FileObjects[0].Links.Empty());
    EXPECT_TRUE(T.Run.FileObjects[0].Node->Children.empty());
}

TEST(FindNodeByPath, FirstMatchInListOrderWithOrWithoutCase) {
    TTestRun T;
    const std::string Paths[] = {"/s/Index.Html", "/s/index.html", "/s/INDEXX.html"};
    for (const std::string& Path : Paths) {
        TTreeNode& Node = T.Run.Tree.AddChild(T.Run.Tree.Root(), Path);
        TFileObject& File = TFileObject::Create(T.Run, Node);
        Node.Data = &File;
        T.Run.Settings.ExtListHTML = ".NONE"; // keep the objects from reading files
        T.Run.Settings.ExtListImg = ".HTML";
        File.SetPath(Path);
    }
    // The hash kept with a file is the one a later lookup computes, for any case variant.
    EXPECT_EQ(T.Run.FileObjects[0].NameHash, FileNameHash("/s/INDEX.HTML", T.Run.PathStyle()));
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/INDEX.HTML", true), T.Run.Tree.Root().Item(0));
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/INDEX.HTML", false), nullptr);
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/index.html", false), T.Run.Tree.Root().Item(1));
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/indexx.HTML", true), T.Run.Tree.Root().Item(2));
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/./index.html", true), nullptr); // no normalisation

    DisposeFileObject(T.Run.FileObjects[0]);
    EXPECT_EQ(FindNodeByPath(T.Run, "/s/INDEX.HTML", true), T.Run.Tree.Root().Item(1));
    EXPECT_EQ(T.Run.Tree.Root().Count(), 3); // the node stays
}

} // namespace
