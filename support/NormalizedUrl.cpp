#include "support/NormalizedUrl.h"

#include "support/UrlText.h"

#include <algorithm>

namespace orvel {

namespace {

std::string Lowered(std::string_view Text) {
    std::string Result(Text);
    std::transform(Result.begin(), Result.end(), Result.begin(),
                   [](unsigned char C) { return C >= 'A' && C <= 'Z' ? char(C + 32) : char(C); });
    return Result;
}

// The authority of Rest ("//user@host:port/path?query"), without the "//".
std::string_view AuthorityOf(std::string_view Rest) {
    return Rest.substr(2, Rest.find_first_of("/?", 2) - 2);
}

// Where the host ends in an authority without user: after "]" for an IPv6 address.
size_t HostEnd(std::string_view HostPort) {
    const size_t Bracket = HostPort.starts_with('[') ? HostPort.find(']') : 0;
    if (Bracket == std::string_view::npos) return HostPort.size();
    return std::min(HostPort.find(':', Bracket), HostPort.size());
}

} // namespace

std::string NormalizedUrl(std::string_view Url) {
    const size_t SchemeLength = UrlSchemeLength(Url);
    const std::string Scheme = Lowered(Url.substr(0, SchemeLength));
    if (Scheme != "http" && Scheme != "https") return {};
    std::string_view Rest = Url.substr(SchemeLength + 1);
    Rest = Rest.substr(0, Rest.find('#'));
    if (!Rest.starts_with("//")) return {};
    const std::string_view Authority = AuthorityOf(Rest);
    const size_t At = Authority.rfind('@');
    const std::string_view User =
        At == std::string_view::npos ? std::string_view() : Authority.substr(0, At + 1);
    const std::string_view HostPort = Authority.substr(User.size());
    const size_t End = HostEnd(HostPort);
    if (End == 0) return {};
    std::string_view Port = HostPort.substr(End);
    if (Port == ":" || Port == (Scheme == "http" ? ":80" : ":443")) Port = {};
    std::string_view PathQuery = Rest.substr(2 + Authority.size());
    return Scheme + "://" + std::string(User) + Lowered(HostPort.substr(0, End)) +
           std::string(Port) + (PathQuery.starts_with('/') ? "" : "/") + std::string(PathQuery);
}

std::string UrlHostKey(std::string_view Normalized) {
    const size_t Start = Normalized.find("://");
    if (Start == std::string_view::npos) return {};
    const std::string_view Authority = AuthorityOf(Normalized.substr(Start + 1));
    const size_t At = Authority.rfind('@');
    return std::string(At == std::string_view::npos ? Authority : Authority.substr(At + 1));
}

} // namespace orvel
