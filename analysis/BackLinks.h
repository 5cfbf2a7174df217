// Who links here: for each file, the files whose valid links lead to it.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

// Built once from the valid links of every file, in memory linear in their number. A file's
// links to itself are left out. Nothing may change a file object while it lives.
class TBackLinks {
public:
    explicit TBackLinks(const TRunContext& Run);

    // The files with a valid link to Target, each once, in scan order.
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target) const;
    // The same for the links to one anchor of Target (ASCII case ignored, as anchors compare).
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target,
                                                 std::string_view Anchor) const;

private:
    struct TBackLink {
        const TFileObject* From;
        std::string Anchor;
    };
    std::unordered_map<const TFileObject*, std::vector<TBackLink>> ByTarget;
};

} // namespace orvel
