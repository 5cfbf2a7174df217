#include "support/IgnoreCasePos.h"

#include "support/CodePage.h"

namespace orvel {

size_t IgnoreCasePos(std::string_view Pattern, std::string_view Text) {
    if (Pattern.empty() || Text.empty()) return 0;
    Text = Text.substr(0, Text.find('\0'));
    const char First = AsciiUpper(Pattern[0]);
    for (size_t I = 0; I < Text.size(); ++I) {
        if (AsciiUpper(Text[I]) != First) continue;
        if (Text.size() - I < Pattern.size()) return 0;
        size_t K = 1;
        while (K < Pattern.size() && AsciiUpper(Text[I + K]) == AsciiUpper(Pattern[K]))
            ++K;
        if (K == Pattern.size()) return I + 1;
    }
    return 0;
}

} // namespace orvel
