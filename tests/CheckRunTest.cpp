// The check run: reports, busy state, halting, re-checking and loading projects.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/Reachability.h"
#include "support/Assertion.h"
#include "support/CodePage.h"
#include "support/DeleteFolder.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

class Run : public ::testing::Test {
protected:
    void WriteBrokenSite() {
        Dir.WriteSite({{"index.html", "<a href=a.html><a href=gone1.html><a href=gone2.html>"},
                       {"a.html", "<a href=index.html#nowhere>"},
                       {"b.html", "<a href=index.html>"}});
    }
    TTempDir Dir;
    TTestRun T;
};

TEST_F(Run, ReportGivesFilesWithInvalidLinksAndTheirTotal) {
    WriteBrokenSite();
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(T.Run.InvalidLinkFileCount, 2);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 3);
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Kind, TMessageKind::mkInformation);
    EXPECT_EQ(T.Host.Messages[0].Text, "無効リンクを含むファイルの数 2\r\n無効リンクの総数 3");
    EXPECT_EQ(T.Host.Beeps, std::vector<TBeepKind>{TBeepKind::bkInformation});
    EXPECT_EQ(T.Run.Tree.Root().Text, Dir.Path());
    EXPECT_EQ(T.Run.CurrentProject.PlainDisplay().MainCaption, "untitled - Orvel(UO)");

    // Under the original rules the report says what the modern ones would make valid.
    Dir.WriteSite({{"c.html", "<a href=\"my%20page.html\"><a href=\"my%20page.html#x\">"},
                   {"my page.html", "<h2 id=x>"}});
    T.Run.Settings.ModernHTML = false;
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(T.Host.Messages.back().Text,
              "無効リンクを含むファイルの数 3\r\n無効リンクの総数 5\r\n"
              "設定の「その他」で「HTML5 の id 属性と新しいリンク属性も扱う」をオンにすると、"
              "無効リンクのうち 2 個が有効になります。");
}

TEST_F(Run, HiddenReportOnlyBeeps) {
    WriteBrokenSite();
    T.Run.Settings.HideInfoBoxAfterCheck = true;
    OpenFolder(T.Run, Dir.Path());
    EXPECT_TRUE(T.Host.Messages.empty());
    EXPECT_EQ(T.Host.Beeps, std::vector<TBeepKind>{TBeepKind::bkDefault});
}

TEST_F(Run, MissingFolderShowsAnErrorAndKeepsThePreviousTree) {
    WriteBrokenSite();
    OpenFolder(T.Run, Dir.Path());
    const int Nodes = T.Run.Tree.NodeCount();
    T.Host.Messages.clear();
    CheckFolder(T.Run, Dir.Path() + "deleted", false);
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Kind, TMessageKind::mkError);
    EXPECT_EQ(T.Host.Messages[0].Text, "ディレクトリが存在しません\r\n" + Dir.Path() + "deleted");
    EXPECT_EQ(T.Run.Tree.NodeCount(), Nodes);
    EXPECT_EQ(T.Run.InvalidLinkTotal, 0);
    EXPECT_EQ(T.Run.InvalidLinkFileCount, 0);
}

TEST_F(Run, BusySectionDisablesCommandsUntilTheOutermostEnds) {
    WriteBrokenSite();
    OpenFolder(T.Run, Dir.Path());
    ASSERT_EQ(T.Host.States.size(), 2u); // entering and leaving the outermost section
    EXPECT_TRUE(T.Host.States[0].Busy);
    EXPECT_FALSE(T.Host.States[1].Busy);
    EXPECT_TRUE(T.Host.States[1].ReopenEnabled);
    EXPECT_EQ(T.Run.BusyCount, 0);

    DeleteFolderTree(Dir.Path(), true);
    T.Run.BeginBusy();
    T.Run.EndBusy();
    EXPECT_FALSE(T.Host.States.back().ReopenEnabled); // the home folder is gone
}

TEST_F(Run, UnbalancedEndBusyIsAnAssertionAndLeavesTheProgramUsable) {
    try {
        T.Run.EndBusy();
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& E) {
        EXPECT_STREQ(E.what(), "Assertion failure (RunContext)");
    }
    EXPECT_NO_THROW(T.Run.BeginBusy());
    EXPECT_EQ(T.Run.BusyCount, 1);
}

TEST_F(Run, HaltEndsTheRunEarlyAndReportsWhatItChecked) {
    // Each page links to a file the halted scan does not reach; the first also to a missing one.
    Dir.Write("p0.html", "<a href=missing.html><a href=p5.html>");
    for (int I = 1; I < 6; ++I)
        Dir.Write("p" + std::to_string(I) + ".html", "<a href=p5.html>");
    T.Host.OnPump = [](TRunContext& Context, int) {
        if (Context.FileCountText() == "総ファイル数 2") Context.Halted = true;
    };
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(T.Run.FileObjects.Count(), 2);
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Text, "中断しました\r\n確認したファイルのみの数です\r\n"
                                       "無効リンクを含むファイルの数 1\r\n無効リンクの総数 1");
    EXPECT_FALSE(T.Run.FileObjects[1].Flagged); // p1's only invalid link names p5.html
    EXPECT_EQ(T.Host.StatusTexts.back(), "中断しました");
    EXPECT_FALSE(T.Run.Halted);
    EXPECT_FALSE(T.Host.States.back().Busy);
}

