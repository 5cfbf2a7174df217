// The external links of a checked site asked of their servers: which links, with what settings,
// through the cache, and what each link as written got.
#pragma once

#include "analysis/ExternalCheck.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvel {

class TRunContext;
struct TSettings;

// An external link as a page writes it, and whether the project's link patterns exclude it.
struct TExternalLinkToCheck {
    std::string Link;
    bool Ignored = false;
};

// What one link as written got: its URL's result, or broken when its page lacks the anchor that
// its fragment names.
struct TExternalLinkResult {
    TExternalResult::TOutcome Outcome = TExternalResult::skipped;
    long Code = 0;
    std::string FinalUrl; // a redirect's end with the link's fragment; empty without redirects
    std::string Error;    // why it is broken or timed out, when no HTTP status says it
    bool MissingAnchor = false;

    // Broken, timed out or moved for good: what the reports name and the window marks.
    bool NeedsAttention() const {
        return Outcome != TExternalResult::ok && Outcome != TExternalResult::skipped;
    }
};

// The results of the last external check, by the link as written.
struct TExternalFindings {
    bool Checked = false; // an external check ran
    bool Halted = false;  // and was halted before it asked about every link
    std::unordered_map<std::string, TExternalLinkResult> ByLink;

    // Null for a link the check did not see.
    const TExternalLinkResult* Of(std::string_view Link) const;
    int Count(TExternalResult::TOutcome Outcome) const;
};

// The distinct external links of the run's files, first seen first.
std::vector<TExternalLinkToCheck> SiteExternalLinks(const TRunContext& Run);

TExternalCheckOptions ExternalCheckOptionsOf(const TSettings& Settings);

// Asks about the links (any thread; nothing of a run is touched), reusing the answers of the
// cache at CachePath that the settings allow and keeping the new ones there.
TExternalFindings CheckExternalLinks(const std::vector<TExternalLinkToCheck>& Links,
                                     const TSettings& Settings, const std::string& CachePath,
                                     const std::function<void(size_t Done, size_t Total)>& Progress,
                                     const std::function<bool()>& Halted);

// The status text while the external links are checked: "外部リンクを確認中 120/870".
std::string ExternalProgressText(size_t Done, size_t Total);

// The outcome's name in reports: "ok", "redirect", "broken", "timeout", "skipped".
const char* OutcomeName(TExternalResult::TOutcome Outcome);

} // namespace orvel
