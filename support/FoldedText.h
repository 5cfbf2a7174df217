// Hashing and comparing byte strings with the ASCII letters a-z folded to upper case, eight
// bytes at a time: the keys of the path index and of the extraction's duplicate test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvel {

// The eight bytes with every a-z made A-Z; bytes from 0x80 up are left alone.
inline std::uint64_t FoldWord(std::uint64_t Word) {
    constexpr std::uint64_t Ones = 0x0101010101010101ull, High = Ones * 0x80;
    const std::uint64_t Low7 = Word & ~High; // no byte can carry into the next below
    const std::uint64_t FromA = Low7 + Ones * (0x80 - 'a');
    const std::uint64_t AfterZ = Low7 + Ones * (0x80 - 'z' - 1);
    const std::uint64_t Lower = FromA & ~AfterZ & ~Word & High;
    return Word ^ (Lower >> 2); // 0x80 >> 2 is the case bit
}

// Up to eight bytes of Text from Pos on, zero-padded.
inline std::uint64_t LoadWord(std::string_view Text, size_t Pos) {
    std::uint64_t Word = 0;
    const size_t Count = Text.size() - Pos < 8 ? Text.size() - Pos : 8;
    std::memcpy(&Word, Text.data() + Pos, Count);
    return Word;
}

// Whether Text at Pos begins with Upper (upper case), its a-z letters taken as A-Z.
inline bool StartsWithFolded(std::string_view Text, size_t Pos, std::string_view Upper) {
    if (Pos > Text.size() || Text.size() - Pos < Upper.size()) return false;
    for (size_t I = 0; I < Upper.size(); ++I) {
        const char C = Text[Pos + I];
        if ((C >= 'a' && C <= 'z' ? char(C - 'a' + 'A') : C) != Upper[I]) return false;
    }
    return true;
}

// A 64-bit hash of the folded text: every byte counts, so paths that share a long beginning
// spread as well as any others.
std::uint64_t FoldedHash(std::string_view Text);
// The same hash of the text's bytes as they are, for texts told apart by case.
std::uint64_t TextHash(std::string_view Text);
// True when the two texts are equal once folded.
bool FoldedEqual(std::string_view A, std::string_view B);

} // namespace orvel
