#include "analysis/FileObject.h"

#include "analysis/LinkDiagnosis.h"
#include "analysis/NodePictures.h"
#include "analysis/PageReader.h"
#include "analysis/RunContext.h"
#include "support/CodePage.h"
#include "support/Translation.h"

#include <algorithm>

namespace orvel {

TFileObject& TFileObject::Create(TRunContext& Run, TTreeNode& Node) {
    return Run.FileObjects.Append(std::make_unique<TFileObject>(Run, Node));
}

TFileObject::TFileObject(TRunContext& Context, TTreeNode& FileNode)
    : Node(&FileNode), Run(Context) {
    SetIgnored(false);
    SetFlagged(true);
    SetReachState(rsUnreached);
}

void TFileObject::SetPath(const std::string& NewPath, TReadPage* ReadAhead) {
    const TPathStyle Style = Run.PathStyle();
    Run.FileObjects.Unindex(*this);
    Path = NewPath;
    NameHash = FileNameHash(Path, Style); // with the path, for the index
    Run.FileObjects.Reindex(*this);
    Kind = FileKindOf(AnsiUpperCase(ExtractExtension(Path, Style)), Run.Settings.ExtListHTML,
                      Run.Settings.ExtListImg);
    ShowFileKind(Run.Tree, *Node, Kind);
    if (Kind == fkHtml) {
        if (!(Run.Settings.IgnoreHTMLInfo && Run.CurrentProject.IsIgnoreFile(Path))) {
            if (ReadAhead)
                TakeReadAhead(*ReadAhead);
            else
                ExtractLinks();
            SetFlagged(true);
        }
    }
}

void TFileObject::ExtractLinks() {
    // Sockets, FIFOs, devices and dangling links are files of the site that are never read.
    if (Run.FileSystem->IsSpecialEntry(Path)) return;
    TRunExtractProgress Progress(Run, BareFileName(Path, Run.PathStyle()));
    std::string Buffer;
    TReadPage Page = ReadPage(Path, ExtractOptionsOf(Run.Settings), Progress, Buffer);
    TakePage(Page);
}

void TFileObject::ShowAnchors() {
    AnchorsReached.assign(static_cast<size_t>(Anchors.Count()), false);
    if (!Run.Host.ShowsAnchors()) return;
    // Nodes that name the anchors already stay, with their selection: the tree keeps its rows.
    const bool Shown = std::equal(
        Anchors.begin(), Anchors.end(), Node->Children.begin(), Node->Children.end(),
        [](const std::string& Anchor, const auto& Child) { return Anchor == Child->Text; });
    if (!Shown) {
        // A selected anchor stays selected where the page still has it, else the page does.
        const TTreeNode* Selected = Run.Tree.Selected();
        const std::string SelectedAnchor =
            Selected && Selected->Parent == Node ? Selected->Text : std::string();
        const auto Old = Run.Tree.TakeChildren(*Node);
        if (Selected && Selected->Parent == Node) Run.Tree.Select(Node);
        for (const std::string& Anchor : Anchors) {
            TTreeNode& AnchorNode = Run.Tree.AddChild(*Node, Anchor);
            if (!SelectedAnchor.empty() && Anchor == SelectedAnchor) Run.Tree.Select(&AnchorNode);
        }
    }
    for (const auto& AnchorNode : Node->Children)
        ShowAnchorAsRead(Run.Tree, *AnchorNode);
}

void TFileObject::MarkAnchorReached(int Anchor) {
    if (Anchor < 0 || static_cast<size_t>(Anchor) >= AnchorsReached.size()) return;
    AnchorsReached[static_cast<size_t>(Anchor)] = true;
    if (Anchor < Node->Count()) ShowAnchorReached(Run.Tree, *Node->Item(Anchor));
}

void TFileObject::ForgetReachedAnchors(bool AsRead) {
    AnchorsReached.assign(AnchorsReached.size(), false);
    for (const auto& AnchorNode : Node->Children)
        AsRead ? ShowAnchorAsRead(Run.Tree, *AnchorNode)
               : ShowAnchorNotReached(Run.Tree, *AnchorNode);
}

void TFileObject::ReadAgain() {
    if (Kind != fkHtml || (Run.Settings.IgnoreHTMLInfo && Run.CurrentProject.IsIgnoreFile(Path)))
        return;
    ExtractLinks();
    ShowAnchors();
    Run.FileObjects.Changed();
}

void TFileObject::TakeReadAhead(TReadPage& Page) {
    if (Page.Read) {
        TRunExtractProgress Progress(Run, BareFileName(Path, Run.PathStyle()));
        for (TExtractStage Stage :
             {TExtractStage::esComments, TExtractStage::esLinks, TExtractStage::esAnchors}) {
            Progress.StageBegins(Stage);
            Run.Pump(); // the file is taken whole: a halt ends the scan before the next one
        }
    }
    TakePage(Page);
}

void TFileObject::TakePage(TReadPage& Page) {
    // A file that cannot be read has no links; the reader's message, where it has one, says so.
    if (const std::string Message = ReadFailureMessage(Page.Failure, Path); !Message.empty()) {
        Run.ShowMessageBox(TMessageKind::mkError, Message);
        Run.Unread.push_back({Path, Message.substr(0, Message.find("\r\n"))}); // without the path
    }
    Charset = Page.Charset;
    Stamp = Page.Stamp;
    Links = std::move(Page.Links);
    LinkOffsets = std::move(Page.Found.LinkOffsets);
    LinkCounts = std::move(Page.Found.LinkCounts);
    Anchors = std::move(Page.Anchors);
    Html5Ids = std::move(Page.Html5Ids);
    BaseHref = std::move(Page.Found.Base);
    AnchorKeys = std::move(Page.AnchorKeys);
}

void TFileObject::SetIgnored(bool Value) {
    Ignored = Value;
    ShowIgnored(Run.Tree, *Node, Value);
    if (Value) {
        SetReachState(rsReached);
        Run.CurrentProject.AddIgnoreFile(Path);
    } else {
        Run.CurrentProject.RemoveIgnoreFile(Path);
    }
}

void TFileObject::SetReachState(TReachState Value) {
    ShowReachState(Run.Tree, *Node, Value);
    ReachState = Value;
}

void TFileObject::SetFlagged(bool Value) {
    ShowFlagged(Run.Tree, *Node, Value);
    Flagged = Value;
}

void TFileObject::UpdateImage() {
    Run.BeginBusy();
    Run.SetStatusText(std::string_view(Path).substr(BareFileNameStart(Path, Run.PathStyle())),
                      Tr(" - ファイルイメージのセット中"));

    if (Kind == fkHtml) {
        // A halted run has not seen the files it did not reach: links to them say nothing.
        if (Run.Halted ? CheckedInvalidLinks(*this) > 0 : !InvalidLinks.Empty()) {
            SetFlagged(true);
        } else {
            SetFlagged(Run.Settings.AnchorMakesFileBlue &&
                       std::ranges::find(AnchorsReached, false) != AnchorsReached.end());
        }
    }
    ShowSelectedLikeImage(Run.Tree, *Node);
    Run.EndBusy();
}

TTreeNode* FindNodeByPath(const TRunContext& Run, const std::string& Path, bool IgnoreCase) {
    TFileObject* Object = Run.FileObjects.FindByPath(Path, IgnoreCase);
    return Object ? Object->Node : nullptr;
}

TTreeNode* FindEntryNode(const TRunContext& Run, const std::string& Path) {
    if (TFileObject* Exact = Run.FileObjects.FindByPath(Path, false)) return Exact->Node;
    int Matches = 0;
    TFileObject* Object = Run.FileObjects.FindByPath(Path, true, &Matches);
    return Object && Matches == 1 ? Object->Node : nullptr;
}

void DisposeFileObject(TFileObject& Object) {
    DisposeFileObjects(Object.Run, {&Object});
}

void DisposeFileObjects(TRunContext& Run, const std::vector<TFileObject*>& Objects) {
    for (const TFileObject* Object : Objects)
        Run.CurrentProject.ForgetFile(Object->Path);
    Run.FileObjects.Destroy(Objects);
}

} // namespace orvel
