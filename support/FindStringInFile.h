// Finds every occurrence of a text in a file, with its line number and a piece of text around it.
#pragma once

#include "support/Charset.h"
#include "support/MessageHost.h"

#include <string>
#include <vector>

namespace orvel {

// Pairs in the order found: the 1-based line number as decimal text, then the piece: from
// BytesBefore before the occurrence (never before the end of the previous one) as many bytes as
// the pattern and the bytes before and after it take, widened to whole characters of the
// file's charset. Reading errors
// propagate; any other failure shows a message and returns what was found so far.
std::vector<std::string> FindStringInFile(const std::string& Path, const std::string& Pattern,
                                          size_t BytesBefore, size_t BytesAfter, bool IgnoreCase,
                                          TCharset Charset, TMessageHost& Host);

} // namespace orvel
