// The pieces of URL syntax that links are read with: schemes and percent escapes.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The length of the scheme that Text begins with ("http" in "http://..."), without its ":";
// 0 when Text begins with none (a letter, then letters, digits, "+", "-" or ".", then ":").
size_t UrlSchemeLength(std::string_view Text);

// Text with each "%" and two hex digits made the byte they name; any other "%" stays.
std::string PercentDecoded(std::string_view Text);

// Text as the path of a URI: each byte but "/" and the unreserved characters (letters, digits,
// "-", ".", "_", "~") as a percent escape.
std::string PercentEncodedPath(std::string_view Text);

// The value of a hex digit, or -1.
int HexValue(char C);

} // namespace orvel
