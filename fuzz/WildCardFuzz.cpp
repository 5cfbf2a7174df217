// The wildcard matcher against the plain rule: "*" any run of bytes, "?" one byte, every other
// byte itself, the whole name matched; tried by dynamic programming over all splits.
//
// Input: the pattern, a NUL byte, the name.
#include "FuzzSupport.h"

#include "support/WildCard.h"

#include <cstdint>
#include <vector>

using namespace orvel;
using namespace orvel::fuzz;

namespace {
bool MatchesByEverySplit(std::string_view Pattern, std::string_view Name) {
    // Matches[j]: the pattern so far matches the first j bytes of the name.
    std::vector<char> Matches(Name.size() + 1, 0);
    Matches[0] = 1;
    for (const char P : Pattern) {
        std::vector<char> Next(Name.size() + 1, 0);
        for (size_t J = 0; J <= Name.size(); ++J) {
            if (P == '*')
                Next[J] = Matches[J] || (J > 0 && Next[J - 1]);
            else
                Next[J] = J > 0 && Matches[J - 1] && (P == '?' || P == Name[J - 1]);
        }
        Matches.swap(Next);
    }
    return Matches[Name.size()];
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
    const size_t Split = Input.find('\0');
    if (Split == std::string_view::npos || Size > 1024) return 0;
    const std::string_view Pattern = Input.substr(0, Split), Name = Input.substr(Split + 1);
    Require(WildCardMatch(Pattern, Name) == MatchesByEverySplit(Pattern, Name),
            "the matcher agrees with trying every split");
    return 0;
}
