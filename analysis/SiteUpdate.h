// Bringing a checked site's results up to date after some of its files changed, as a new check
// would leave them, without reading the rest of the site again.
#pragma once

#include <cstdint>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

struct TSiteChange {
    std::vector<TFileObject*> Changed; // pages whose text changed: read again
    std::vector<std::uint64_t> Gone;   // the Sequences of file objects destroyed
};

// Reads the changed pages again, classifies again their links and those of every page with a
// link to them or to a file gone, and marks again from the TOP pages what is reached: the
// counters, pictures and folder colours are those a new check would give, the tree keeps its
// nodes, what is expanded and what is selected, and the link lists of the selected node are
// shown again. With no change at all, only the marking is done again (a TOP page or an
// exclusion changed).
void UpdateAfterChange(TRunContext& Run, const TSiteChange& Change = {});

} // namespace orvel
