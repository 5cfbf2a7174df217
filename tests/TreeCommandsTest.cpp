// The tree's commands: TOP marks, exclusions and deletions, with their bookkeeping.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/TreeCommands.h"
#include "support/CodePage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

class TreeCommands : public ::testing::Test {
protected:
    TreeCommands() {
        Dir.Write("index.html", "<a href=a.html><a href=docs/guide.html>");
        Dir.Write("a.html", "<a name=top>");
        Dir.Write("b.htm", "");
        Dir.Write("docs/guide.html", "");
        Dir.Write("docs/Index.HTML", "");
        Dir.Write("docs/deep/er/x.html", "");
        Dir.Write("docs/deep/y.gif", "");
        Dir.Write("img/logo.gif", "");
        Dir.MakeDir("empty");
        OpenFolder(T.Run, Dir.Path());
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
    }

    // The node at a path of node texts below the root ("" is the root, "a.html/top" an anchor).
    TTreeNode& At(const std::string& Relative) {
        TTreeNode* Node = &T.Run.Tree.Root();
        std::stringstream Parts(Relative);
        for (std::string Part; std::getline(Parts, Part, '/');) {
            const auto& Kids = Node->Children;
            auto It = std::find_if(Kids.begin(), Kids.end(),
                                   [&](const auto& Child) { return Child->Text == Part; });
            if (It == Kids.end()) throw std::runtime_error("no node " + Relative);
            Node = It->get();
        }
        return *Node;
    }
    TFileObject& File(const std::string& Relative) { return *At(Relative).Data; }
    void Select(const std::string& Relative) { T.Run.Tree.Select(&At(Relative)); }
    std::string Upper(const std::string& Relative) { return AnsiUpperCase(Dir.Path() + Relative); }
    static int CountNodes(const TTreeNode& Top) {
        int Count = 1;
        for (const auto& Child : Top.Children)
            Count += CountNodes(*Child);
        return Count;
    }
    // The path of a node below the home folder.
    static std::string PathOf(const TTreeNode& Node) {
        std::string Path;
        for (const TTreeNode* N = &Node; N->Parent; N = N->Parent)
            Path = N->Text + (Path.empty() ? "" : "/") + Path;
        return Path;
    }
    // The files that are excluded, by path below the home folder, in scan order.
    Strings Excluded() {
        Strings Paths;
        for (const auto& F : T.Run.FileObjects)
            if (F->Ignored && F->Node->OverlayIndex == pic::ExcludedOverlay)
                Paths.push_back(F->Path.substr(Dir.Path().size()));
        return Paths;
    }

    TTempDir Dir;
    TTestRun T;
};

TEST_F(TreeCommands, ExclusionsReachTheFilesTheyName) {
    struct TCase {
        std::string Node;
        void (*Command)(TRunContext&);
        Strings Excluded;
    };
    const TCase Cases[] = {
        {"docs",
         ToggleExclusion,
         {"docs/deep/er/x.html", "docs/deep/y.gif", "docs/guide.html", "docs/Index.HTML"}},
        {"empty", ToggleExclusion, {}},
        {"a.html/top", ToggleExclusion, {}},
        {"index.html", IgnoreSameName, {"docs/Index.HTML", "index.html"}},
        {"docs/Index.HTML",
         IgnoreSameExtension,
         {"docs/deep/er/x.html", "docs/guide.html", "docs/Index.HTML", "a.html", "index.html"}},
        {"img/logo.gif", IgnoreSameExtension, {"docs/deep/y.gif", "img/logo.gif"}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Node);
        T.Run.CurrentProject.ClearIgnoreFiles();
        for (const auto& F : T.Run.FileObjects)
            F->SetIgnored(false);
        Select(C.Node);
        C.Command(T.Run);
        EXPECT_EQ(Excluded(), C.Excluded);
        EXPECT_EQ(T.Run.CurrentProject.IgnoreFiles.Count(), static_cast<int>(C.Excluded.size()));
    }
}

TEST_F(TreeCommands, TopMarkAndExclusionToggle) {
    Select("index.html");
    ToggleTopMark(T.Run);
    EXPECT_EQ(File("index.html").ReachState, rsTop);
    EXPECT_EQ(File("docs/guide.html").ReachState, rsReached);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{Upper("index.html")});

    Select("index.html");
    ToggleTopMark(T.Run); // removes the mark; nothing is recomputed
    EXPECT_EQ(File("index.html").ReachState, rsReached);
    EXPECT_EQ(File("index.html").Node->StateIndex, pic::Empty);
    EXPECT_EQ(File("a.html").ReachState, rsReached);
    EXPECT_EQ(File("b.htm").ReachState, rsUnreached);
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());

    Select("a.html");
    ToggleTopMark(T.Run); // the analysis ends with the root selected
    Select("a.html");
    ToggleExclusion(T.Run); // excluding a TOP page drops its mark
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    EXPECT_EQ(File("a.html").Node->StateIndex, pic::Empty);
    EXPECT_EQ(Excluded(), Strings{"a.html"});
    ToggleExclusion(T.Run);
    EXPECT_EQ(Excluded(), Strings{});
    EXPECT_EQ(File("a.html").ReachState, rsReached); // including again keeps the reach state

    Select("img/logo.gif");
    ToggleTopMark(T.Run); // not HTML: nothing
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    Select("docs");
    ToggleTopMark(T.Run);
    EXPECT_EQ(T.Host.Beeps, std::vector<TBeepKind>{TBeepKind::bkDefault});
}

