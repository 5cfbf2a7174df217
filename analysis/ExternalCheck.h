// The check of external http(s) links: each distinct URL asked of its server once, a few at a
// time per server, redirects followed hop by hop, busy servers given the time they ask for.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvel {

// How politely and how long the servers are asked.
struct TExternalCheckOptions {
    int PerHost = 2;                                // transfers at once to one host and port
    int Total = 16;                                 // transfers at once in all
    std::chrono::milliseconds Timeout{10000};       // for one request, connecting included
    std::chrono::milliseconds RetryPause{1000};     // before the one retry after a failure
    std::chrono::milliseconds MaxRetryAfter{30000}; // the longest wait a busy server gets
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
};

// Checks each distinct URL of Urls (after NormalizedUrl) once, on the calling thread; results
// per distinct URL in the order first seen. Progress hears each URL done (Done of Total http(s)
// URLs); Halt, when set, stops the check soon and leaves the URLs not done skipped.
std::vector<TExternalResult>
CheckExternalUrls(const std::vector<std::string>& Urls, const TExternalCheckOptions& Options,
                  const std::function<void(size_t Done, size_t Total)>& Progress,
                  const std::atomic<bool>* Halt);

} // namespace orvel
