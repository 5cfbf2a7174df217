// Conversion between character sets through iconv.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// Converts In from one character set to another; each byte that cannot be converted becomes
// Replacement. Without a converter for the pair, the text comes back as it is.
std::string ConvertCharset(const char* To, const char* From, const std::string& In,
                           std::string_view Replacement);

// The outcome of a conversion that stops at the first byte it cannot convert.
struct TStrictConversion {
    std::string Out;                     // what was converted before that byte
    size_t FailedAt = std::string::npos; // where in the input it stopped; npos: converted whole
    bool Ok() const { return FailedAt == std::string::npos; }
};
// Converts In whole, or up to the first sequence that the target cannot hold, that the source
// does not allow or that is cut off at the end. Without a converter it fails at 0.
TStrictConversion ConvertCharsetStrictly(const char* To, const char* From, std::string_view In);

// True when iconv converts between the character set and UTF-8.
bool CharsetKnown(const char* Name);
// The bytes of Text's first character in the charset From, when it converts; else 0.
size_t FirstCharacterLength(const char* From, std::string_view Text);

} // namespace orvel
