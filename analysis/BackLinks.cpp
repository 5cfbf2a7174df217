#include "analysis/BackLinks.h"

#include "analysis/LinkDiagnosis.h"
#include "analysis/RunContext.h"
#include "support/FoldedText.h"
#include "support/NearNames.h"
#include "support/PathRules.h"

#include <algorithm>

namespace orvel {

TBackLinks::TBackLinks(const TRunContext& Context) : Run(Context) {
    // Sequences grow in creation order: the live ones span a range no longer than the objects
    // created since the first of them.
    std::uint64_t Last = 0;
    FirstSequence = ~std::uint64_t{0};
    for (const auto& File : Run.FileObjects) {
        FirstSequence = std::min(FirstSequence, File->Sequence);
        Last = std::max(Last, File->Sequence);
    }
    if (Run.FileObjects.Empty()) return;
    Slots.assign(Last - FirstSequence + 1, -1);
    std::int32_t Count = 0;
    for (const auto& File : Run.FileObjects)
        Slots[File->Sequence - FirstSequence] = Count++;
    // Calls Visit(slot, file index, link index) for each link that counts.
    const auto ForEachLink = [&](auto&& Visit) {
        for (int F = 0; F < Run.FileObjects.Count(); ++F) {
            const TFileObject& File = Run.FileObjects[F];
            const std::vector<std::uint64_t>& Targets = File.ValidTargets;
            for (size_t I = 0; I < Targets.size(); ++I)
                if (Targets[I] != File.Sequence)
                    if (const std::int64_t S = SlotOf(Targets[I]); S >= 0)
                        Visit(static_cast<size_t>(S), F, I);
        }
    };
    // A counting sort by target, so that each target's links lie together in scan order.
    Starts.assign(static_cast<size_t>(Count) + 1, 0);
    ForEachLink([&](size_t S, int, size_t) { ++Starts[S + 1]; });
    for (size_t S = 1; S < Starts.size(); ++S)
        Starts[S] += Starts[S - 1];
    Links.reset(new TBackLink[Starts.back()]);
    std::vector<std::uint32_t> Next(Starts.begin(), Starts.end() - 1);
    ForEachLink([&](size_t S, int File, size_t I) {
        Links[Next[S]++] = {static_cast<std::uint32_t>(File), static_cast<std::uint32_t>(I)};
    });
}

std::int64_t TBackLinks::SlotOf(std::uint64_t Sequence) const {
    if (Sequence < FirstSequence || Sequence - FirstSequence >= Slots.size()) return -1;
    return Slots[Sequence - FirstSequence];
}

template <typename Keep>
std::vector<const TFileObject*> TBackLinks::Sources(const TFileObject& Target,
                                                    Keep&& Wanted) const {
    std::vector<const TFileObject*> Files;
    const std::int64_t S = SlotOf(Target.Sequence);
    if (S < 0) return Files;
    for (std::uint32_t I = Starts[static_cast<size_t>(S)]; I < Starts[static_cast<size_t>(S) + 1];
         ++I)
        if (const TFileObject* From = &Run.FileObjects[static_cast<int>(Links[I].From)];
            Wanted(*From, Links[I].Link) && (Files.empty() || Files.back() != From))
            Files.push_back(From);
    return Files;
}

std::vector<const TFileObject*> TBackLinks::LinkingFiles(const TFileObject& Target) const {
    return Sources(Target, [](const TFileObject&, std::uint32_t) { return true; });
}

std::vector<const TFileObject*> TBackLinks::LinkingFiles(const TFileObject& Target,
                                                         std::string_view Anchor) const {
    const int Wanted = Target.Anchors.IndexOf(Anchor);
    return Sources(Target, [&](const TFileObject& From, std::uint32_t Link) {
        return Wanted >= 0 && From.ValidAnchors[Link] == Wanted;
    });
}

TSuggestedBackLinks::TSuggestedBackLinks(const TRunContext& Run, const TLeads& Leads) {
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        TFileObject& Page = Run.FileObjects[F];
        for (int I = 0; I < Page.InvalidLinks.Count(); ++I)
            if (const TFileObject* Target = Leads(F, I); Target && Target != &Page)
                Links.push_back({Target->Sequence, {&Page, F, I}});
    }
    std::ranges::stable_sort(Links, {}, &std::pair<std::uint64_t, TBrokenLink>::first);
}

