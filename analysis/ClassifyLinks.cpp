// Link classification: every extracted link becomes valid, invalid or external.
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "analysis/UrlToPath.h"
#include "support/CodePage.h"

namespace orvel {

namespace {
bool IsUrlLink(const std::string& Link) {
    if (Link.find("://") != std::string::npos) return true;
    const std::string Upper = AnsiUpperCase(Link);
    return Upper.find("MAILTO:") != std::string::npos || Upper.find("NEWS:") != std::string::npos;
}
} // namespace

TSplitLink TFileObject::SplitLink(const std::string& Link) const {
    TSplitLink Split{Link, {}};
    if (!Link.empty() && Link.back() == '/') Split.Target += Run.Settings.DefaultFileName;
    if (Split.Target.compare(0, 5, "http:") == 0) Split.Target.erase(0, 5);
    const size_t Hash = Split.Target.find('#');
    if (Hash != std::string::npos) {
        Split.Anchor = Split.Target.substr(Hash + 1);
        Split.Target.erase(Hash);
    }
    const size_t Query = Split.Target.find('?');
    if (Query != std::string::npos) Split.Target.erase(Query);
    if (Split.Target.empty() && !Split.Anchor.empty())
        Split.Target = BareFileName(Path, Run.PathStyle());
    return Split;
}

void TFileObject::ClassifyLinks() {
    ValidLinks.Clear();
    InvalidLinks.Clear();
    ExternalLinks.Clear();
    const TOrvelProject& Project = Run.CurrentProject;
    for (const std::string& Link : Links) {
        const TSplitLink Split = SplitLink(Link);
        if (IsUrlLink(Link)) {
            if (AsciiUpperCase(Link.substr(0, 7)) != "FILE://") {
                ExternalLinks.Add(Link);
                continue;
            }
            const auto LocalPath = URLToPath(Split.Target, Run.PathStyle());
            const bool Exists = Run.Settings.CheckLocalFile != 0 && LocalPath &&
                                Run.FileSystem->FileExists(*LocalPath);
            (Exists ? ValidLinks : InvalidLinks).Add(Link);
            continue;
        }
        if (Link[0] == '/') {
            if (Project.ServerRoot.empty())
                ExternalLinks.Add(Link);
            else
                (Run.FileSystem->FileExists(Project.ResolveLink(Path, Split.Target)) ? ValidLinks
                                                                                     : InvalidLinks)
                    .Add(Link);
            continue;
        }
        if (Split.Target.empty() && Split.Anchor.empty()) continue; // only a query
        const TTreeNode* Node =
            FindNodeByPath(Run, Project.ResolveLink(Path, Split.Target), Run.Settings.IgnoreCase);
        bool Valid = Node != nullptr;
        if (Valid && !Split.Anchor.empty()) Valid = Node->Data->Anchors.IndexOf(Split.Anchor) >= 0;
        (Valid ? ValidLinks : InvalidLinks).Add(Link);
    }
    UpdateImage();
    if (!InvalidLinks.Empty()) {
        Run.InvalidLinkTotal += InvalidLinks.Count();
        Run.InvalidLinkFileCount += 1;
    }
}

} // namespace orvel
