#include "support/CharacterReferences.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace orvel {

namespace {

struct TNamedReference {
    std::string_view Name; // without the "&"
    std::string_view Text;
};

constexpr TNamedReference NamedReferences[] = {
#include "support/NamedCharacterReferences.inc"
};

bool IsAsciiAlphanumeric(char C) {
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

const TNamedReference* FindNamed(std::string_view Name) {
    const auto* It = std::lower_bound(
        std::begin(NamedReferences), std::end(NamedReferences), Name,
        [](const TNamedReference& Entry, std::string_view Key) { return Entry.Name < Key; });
    return It != std::end(NamedReferences) && It->Name == Name ? It : nullptr;
}

void AppendUtf8(std::string& Out, std::uint32_t Point) {
    if (Point < 0x80) {
        Out += static_cast<char>(Point);
    } else if (Point < 0x800) {
        Out += static_cast<char>(0xC0 | (Point >> 6));
        Out += static_cast<char>(0x80 | (Point & 0x3F));
    } else if (Point < 0x10000) {
        Out += static_cast<char>(0xE0 | (Point >> 12));
        Out += static_cast<char>(0x80 | ((Point >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Point & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Point >> 18));
        Out += static_cast<char>(0x80 | ((Point >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Point >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Point & 0x3F));
    }
}

// The character a numeric reference stands for: what may not be written comes out as U+FFFD,
// and the C1 controls as the Windows-1252 characters that pages mean by them.
std::uint32_t NumericReferencePoint(std::uint32_t Point) {
    static constexpr std::uint16_t C1[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    if (Point == 0 || Point > 0x10FFFF || (Point >= 0xD800 && Point <= 0xDFFF)) return 0xFFFD;
    if (Point >= 0x80 && Point <= 0x9F) return C1[Point - 0x80];
    return Point;
}

// Decodes the numeric reference after "&#" at Pos; false, with nothing used, when no digit
// follows.
bool DecodeNumeric(std::string_view Value, size_t& Pos, std::string& Out) {
    size_t At = Pos;
    const bool Hex = At < Value.size() && (Value[At] == 'x' || Value[At] == 'X');
    if (Hex) ++At;
    const size_t Digits = At;
    std::uint32_t Point = 0;
    for (; At < Value.size(); ++At) {
        const char C = Value[At];
        int Digit;
        if (C >= '0' && C <= '9')
            Digit = C - '0';
        else if (Hex && ((C | 0x20) >= 'a' && (C | 0x20) <= 'f'))
            Digit = (C | 0x20) - 'a' + 10;
        else
            break;
        Point = std::min<std::uint32_t>(Point * (Hex ? 16 : 10) + static_cast<std::uint32_t>(Digit),
                                        0x110000); // stays beyond U+10FFFF once there
    }
    if (At == Digits) return false;
    if (At < Value.size() && Value[At] == ';') ++At;
    AppendUtf8(Out, NumericReferencePoint(Point));
    Pos = At;
    return true;
}

// Decodes the named reference after "&" at Pos: the longest name of the table that the text
// begins with. False, with nothing used, when there is none or it must stay as written.
bool DecodeNamed(std::string_view Value, size_t& Pos, std::string& Out) {
    size_t End = Pos;
    while (End < Value.size() && End - Pos < 32 && IsAsciiAlphanumeric(Value[End]))
        ++End;
    if (End < Value.size() && Value[End] == ';')
        if (const TNamedReference* Found = FindNamed(Value.substr(Pos, End + 1 - Pos))) {
            Out += Found->Text;
            Pos = End + 1;
            return true;
        }
    // The names without ";" are the old ones, none longer than six letters.
    for (size_t Length = std::min<size_t>(End - Pos, 6); Length > 0; --Length) {
        const TNamedReference* Found = FindNamed(Value.substr(Pos, Length));
        if (!Found) continue;
        const size_t After = Pos + Length;
        if (After < Value.size() && (Value[After] == '=' || IsAsciiAlphanumeric(Value[After])))
            return false;
        Out += Found->Text;
        Pos = After;
        return true;
    }
    return false;
}

} // namespace

std::string DecodeCharacterReferences(std::string_view Value) {
    std::string Out;
    Out.reserve(Value.size());
    for (size_t Pos = 0; Pos < Value.size();) {
        const size_t Amp = Value.find('&', Pos);
        Out.append(Value.substr(Pos, Amp - Pos));
        if (Amp == std::string_view::npos) break;
        Pos = Amp + 1;
        const bool Decoded =
            Pos < Value.size() && (Value[Pos] == '#' ? (++Pos, DecodeNumeric(Value, Pos, Out))
                                                     : DecodeNamed(Value, Pos, Out));
        if (!Decoded) {
            Pos = Amp + 1;
            Out += '&';
        }
    }
    return Out;
}

} // namespace orvel
