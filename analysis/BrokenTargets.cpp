#include "analysis/BrokenTargets.h"

#include "analysis/BrowserLink.h"
#include "analysis/RunContext.h"

#include <algorithm>
#include <unordered_map>

namespace orvel {

namespace {

// What an invalid link of a page names, as the rules in force resolve it.
std::string TargetOf(const TRunContext& Run, const TFileObject& Page, const std::string& Link) {
    std::string Path, Anchor;
    if (Run.Settings.ModernHTML) {
        TBrowserLink Read;
        ReadBrowserLink(Page, Link, Read);
        if (Read.Kind == TBrowserLinkKind::bkExternal ||
            Read.Kind == TBrowserLinkKind::bkOnlyQuery ||
            Read.Kind == TBrowserLinkKind::bkUnreachable)
            return Link;
        Path = std::move(Read.Path);
        Anchor = std::move(Read.Anchor);
    } else {
        if (Link.find("://") != std::string::npos) return Link; // a "file://" link
        std::string Room, Joined;
        const TLinkParts Split = Page.SplitLink(std::string_view(Link), Room);
        Run.CurrentProject.ResolveLinkInto(Path, Joined, Page.Path, Split.Target);
        Anchor = Split.Anchor;
    }
    std::string Target(Run.CurrentProject.RelativeToHome(Path));
    if (!Anchor.empty()) Target += "#" + Anchor;
    return Target;
}

} // namespace

const std::string& TBrokenLink::Link() const {
    return Page->InvalidLinks[Invalid];
}

std::vector<TBrokenTarget> BrokenTargets(const TRunContext& Run) {
    std::vector<TBrokenTarget> Targets;
    std::unordered_map<std::string, size_t> ByTarget;
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        TFileObject& Page = Run.FileObjects[F];
        for (int I = 0; I < Page.InvalidLinks.Count(); ++I) {
            const std::string& Link = Page.InvalidLinks[I];
            std::string Target = TargetOf(Run, Page, Link);
            auto [At, New] = ByTarget.emplace(std::move(Target), Targets.size());
            if (New) Targets.push_back({At->first, {}, 0, 0});
            TBrokenTarget& Broken = Targets[At->second];
            if (Broken.Links.empty() || Broken.Links.back().Page != &Page) ++Broken.Pages;
            Broken.Links.push_back({&Page, F, I});
            const size_t Owner = static_cast<size_t>(Page.InvalidLinks.OwnerIndex(I));
            Broken.Places +=
                Owner < Page.LinkCounts.size() ? static_cast<int>(Page.LinkCounts[Owner]) : 1;
        }
    }
    std::stable_sort(Targets.begin(), Targets.end(),
                     [](const TBrokenTarget& A, const TBrokenTarget& B) {
                         if (A.Links.size() != B.Links.size())
                             return A.Links.size() > B.Links.size();
                         return A.Target < B.Target;
                     });
    return Targets;
}

} // namespace orvel
