// Link classification: every extracted link becomes valid, invalid or external.
#include "analysis/BrowserLink.h"
#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "analysis/UrlToPath.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"

#include <algorithm>
#include <vector>

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

TLinkResolution TFileObject::Resolve(std::string_view Link) const {
    if (!Run.Settings.ModernHTML) return ResolveByBytes(Link);
    thread_local TBrowserLink Read;
    return ResolveAsBrowser(Link, Read);
}

// The original rules: the link's bytes are the path's.
TLinkResolution TFileObject::ResolveByBytes(std::string_view Link) const {
    const TOrvelProject& Project = Run.CurrentProject;
    const TLinkParts Split = SplitLink(Link, Room.Split);
    TLinkResolution Result;
    if (IsUrlLink(Link)) {
        if (!StartsWithFolded(Link, 0, "FILE://")) return {TLinkClass::lcExternal};
        const auto LocalPath = URLToPath(std::string(Split.Target), Run.PathStyle());
        const bool Exists =
            Run.Settings.CheckLocalFile != 0 && LocalPath && Run.FileSystem->FileExists(*LocalPath);
        return {Exists ? TLinkClass::lcValid : TLinkClass::lcInvalid};
    }
    if (!Link.empty() && Link[0] == '/') {
        if (Project.ServerRoot.empty()) return {TLinkClass::lcExternal};
        Project.ResolveLinkInto(Room.Resolved, Room.Joined, Path, Split.Target);
        if (!Run.FileSystem->FileExists(Room.Resolved)) return Result;
        // The anchor is not checked.
        Result.Class = TLinkClass::lcValid;
        Result.Target = Run.FileObjects.FindByPath(Room.Resolved, Run.Settings.IgnoreCase);
        if (Result.Target && !Split.Anchor.empty())
            Result.Anchor = Result.Target->Anchors.IndexOf(Split.Anchor);
        return Result;
    }
    if (Split.Target.empty() && Split.Anchor.empty()) return {TLinkClass::lcNone}; // only a query
    Project.ResolveLinkInto(Room.Resolved, Room.Joined, Path, Split.Target);
    Result.Target = Run.FileObjects.FindByPath(Room.Resolved, Run.Settings.IgnoreCase);
    if (!Result.Target) return Result;
    if (!Split.Anchor.empty()) {
        Result.Anchor = Result.Target->Anchors.IndexOf(Split.Anchor);
        if (Result.Anchor < 0) return Result;
    }
    Result.Class = TLinkClass::lcValid;
    return Result;
}

TLinkResolution TFileObject::ResolveAsBrowser(std::string_view Link, TBrowserLink& Read) const {
    ReadBrowserLink(*this, Link, Read);
    TLinkResolution Result;
    switch (Read.Kind) {
    case TBrowserLinkKind::bkExternal:
        return {TLinkClass::lcExternal};
    case TBrowserLinkKind::bkOnlyQuery:
        return {TLinkClass::lcNone};
    case TBrowserLinkKind::bkUnreachable:
        return Result;
    case TBrowserLinkKind::bkRooted:
        // As under the original rules: the file on disk, its anchor not checked.
        if (!Run.FileSystem->FileExists(Read.Path)) return Result;
        Result.Class = TLinkClass::lcValid;
        Result.Target = Run.FileObjects.FindByPath(Read.Path, Run.Settings.IgnoreCase);
        if (Result.Target && !Read.Anchor.empty())
            Result.Anchor = Result.Target->AnchorKeys.Find(Read.Anchor, Result.Target->Anchors);
        return Result;
    case TBrowserLinkKind::bkOnDisk:
    case TBrowserLinkKind::bkInSite:
        break;
    }
    Result.Target = Run.FileObjects.FindByPath(Read.Path, Run.Settings.IgnoreCase);
    if (!Result.Target) {
        // A file that the site does not hold is checked on disk, its anchor not at all.
        if (Read.Kind == TBrowserLinkKind::bkOnDisk && Run.FileSystem->FileExists(Read.Path))
            Result.Class = TLinkClass::lcValid;
        return Result;
    }
    const TFileObject& File = *Result.Target;
    if (!Read.Anchor.empty() && File.Kind == fkHtml) {
        // Without ModernHTML the ids of the target count too, for the diagnosis.
        Result.Anchor = File.AnchorKeys.Find(Read.Anchor, File.Anchors, &File.Html5Ids);
        if (Result.Anchor < 0 && !NamesPageTop(Read.Anchor)) return Result;
    }
    Result.Class = TLinkClass::lcValid;
    return Result;
}

TLinkClass TFileObject::ClassOf(std::string_view Link) const {
    return Resolve(Link).Class;
}

TLinkClasses TFileObject::ComputeClasses() const {
    // Resolved first and counted, so that each list is allocated once at its size: a site's
    // lists together hold a few words per link.
    thread_local std::vector<TLinkResolution> Resolved;
    Resolved.clear();
    size_t Counts[4] = {};
    for (int I = 0; I < Links.Count(); ++I) {
        TLinkResolution& Link = Resolved.emplace_back(Resolve(Links[I]));
        // The project's link patterns leave a link out rather than let it count as invalid.
        if (Link.Class == TLinkClass::lcInvalid &&
            Run.CurrentProject.IgnoresLink(Links[I], Run.Settings.IgnoreCase))
            Link.Class = TLinkClass::lcNone;
        ++Counts[static_cast<size_t>(Link.Class)];
    }
    TLinkClasses Classes;
    const size_t Valid = Counts[static_cast<size_t>(TLinkClass::lcValid)],
                 Invalid = Counts[static_cast<size_t>(TLinkClass::lcInvalid)];
    Classes.Valid.reserve(Valid);
    Classes.ValidTargets.reserve(Valid);
    Classes.ValidAnchors.reserve(Valid);
    Classes.Invalid.reserve(Invalid);
    Classes.InvalidTargets.reserve(Invalid);
    Classes.External.reserve(Counts[static_cast<size_t>(TLinkClass::lcExternal)]);
    for (int I = 0; I < Links.Count(); ++I) {
        const TLinkResolution& Link = Resolved[static_cast<size_t>(I)];
        const std::uint64_t Target = Link.Target ? Link.Target->Sequence : NoTarget;
        switch (Link.Class) {
        case TLinkClass::lcValid:
            Classes.Valid.push_back(I);
            Classes.ValidTargets.push_back(Target);
            Classes.ValidAnchors.push_back(Link.Anchor);
            break;
        case TLinkClass::lcInvalid:
            Classes.Invalid.push_back(I);
            Classes.InvalidTargets.push_back(Target);
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
    ValidAnchors = std::move(Classes.ValidAnchors);
    InvalidTargets = std::move(Classes.InvalidTargets);
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

bool TFileObject::LinksToAny(const std::vector<std::uint64_t>& Sequences) const {
    const auto Named = [&](std::uint64_t Target) {
        return std::binary_search(Sequences.begin(), Sequences.end(), Target);
    };
    return std::any_of(ValidTargets.begin(), ValidTargets.end(), Named) ||
           std::any_of(InvalidTargets.begin(), InvalidTargets.end(), Named);
}

} // namespace orvel
