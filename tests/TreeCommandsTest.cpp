// Deleting from the tree and what later commands see of it. The commands' other effects are
// driven through the window in tests/gui/MainWindowCommandsTest.cpp.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/NodePictures.h"
#include "analysis/TreeCommands.h"
#include "support/CodePage.h"

#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

class TreeCommands : public ::testing::Test {
protected:
    TreeCommands() {
        Dir.WriteSite(
            {{"index.html", "<a href=a.html><a href=docs/guide.html><a href=b.html><a href=B.htm>"},
             {"a.html", "<a name=top><a href=a.html>"},
             {"b.htm", ""},
             {"docs/guide.html", "<a href=../a.html><a href=../a.html#top>"},
             {"docs/Index.HTML", ""},
             {"docs/deep/er/x.html", ""},
             {"docs/deep/y.gif", ""},
             {"img/logo.gif", ""}});
        OpenFolder(T.Run, Dir.Path());
    }
    TTreeNode& At(const std::string& Relative) { return *NodeAt(T.Run.Tree, Relative); }
    void Select(const std::string& Relative) { T.Run.Tree.Select(&At(Relative)); }

    TTempDir Dir;
    TTestRun T;
};

TEST_F(TreeCommands, DeletionsConfirmDeleteAndSelectTheNeighbour) {
    TRefusingFileSystem Refusing;
    // A trash that takes nothing: deleting for good needs a Yes to its own question.
    struct TFullTrash : TFileSystem {
        bool HasTrash() const override { return true; }
        TTrashResult MoveToTrash(const std::string&) const override { return {false, "満杯"}; }
    } FullTrash;
    struct TCase {
        std::string Node;
        bool Answer, Refuse;
        Strings Messages;                        // "<home>" stands for the home folder
        std::string Selected;                    // afterwards; empty when nothing changed
        bool TrashFull = false, ForGood = false; // the answer to deleting for good
    };
    const std::string ForGood = "ゴミ箱に移動できません。完全に削除しますか?\r\n満杯";
    const std::string Sure = "を削除します\r\nよろしいですか？";
    // Two invalid links of one page would lead to b.htm once fixed.
    const std::string SureB =
        "'b.htm'を削除します\r\n1 個のファイルの無効リンクが修正するとこのファイルを指します\r\n"
        "よろしいですか？";
    const TCase Cases[] = {
        {"b.htm", false, false, {SureB}, ""},
        // The question names how many other files link to the file, each once.
        {"a.html",
         false,
         false,
         {"'a.html'を削除します\r\n2 "
          "個のファイルがこのファイルにリンクしています\r\nよろしいですか？"},
         ""},
        {"b.htm", true, true, {SureB, "ファイルを削除できませんでした"}, ""},
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
        {"b.htm", true, false, {SureB, ForGood}, "", true, false},          // No is the default
        {"b.htm", true, false, {SureB, ForGood}, "index.html", true, true}, // the node below
        {"index.html", true, false, {"'index.html'" + Sure}, "a.html"},     // else the one above
        {"img/logo.gif", true, false, {"'logo.gif'" + Sure}, "img"},        // else the parent
        {"docs/deep", true, false, {"フォルダ'deep'" + Sure}, "guide.html"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Node + (C.Refuse ? " refused" : ""));
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
        T.Host.Answer = C.Answer;
        T.Host.RiskyAnswer = C.ForGood;
        T.Run.FileSystem = C.TrashFull ? &FullTrash : C.Refuse ? &Refusing : &TFileSystem::Real();
        const int Nodes = T.Run.Tree.NodeCount(), Files = T.Run.FileObjects.Count();
        Select(C.Node);
        DeleteSelectedItem(T.Run);

        Strings Texts;
        for (const auto& M : T.Host.Messages)
            Texts.push_back(ReplaceAll(M.Text, Dir.Path(), "<home>"));
        EXPECT_EQ(Texts, C.Messages);
        // Each question's sound.
        EXPECT_EQ(T.Host.Beeps.size(), C.Node.empty() ? 0u : C.TrashFull ? 2u : 1u);
        if (C.TrashFull) {
            EXPECT_EQ(T.Host.Messages.back().Kind, TMessageKind::mkRiskyQuestion);
        }
        if (C.Selected.empty()) {
            EXPECT_EQ(T.Run.Tree.Selected(), &At(C.Node));
            EXPECT_EQ(T.Run.Tree.NodeCount(), Nodes);
            EXPECT_EQ(T.Run.FileObjects.Count(), Files);
            continue;
        }
        EXPECT_FALSE(FileExists(Dir.Path() + C.Node) || DirExists(Dir.Path() + C.Node));
        EXPECT_EQ(T.Run.Tree.Selected()->Text, C.Selected);
        for (const auto& F : T.Run.FileObjects) // nothing outlives its file or folder
            EXPECT_TRUE(FileExists(F->Path)) << F->Path;
        for (const TTreeNode* Folder : T.Run.FolderNodes)
            EXPECT_TRUE(DirExists(Dir.Path() + PathOf(*Folder))) << PathOf(*Folder);
    }
}

TEST_F(TreeCommands, DeletedFilesLeaveTheProjectAndLaterRuns) {
    for (const char* Top : {"docs/guide.html", "docs/Index.HTML", "index.html"}) {
        Select(Top);
        ToggleTopMark(T.Run);
    }
    At("docs/deep/er/x.html").Data->SetIgnored(true);
    Select("docs");
    DeleteSelectedItem(T.Run);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{AnsiUpperCase(Dir.Path() + "index.html")});
    EXPECT_TRUE(T.Run.CurrentProject.IgnoreFiles.Empty());
    EXPECT_EQ(T.Run.FileObjects.Count(), 4);
    EXPECT_EQ(T.Run.FolderNodes.size(), 1u);

    T.Host.Answer = false; // asked first
    RemoveAllTopMarks(T.Run);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles.size(), 1u);
    EXPECT_EQ(T.Host.Messages.back().Text,
              "1 個のTOPマークをすべて消しますか\r\n(元に戻す: Ctrl+Z)");
    T.Host.Answer = true;
    RemoveAllTopMarks(T.Run);
    UndoLastStep(T.Run);
    EXPECT_EQ(T.Run.CurrentProject.TopFiles, Strings{AnsiUpperCase(Dir.Path() + "index.html")});
    EXPECT_EQ(At("index.html").Data->ReachState, rsTop);
    EXPECT_TRUE(T.Run.UndoSteps.empty());
    RemoveAllTopMarks(T.Run);
    for (const auto& F : T.Run.FileObjects)
        EXPECT_EQ(F->ReachState, rsUnreached) << F->Path;
    EXPECT_EQ(At("a.html/top").StateIndex, pic::NotReached);
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    EXPECT_EQ(T.Run.Tree.Selected(), &T.Run.Tree.Root());
    EXPECT_EQ(T.Run.BusyCount, 0);

    Select("a.html");
    ToggleTopMark(T.Run);
    T.Host.OnPump = [](TRunContext& Run, int) { Run.Halted = true; };
    RemoveAllTopMarks(T.Run); // halted: the files keep their marks, the TOP list is cleared
    EXPECT_EQ(At("a.html").Data->ReachState, rsTop);
    EXPECT_TRUE(T.Run.CurrentProject.TopFiles.empty());
    EXPECT_FALSE(T.Run.Halted);
}

} // namespace
