#include "support/WildCard.h"

namespace orvel {

bool WildCardMatch(std::string_view Pattern, std::string_view Name) {
    // Greedy matching that returns to the last "*" on a mismatch: the same answer as trying
    // every split, in time bounded by the product of the lengths, never exponential.
    size_t P = 0, N = 0;
    size_t StarP = std::string_view::npos, StarN = 0;
    while (N < Name.size()) {
        if (P < Pattern.size() && Pattern[P] == '*') {
            StarP = P++;
            StarN = N;
        } else if (P < Pattern.size() && (Pattern[P] == '?' || Pattern[P] == Name[N])) {
            ++P;
            ++N;
        } else if (StarP != std::string_view::npos) {
            P = StarP + 1;
            N = ++StarN;
        } else {
            return false;
        }
    }
    while (P < Pattern.size() && Pattern[P] == '*')
        ++P;
    return P == Pattern.size();
}

} // namespace orvel
