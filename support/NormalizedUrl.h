// One spelling for each external http(s) URL, so that a server is asked about it only once.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// Url without its fragment, scheme and host in lower case, without the scheme's default port
// (:80 for http, :443 for https) and with "/" for an empty path; user, path and query stay as
// written. Empty for anything but an http: or https: URL with a host.
std::string NormalizedUrl(std::string_view Url);

// The host and port of a normalised URL ("example.org", "127.0.0.1:8080"): what a limit of
// transfers per server counts by.
std::string UrlHostKey(std::string_view Normalized);

} // namespace orvel
