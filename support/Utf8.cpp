#include "support/Utf8.h"

#include <cstdint>
#include <cstring>

namespace orvel {

size_t Utf8SequenceLength(std::string_view Text, size_t Pos) {
    const unsigned char B = static_cast<unsigned char>(Text[Pos]);
    if (B < 0x80) return 1;
    size_t Length;
    unsigned char Low = 0x80, High = 0xBF; // allowed range of the second byte
    if (B >= 0xC2 && B <= 0xDF)
        Length = 2;
    else if (B == 0xE0)
        Length = 3, Low = 0xA0;
    else if (B >= 0xE1 && B <= 0xEC)
        Length = 3;
    else if (B == 0xED)
        Length = 3, High = 0x9F;
    else if (B >= 0xEE && B <= 0xEF)
        Length = 3;
    else if (B == 0xF0)
        Length = 4, Low = 0x90;
    else if (B >= 0xF1 && B <= 0xF3)
        Length = 4;
    else if (B == 0xF4)
        Length = 4, High = 0x8F;
    else
        return 0;
    if (Pos + Length > Text.size()) return 0;
    for (size_t K = 1; K < Length; ++K) {
        const unsigned char C = static_cast<unsigned char>(Text[Pos + K]);
        if (K == 1 ? (C < Low || C > High) : (C < 0x80 || C > 0xBF)) return 0;
    }
    return Length;
}

bool IsValidUtf8(std::string_view Text) {
    for (size_t Pos = 0; Pos < Text.size();) {
        // Runs of ASCII go eight bytes at a time.
        std::uint64_t Eight;
        while (Text.size() - Pos >= 8 &&
               (std::memcpy(&Eight, Text.data() + Pos, 8), (Eight & 0x8080808080808080u) == 0))
            Pos += 8;
        if (Pos == Text.size()) break;
        const size_t Length = Utf8SequenceLength(Text, Pos);
        if (Length == 0) return false;
        Pos += Length;
    }
    return true;
}

std::string WithValidUtf8(std::string_view Text, std::string_view Replacement) {
    std::string Result;
    Result.reserve(Text.size());
    for (size_t Pos = 0; Pos < Text.size();) {
        const size_t Length = Utf8SequenceLength(Text, Pos);
        if (Length == 0) {
            Result += Replacement;
            ++Pos;
        } else {
            Result.append(Text, Pos, Length);
            Pos += Length;
        }
    }
    return Result;
}

} // namespace orvel
