#include "support/UrlText.h"

namespace orvel {

namespace {
bool IsAsciiLetter(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}
} // namespace

size_t UrlSchemeLength(std::string_view Text) {
    if (Text.empty() || !IsAsciiLetter(Text[0])) return 0;
    for (size_t I = 1; I < Text.size(); ++I) {
        const char C = Text[I];
        if (C == ':') return I;
        if (!IsAsciiLetter(C) && !(C >= '0' && C <= '9') && C != '+' && C != '-' && C != '.')
            return 0;
    }
    return 0;
}

int HexValue(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    C = static_cast<char>(C | 0x20);
    return C >= 'a' && C <= 'f' ? C - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view Text) {
    std::string Result;
    Result.reserve(Text.size());
    for (size_t I = 0; I < Text.size(); ++I) {
        int High, Low;
        if (Text[I] == '%' && I + 2 < Text.size() && (High = HexValue(Text[I + 1])) >= 0 &&
            (Low = HexValue(Text[I + 2])) >= 0) {
            Result += static_cast<char>(High * 16 + Low);
            I += 2;
        } else {
            Result += Text[I];
        }
    }
    return Result;
}

std::string PercentEncodedPath(std::string_view Text) {
    static const char* const Hex = "0123456789ABCDEF";
    std::string Result;
    Result.reserve(Text.size());
    for (const char C : Text) {
        if (IsAsciiLetter(C) || (C >= '0' && C <= '9') || C == '/' || C == '-' || C == '.' ||
            C == '_' || C == '~') {
            Result += C;
            continue;
        }
        const unsigned char B = static_cast<unsigned char>(C);
        Result += '%';
        Result += Hex[B >> 4];
        Result += Hex[B & 15];
    }
    return Result;
}

} // namespace orvel
