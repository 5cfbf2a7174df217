// File-name patterns with "*" (any run of bytes) and "?" (exactly one byte).
#pragma once

#include <string_view>

namespace orvel {

// True when the pattern matches the whole name; exact, case-sensitive byte matching.
bool WildCardMatch(std::string_view Pattern, std::string_view Name);

} // namespace orvel