std::vector<TBrokenLink> TSuggestedBackLinks::LinksTo(const TFileObject& Target) const {
    std::vector<TBrokenLink> Result;
    const auto From = std::ranges::lower_bound(Links, Target.Sequence, {},
                                               &std::pair<std::uint64_t, TBrokenLink>::first);
    for (auto At = From; At != Links.end() && At->first == Target.Sequence; ++At)
        Result.push_back(At->second);
    return Result;
}

namespace {

// Whether a suggestion for Link could lead to Target: its written name is near Target's name or
// has its stem, names Target's folder by name or dots (where Target is its default page), or is
// spelt in a way (escapes, references, blanks and control bytes that a browser drops, a file:
// URL, another charset's letters) that no cheap test can follow.
class TMayLeadTo {
public:
    TMayLeadTo(const TRunContext& Run, const TFileObject& Target)
        : Style(Run.PathStyle()), Name(BareFileName(Target.Path, Style)),
          Folder(FolderName(Target.Path, Style)),
          IsDefaultPage(FoldedEqual(Name, Run.Settings.DefaultFileName)), Near(Names()) {}

    bool operator()(std::string_view Link) const {
        if (Link.find_first_of("%&") != std::string_view::npos ||
            StartsWithFolded(Link, 0, "FILE:") || std::any_of(Link.begin(), Link.end(), [](char C) {
                return static_cast<unsigned char>(C) <= ' ';
            }))
            return true;
        // The original rules read "http:name" as "name".
        if (Link.starts_with("http:")) Link.remove_prefix(5);
        std::string_view Written = Link.substr(0, Link.find_first_of("#?"));
        if (std::any_of(Written.begin(), Written.end(),
                        [](char C) { return static_cast<unsigned char>(C) >= 0x80; }))
            return true;
        // In a link both "/" and "\\" part folders; ASCII text has no double-byte characters.
        const bool NamesFolder =
            !Written.empty() && (Written.back() == '/' || Written.back() == '\\');
        while (!Written.empty() && (Written.back() == '/' || Written.back() == '\\'))
            Written.remove_suffix(1);
        const size_t Slash = Written.find_last_of("/\\");
        const std::string_view Last =
            Slash == std::string_view::npos ? Written : Written.substr(Slash + 1);
        // A folder named by its name or by dots: its default page.
        if (IsDefaultPage &&
            (Last.empty() || Last == "." || Last == ".." || FoldedEqual(Last, Folder)))
            return true;
        return !NamesFolder &&
               (!Near.Near(Last, 2, 1).empty() || FoldedEqual(Stem(Last), Stem(Name)));
    }

private:
    std::vector<std::string_view> Names() const { return {Name}; }
    static std::string_view Stem(std::string_view Name) { return Name.substr(0, Name.rfind('.')); }
    // The name of the folder that holds Path.
    static std::string FolderName(std::string_view Path, TPathStyle Style) {
        const size_t Start = BareFileNameStart(Path, Style);
        const std::string_view Folder = Path.substr(0, Start > 0 ? Start - 1 : 0);
        return std::string(Folder.substr(BareFileNameStart(Folder, Style)));
    }

    TPathStyle Style;
    std::string Name, Folder;
    bool IsDefaultPage;
    TNearNames Near;
};

} // namespace

std::vector<TBrokenLink> LinksFixedTo(const TRunContext& Run, const TLinkDiagnoser& Diagnoser,
                                      const TFileObject& Target) {
    std::vector<TBrokenLink> Links;
    const TMayLeadTo MayLeadTo(Run, Target);
    for (int F = 0; F < Run.FileObjects.Count(); ++F) {
        TFileObject& Page = Run.FileObjects[F];
        if (&Page == &Target) continue;
        for (int I = 0; I < Page.InvalidLinks.Count(); ++I) {
            const std::string& Link = Page.InvalidLinks[I];
            if ((Page.InvalidTargets[static_cast<size_t>(I)] == Target.Sequence ||
                 MayLeadTo(Link)) &&
                Diagnoser.Diagnose(Page, Link).Leads == &Target)
                Links.push_back({&Page, F, I});
        }
    }
    return Links;
}

int PagesAmong(const std::vector<TBrokenLink>& Links) {
    int Pages = 0;
    const TFileObject* Last = nullptr;
    for (const TBrokenLink& Link : Links)
        if (Link.Page != std::exchange(Last, Link.Page)) ++Pages;
    return Pages;
}

} // namespace orvel
