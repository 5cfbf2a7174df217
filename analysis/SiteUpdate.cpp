#include "analysis/SiteUpdate.h"

#include "analysis/NodePictures.h"
#include "analysis/Reachability.h"
#include "analysis/RunContext.h"

#include <algorithm>
#include <optional>

namespace orvel {

void UpdateAfterChange(TRunContext& Run, const TSiteChange& Change) {
    Run.BeginBusy();
    Run.Tree.BeginUpdate();
    TTreeNode* Selected = Run.Tree.Selected();
    for (TFileObject* Page : Change.Changed)
        Page->ReadAgain();
    if (Run.Tree.Selected() != Selected) Selected = Run.Tree.Selected(); // an anchor read anew
    std::vector<std::uint64_t> Touched = Change.Gone;
    for (const TFileObject* Page : Change.Changed)
        Touched.push_back(Page->Sequence);
    std::sort(Touched.begin(), Touched.end());
    for (const auto& File : Run.FileObjects) {
        const bool Affected = std::binary_search(Touched.begin(), Touched.end(), File->Sequence) ||
                              File->LinksToAny(Touched);
        if (!Affected || File->Kind != fkHtml) continue;
        Run.InvalidLinkTotal -= File->InvalidLinks.Count();
        Run.InvalidLinkFileCount -= !File->InvalidLinks.Empty();
        File->ClassifyLinks();
    }
    // What is reached is marked anew from nothing reached, as a check marks it.
    for (const auto& File : Run.FileObjects) {
        File->SetReachState(rsUnreached);
        File->ForgetReachedAnchors(true);
    }
    MarkReachability(Run);
    Run.Tree.Select(Selected);
    Run.Tree.EndUpdate();
    Run.ShowFileCount();
    Run.EndBusy();
    Run.Host.ResultsChanged(Selected);
}

TDiskChanges FindDiskChanges(const TRunContext& Run, std::vector<std::string> Paths) {
    const TPathStyle Style = Run.PathStyle();
    std::sort(Paths.begin(), Paths.end());
    Paths.erase(std::unique(Paths.begin(), Paths.end()), Paths.end());
    TDiskChanges Changes;
    for (const std::string& Path : Paths) {
        if (Path.empty() || Path.ends_with(PathSeparator(Style))) {
            Changes.Unknown = true;
        } else if (TFileObject* File = Run.FileObjects.FindByPath(Path, false)) {
            const std::optional<TFileStamp> Now = StampOf(Path);
            if (!Now && !Run.FileSystem->IsSpecialEntry(Path))
                Changes.Gone.push_back(File);
            else if (Now && File->Kind == fkHtml && *Now != File->Stamp)
                Changes.Changed.push_back(File);
        } else if (BareFileName(Path, Style).starts_with('.')) {
            // Hidden entries, editors' swap and lock files among them, come and go while a page
            // is edited: they are shown from the next check on.
        } else if (DirExists(Path)) {
            Changes.Unknown |=
                !Run.CurrentProject.IsIgnoredFolder(IncludeTrailingSeparator(Path, Style));
        } else if (Run.FileSystem->IsSpecialEntry(Path) || FileExists(Path)) {
            Changes.Unknown |= !Run.CurrentProject.MatchesWildCard(BareFileName(Path, Style),
                                                                   Run.Settings.IgnoreCase);
        }
    }
    return Changes;
}

void ApplyDiskChanges(TRunContext& Run, const TDiskChanges& Changes) {
    TSiteChange Change{Changes.Changed, {}};
    // One row leaves a view at once; several are cheaper to show in one rebuild.
    const bool Several = Changes.Gone.size() > 1;
    Run.BeginBusy();
    if (Several) Run.Tree.BeginUpdate();
    for (TFileObject* File : Changes.Gone) {
        Change.Gone.push_back(File->Sequence);
        TTreeNode* Node = File->Node;
        DisposeFileObject(*File);
        Run.Tree.Delete(*Node);
    }
    UpdateAfterChange(Run, Change);
    if (Several) Run.Tree.EndUpdate();
    Run.EndBusy();
}

} // namespace orvel
