// The check of external http(s) links: each distinct URL asked of its server once, a few at a
// time per server, redirects followed hop by hop, busy servers given the time they ask for.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// How politely and how long the servers are asked.
struct TExternalCheckOptions {
    int PerHost = 2;                                // transfers at once to one host and port
    int Total = 16;                                 // transfers at once in all
    std::chrono::milliseconds Timeout{10000};       // for one request, connecting included
    std::chrono::milliseconds RetryPause{1000};     // before the one retry after a failure
    std::chrono::milliseconds MaxRetryAfter{30000}; // the longest wait a busy server gets
    size_t PageLimit = 2 << 20; // the most of a page read for the anchors a fragment may name
    std::string UserAgent = DefaultUserAgent();

    // "orvel-check/<version>".
    static std::string DefaultUserAgent();
};

// What the check found for one distinct URL.
struct TExternalResult {
    enum TOutcome {
        ok,       // answered 2xx, directly or after temporary redirects
        redirect, // answered 2xx after a permanent redirect (301, 308): FinalUrl is the new URL
        broken,   // 4xx, 5xx, or no answer: Code or Error says which
        timeout,  // no answer within the time allowed
        skipped   // not asked: not an http(s) URL, or the check was halted first
    };
    std::string Url; // normalised; as written when not an http(s) URL
    TOutcome Outcome = skipped;
    long Code = 0;        // the last HTTP status; 0 without one
    std::string FinalUrl; // where redirects led; empty without redirects
    std::string Error;    // libcurl's text for a failure without an HTTP status
    // For a URL that some link gives a fragment, the page is read for its anchors.
    enum TPage {
        pgNotAsked, // no link gives it a fragment
        pgOther,    // not an HTML page within the limit: its fragments cannot be checked
        pgAnchors   // Anchors holds the page's anchors as fragments name them, sorted
    };
    TPage Page = pgNotAsked;
    std::vector<std::string> Anchors;
};

// Checks each distinct URL of Urls (after NormalizedUrl) once, on the calling thread; results
// per distinct URL in the order first seen. A URL with a fragment has its page read for its
// anchors. Progress hears each URL done (Done of Total http(s) URLs); Halted, asked often, stops
// the check soon when it says so and leaves the URLs not done skipped.
std::vector<TExternalResult>
CheckExternalUrls(const std::vector<std::string>& Urls, const TExternalCheckOptions& Options,
                  const std::function<void(size_t Done, size_t Total)>& Progress,
                  const std::function<bool()>& Halted);

// Whether a page with these anchors (as TExternalResult holds them) has the place that Fragment
// names: as browsers look, the fragment as written or percent-decoded; "top" and an empty
// fragment name the top of any page.
bool PageHasFragment(const std::vector<std::string>& Anchors, std::string_view Fragment);

// Whether a link's page must be read to check it: its fragment names more than the page's top.
bool NeedsPage(std::string_view Url);

} // namespace orvel
