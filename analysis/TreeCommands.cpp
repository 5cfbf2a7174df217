#include "analysis/TreeCommands.h"

#include "analysis/BackLinks.h"
#include "analysis/NodePictures.h"
#include "analysis/Reachability.h"
#include "analysis/RunContext.h"
#include "analysis/SiteUpdate.h"
#include "support/Assertion.h"
#include "support/CodePage.h"
#include "support/Translation.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace orvel {

namespace {
const char* const UnitName = "TreeCommands";

// True when the user confirmed the question, asked after the question sound.
bool Confirmed(TRunContext& Run, const std::string& Question) {
    Run.Host.Beep(TBeepKind::bkQuestion);
    return Run.Host.ShowMessageBox(TMessageKind::mkQuestion, Question);
}

void ShowError(TRunContext& Run, const std::string& Text) {
    Run.Host.ShowMessageBox(TMessageKind::mkError, Text);
}

// The node that takes the selection when Node leaves the tree.
TTreeNode* NodeAfterDeletion(const TTreeNode& Node) {
    const TTreeNode& Parent = *Node.Parent;
    if (Node.Row + 1 < Parent.Count()) return Parent.Item(Node.Row + 1);
    if (Node.Row > 0) return Parent.Item(Node.Row - 1);
    return Node.Parent;
}

// Removes a node with everything below it from the tree, selects its neighbour and brings the
// results up to date, in one busy section: the neighbour's link lists are filled once, from the
// new results.
void RemoveAndUpdate(TRunContext& Run, TTreeNode& Node, const TSiteChange& Change) {
    Run.BeginBusy();
    TTreeNode* Next = NodeAfterDeletion(Node);
    Run.Tree.Delete(Node);
    Run.Tree.Select(Next);
    UpdateAfterChange(Run, Change);
    Run.EndBusy();
}

std::vector<TFileObject*> FileObjectsBelow(TTreeNode& Top) {
    std::vector<TFileObject*> Objects;
    std::vector<TTreeNode*> Stack{&Top};
    while (!Stack.empty()) {
        TTreeNode* Node = Stack.back();
        Stack.pop_back();
        if (Node->Data) Objects.push_back(Node->Data);
        for (const auto& Child : Node->Children)
            Stack.push_back(Child.get());
    }
    return Objects;
}

bool IsWithin(const TTreeNode* Node, const TTreeNode& Top) {
    for (; Node; Node = Node->Parent)
        if (Node == &Top) return true;
    return false;
}

// The folder a node stands for: the home folder followed by the node's and its ancestors'
// texts, each ending in a separator.
std::string FolderPathOf(const TRunContext& Run, const TTreeNode& Node) {
    const char Separator = PathSeparator(Run.PathStyle());
    std::string Relative;
    for (const TTreeNode* N = &Node; N->Parent; N = N->Parent)
        Relative = N->Text + Separator + Relative;
    return Run.CurrentProject.HomeDir + Relative;
}

enum class TRemoval { rmGone, rmKept, rmFailed };

// Removes a file or folder: into the trash where the file system has one, else, or where the
// trash cannot take it, for good once the user agrees to that.
TRemoval Remove(TRunContext& Run, const std::string& Path, bool Folder) {
    const TFileSystem& Files = *Run.FileSystem;
    if (Files.HasTrash()) {
        const TTrashResult Trash = Files.MoveToTrash(Path);
        if (Trash.Moved) return TRemoval::rmGone;
        Run.Host.Beep(TBeepKind::bkExclamation);
        if (!Run.Host.ShowMessageBox(TMessageKind::mkRiskyQuestion,
                                     Tr("ゴミ箱に移動できません。完全に削除しますか?") + "\r\n" +
                                         Trash.Reason))
            return TRemoval::rmKept;
    }
    return (Folder ? Files.DeleteFolder(Path) : Files.DeleteFile(Path)) ? TRemoval::rmGone
                                                                        : TRemoval::rmFailed;
}

void DeleteFile(TRunContext& Run, TTreeNode& Node) {
    TFileObject& File = *Node.Data;
    // Who links to the file decides whether deleting it is safe. One pass over the links: after
    // any change the back-link index would first be built anew from all of them.
    const auto Linking =
        std::count_if(Run.FileObjects.begin(), Run.FileObjects.end(), [&](const auto& Other) {
            return Other.get() != &File && std::ranges::find(Other->ValidTargets, File.Sequence) !=
                                               Other->ValidTargets.end();
        });
    // And who would link to it once their invalid links are fixed as suggested.
    const int Fixing = PagesAmong(LinksFixedTo(Run, Run.Findings.Diagnoser(), File));
    if (!Confirmed(
            Run, "'" + BareFileName(File.Path, Run.PathStyle()) + Tr("'を削除します") + "\r\n" +
                     (Linking > 0 ? std::to_string(Linking) +
                                        Tr(" 個のファイルがこのファイルにリンクしています") + "\r\n"
                                  : std::string()) +
                     (Fixing > 0
                          ? std::to_string(Fixing) +
                                Tr(" 個のファイルの無効リンクが修正するとこのファイルを指します") +
                                "\r\n"
                          : std::string()) +
                     Tr("よろしいですか？")))
        return;
    const TRemoval Removal = Remove(Run, File.Path, false);
    if (Removal != TRemoval::rmGone) {
        if (Removal == TRemoval::rmFailed) ShowError(Run, Tr("ファイルを削除できませんでした"));
        return;
    }
    const std::uint64_t Gone = File.Sequence;
    DisposeFileObject(File);
    RemoveAndUpdate(Run, Node, {{}, {Gone}});
}

void DeleteFolder(TRunContext& Run, TTreeNode& Node) {
    if (!Confirmed(Run, Tr("フォルダ'") + Node.Text + Tr("'を削除します") + "\r\n" +
                            Tr("よろしいですか？")))
        return;
    const std::string Folder = FolderPathOf(Run, Node);
    const TRemoval Removal = Remove(Run, Folder, true);
    if (Removal != TRemoval::rmGone) {
        if (Removal == TRemoval::rmFailed)
            ShowError(Run, Folder + "\r\n" + Tr("の削除に失敗しました"));
        return;
    }
    const std::vector<TFileObject*> Doomed = FileObjectsBelow(Node);
    TSiteChange Change;
    for (const TFileObject* File : Doomed)
        Change.Gone.push_back(File->Sequence);
    DisposeFileObjects(Run, Doomed);
    std::erase_if(Run.FolderNodes, [&](const TTreeNode* F) { return IsWithin(F, Node); });
    RemoveAndUpdate(Run, Node, Change);
}

// Excludes every file whose key, upper-cased, equals that of the selected file.
void IgnoreAllLike(TRunContext& Run, const std::function<std::string(const std::string&)>& Key) {
    const TTreeNode* Node = Run.Tree.Selected();
    Assert(Node && Node->Data, UnitName);
    const std::string Wanted = AnsiUpperCase(Key(Node->Data->Path));
    Run.Tree.BeginUpdate();
    for (const auto& File : Run.FileObjects)
        if (AnsiUpperCase(Key(File->Path)) == Wanted) File->SetIgnored(true);
    UpdateAfterChange(Run);
    Run.Tree.EndUpdate();
}
} // namespace

