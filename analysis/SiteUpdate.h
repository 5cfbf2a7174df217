// Bringing a checked site's results up to date after some of its files changed, as a new check
// would leave them, without reading the rest of the site again.
#pragma once

#include <cstdint>
#include <string>
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

// What changed on disk at some entries of the site's folders; a path ending in a separator
// stands for a whole folder, gone or moved.
struct TDiskChanges {
    std::vector<TFileObject*> Changed; // read pages whose stamp is not that of their reading
    std::vector<TFileObject*> Gone;    // files no longer there
    bool Unknown = false;              // an entry the results do not know, or a folder as a whole
};
TDiskChanges FindDiskChanges(const TRunContext& Run, std::vector<std::string> Paths);

// Forgets the files gone, their objects and nodes, and brings the results up to date.
void ApplyDiskChanges(TRunContext& Run, const TDiskChanges& Changes);

} // namespace orvel
