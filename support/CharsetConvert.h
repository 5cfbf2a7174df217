// Conversion between character sets through iconv.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// Converts In from one character set to another; each byte that cannot be converted becomes
// Replacement. Without a converter for the pair, the text comes back as it is.
std::string ConvertCharset(const char* To, const char* From, const std::string& In,
                           std::string_view Replacement);

} // namespace orvel
