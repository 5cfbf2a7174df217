// Replacing a link where a page writes it, written back safely, and undoing it.
#pragma once

#include "analysis/ExtractLinks.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

// A place where a page writes a link: where its bytes begin in the page, and the quote around
// the attribute value ('"', '\'', or 0 for none).
struct TLinkPlace {
    size_t Offset;
    char Quote;
};

// The places where the text of a page writes Link as the whole value of a link attribute that
// the extraction reads (or as the URL of a META refresh), in text order: never inside a longer
// value, in the text between tags or in a comment.
std::vector<TLinkPlace> LinkPlaces(std::string_view Text, std::string_view Link,
                                   const TExtractOptions& Options);

// How many places of the page write the link; -1 when the page cannot be read, after saying why.
int CountLinkPlaces(TRunContext& Run, const TFileObject& Page, const std::string& Link);

// One link of a page to be written anew: its bytes in the page, the new text in UTF-8.
struct TLinkFix {
    TFileObject* Page;
    std::string Link;
    std::string NewUtf8;
};

// One page as a replacement left it, for its undo.
struct TPageEdit {
    std::string Path;
    std::string Before;      // its bytes before
    std::uint64_t AfterHash; // TextHash of its bytes after
    size_t AfterSize;
};

// Replaces each link at each of its places (TLinkPlace), in its page's charset, all the fixes of
// a page in one safe write that keeps the file's owner, mode and extended attributes. A page
// without such a place, whose charset cannot hold the new text, whose places cannot hold it as
// written, or that the user may not write is left untouched. One message says how many places
// of how many files changed, or that none did, and names the files that could not be changed.
// The changes become one step of Run's undo history, and the results follow them. The number
// of places replaced.
int ReplaceLinks(TRunContext& Run, const std::vector<TLinkFix>& Fixes);

// Gives the pages of a replacement step their bytes before it, each only where it is still
// exactly as the step left it, and says which were not; the results follow.
void UndoPageEdits(TRunContext& Run, const std::vector<TPageEdit>& Step);

} // namespace orvel
