#include "analysis/ExternalLinks.h"

#include "analysis/ExternalCache.h"
#include "analysis/RunContext.h"
#include "support/NormalizedUrl.h"
#include "support/Translation.h"

#include <unordered_set>

namespace orvel {

const TExternalLinkResult* TExternalFindings::Of(std::string_view Link) const {
    const auto Found = ByLink.find(std::string(Link));
    return Found == ByLink.end() ? nullptr : &Found->second;
}

int TExternalFindings::Count(TExternalResult::TOutcome Outcome) const {
    int Count = 0;
    for (const auto& [Link, Result] : ByLink)
        Count += Result.Outcome == Outcome;
    return Count;
}

std::vector<TExternalLinkToCheck> SiteExternalLinks(const TRunContext& Run) {
    std::vector<TExternalLinkToCheck> Links;
    std::unordered_set<std::string_view> Seen;
    for (const auto& File : Run.FileObjects)
        for (int I = 0; I < File->ExternalLinks.Count(); ++I) {
            const std::string& Link = File->ExternalLinks[I];
            if (Seen.insert(Link).second)
                Links.push_back(
                    {Link, Run.CurrentProject.IgnoresLink(Link, Run.Settings.IgnoreCase)});
        }
    return Links;
}

TExternalCheckOptions ExternalCheckOptionsOf(const TSettings& Settings) {
    TExternalCheckOptions Options;
    Options.PerHost = Settings.ExternalPerHost;
    Options.Total = Settings.ExternalTotal;
    Options.Timeout = std::chrono::seconds(Settings.ExternalTimeout);
    Options.PageLimit = size_t(Settings.ExternalPageKiB) << 10;
    return Options;
}

TExternalFindings CheckExternalLinks(const std::vector<TExternalLinkToCheck>& Links,
                                     const TSettings& Settings, const std::string& CachePath,
                                     const std::function<void(size_t Done, size_t Total)>& Progress,
                                     const std::function<bool()>& Halted) {
    TExternalCache Cache(CachePath, std::chrono::hours(Settings.ExternalCacheHours));
    // Each link's URL, and the URLs that the cache does not answer, to ask their servers about.
    std::unordered_map<std::string, TExternalResult> ByUrl;
    std::vector<std::string> ToAsk;
    std::vector<std::string> UrlOf(Links.size());
    for (size_t I = 0; I < Links.size(); ++I) {
        const std::string& Link = Links[I].Link;
        if (Links[I].Ignored || (UrlOf[I] = NormalizedUrl(Link)).empty()) continue;
        const bool NeedPage = NeedsPage(Link);
        const auto Known = ByUrl.find(UrlOf[I]);
        if (Known != ByUrl.end() &&
            !(NeedPage && Known->second.Page == TExternalResult::pgNotAsked))
            continue;
        if (auto Kept = Cache.Find(UrlOf[I], NeedPage))
            ByUrl.insert_or_assign(UrlOf[I], std::move(*Kept));
        else
            ToAsk.push_back(Link);
    }
    std::vector<TExternalResult> Asked =
        CheckExternalUrls(ToAsk, ExternalCheckOptionsOf(Settings), Progress, Halted);
    Cache.Keep(Asked);

    TExternalFindings Findings;
    Findings.Checked = true;
    for (TExternalResult& Result : Asked) {
        Findings.Halted = Findings.Halted || Result.Outcome == TExternalResult::skipped;
        ByUrl.insert_or_assign(Result.Url, std::move(Result));
    }
    for (size_t I = 0; I < Links.size(); ++I) {
        TExternalLinkResult& Of = Findings.ByLink[Links[I].Link];
        const auto Found = UrlOf[I].empty() ? ByUrl.end() : ByUrl.find(UrlOf[I]);
        if (Found == ByUrl.end()) continue; // skipped
        const TExternalResult& Url = Found->second;
        const std::string& Link = Links[I].Link;
        const size_t Hash = Link.find('#');
        const std::string_view Fragment =
            Hash == std::string::npos ? std::string_view() : std::string_view(Link).substr(Hash);
        Of.Outcome = Url.Outcome;
        Of.Code = Url.Code;
        Of.Error = Url.Error;
        if (!Url.FinalUrl.empty()) Of.FinalUrl = Url.FinalUrl + std::string(Fragment);
        if (Url.Page == TExternalResult::pgAnchors && !Fragment.empty() &&
            (Url.Outcome == TExternalResult::ok || Url.Outcome == TExternalResult::redirect) &&
            !PageHasFragment(Url.Anchors, Fragment.substr(1))) {
            Of.Outcome = TExternalResult::broken;
            Of.MissingAnchor = true;
        }
    }
    return Findings;
}

std::string ExternalProgressText(size_t Done, size_t Total) {
    return Tr("外部リンクを確認中 ") + std::to_string(Done) + '/' + std::to_string(Total);
}

const char* OutcomeName(TExternalResult::TOutcome Outcome) {
    static const char* const Names[] = {"ok", "redirect", "broken", "timeout", "skipped"};
    return Names[Outcome];
}

} // namespace orvel
