#include "analysis/BackLinks.h"

#include "analysis/RunContext.h"
#include "support/FoldedText.h"

namespace orvel {

TBackLinks::TBackLinks(const TRunContext& Run) {
    const TOrvelProject& Project = Run.CurrentProject;
    std::string Room, Resolved, Joined;
    for (const auto& File : Run.FileObjects) {
        for (const std::string& Link : File->ValidLinks) {
            if (Link.find("://") != std::string::npos) continue; // a local file outside the site
            const TLinkParts Split = File->SplitLink(std::string_view(Link), Room);
            Project.ResolveLinkInto(Resolved, Joined, File->Path, Split.Target);
            const TFileObject* Target =
                Run.FileObjects.FindByPath(Resolved, Run.Settings.IgnoreCase);
            if (!Target || Target == File.get()) continue;
            ByTarget[Target].push_back({File.get(), std::string(Split.Anchor)});
        }
    }
}

std::vector<const TFileObject*> TBackLinks::LinkingFiles(const TFileObject& Target) const {
    std::vector<const TFileObject*> Files;
    if (const auto Found = ByTarget.find(&Target); Found != ByTarget.end())
        for (const TBackLink& Link : Found->second)
            if (Files.empty() || Files.back() != Link.From) Files.push_back(Link.From);
    return Files;
}

std::vector<const TFileObject*> TBackLinks::LinkingFiles(const TFileObject& Target,
                                                         std::string_view Anchor) const {
    std::vector<const TFileObject*> Files;
    if (const auto Found = ByTarget.find(&Target); Found != ByTarget.end())
        for (const TBackLink& Link : Found->second)
            if (FoldedEqual(Link.Anchor, Anchor) && (Files.empty() || Files.back() != Link.From))
                Files.push_back(Link.From);
    return Files;
}

} // namespace orvel
