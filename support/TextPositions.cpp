#include "support/TextPositions.h"

#include <algorithm>
#include <numeric>

namespace orvel {

std::vector<TTextPosition> TextPositions(std::string_view Text, const std::vector<size_t>& Offsets,
                                         TCharset Charset) {
    std::vector<TTextPosition> Positions(Offsets.size());
    std::vector<size_t> Order(Offsets.size());
    std::iota(Order.begin(), Order.end(), size_t{0});
    std::sort(Order.begin(), Order.end(),
              [&](size_t A, size_t B) { return Offsets[A] < Offsets[B]; });
    const bool Utf8 = Charset.OrCodePage() == TCharset::Utf8();
    int Line = 1, Column = 1;
    size_t Pos = 0; // Line and Column are those of Pos
    for (const size_t I : Order) {
        const size_t Offset = Offsets[I];
        if (Offset >= Text.size()) break;
        while (Pos < Offset) {
            const char C = Text[Pos];
            if (C == '\n' || (C == '\r' && (Pos + 1 >= Text.size() || Text[Pos + 1] != '\n'))) {
                ++Line;
                Column = 1;
                ++Pos;
            } else if (Utf8) {
                Column += (static_cast<unsigned char>(C) & 0xC0) != 0x80;
                ++Pos;
            } else {
                ++Column;
                Pos += CharLength(Text, Pos, Charset);
            }
        }
        Positions[I] = {Line, Column};
    }
    return Positions;
}

} // namespace orvel
