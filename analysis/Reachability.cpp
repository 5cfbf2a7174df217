#include "analysis/Reachability.h"

#include "analysis/NodePictures.h"
#include "analysis/RunContext.h"
#include "support/Translation.h"

#include <vector>

namespace orvel {

namespace {
bool IsProblemFile(const TFileObject& File) {
    return !File.Ignored &&
           (File.ReachState == rsUnreached || (File.Kind == fkHtml && File.Flagged));
}

} // namespace

void ReachFrom(TRunContext& Run, TTreeNode& FileNode) {
    // An explicit stack in place of recursion: each frame is a file and its next link.
    struct TFrame {
        TFileObject* File;
        int NextLink;
    };
    std::vector<TFrame> Stack;
    const auto Enter = [&](TFileObject& File) {
        Run.Pump();
        File.SetReachState(rsReached);
        Stack.push_back({&File, 0});
    };
    Enter(*FileNode.Data);
    while (!Stack.empty()) {
        TFrame& Frame = Stack.back();
        if (Frame.NextLink >= Frame.File->ValidLinks.Count()) {
            Stack.pop_back();
            continue;
        }
        // Where the classification found the link to lead.
        const size_t Link = static_cast<size_t>(Frame.NextLink++);
        Run.Pump();
        if (Run.Halted) return; // ends this file's loop and every loop further up
        TFileObject* Target = Run.FileObjects.BySequence(Frame.File->ValidTargets[Link]);
        if (!Target || Target->Ignored) continue; // the linking file keeps its state
        Target->MarkAnchorReached(Frame.File->ValidAnchors[Link]);
        if (Target->ReachState == rsUnreached) Enter(*Target);
    }
}

void ReachFromTopFiles(TRunContext& Run) {
    if (Run.Halted) return;
    // Entries whose file is gone leave the project first, in one pass.
    std::vector<TTreeNode*> Tops;
    Run.CurrentProject.KeepTopFiles([&](const std::string& Entry) {
        TTreeNode* Node = FindEntryNode(Run, Run.CurrentProject.SpellingOf(Entry));
        if (Node) Tops.push_back(Node);
        return Node != nullptr;
    });
    for (TTreeNode* Node : Tops) {
        ReachFrom(Run, *Node);
        Node->Data->SetReachState(rsTop);
    }
    Run.Tree.Select(&Run.Tree.Root());
}

void ApplyIgnoreFiles(TRunContext& Run) {
    if (Run.Halted) return;
    std::vector<TTreeNode*> Ignored;
    Run.CurrentProject.KeepIgnoreFiles([&](const std::string& Entry) {
        TTreeNode* Node = FindEntryNode(Run, Run.CurrentProject.SpellingOf(Entry));
        if (Node) Ignored.push_back(Node);
        return Node != nullptr;
    });
    for (TTreeNode* Node : Ignored)
        Node->Data->SetIgnored(true);
}

void MarkFolderChain(TRunContext& Run, TTreeNode* Folder) {
    for (TTreeNode* Node = Folder; Node; Node = Node->Parent) {
        Run.Pump();
        if (!Node->Parent || Node->Problem) return;
        ShowFolderProblem(Run.Tree, *Node, true);
    }
}

void ColorFolders(TRunContext& Run) {
    Run.BeginBusy();
    Run.SetStatusText(Tr("フォルダの色をセット中"));
    long long N = 0;
    for (TTreeNode* Folder : Run.FolderNodes) {
        Run.Pump();
        if (Run.Halted) break;
        Run.SetCount(N++);
        ShowFolderProblem(Run.Tree, *Folder, false);
    }
    N = 0;
    for (const auto& File : Run.FileObjects) {
        Run.Pump();
        if (Run.Halted) break;
        Run.SetCount(N++);
        if (IsProblemFile(*File)) MarkFolderChain(Run, File->Node->Parent);
    }
    Run.SetStatusText("");
    Run.EndBusy();
}

void MarkReachability(TRunContext& Run) {
    Run.BeginBusy();
    Run.Tree.BeginUpdate();
    ReachFromTopFiles(Run);
    ApplyIgnoreFiles(Run);
    for (const auto& File : Run.FileObjects)
        File->UpdateImage();
    ColorFolders(Run);
    Run.Tree.EndUpdate();
    Run.EndBusy();
    Run.SetStatusText("");
}

void MarkSelectedTop(TRunContext& Run) {
    TTreeNode* Selected = Run.Tree.Selected();
    if (!Selected || !Selected->Data) return;
    TFileObject& File = *Selected->Data;
    Run.SetStatusText(Tr("ファイルの依存関係をチェック中"));

    Run.BeginBusy();
    Run.Tree.BeginUpdate();
    ReachFrom(Run, *Selected);
    File.SetReachState(rsTop);
    File.SetIgnored(false);
    Run.CurrentProject.AddTopFile(File.Path);
    Run.CurrentProject.RemoveIgnoreFile(File.Path);
    MarkReachability(Run);
    Run.SetStatusText("");
    Run.Tree.EndUpdate();
    Run.EndBusy();
}

} // namespace orvel
