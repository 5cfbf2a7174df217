#include "support/FindIgnoringCase.h"

#include "support/CodePage.h"

namespace orvel {

size_t FindIgnoringCase(std::string_view Text, std::string_view Pattern) {
    if (Pattern.empty()) return std::string_view::npos;
    Text = Text.substr(0, Text.find('\0'));
    const char First = AsciiUpper(Pattern[0]);
    for (size_t I = 0; I + Pattern.size() <= Text.size(); ++I) {
        if (AsciiUpper(Text[I]) != First) continue;
        size_t K = 1;
        while (K < Pattern.size() && AsciiUpper(Text[I + K]) == AsciiUpper(Pattern[K]))
            ++K;
        if (K == Pattern.size()) return I;
    }
    return std::string_view::npos;
}

} // namespace orvel
