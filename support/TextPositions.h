// Lines and columns of places in a text, as editors number them.
#pragma once

#include "support/Charset.h"

#include <functional>
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

// Reads up to Count bytes of a text into Buffer, fewer only at its end.
using TTextReader = std::function<size_t(char* Buffer, size_t Count)>;

// The same for a text read piece by piece: 64 KiB of it is held at a time.
std::vector<TTextPosition> TextPositions(const TTextReader& Read,
                                         const std::vector<size_t>& Offsets, TCharset Charset);

} // namespace orvel
