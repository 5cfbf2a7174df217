// The scanning rules of the HTML link extraction: tag tables, comment removal and small helpers.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

class TRunContext;

struct TTagRow {
    std::string_view Tag;       // upper case
    std::string_view Attribute; // upper case
};

extern const TTagRow LinkTagTable[35];
extern const TTagRow MetaRefreshRow;
extern const TTagRow AnchorTagTable[17];

// Longest attribute value kept; longer values are cut.
constexpr size_t MaxValueLength = 1000;

// Advances Pos over carriage returns, line feeds and spaces; returns how many it passed.
size_t SkipBlanks(std::string_view Upper, size_t& Pos);

// The text before its first space; the whole text when it has none.
std::string CutAtSpace(std::string_view Text);

// Removes comments as repeated deletion from the first "<!--" through the first "-->" would,
// while that "-->" lies after that "<!--", in time linear in the text. Pumps, shows the count and
// polls Halted once per comment; false when halted.
bool RemoveComments(std::string& Text, TRunContext& Run);

} // namespace orvel
