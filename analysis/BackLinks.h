// Who links here: for each file, the files whose valid links lead to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace orvel {

class TFileObject;
class TRunContext;

// Built once from the targets that the classification recorded for the valid links, without
// resolving a link again, in memory linear in their number. A file's links to itself are left
// out. Nothing may change a file object while it lives.
class TBackLinks {
public:
    explicit TBackLinks(const TRunContext& Run);

    // The files with a valid link to Target, each once, in scan order.
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target) const;
    // The same for the links to one anchor of Target, as the settings' rules read them.
    std::vector<const TFileObject*> LinkingFiles(const TFileObject& Target,
                                                 std::string_view Anchor) const;

private:
    struct TBackLink {
        const TFileObject* From;
        std::uint32_t Link; // index into From's ValidLinks
    };
    // The slot of a file object's Sequence, or -1.
    std::int64_t SlotOf(std::uint64_t Sequence) const;
    template <typename Keep>
    std::vector<const TFileObject*> Sources(const TFileObject& Target, Keep&& Wanted) const;

    std::uint64_t FirstSequence = 0;
    std::vector<std::int32_t> Slots;   // by Sequence - FirstSequence; -1 for none
    std::vector<std::uint32_t> Starts; // the links to the file of slot S: [Starts[S], Starts[S+1])
    std::unique_ptr<TBackLink[]> Links;
};

} // namespace orvel
