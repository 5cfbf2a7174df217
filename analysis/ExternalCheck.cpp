#include "analysis/ExternalCheck.h"

#include "analysis/AnchorKeys.h"
#include "analysis/ExtractModernLinks.h"
#include "support/NormalizedUrl.h"
#include "support/UrlText.h"

#include <algorithm>
#include <curl/curl.h>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace orvel {

namespace {

using TClock = std::chrono::steady_clock;

constexpr int MaxHops = 5;
constexpr int MaxWaitRetries = 2;    // after 429 or 503 with Retry-After
constexpr int MaxFailureRetries = 1; // after a failed connection or a 5xx
// How long the loop sleeps at most, so that a halt is seen soon.
constexpr std::chrono::milliseconds HaltLatency{100};

// One distinct URL on its way through the check.
struct TItem {
    TExternalResult Result;
    std::string Current;    // the URL of the hop being asked
    std::string Host;       // UrlHostKey of Current
    int Hops = 0;           // redirects followed so far
    bool Permanent = false; // a hop so far was 301 or 308
    bool WantPage = false;  // a link gives the URL a fragment: the page's anchors are needed
    bool UseGet = false;    // WantPage, or the server refused HEAD for Current
    int WaitRetries = 0;
    int FailureRetries = 0;
    TClock::time_point Due; // when a scheduled retry may start
    bool Done = false;
};

// One request under way.
struct TTransfer {
    size_t Item = 0;      // index into the items
    CURL* Easy = nullptr; // owned
    size_t Keep = 0;      // the most of the body kept; beyond it the transfer is cut
    bool Cut = false;     // the body was refused on purpose
    std::string Body;     // what was kept of it
    char ErrorText[CURL_ERROR_SIZE] = {};
};

// Keeps a body up to the transfer's limit and refuses the rest: for a status alone, nothing.
size_t KeepBody(char* Data, size_t, size_t Count, void* Kept) {
    auto& Transfer = *static_cast<TTransfer*>(Kept);
    if (Transfer.Body.size() + Count > Transfer.Keep) {
        Transfer.Cut = true;
        return 0;
    }
    Transfer.Body.append(Data, Count);
    return Count;
}

// The anchors of an HTML page, as fragments name them; false for any other or a cut page.
bool ReadAnchors(const TTransfer& Transfer, std::vector<std::string>& Anchors) {
    char* Type = nullptr;
    curl_easy_getinfo(Transfer.Easy, CURLINFO_CONTENT_TYPE, &Type);
    if (Transfer.Cut || !Type || std::string_view(Type).find("html") == std::string_view::npos)
        return false;
    struct : TExtractProgress {
        void StageBegins(TExtractStage) override {}
        bool Step(long long) override { return false; }
    } Unstopped;
    // Read as UTF-8, what nearly every page on the web is now.
    const TPageLinks Found = ExtractModernLinks(Transfer.Body, TExtractOptions{}, Unstopped);
    for (const std::string& Anchor : Found.Anchors)
        Anchors.push_back(AnchorKey(Anchor, TCharset::Utf8()));
    std::ranges::sort(Anchors);
    return true;
}

// Answers to HEAD that servers give when they will not answer HEAD rather than about the URL.
bool RefusesHead(long Code) {
    return Code == 400 || Code == 403 || Code == 405 || Code == 501;
}

bool IsRedirect(long Code) {
    return Code == 301 || Code == 302 || Code == 303 || Code == 307 || Code == 308;
}

// Failures that a second try may well not repeat.
bool IsPassing(CURLcode Result) {
    return Result == CURLE_COULDNT_CONNECT || Result == CURLE_SEND_ERROR ||
           Result == CURLE_RECV_ERROR || Result == CURLE_GOT_NOTHING ||
           Result == CURLE_PARTIAL_FILE;
}

void InitCurlOnce() {
    static std::once_flag Once;
    std::call_once(Once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The check of a set of distinct URLs: queues per host, the transfers under way, the retries
// waiting for their time.
class TExternalCheck {
public:
    TExternalCheck(std::vector<TItem>& ToCheck, const TExternalCheckOptions& Chosen)
        : Items(ToCheck), Options(Chosen), Multi(curl_multi_init()) {}
    ~TExternalCheck() {
        for (auto& [Easy, Transfer] : Transfers) {
            curl_multi_remove_handle(Multi, Easy);
            curl_easy_cleanup(Easy);
        }
        curl_multi_cleanup(Multi);
    }
    TExternalCheck(const TExternalCheck&) = delete;
    TExternalCheck& operator=(const TExternalCheck&) = delete;

    void Run(const std::function<void(size_t, size_t)>& Progress,
             const std::function<bool()>& Halted);

private:
    void Enqueue(size_t Item) { Queues[Items[Item].Host].push_back(Item); }
    void Schedule(size_t Item, std::chrono::milliseconds Wait) {
        Items[Item].Due = TClock::now() + Wait;
        Waiting.push_back(Item);
    }
    void WakeDue();
    void StartTransfers();
    void Start(size_t Item);
    bool CollectFinished();
    void Finished(TTransfer& Transfer, CURLcode Result);
    void Settle(TItem& Item, TExternalResult::TOutcome Outcome, long Code, std::string Error);
    int PollMilliseconds() const;

    std::vector<TItem>& Items;
    const TExternalCheckOptions& Options;
    CURLM* Multi;                                     // owned
    std::map<std::string, std::deque<size_t>> Queues; // items waiting for a slot, per host
    std::map<std::string, int> Running;               // transfers under way, per host
    std::unordered_map<CURL*, std::unique_ptr<TTransfer>> Transfers;
    std::vector<size_t> Waiting; // items scheduled for a retry
    size_t Done = 0;
};

void TExternalCheck::Run(const std::function<void(size_t, size_t)>& Progress,
                         const std::function<bool()>& Halted) {
    size_t Total = 0;
    for (size_t I = 0; I < Items.size(); ++I) {
        if (Items[I].Done) continue;
        Enqueue(I);
        ++Total;
    }
    while (Done < Total && !(Halted && Halted())) {
        WakeDue();
        StartTransfers();
        int Still = 0;
        curl_multi_perform(Multi, &Still);
        const size_t Before = Done;
        if (CollectFinished()) {
            if (Progress && Done > Before) Progress(Done, Total);
            continue; // slots were freed: fill them before sleeping
        }
        curl_multi_poll(Multi, nullptr, 0, PollMilliseconds(), nullptr);
    }
}

void TExternalCheck::WakeDue() {
    const TClock::time_point Now = TClock::now();
    std::erase_if(Waiting, [&](size_t Item) {
        if (Items[Item].Due > Now) return false;
        Enqueue(Item);
        return true;
    });
}

// Starts queued items, one per host in turn, while the limits allow.
void TExternalCheck::StartTransfers() {
    for (bool Started = true; Started && int(Transfers.size()) < Options.Total;) {
        Started = false;
        for (auto& [Host, Queue] : Queues) {
            if (Queue.empty() || Running[Host] >= Options.PerHost) continue;
            if (int(Transfers.size()) >= Options.Total) break;
            const size_t Item = Queue.front();
            Queue.pop_front();
            Start(Item);
            Started = true;
        }
    }
}

void TExternalCheck::Start(size_t Index) {
    TItem& Item = Items[Index];
    auto Transfer = std::make_unique<TTransfer>();
    Transfer->Item = Index;
    Transfer->Easy = curl_easy_init();
    Transfer->Keep = Item.WantPage ? Options.PageLimit : 0;
    CURL* Easy = Transfer->Easy;
    curl_easy_setopt(Easy, CURLOPT_URL, Item.Current.c_str());
    curl_easy_setopt(Easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(Easy, CURLOPT_NOBODY, Item.UseGet ? 0L : 1L);
    if (Item.UseGet) curl_easy_setopt(Easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(Easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(Easy, CURLOPT_USERAGENT, Options.UserAgent.c_str());
    curl_easy_setopt(Easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(Easy, CURLOPT_TIMEOUT_MS, long(Options.Timeout.count()));
    if (Item.WantPage) curl_easy_setopt(Easy, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(Easy, CURLOPT_WRITEFUNCTION, KeepBody);
    curl_easy_setopt(Easy, CURLOPT_WRITEDATA, Transfer.get());
    curl_easy_setopt(Easy, CURLOPT_ERRORBUFFER, Transfer->ErrorText);
    curl_easy_setopt(Easy, CURLOPT_PRIVATE, Transfer.get());
    curl_multi_add_handle(Multi, Easy);
    ++Running[Item.Host];
    Transfers.emplace(Easy, std::move(Transfer));
}

// Handles the transfers that ended; true when any did.
bool TExternalCheck::CollectFinished() {
    bool Any = false;
    int Left = 0;
    while (CURLMsg* Message = curl_multi_info_read(Multi, &Left)) {
        if (Message->msg != CURLMSG_DONE) continue;
        CURL* Easy = Message->easy_handle;
        const CURLcode Result = Message->data.result;
        curl_multi_remove_handle(Multi, Easy);
        const auto Found = Transfers.find(Easy);
        std::unique_ptr<TTransfer> Transfer = std::move(Found->second);
        Transfers.erase(Found);
        --Running[Items[Transfer->Item].Host];
        Finished(*Transfer, Result);
        curl_easy_cleanup(Easy);
        Any = true;
    }
    return Any;
}

// Decides what an answer means: the end of the item, or its next request.
void TExternalCheck::Finished(TTransfer& Transfer, CURLcode Result) {
    TItem& Item = Items[Transfer.Item];
    CURL* Easy = Transfer.Easy;
    long Code = 0;
    curl_easy_getinfo(Easy, CURLINFO_RESPONSE_CODE, &Code);
    if (Result == CURLE_WRITE_ERROR && Transfer.Cut) Result = CURLE_OK; // refused on purpose
    if (Result == CURLE_OPERATION_TIMEDOUT)
        return Settle(Item, TExternalResult::timeout, Code, Transfer.ErrorText);
    if (Result != CURLE_OK) {
        if (IsPassing(Result) && Item.FailureRetries++ < MaxFailureRetries)
            return Schedule(Transfer.Item, Options.RetryPause);
        return Settle(Item, TExternalResult::broken, Code,
                      *Transfer.ErrorText ? Transfer.ErrorText : curl_easy_strerror(Result));
    }
    if (!Item.UseGet && RefusesHead(Code)) {
        Item.UseGet = true;
        return Enqueue(Transfer.Item);
    }
    char* Location = nullptr;
    curl_easy_getinfo(Easy, CURLINFO_REDIRECT_URL, &Location);
    if (IsRedirect(Code) && Location) {
        if (Item.Hops == MaxHops)
            return Settle(Item, TExternalResult::broken, Code,
                          curl_easy_strerror(CURLE_TOO_MANY_REDIRECTS));
        const std::string Next = NormalizedUrl(Location);
        if (Next.empty())
            return Settle(Item, TExternalResult::broken, Code,
                          curl_easy_strerror(CURLE_UNSUPPORTED_PROTOCOL));
        ++Item.Hops;
        Item.Permanent = Item.Permanent || Code == 301 || Code == 308;
        Item.Current = Item.Result.FinalUrl = Next;
        Item.Host = UrlHostKey(Next);
        Item.UseGet = Item.WantPage;
        return Enqueue(Transfer.Item);
    }
    curl_off_t RetryAfter = 0;
    curl_easy_getinfo(Easy, CURLINFO_RETRY_AFTER, &RetryAfter);
    if ((Code == 429 || Code == 503) && RetryAfter > 0 && Item.WaitRetries++ < MaxWaitRetries)
        return Schedule(Transfer.Item,
                        std::min<std::chrono::milliseconds>(std::chrono::seconds(RetryAfter),
                                                            Options.MaxRetryAfter));
    if (Code >= 500 && Item.FailureRetries++ < MaxFailureRetries)
        return Schedule(Transfer.Item, Options.RetryPause);
    if (Code >= 200 && Code < 300) {
        if (Item.WantPage)
            Item.Result.Page = ReadAnchors(Transfer, Item.Result.Anchors)
                                   ? TExternalResult::pgAnchors
                                   : TExternalResult::pgOther;
        return Settle(Item, Item.Permanent ? TExternalResult::redirect : TExternalResult::ok, Code,
                      {});
    }
    Settle(Item, TExternalResult::broken, Code, {});
}

void TExternalCheck::Settle(TItem& Item, TExternalResult::TOutcome Outcome, long Code,
                            std::string Error) {
    Item.Result.Outcome = Outcome;
    Item.Result.Code = Code;
    Item.Result.Error = std::move(Error);
    Item.Done = true;
    ++Done;
}

// Until the next scheduled retry, and never longer than a halt may wait.
int TExternalCheck::PollMilliseconds() const {
    auto Wait = std::chrono::milliseconds(HaltLatency);
    const TClock::time_point Now = TClock::now();
    for (size_t Item : Waiting)
        Wait = std::min(Wait, std::chrono::ceil<std::chrono::milliseconds>(
                                  std::max(Items[Item].Due - Now, TClock::duration::zero())));
    return int(Wait.count());
}

} // namespace

std::string TExternalCheckOptions::DefaultUserAgent() {
    return "orvel-check/" ORVEL_VERSION;
}

std::vector<TExternalResult>
CheckExternalUrls(const std::vector<std::string>& Urls, const TExternalCheckOptions& Options,
                  const std::function<void(size_t Done, size_t Total)>& Progress,
                  const std::function<bool()>& Halted) {
    std::vector<TItem> Items;
    std::unordered_map<std::string, size_t> Seen;
    for (const std::string& Url : Urls) {
        std::string Normalized = NormalizedUrl(Url);
        const bool Checked = !Normalized.empty();
        if (!Checked) Normalized = Url;
        const auto [At, New] = Seen.emplace(Normalized, Items.size());
        if (New) {
            TItem& Item = Items.emplace_back();
            Item.Result.Url = Item.Current = Normalized;
            Item.Host = UrlHostKey(Normalized);
            Item.Done = !Checked;
        }
        if (Checked && NeedsPage(Url)) Items[At->second].WantPage = Items[At->second].UseGet = true;
    }
    InitCurlOnce();
    TExternalCheck(Items, Options).Run(Progress, Halted);
    std::vector<TExternalResult> Results;
    Results.reserve(Items.size());
    for (TItem& Item : Items) {
        if (!Item.Done) { // halted: neither the hops so far nor a half-made outcome
            Item.Result.FinalUrl.clear();
            Item.Result.Anchors.clear();
            Item.Result.Outcome = TExternalResult::skipped;
        }
        Results.push_back(std::move(Item.Result));
    }
    return Results;
}

bool NeedsPage(std::string_view Url) {
    const size_t Hash = Url.find('#');
    return Hash != std::string_view::npos && !PageHasFragment({}, Url.substr(Hash + 1));
}

bool PageHasFragment(const std::vector<std::string>& Anchors, std::string_view Fragment) {
    const auto Has = [&](std::string_view Key) {
        return std::ranges::binary_search(Anchors, Key, std::less<>());
    };
    return Fragment.empty() || NamesPageTop(Fragment) || Has(Fragment) ||
           Has(PercentDecoded(Fragment));
}

} // namespace orvel
