#include "support/SortedSubList.h"

#include <algorithm>

namespace orvel {

int TSortedSubList::IndexOf(std::string_view Text) const {
    const int OwnerIndex = Owner->IndexOf(Text);
    if (OwnerIndex < 0) return -1;
    const auto It = std::lower_bound(Indices.begin(), Indices.end(), OwnerIndex);
    return It != Indices.end() && *It == OwnerIndex ? static_cast<int>(It - Indices.begin()) : -1;
}

std::vector<std::string> TSortedSubList::Strings() const {
    return std::vector<std::string>(begin(), end());
}

} // namespace orvel
