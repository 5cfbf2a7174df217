// Who links here: for each file, the files whose valid links lead to it.
#pragma once

#include "analysis/BrokenTargets.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel {

class TFileObject;
class TLinkDiagnoser;
class TRunContext;

// Built once from the targets that the classification recorded for the valid links, without
// resolving a link again, in memory linear in their number. A file's links to itself are left
// out. Nothing may change a file object while it lives.
class TBackLinks {
public:
    explicit TBackLinks(const TRunContext& Run);

    // The files with a valid link to Target, each once, in scan order.
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target) const;
    // The same for the links to one anchor of Target, as the settings' rules read them.
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target,
                                                 std::string_view Anchor) const;

private:
    struct TBackLink {
        std::uint32_t From; // index into FileObjects
        std::uint32_t Link; // index into its ValidLinks
    };
    // The slot of a file object's Sequence, or -1.
    std::int64_t SlotOf(std::uint64_t Sequence) const;
    template <typename Keep>
    std::vector<const TFileObject*> Sources(const TFileObject& Target, Keep&& Wanted) const;

    const TRunContext& Run;
    std::uint64_t FirstSequence = 0;
    std::vector<std::int32_t> Slots;   // by Sequence - FirstSequence; -1 for none
    std::vector<std::uint32_t> Starts; // the links to the file of slot S: [Starts[S], Starts[S+1])
    std::unique_ptr<TBackLink[]> Links;
};

// Who would link here once the invalid links are fixed as their diagnoses suggest: for each
// file, the invalid links of other pages whose suggestion leads to it. Nothing may change a file
// object while it lives.
class TSuggestedBackLinks {
public:
    // Leads(F, I): the file that the suggestion for the I-th invalid link of FileObjects[F]
    // leads to, or null.
    using TLeads = std::function<const TFileObject*(int File, int Invalid)>;
    TSuggestedBackLinks(const TRunContext& Run, const TLeads& Leads);

    // The links that would lead to Target, in scan order.
    std::vector<TBrokenLink> LinksTo(const TFileObject& Target) const;

private:
    std::vector<std::pair<std::uint64_t, TBrokenLink>> Links; // by the target's Sequence
};

// The same for one file without diagnosing every invalid link of the site: only those whose
// text could name Target are diagnosed. In scan order.
std::vector<TBrokenLink> LinksFixedTo(const TRunContext& Run, const TLinkDiagnoser& Diagnoser,
                                      const TFileObject& Target);
// The pages among the links, each once.
int PagesAmong(const std::vector<TBrokenLink>& Links);

} // namespace orvel
