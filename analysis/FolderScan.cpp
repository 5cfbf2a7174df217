#include "analysis/FolderScan.h"

#include "analysis/ClassifyAll.h"
#include "analysis/FileObject.h"
#include "analysis/NodePictures.h"
#include "analysis/RunContext.h"
#include "analysis/ScanPipeline.h"
#include "support/Assertion.h"
#include "support/Translation.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orvel {

void ScanFolder(TRunContext& Run, const std::string& Folder, TTreeNode& Parent) {
    // The walk and the reading run ahead on a second thread; this one builds the tree and the
    // file objects in the walk's order, so a halt leaves exactly the files taken so far.
    TScanPipeline Pipeline(Folder, TScanRules::Of(Run));
    const auto Wait = std::max(Run.PumpInterval, std::chrono::milliseconds(1));
    std::vector<TTreeNode*> Parents{&Parent};
    TScanItem Item;
    for (;;) {
        const TScanPipeline::TNext Next = Pipeline.Next(Item, Wait);
        if (Next == TScanPipeline::TNext::nEnd) return;
        if (Next == TScanPipeline::TNext::nWaiting) {
            Run.PumpWhenDue();
            if (Run.Halted) return;
            continue;
        }
        if (Item.Kind == TScanItem::ikFolderEnd) {
            Parents.pop_back();
            continue;
        }
        Run.Pump();
        if (Run.Halted) return;
        if (Item.Kind == TScanItem::ikFolder) {
            TTreeNode& Node = Run.Tree.AddChild(*Parents.back(), std::move(Item.Name));
            ShowFolderProblem(Run.Tree, Node, true); // until the folders are coloured
            Run.FolderNodes.push_back(&Node);
            Parents.push_back(&Node);
            if (!Item.Note.empty()) {
                // Its files are those of the folder listed before; links through it lead there.
                const TPathStyle Style = Run.PathStyle();
                Run.FileObjects.AddFolderAlias(IncludeTrailingSeparator(Item.Path, Style),
                                               IncludeTrailingSeparator(Item.Note, Style));
                Run.Tree.MarkRepeat(Node, std::move(Item.Note));
            }
        } else if (Item.Kind == TScanItem::ikUnlisted) {
            Run.Unread.push_back({std::move(Item.Path), std::move(Item.Note)});
        } else {
            Run.SetStatusText(Item.Name, {});
            AddFile(Run, Item.Path, *Parents.back(), &Item.Page);
        }
    }
}

void AddFile(TRunContext& Run, const std::string& FilePath, TTreeNode& Parent,
             TReadPage* ReadAhead) {
    TTreeNode& Node = Run.Tree.AddChild(Parent, BareFileName(FilePath, Run.PathStyle()));
    TFileObject& Object = TFileObject::Create(Run, Node);
    Node.Data = &Object;
    Object.SetPath(FilePath, ReadAhead);
    Object.ShowAnchors();
    Object.SetReachState(rsUnreached);
    Run.ShowFileCount();
}

void ScanHomeFolder(TRunContext& Run, const std::string& HomeDir) {
    Run.BeginBusy();
    Run.Pump();
    Run.Tree.Select(nullptr);
    Run.Tree.BeginUpdate();
    // The previous tree is always removed whole, so no node outlives its file object; a halt
    // is honoured after it. Both are freed on another thread: a large site takes long to free.
    auto OldNodes = Run.Tree.TakeChildren(Run.Tree.Root());
    Run.Host.ResultsChanged(nullptr);
    auto OldObjects = Run.FileObjects.TakeAll();
    if (!OldNodes.empty() || !OldObjects.empty())
        Run.Leftovers.Free(std::make_pair(std::move(OldNodes), std::move(OldObjects)));
    Assert(Run.FileObjects.Empty(), "FolderScan");
    Run.FolderNodes.clear();
    Run.Unread.clear();
    if (!Run.Halted) ScanFolder(Run, HomeDir, Run.Tree.Root());
    // The count is set after each file; with none, the previous site's would stay.
    if (Run.FileObjects.Empty()) Run.ShowFileCount();
    Run.SetStatusText(Tr("リンク先の有無をチェック中"));

    ClassifyAll(Run);
    Run.Tree.Expand(Run.Tree.Root());
    Run.Tree.EndUpdate();
    Run.EndBusy();
}

} // namespace orvel
