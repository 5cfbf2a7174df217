// Where each of many patterns first occurs in one text, found in one pass over the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// For each pattern the 1-based line of its first occurrence in Text, or 0 (always for an empty
// pattern). A line ends at CR LF, LF CR, CR or LF. IgnoreCase folds the ASCII letters only, as
// IgnoreCasePos does. Time linear in the text and the patterns' lengths plus the occurrences, not
// in their product.
std::vector<int> FirstOccurrenceLines(std::string_view Text,
                                      const std::vector<std::string>& Patterns, bool IgnoreCase);

} // namespace orvel
