// The names of a list within two edits of a text, found by a walk of a trie of the names that
// leaves every branch once it is more than two edits away: the time of a search grows with the
// names near the text, not with the list.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel {

class TNearNames {
public:
    // The names are kept as views: they must outlive the index.
    explicit TNearNames(const std::vector<std::string_view>& Names);

    // The indices into Names of the names within Limit (at most 2) edits (insertions, deletions,
    // substitutions, ASCII case ignored) of Text, at most Enough of them, in no set order; a
    // name listed twice counts once.
    std::vector<int> Near(std::string_view Text, int Limit, int Enough) const;

private:
    struct TNode {
        char Letter;                  // upper-cased
        std::int32_t FirstChild = -1; // children in the order of their letters
        std::int32_t NextSibling = -1;
        std::int32_t Name = -1; // the index of a name that ends here, or -1
    };
    std::vector<TNode> Nodes; // Nodes[0] is the root

    using TStack = std::vector<std::pair<std::int32_t, int>>; // nodes to walk and their depth
    // Pushes the children of node Index at Depth + 1; the one whose letter is Next, the letter
    // that follows in the text, goes last, so that it is taken first and near names are met
    // early, and the walk ends once it has enough of them.
    void PushChildren(std::int32_t Index, int Depth, char Next, TStack& Stack) const;
};

} // namespace orvel