TEST_F(TreeCommands, DeletionsConfirmDeleteAndSelectTheNeighbour) {
    TRefusingFileSystem Refusing;
    struct TCase {
        std::string Node;
        bool Answer, Refuse;
        Strings Messages;     // texts of the message boxes, "<home>" for the home folder
        std::string Selected; // afterwards; empty when the node stays selected
    };
    const std::string Sure = "を削除します\r\nよろしいですか？";
    const TCase Cases[] = {
        {"b.htm", false, false, {"'b.htm'" + Sure}, ""},
        {"b.htm", true, true, {"'b.htm'" + Sure, "ファイルを削除できませんでした"}, ""},
        {"docs/deep",
         true,
         true,
         {"フォルダ'deep'" + Sure, "<home>docs/deep/\r\nの削除に失敗しました"},
         ""},
        {"a.html/top",
         true,
         false,
         {"フォルダ'top'" + Sure, "<home>a.html/top/\r\nの削除に失敗しました"},
         ""},
        {"", true, false, {"指定したアイテムは削除できません"}, ""},
        {"b.htm", true, false, {"'b.htm'" + Sure}, "index.html"},       // the node below
        {"index.html", true, false, {"'index.html'" + Sure}, "a.html"}, // else the one above
        {"img/logo.gif", true, false, {"'logo.gif'" + Sure}, "img"},    // else the parent
        {"docs/deep", true, false, {"フォルダ'deep'" + Sure}, "guide.html"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Node + (C.Refuse ? " refused" : ""));
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
        T.Host.Answer = C.Answer;
        T.Run.FileSystem = C.Refuse ? &Refusing : &TFileSystem::Real();
        const int Files = T.Run.FileObjects.Count(), Folders = int(T.Run.FolderNodes.size());
        const int Nodes = T.Run.Tree.NodeCount();
        TTreeNode& Node = At(C.Node);
        const int SubtreeNodes = CountNodes(Node);
        T.Run.Tree.Select(&Node);
        DeleteSelectedItem(T.Run);

        Strings Texts;
        for (const auto& M : T.Host.Messages)
            Texts.push_back(ReplaceAll(M.Text, Dir.Path(), "<home>"));
        EXPECT_EQ(Texts, C.Messages);
        const bool Asked = C.Node != "";
        EXPECT_EQ(T.Host.Beeps.size(), Asked ? 1u : 0u);
        if (Asked) {
            EXPECT_EQ(T.Host.Beeps[0], TBeepKind::bkQuestion);
            EXPECT_EQ(T.Host.Messages[0].Kind, TMessageKind::mkQuestion);
        }
        if (C.Selected.empty()) { // nothing changed
            EXPECT_EQ(T.Run.Tree.Selected(), &Node);
            EXPECT_EQ(T.Run.Tree.NodeCount(), Nodes);
            EXPECT_EQ(T.Run.FileObjects.Count(), Files);
            EXPECT_EQ(int(T.Run.FolderNodes.size()), Folders);
            continue;
        }
        EXPECT_FALSE(FileExists(Dir.Path() + C.Node) || DirExists(Dir.Path() + C.Node));
        ASSERT_NE(T.Run.Tree.Selected(), nullptr);
        EXPECT_EQ(T.Run.Tree.Selected()->Text, C.Selected);
        EXPECT_EQ(T.Run.Tree.NodeCount(), Nodes - SubtreeNodes);
        for (const auto& F : T.Run.FileObjects) // nothing outlives its file or folder
            EXPECT_TRUE(FileExists(F->Path)) << F->Path;
        for (const TTreeNode* Folder : T.Run.FolderNodes)
            EXPECT_TRUE(DirExists(Dir.Path() + PathOf(*Folder))) << PathOf(*Folder);
    }
}

TEST_F(TreeCommands, DeletedFilesLeaveTheProjectAndLaterRuns) {
    Select("docs/guide.html");
    ToggleTopMark(T.Run);
    File("docs/deep/er/x.html").SetIgnored(true);
    Select("docs/Index.HTML");
    ToggleTopMark(T.Run);
    Select("index.html");
    ToggleTopMark(T.Run);
    ASSERT_EQ(T.Run.CurrentProject.TopFiles.size(), 3u);

    Select("docs");
    DeleteSelectedItem(T.Run);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{Upper("index.html")});
    EXPECT_TRUE(T.Run.CurrentProject.IgnoreFiles.Empty());
    EXPECT_EQ(T.Run.CurrentProject.TopFileView().Count(), 1);
    EXPECT_EQ(T.Run.FileObjects.Count(), 4);
    EXPECT_EQ(T.Run.FolderNodes.size(), 2u); // empty, img

    RemoveAllTopMarks(T.Run);
    for (const auto& F : T.Run.FileObjects)
        EXPECT_EQ(F->ReachState, rsUnreached) << F->Path;
    EXPECT_EQ(At("a.html/top").StateIndex, pic::NotReached);
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    EXPECT_NE(std::find(T.Host.StatusTexts.begin(), T.Host.StatusTexts.end(), "TOPマークの削除中"),
              T.Host.StatusTexts.end());
    EXPECT_EQ(T.Run.Tree.Selected(), &T.Run.Tree.Root());
    EXPECT_EQ(T.Run.BusyCount, 0);

    Select("a.html");
    ToggleTopMark(T.Run);
    File("b.htm").SetIgnored(true);
    T.Host.OnPump = [](TRunContext& Run, int) { Run.Halted = true; };
    RemoveAllTopMarks(T.Run); // halted: the files keep their states, the TOP list is cleared
    EXPECT_EQ(File("a.html").ReachState, rsTop);
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    EXPECT_FALSE(T.Run.Halted);
}

} // namespace
