// The external link check against a small server of the test's own on 127.0.0.1, and the one
// spelling of a URL that it asks about.
#include "TestSupport.h"

#include "analysis/ExternalCheck.h"
#include "support/NormalizedUrl.h"

#include <csignal>
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvel;
using orvel::test::TTempDir;
using TOutcome = TExternalResult::TOutcome;

namespace {

// The server script as a child process, killed when the test ends.
class TTestServer {
public:
    TTestServer() {
        int Pipe[2];
        if (::pipe(Pipe) != 0) throw std::runtime_error("cannot make a pipe");
        Pid = ::fork();
        if (Pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::dup2(Pipe[1], 1);
            ::execlp("python3", "python3", EXTERNAL_CHECK_SERVER, nullptr);
            ::_exit(127);
        }
        ::close(Pipe[1]);
        FILE* Output = ::fdopen(Pipe[0], "r");
        char Port[16] = {};
        const bool Started = std::fgets(Port, sizeof Port, Output);
        std::fclose(Output);
        if (!Started) throw std::runtime_error("the test server did not start");
        Base = "http://127.0.0.1:" + std::string(Port, std::strcspn(Port, "\n"));
    }
    ~TTestServer() {
        ::kill(Pid, SIGKILL);
        ::waitpid(Pid, nullptr, 0);
    }
    // What the server saw: "requests" per path, the "most" requests at once.
    nlohmann::json Stats() const {
        std::string Body;
        CURL* Easy = curl_easy_init();
        curl_easy_setopt(Easy, CURLOPT_URL, (Base + "/stats").c_str());
        curl_easy_setopt(Easy, CURLOPT_WRITEDATA, &Body);
        curl_easy_setopt(
            Easy, CURLOPT_WRITEFUNCTION, +[](char* Data, size_t, size_t Count, std::string* To) {
                To->append(Data, Count);
                return Count;
            });
        curl_easy_perform(Easy);
        curl_easy_cleanup(Easy);
        return nlohmann::json::parse(Body);
    }
    std::string Base;

private:
    pid_t Pid;
};

std::vector<TExternalResult> Check(const std::vector<std::string>& Urls,
                                   const std::atomic<bool>* Halt = nullptr,
                                   const std::function<void(size_t, size_t)>& Progress = {}) {
    TExternalCheckOptions Options;
    Options.Timeout = std::chrono::seconds(1);
    Options.RetryPause = std::chrono::milliseconds(50);
    return CheckExternalUrls(Urls, Options, Progress, [Halt] { return Halt && *Halt; });
}

TEST(ExternalCheckTest, NormalizedUrl) {
    const std::pair<const char*, const char*> Cases[] = {
        {"HTTP://Example.ORG:80/A/b?Q=1#top", "http://example.org/A/b?Q=1"},
        {"https://example.org:443", "https://example.org/"},
        {"https://u:P@Ex.org:8443?q#f", "https://u:P@ex.org:8443/?q"},
        {"http://[::1]:80/x", "http://[::1]/x"},
        {"http://example.org:443/", "http://example.org:443/"},
        {"ftp://example.org/", ""},
        {"mailto:a@example.org", ""},
        {"http:relative.html", ""},
        {"http:///path", ""}};
    for (const auto& [Url, Expected] : Cases)
        EXPECT_EQ(NormalizedUrl(Url), Expected) << Url;
}

TEST(ExternalCheckTest, EachAnswerHasItsOutcome) {
    TTestServer Server;
    const std::string Ok = Server.Base + "/ok";
    const struct {
        std::string Url;
        TOutcome Outcome;
        long Code;
        std::string FinalUrl;
        int Requests;                            // of the path asked first
    } Cases[] = {{Ok, TOutcome::ok, 200, "", 3}, // for itself, and as /moved's and /found's end
                 {Server.Base + "/moved", TOutcome::redirect, 200, Ok, 1},
                 {Server.Base + "/found", TOutcome::ok, 200, Ok, 1},
                 {Server.Base + "/loop", TOutcome::broken, 302, Server.Base + "/loop", 6},
                 {Server.Base + "/gone", TOutcome::broken, 404, "", 1},
                 {Server.Base + "/nohead", TOutcome::ok, 200, "", 2},
                 {Server.Base + "/busy", TOutcome::ok, 200, "", 2},
                 {Server.Base + "/slow", TOutcome::timeout, 0, "", 1},
                 {"http://127.0.0.1:1/", TOutcome::broken, 0, "", 0},
                 {"mailto:a@example.org", TOutcome::skipped, 0, "", 0}};
    std::vector<std::string> Urls;
    for (const auto& Case : Cases)
        Urls.push_back(Case.Url);
    const std::vector<TExternalResult> Results = Check(Urls);
    const nlohmann::json Requests = Server.Stats()["requests"];
    ASSERT_EQ(Results.size(), std::size(Cases));
    for (size_t I = 0; I < Results.size(); ++I) {
        const auto& Case = Cases[I];
        EXPECT_EQ(Results[I].Url, Case.Url);
        EXPECT_EQ(Results[I].Outcome, Case.Outcome) << Case.Url;
        EXPECT_EQ(Results[I].Code, Case.Code) << Case.Url;
        EXPECT_EQ(Results[I].FinalUrl, Case.FinalUrl) << Case.Url;
        if (Case.Requests) {
            EXPECT_EQ(Requests[Case.Url.substr(Server.Base.size())], Case.Requests) << Case.Url;
        }
    }
    EXPECT_NE(Results[8].Error, "");
}

TEST(ExternalCheckTest, EachDistinctUrlIsAskedOnce) {
    TTestServer Server;
    const std::string Port = Server.Base.substr(Server.Base.rfind(':'));
    std::vector<std::string> Urls;
    for (int I = 0; I < 500; ++I)
        Urls.push_back((I % 2 ? "http://LocalHost" : "HTTP://localhost") + Port + "/ok#" +
                       std::to_string(I));
    const std::vector<TExternalResult> Results = Check(Urls);
    ASSERT_EQ(Results.size(), 1u);
    EXPECT_EQ(Results[0].Outcome, TOutcome::ok);
    EXPECT_EQ(Server.Stats()["requests"]["/ok"], 1);
}

// Twenty URLs that the server answers slowly: two at a time, and a halt leaves the rest unasked.
TEST(ExternalCheckTest, AtMostTwoRequestsAtOnceToOneHostUntilAHalt) {
    TTestServer Server;
    std::vector<std::string> Urls;
    for (int I = 0; I < 20; ++I)
        Urls.push_back(Server.Base + "/delay?n=" + std::to_string(I));
    using TDoneOfTotal = std::pair<size_t, size_t>;
    TDoneOfTotal Last;
    for (const TExternalResult& Result : Check(Urls, nullptr, [&](size_t Done, size_t Total) {
             Last = {Done, Total};
         }))
        EXPECT_EQ(Result.Outcome, TOutcome::ok) << Result.Url;
    EXPECT_EQ(Last, TDoneOfTotal(20, 20));
    EXPECT_LE(Server.Stats()["most"], 2);

    for (std::string& Url : Urls)
        Url += "&again";
    std::atomic<bool> Halt = false;
    const std::vector<TExternalResult> Results =
        Check(Urls, &Halt, [&](size_t Done, size_t) { Halt = Done >= 2; });
    const auto Count = [&](TOutcome Outcome) {
        return std::count_if(Results.begin(), Results.end(), [&](const TExternalResult& Result) {
            return Result.Outcome == Outcome;
        });
    };
    EXPECT_GE(Count(TOutcome::skipped), 16);
    EXPECT_EQ(Count(TOutcome::ok) + Count(TOutcome::skipped), 20);
}

// orvel-check's JSON report of a site whose links the server answers; a second run finds the
// answers that may be kept in the cache and asks again about the broken link.
TEST(ExternalCheckTest, OrvelCheckReportsEachLinkAndKeepsWhatMayBeKept) {
    TTestServer Server;
    TTempDir Site, Cache;
    const struct {
        std::string Link;
        std::string Outcome;
        nlohmann::json FinalUrl, Error;
    } Cases[] = {{"/ok", "ok", nullptr, nullptr},
                 {"/gone", "broken", nullptr, nullptr},
                 {"/moved#part", "redirect", Server.Base + "/ok#part", nullptr}, // not HTML
                 {"/page#part", "ok", nullptr, nullptr},
                 {"/page#caf%C3%A9", "ok", nullptr, nullptr},
                 {"/page#Part", "broken", nullptr, "no such anchor"},
                 {"/page#top", "ok", nullptr, nullptr},
                 {"/ignored", "skipped", nullptr, nullptr}};
    std::string Page;
    for (const auto& Case : Cases)
        Page += "<a href=\"" + Server.Base + Case.Link + "\">x</a>\n";
    Site.WriteSite({{"index.html", Page + "<a href=\"mailto:a@example.org\">m</a>"}});
    const auto Run = [&](const std::string& Options) {
        const std::string Command = "XDG_CACHE_HOME=" + Cache.Path() + " " ORVEL_CHECK_PROGRAM +
                                    " --no-settings --quiet --check-external --ignore-link "
                                    "'*/ignored' --format json " +
                                    Options + " " + Site.Path();
        FILE* Out = ::popen(Command.c_str(), "r");
        std::string Report;
        for (char Buffer[4096]; size_t Count = std::fread(Buffer, 1, sizeof Buffer, Out);)
            Report.append(Buffer, Count);
        const int Status = ::pclose(Out);
        return std::make_pair(WEXITSTATUS(Status), nlohmann::json::parse(Report));
    };
    const auto [Status, Report] = Run("");
    EXPECT_EQ(Status, 0); // broken external links decide only with --fail-external
    const nlohmann::json& Results = Report["files"][0]["externalResults"];
    ASSERT_EQ(Results.size(), std::size(Cases) + 1);
    for (const auto& Case : Cases) {
        const auto Result = std::ranges::find(Results, Server.Base + Case.Link, [](auto& R) {
            return R["url"].template get<std::string>();
        });
        ASSERT_NE(Result, Results.end()) << Case.Link;
        EXPECT_EQ((*Result)["outcome"], Case.Outcome) << Case.Link;
        EXPECT_EQ((*Result)["finalUrl"], Case.FinalUrl) << Case.Link;
        EXPECT_EQ((*Result)["error"], Case.Error) << Case.Link;
    }
    EXPECT_EQ(Report["externalSummary"]["broken"], 2);
    EXPECT_EQ(Report["externalSummary"]["skipped"], 2); // the pattern's and mailto:

    EXPECT_EQ(Run("--fail-external").first, 1);
    const nlohmann::json Requests = Server.Stats()["requests"];
    EXPECT_EQ(Requests["/gone"], 2);
    EXPECT_EQ(Requests["/page"], 1);
    EXPECT_EQ(Requests["/ok"], 2); // for itself and as /moved's end, both once
    EXPECT_FALSE(Requests.contains("/ignored"));
}

} // namespace