TEST_F(Run, RecheckAfterIgnoreCaseChangeReclassifiesWithoutResettingCounters) {
    Dir.WriteSite({{"index.html", "<a href=A.HTML>"}, {"a.html", ""}});
    OpenFolder(T.Run, Dir.Path());
    TFileObject& Index = *FindNodeByPath(T.Run, Dir.Path() + "index.html", false)->Data;
    EXPECT_EQ(Index.InvalidLinks.Strings(), Strings{"A.HTML"});
    T.Run.Tree.Select(Index.Node);
    T.Run.Settings.IgnoreCase = true;
    Recheck(T.Run);
    EXPECT_EQ(Index.ValidLinks.Strings(), Strings{"A.HTML"});
    EXPECT_TRUE(Index.InvalidLinks.Empty());
    EXPECT_EQ(T.Run.InvalidLinkTotal, 1); // from the check; the recheck found none to add
    EXPECT_EQ(T.Host.ShownLinkLists, std::vector<TTreeNode*>{Index.Node});
}

TEST_F(Run, LoadProjectRefusesMissingFilesAndFolders) {
    for (const std::string& Path : {Dir.Path() + "none.opr", Dir.Path()}) {
        T.Host.Messages.clear();
        LoadProject(T.Run, Path);
        ASSERT_EQ(T.Host.Messages.size(), 1u);
        EXPECT_EQ(T.Host.Messages[0].Text, Path + "\r\nが見つかりません");
        EXPECT_EQ(T.Run.BusyCount, 0);
        EXPECT_TRUE(T.Host.States.empty());
    }
}

TEST_F(Run, ProjectWithoutHomeFolderChecksTheOpenFolderWithItsLists) {
    WriteBrokenSite();
    const std::string Project = Dir.Write("p.opr", "[OrvelProject]\nHomeDir=\nTopFile0=" +
                                                       AnsiUpperCase(Dir.Path() + "index.html"));
    LoadProject(T.Run, Project); // nothing open yet: lists only, no check, captions as they were
    EXPECT_EQ(T.Run.FileObjects.Count(), 0);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles.size(), 1u);
    EXPECT_EQ(T.Run.CurrentProject.PlainDisplay().MainCaption, "Orvel(UO)");
    EXPECT_EQ(T.Run.BusyCount, 0);

    OpenFolder(T.Run, Dir.Path());
    LoadProject(T.Run, Project);
    EXPECT_EQ(T.Run.CurrentProject.HomeDir, Dir.Path());
    EXPECT_EQ(FindNodeByPath(T.Run, Dir.Path() + "index.html", false)->Data->ReachState, rsTop);
    EXPECT_EQ(T.Run.CurrentProject.PlainDisplay().MainCaption, "p.opr - Orvel(UO)");
}

TEST_F(Run, ProgressTextsFollowTheStepsOfTheRun) {
    Dir.WriteSite({{"a.html", "<!-- c --><a href=b.html>"}, {"sub/b.html", ""}});
    OpenFolder(T.Run, Dir.Path());
    T.Run.Tree.Select(FindNodeByPath(T.Run, Dir.Path() + "a.html", false));
    MarkSelectedTop(T.Run);
    const Strings Expected = {"a.html - コメント削除中", "a.html - リンク抜き出し中",
                              "リンク先の有無をチェック中", "ファイルの依存関係をチェック中",
                              "フォルダの色をセット中"};
    auto From = T.Host.StatusTexts.begin();
    for (const std::string& Text : Expected) {
        From = std::find(From, T.Host.StatusTexts.end(), Text);
        ASSERT_NE(From, T.Host.StatusTexts.end()) << Text << " missing or out of order";
    }
    EXPECT_EQ(T.Run.FileCountText(), "総ファイル数 2");
    EXPECT_EQ(T.Run.StatusText(), ""); // cleared when the run ends
    EXPECT_EQ(T.Run.CountText(), "");
}

TEST(SiteTree, AbsoluteIndicesCountInPreOrder) {
    TSiteTree Tree;
    TTreeNode& A = Tree.AddChild(Tree.Root(), "a");
    TTreeNode& A1 = Tree.AddChild(A, "a1");
    TTreeNode& A2 = Tree.AddChild(A, "a2");
    TTreeNode& B = Tree.AddChild(Tree.Root(), "b");
    const std::vector<TTreeNode*> Order = {&Tree.Root(), &A, &A1, &A2, &B};
    for (int I = 0; I < static_cast<int>(Order.size()); ++I) {
        EXPECT_EQ(Tree.AbsoluteIndex(*Order[static_cast<size_t>(I)]), I);
        EXPECT_EQ(Tree.NodeAt(I), Order[static_cast<size_t>(I)]);
    }
    EXPECT_EQ(Tree.NodeAt(5), nullptr);
    EXPECT_EQ(Tree.NodeCount(), 5);
    Tree.Select(&A1);
    Tree.Delete(A); // the selection goes with the node
    EXPECT_EQ(Tree.Selected(), nullptr);
    EXPECT_EQ(Tree.NodeAt(1), &B);
    EXPECT_EQ(B.Row, 0);
}

