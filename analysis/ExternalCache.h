// Answers of servers about external links kept between runs, so that a site checked again soon
// asks only about what it has not been told lately.
#pragma once

#include "analysis/ExternalCheck.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace orvel {

class TExternalCache {
public:
    // The cache in the user's cache folder: $XDG_CACHE_HOME/uoorvel/, else ~/.cache/uoorvel/.
    static std::string DefaultPath();

    // Opens the cache file, making it and its folder when missing. A cache that cannot be opened
    // or read behaves as an empty one that keeps nothing: the check goes on without it.
    TExternalCache(const std::string& Path, std::chrono::hours MaxAge);
    ~TExternalCache();
    TExternalCache(const TExternalCache&) = delete;
    TExternalCache& operator=(const TExternalCache&) = delete;

    // What was found for a normalised URL within MaxAge; with NeedPage, only an answer for which
    // the page was read for its anchors.
    std::optional<TExternalResult> Find(const std::string& Url, bool NeedPage) const;
    // Keeps the ok and redirect results, with the time now: broken links are asked again.
    void Keep(const std::vector<TExternalResult>& Results);

private:
    sqlite3* Db = nullptr; // owned; null without a usable cache
    std::chrono::hours MaxAge;
};

} // namespace orvel
