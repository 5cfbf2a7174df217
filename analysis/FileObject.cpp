#include "analysis/FileObject.h"

#include "analysis/RunContext.h"
#include "support/CodePage.h"

namespace orvel {

TFileObject& TFileObject::Create(TRunContext& Run, TTreeNode& Node) {
    return Run.FileObjects.Append(std::make_unique<TFileObject>(Run, Node));
}

TFileObject::TFileObject(TRunContext& Run, TTreeNode& Node) : Node(&Node), Run(Run) {
    SetIgnored(false);
    SetFlagged(true);
    SetReachState(rsUnreached);
}

void TFileObject::SetPath(const std::string& NewPath) {
    Run.FileObjects.Unindex(*this);
    Path = NewPath;
    Run.FileObjects.Reindex(*this);
    const TPathStyle Style = Run.PathStyle();
    Kind = FileKindOf(AnsiUpperCase(ExtractExtension(Path, Style)), Run.Settings.ExtListHTML,
                      Run.Settings.ExtListImg);
    if (Kind == fkImage) Run.Tree.SetImage(*Node, pic::ImageFile);
    if (Kind == fkOther) Run.Tree.SetImage(*Node, pic::OtherFile);
    if (Kind == fkHtml) {
        if (!(Run.Settings.IgnoreHTMLInfo && Run.CurrentProject.IsIgnoreFile(Path))) {
            ExtractLinks();
            SetFlagged(true);
        }
    }
    NameHash = FileNameHash(Path, Style);
}

void TFileObject::SetIgnored(bool Value) {
    Ignored = Value;
    if (Value) {
        Run.Tree.SetOverlay(*Node, pic::ExcludedOverlay);
        SetReachState(rsReached);
        Run.CurrentProject.AddIgnoreFile(Path);
    } else {
        Run.Tree.SetOverlay(*Node, -1);
        Run.CurrentProject.RemoveIgnoreFile(Path);
    }
}

void TFileObject::SetReachState(TReachState Value) {
    static constexpr int StateImages[] = {pic::Empty, pic::NotReached, pic::TopMark};
    Run.Tree.SetStateImage(*Node, StateImages[Value]);
    ReachState = Value;
}

void TFileObject::SetFlagged(bool Value) {
    Run.Tree.SetImage(*Node, Value ? pic::BluePage : pic::HtmlPage);
    Flagged = Value;
}

void TFileObject::UpdateImage() {
    Run.BeginBusy();
    Run.SetStatusText(BareFileName(Path, Run.PathStyle()) + " - ファイルイメージのセット中");
    if (Kind == fkHtml) {
        if (!InvalidLinks.Empty()) {
            SetFlagged(true);
        } else {
            bool UnreachedAnchor = false;
            if (Run.Settings.AnchorMakesFileBlue)
                for (const auto& Child : Node->Children)
                    UnreachedAnchor = UnreachedAnchor || Child->StateIndex != pic::Empty;
            SetFlagged(UnreachedAnchor);
        }
    }
    Run.Tree.SetSelectedImage(*Node, Node->ImageIndex);
    Run.EndBusy();
}

TTreeNode* FindNodeByPath(const TRunContext& Run, const std::string& Path, bool IgnoreCase) {
    TFileObject* Object = Run.FileObjects.FindByPath(Path, IgnoreCase);
    return Object ? Object->Node : nullptr;
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
