#include "support/FoldedText.h"

namespace orvel {

namespace {
// The two halves of the 128-bit product, mixed: every input bit moves many output bits.
std::uint64_t Mix(std::uint64_t A, std::uint64_t B) {
    const unsigned __int128 Product = static_cast<unsigned __int128>(A) * B;
    return static_cast<std::uint64_t>(Product) ^ static_cast<std::uint64_t>(Product >> 64);
}
constexpr std::uint64_t Seed = 0xA0761D6478BD642Full, Prime = 0xE7037ED1A0B428DBull;
} // namespace

namespace {
template <typename Word> std::uint64_t HashOf(std::string_view Text, Word&& Load) {
    std::uint64_t Hash = Seed ^ Text.size();
    for (size_t Pos = 0; Pos < Text.size(); Pos += 8)
        Hash = Mix(Hash ^ Load(Pos), Prime);
    return Mix(Hash, Seed);
}
} // namespace

std::uint64_t FoldedHash(std::string_view Text) {
    return HashOf(Text, [&](size_t Pos) { return FoldWord(LoadWord(Text, Pos)); });
}

std::uint64_t TextHash(std::string_view Text) {
    return HashOf(Text, [&](size_t Pos) { return LoadWord(Text, Pos); });
}

bool FoldedEqual(std::string_view A, std::string_view B) {
    if (A.size() != B.size()) return false;
    for (size_t Pos = 0; Pos < A.size(); Pos += 8)
        if (FoldWord(LoadWord(A, Pos)) != FoldWord(LoadWord(B, Pos))) return false;
    return true;
}

} // namespace orvel
