#include "analysis/SiteUpdate.h"

#include "analysis/Reachability.h"
#include "analysis/RunContext.h"

#include <algorithm>

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
        for (const auto& Anchor : File->Node->Children) {
            Run.Tree.SetImage(*Anchor, pic::Empty);
            Run.Tree.SetStateImage(*Anchor, pic::NotReached);
        }
    }
    MarkReachability(Run);
    Run.Tree.Select(Selected);
    Run.Tree.EndUpdate();
    Run.EndBusy();
    if (Selected)
        Run.Host.ShowLinkLists(*Selected);
    else
        Run.Host.ClearLinkLists();
}

} // namespace orvel
