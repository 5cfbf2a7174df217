// The check run: reports, busy state, halting, re-checking and loading projects.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/Reachability.h"
#include "support/Assertion.h"
#include "support/CodePage.h"
#include "support/DeleteFolder.h"

#include <algorithm>
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
    EXPECT_EQ(T.Run.CurrentProject.PlainDisplay().MainCaption, "無題 - Orvel(UO)");

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

TEST_F(Run, HaltEndsTheRunEarlyAndStillReports) {
    for (int I = 0; I < 6; ++I)
        Dir.Write("p" + std::to_string(I) + ".html", "<a href=missing.html>");
    T.Host.OnPump = [](TRunContext& Context, int) {
        if (Context.FileCountText() == "総ファイル数 2") Context.Halted = true;
    };
    OpenFolder(T.Run, Dir.Path());
    EXPECT_EQ(T.Run.FileObjects.Count(), 2);
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Text, "無効リンクを含むファイルの数 2\r\n無効リンクの総数 2");
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

} // namespace
