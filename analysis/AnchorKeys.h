// Anchors as the modern rules compare them: the names that links give them.
#pragma once

#include "support/Charset.h"
#include "support/SortedStringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel {

// An anchor of a page in that page's charset as a link's fragment names it: in UTF-8, its
// character references decoded. Unchanged when it is already that.
std::string AnchorKey(std::string_view Anchor, TCharset Charset);

// The index into a page's Anchors of the anchor that a fragment (UTF-8, references decoded)
// names, as browsers look for the element a fragment indicates: with letter case, first the
// fragment as it stands, then with its percent escapes decoded. Extra is searched after Anchors,
// its indices counting on from Anchors' count. -1 when none is named.
class TAnchorKeys {
public:
    // The keys of a page's anchors (sorted as its list holds them), kept where any differs from
    // its anchor, and looked up through a hash table when they are kept or Hashed is asked for.
    void Build(const std::vector<std::string>& Anchors, TCharset Charset, bool Hashed);
    int Find(std::string_view Fragment, const TSortedStringList& Anchors,
             const TSortedStringList* Extra = nullptr) const;

private:
    int FindExactly(std::string_view Key, const TSortedStringList& Anchors,
                    const TSortedStringList* Extra) const;
    std::vector<std::string> Keys; // by anchor index; empty when every anchor is its own key
    // The low half of the key's TextHash, and the anchor's index; the keys are compared too.
    std::vector<std::pair<std::uint32_t, int>> ByHash;
};

// The fragment "top" names the top of any page, whether or not an anchor has that name.
bool NamesPageTop(std::string_view Fragment);

} // namespace orvel
