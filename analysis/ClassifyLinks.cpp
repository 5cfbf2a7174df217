// Link classification: every extracted link becomes valid, invalid or external.
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "analysis/UrlToPath.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"

namespace orvel {

namespace {
// Whether the upper-cased text contains Upper (which ends in ":"), without building it.
bool ContainsUpper(std::string_view Text, std::string_view Upper) {
    if (CurrentCodePage() != TCodePage::cpUtf8)
        return AnsiUpperCase(Text).find(Upper) != std::string::npos;
    // Under UTF-8 the upper-casing is the ASCII one.
    for (size_t Colon = Text.find(':'); Colon != std::string_view::npos;
         Colon = Text.find(':', Colon + 1))
        if (Colon + 1 >= Upper.size() && StartsWithFolded(Text, Colon + 1 - Upper.size(), Upper))
            return true;
    return false;
}

bool IsUrlLink(std::string_view Link) {
    if (Link.find("://") != std::string_view::npos) return true;
    return Link.find(':') != std::string_view::npos &&
           (ContainsUpper(Link, "MAILTO:") || ContainsUpper(Link, "NEWS:"));
}

// Room for the link and path texts of one thread's classification, kept from link to link.
struct TLinkRoom {
    std::string Split, Resolved, Joined;
};
thread_local TLinkRoom Room;
} // namespace

TSplitLink TFileObject::SplitLink(const std::string& Link) const {
    std::string Built;
    const TLinkParts Parts = SplitLink(std::string_view(Link), Built);
    return {std::string(Parts.Target), std::string(Parts.Anchor)};
}

TLinkParts TFileObject::SplitLink(std::string_view Link, std::string& Built) const {
    std::string_view Target = Link, Anchor;
    if (!Link.empty() && Link.back() == '/') {
        Built.assign(Link);
        Built += Run.Settings.DefaultFileName;
        Target = Built;
    }
    if (Target.substr(0, 5) == "http:") Target.remove_prefix(5);
    const size_t Hash = Target.find('#');
    if (Hash != std::string_view::npos) {
        Anchor = Target.substr(Hash + 1);
        Target = Target.substr(0, Hash);
    }
    Target = Target.substr(0, Target.find('?'));
    if (Target.empty() && !Anchor.empty())
        Target = std::string_view(Path).substr(BareFileNameStart(Path, Run.PathStyle()));
    return {Target, Anchor};
}

TTreeNode* TFileObject::FindTargetNode(std::string_view Target) const {
    Run.CurrentProject.ResolveLinkInto(Room.Resolved, Room.Joined, Path, Target);
    return FindNodeByPath(Run, Room.Resolved, Run.Settings.IgnoreCase);
}

TLinkClass TFileObject::ClassOf(std::string_view Link, std::uint64_t* Target) const {
    const TOrvelProject& Project = Run.CurrentProject;
    const TLinkParts Split = SplitLink(Link, Room.Split);
    if (IsUrlLink(Link)) {
        if (!StartsWithFolded(Link, 0, "FILE://")) return TLinkClass::lcExternal;
        const auto LocalPath = URLToPath(std::string(Split.Target), Run.PathStyle());
        const bool Exists =
            Run.Settings.CheckLocalFile != 0 && LocalPath && Run.FileSystem->FileExists(*LocalPath);
        return Exists ? TLinkClass::lcValid : TLinkClass::lcInvalid;
    }
    if (!Link.empty() && Link[0] == '/') {
        if (Project.ServerRoot.empty()) return TLinkClass::lcExternal;
        Project.ResolveLinkInto(Room.Resolved, Room.Joined, Path, Split.Target);
        if (!Run.FileSystem->FileExists(Room.Resolved)) return TLinkClass::lcInvalid;
        if (Target) {
            const TFileObject* Object =
                Run.FileObjects.FindByPath(Room.Resolved, Run.Settings.IgnoreCase);
            *Target = Object ? Object->Sequence : NoTarget;
        }
        return TLinkClass::lcValid;
    }
    if (Split.Target.empty() && Split.Anchor.empty()) return TLinkClass::lcNone; // only a query
    const TTreeNode* Node = FindTargetNode(Split.Target);
    bool Valid = Node != nullptr;
    if (Valid && !Split.Anchor.empty()) Valid = Node->Data->Anchors.IndexOf(Split.Anchor) >= 0;
    if (Valid && Target) *Target = Node->Data->Sequence;
    return Valid ? TLinkClass::lcValid : TLinkClass::lcInvalid;
}

TLinkClasses TFileObject::ComputeClasses() const {
    TLinkClasses Classes;
    for (int I = 0; I < Links.Count(); ++I) {
        std::uint64_t Target = NoTarget;
        switch (ClassOf(Links[I], &Target)) {
        case TLinkClass::lcValid:
            Classes.Valid.push_back(I);
            Classes.ValidTargets.push_back(Target);
            break;
        case TLinkClass::lcInvalid:
            Classes.Invalid.push_back(I);
            break;
        case TLinkClass::lcExternal:
            Classes.External.push_back(I);
            break;
        case TLinkClass::lcNone:
            break;
        }
    }
    return Classes;
}

void TFileObject::TakeClasses(TLinkClasses&& Classes) {
    ValidLinks.Assign(std::move(Classes.Valid));
    InvalidLinks.Assign(std::move(Classes.Invalid));
    ExternalLinks.Assign(std::move(Classes.External));
    ValidTargets = std::move(Classes.ValidTargets);
    Run.FileObjects.Changed();
    UpdateImage();
    if (!InvalidLinks.Empty()) {
        Run.InvalidLinkTotal += InvalidLinks.Count();
        Run.InvalidLinkFileCount += 1;
    }
}

void TFileObject::ClassifyLinks() {
    TakeClasses(ComputeClasses());
}

} // namespace orvel