void ToggleTopMark(TRunContext& Run) {
    TTreeNode* Node = Run.Tree.Selected();
    if (!Node || !Node->Data) {
        Run.Host.Beep(TBeepKind::bkDefault);
        return;
    }
    TFileObject& File = *Node->Data;
    if (Run.CurrentProject.IndexOfTopFile(File.Path) >= 0) {
        Run.CurrentProject.RemoveTopFile(File.Path);
        UpdateAfterChange(Run);
    } else if (File.Kind == fkHtml) {
        MarkSelectedTop(Run);
    }
}

void RemoveAllTopMarks(TRunContext& Run) {
    std::vector<std::string>& Tops = Run.CurrentProject.TopFiles;
    if (!Tops.empty() &&
        !Run.ShowMessageBox(TMessageKind::mkQuestion, std::to_string(Tops.size()) +
                                                          Tr(" 個のTOPマークをすべて消しますか") +
                                                          "\r\n" + Tr("(元に戻す: Ctrl+Z)")))
        return;
    std::vector<std::string> Removed;
    Removed.reserve(Tops.size());
    for (const std::string& Entry : Tops)
        Removed.push_back(Run.CurrentProject.SpellingOf(Entry));
    if (!Removed.empty()) Run.UndoSteps.push_back({{}, std::move(Removed)});
    Run.BeginBusy();
    Run.SetStatusText(Tr("TOPマークの削除中"));
    Run.Tree.BeginUpdate();
    for (const auto& File : Run.FileObjects) {
        Run.Pump();
        if (Run.Halted) break;
        File->SetReachState(rsUnreached);
        File->ForgetReachedAnchors(false);
    }
    Run.CurrentProject.ClearTopFiles();
    MarkReachability(Run);
    Run.Tree.EndUpdate();
    Run.SetStatusText("");
    Run.EndBusy();
}

void RestoreTopMarks(TRunContext& Run, const std::vector<std::string>& TopFiles) {
    Run.BeginBusy();
    for (const std::string& Path : TopFiles)
        if (Run.CurrentProject.IndexOfTopFile(Path) < 0) Run.CurrentProject.AddTopFile(Path);
    MarkReachability(Run);
    Run.EndBusy();
    Run.SetStatusText(Tr("TOPマークを元に戻しました"));
}

void ToggleExclusion(TRunContext& Run) {
    TTreeNode* Node = Run.Tree.Selected();
    if (!Node) return;
    Run.Tree.BeginUpdate();
    if (!Node->Data)
        IgnoreFolder(Run, *Node);
    else
        Node->Data->SetIgnored(!Node->Data->Ignored);
    UpdateAfterChange(Run);
    Run.Tree.EndUpdate();
}

void IgnoreFolder(TRunContext& Run, TTreeNode& Folder) {
    Assert(!Folder.Data, UnitName);
    for (const auto& Child : Folder.Children)
        if (Child->Data)
            Child->Data->SetIgnored(true);
        else
            IgnoreFolder(Run, *Child);
}

void IgnoreSameName(TRunContext& Run) {
    IgnoreAllLike(Run,
                  [&](const std::string& Path) { return BareFileName(Path, Run.PathStyle()); });
}

void IgnoreSameExtension(TRunContext& Run) {
    IgnoreAllLike(Run,
                  [&](const std::string& Path) { return ExtractExtension(Path, Run.PathStyle()); });
}

void DeleteSelectedItem(TRunContext& Run) {
    TTreeNode* Node = Run.Tree.Selected();
    if (!Node) return;
    if (!Node->Parent) {
        ShowError(Run, Tr("指定したアイテムは削除できません"));

        return;
    }
    if (Node->Data)
        DeleteFile(Run, *Node);
    else
        DeleteFolder(Run, *Node);
}

} // namespace orvel