TEST_F(Run, ReopenAppliesTheProjectAgain) {
    WriteBrokenSite();
    OpenFolder(T.Run, Dir.Path());
    T.Run.Tree.Select(FindNodeByPath(T.Run, Dir.Path() + "index.html", false));
    MarkSelectedTop(T.Run);
    FindNodeByPath(T.Run, Dir.Path() + "b.html", false)->Data->SetIgnored(true);
    Reopen(T.Run);
    EXPECT_EQ(FindNodeByPath(T.Run, Dir.Path() + "index.html", false)->Data->ReachState, rsTop);
    EXPECT_TRUE(FindNodeByPath(T.Run, Dir.Path() + "b.html", false)->Data->Ignored);
    EXPECT_EQ(FindNodeByPath(T.Run, Dir.Path() + "a.html", false)->Data->ReachState, rsReached);
}

TEST_F(Run, ChangesMarkTheProjectModifiedUntilItIsSavedOrRead) {
    WriteBrokenSite();
    const TOrvelProject& Project = T.Run.CurrentProject;
    OpenFolder(T.Run, Dir.Path());
    EXPECT_FALSE(Project.Modified());
    T.Run.Tree.Select(FindNodeByPath(T.Run, Dir.Path() + "b.html", false));
    MarkSelectedTop(T.Run);
    EXPECT_TRUE(Project.Modified());
    EXPECT_EQ(Project.PlainDisplay().MainCaption, "*untitled - Orvel(UO)");
    const std::string File = Dir.Path() + "p.opr";
    SaveProject(T.Run, File);
    EXPECT_FALSE(Project.Modified());
    EXPECT_EQ(Project.PlainDisplay().MainCaption, "p.opr - Orvel(UO)");
    Reopen(T.Run); // the same folder and lists: nothing changed
    EXPECT_FALSE(Project.Modified());

    // A TOP page whose file is gone leaves the project: a change, except while the file is read.
    std::remove((Dir.Path() + "b.html").c_str());
    Reopen(T.Run);
    EXPECT_TRUE(Project.Modified());
    LoadProject(T.Run, File);
    EXPECT_TRUE(Project.TopFiles.empty());
    EXPECT_FALSE(Project.Modified());
}

TEST_F(Run, AnotherHomeFolderKeepsTheEntriesInsideIt) {
    Dir.WriteSite({{"a.html", ""}, {"b.html", ""}, {"sub/index.html", ""}, {"sub/x.html", ""}});
    TOrvelProject& Project = T.Run.CurrentProject;
    OpenFolder(T.Run, Dir.Path());
    for (const char* Top : {"a.html", "sub/index.html"})
        Project.AddTopFile(Dir.Path() + Top);
    Project.AddIgnoreFiles({Dir.Path() + "b.html", Dir.Path() + "sub/x.html"});
    Project.AddWildCard("*.bak");
    Project.AddIgnoreFolder(Dir.Path() + "sub/deep");
    Project.AddIgnoreFolder(Dir.Path() + "other");
    SaveProject(T.Run, Dir.Path() + "p.opr");
    const std::string Sub = Dir.Path() + "sub/";
    const size_t Boxes = T.Host.Messages.size();

    T.Host.Answer = false;
    EXPECT_FALSE(ChangeHomeFolder(T.Run, Sub));
    ASSERT_EQ(T.Host.Messages.size(), Boxes + 1);
    EXPECT_EQ(T.Host.Messages.back().Text,
              "TOPページ・除外ファイル・除外フォルダのうち 3 個は新しいホームフォルダの外にある"
              "ため、プロジェクトから外します");
    EXPECT_EQ(Project.TopFiles.size(), 2u);
    EXPECT_EQ(Project.HomeDir, Dir.Path());

    T.Host.Answer = true;
    EXPECT_TRUE(ChangeHomeFolder(T.Run, Sub));
    EXPECT_EQ(Project.HomeDir, Sub);
    EXPECT_EQ(Project.TopFiles, Strings{AnsiUpperCase(Sub + "index.html")});
    EXPECT_EQ(Strings(Project.IgnoreFiles.begin(), Project.IgnoreFiles.end()),
              Strings{AnsiUpperCase(Sub + "x.html")});
    EXPECT_EQ(Project.WildCards, (Strings{"*.bak", AnsiUpperCase(Sub + "deep/")}));
    EXPECT_EQ(Project.PlainDisplay().MainCaption, "*p.opr - Orvel(UO)");
    EXPECT_EQ(FindNodeByPath(T.Run, Sub + "index.html", false)->Data->ReachState, rsTop);

    const size_t Asked = T.Host.Messages.size();
    EXPECT_TRUE(ChangeHomeFolder(T.Run, Sub)); // nothing outside: no question, only the report
    EXPECT_EQ(T.Host.Messages.size(), Asked + 1);
    EXPECT_EQ(T.Host.Messages.back().Kind, TMessageKind::mkInformation);
}

} // namespace
