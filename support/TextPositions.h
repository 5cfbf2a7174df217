// Lines and columns of places in a text, as editors number them.
#pragma once

#include "support/Charset.h"

#include <string_view>
#include <vector>

namespace orvel {

struct TTextPosition {
    int Line = 0;   // 1-based; 0 for a place beyond the text
    int Column = 0; // 1-based, in characters of the text's charset
};

// The positions of byte offsets into Text, in one pass however many there are. A line ends at a
// line feed, a carriage return and line feed, or a lone carriage return.
std::vector<TTextPosition> TextPositions(std::string_view Text, const std::vector<size_t>& Offsets,
                                         TCharset Charset);

} // namespace orvel
