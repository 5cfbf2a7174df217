#include "support/TextPositions.h"

#include "support/CodePage.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace orvel {

namespace {

// The characters in Text[From, To), which begins with a whole character.
int CharactersIn(std::string_view Text, size_t From, size_t To, TCharset Charset) {
    int Count = 0;
    if (Charset == TCharset::Utf8()) {
        for (size_t Pos = From; Pos < To; ++Pos)
            Count += (static_cast<unsigned char>(Text[Pos]) & 0xC0) != 0x80;
    } else if (Charset == TCharset::Cp932()) {
        for (size_t Pos = From; Pos < To; ++Count)
            Pos += IsCp932Lead(static_cast<unsigned char>(Text[Pos])) ? 2 : 1;
    } else {
        for (size_t Pos = From; Pos < To; ++Count)
            Pos += CharLength(Text, Pos, Charset);
    }
    return Count;
}

// Where the next line break in Text[From, To) begins, or To.
size_t NextBreak(std::string_view Text, size_t From, size_t To, bool HasReturns) {
    const void* Found = std::memchr(Text.data() + From, '\n', To - From);
    size_t Break = Found ? static_cast<size_t>(static_cast<const char*>(Found) - Text.data()) : To;
    if (HasReturns)
        if (const void* Return = std::memchr(Text.data() + From, '\r', Break - From))
            Break = static_cast<size_t>(static_cast<const char*>(Return) - Text.data());
    return Break;
}

} // namespace

std::vector<TTextPosition> TextPositions(std::string_view Text, const std::vector<size_t>& Offsets,
                                         TCharset Charset) {
    std::vector<TTextPosition> Positions(Offsets.size());
    std::vector<size_t> Order(Offsets.size());
    std::iota(Order.begin(), Order.end(), size_t{0});
    std::sort(Order.begin(), Order.end(),
              [&](size_t A, size_t B) { return Offsets[A] < Offsets[B]; });
    const TCharset Known = Charset.OrCodePage();
    const bool HasReturns = Text.find('\r') != std::string_view::npos;
    int Line = 1, Column = 1;
    size_t Pos = 0; // Line and Column are those of Pos
    for (const size_t I : Order) {
        const size_t Offset = Offsets[I];
        if (Offset >= Text.size()) break;
        for (size_t Break; (Break = NextBreak(Text, Pos, Offset, HasReturns)) < Offset;) {
            ++Line;
            Column = 1;
            Pos =
                Break +
                (Text[Break] == '\r' && Break + 1 < Text.size() && Text[Break + 1] == '\n' ? 2 : 1);
        }
        if (Pos < Offset) {
            Column += CharactersIn(Text, Pos, Offset, Known);
            Pos = Offset;
        }
        Positions[I] = {Line, Column};
    }
    return Positions;
}

} // namespace orvel
