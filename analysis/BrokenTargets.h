// The broken targets of a checked site: each once, with every invalid link that names it.
#pragma once

#include <string>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

// An invalid link of a page: the page, its index in FileObjects and the link's index into its
// InvalidLinks.
struct TBrokenLink {
    TFileObject* Page;
    int File;
    int Invalid;
    const std::string& Link() const;
};

struct TBrokenTarget {
    // What the links name as the rules in force resolve it: the path below the home folder (else
    // the absolute path) with "#" and the anchor where there is one; the link itself where it
    // names no path of this disk.
    std::string Target;
    std::vector<TBrokenLink> Links; // in FileObjects order; the first one's diagnosis is its
    int Pages = 0;                  // the pages among them
    int Places = 0;                 // the places where those pages write them
};

// Every broken target, the one named by the most links first (then in the order of the
// targets' texts).
std::vector<TBrokenTarget> BrokenTargets(const TRunContext& Run);

} // namespace orvel
