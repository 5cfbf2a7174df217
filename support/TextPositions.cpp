#include "support/TextPositions.h"

#include "support/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <optional>

namespace orvel {

namespace {

// Counts the characters of Text[From, To), which begins with a whole character, into Column;
// returns where the last of them ends (past To when one crosses it).
size_t CountCharacters(std::string_view Text, size_t From, size_t To, TCharset Charset,
                       int& Column) {
    size_t Pos = From;
    if (Charset == TCharset::Utf8()) {
        for (; Pos < To; ++Pos)
            Column += (static_cast<unsigned char>(Text[Pos]) & 0xC0) != 0x80;
    } else if (Charset == TCharset::Cp932()) {
        for (; Pos < To; ++Column)
            Pos += IsCp932Lead(static_cast<unsigned char>(Text[Pos])) ? 2 : 1;
    } else {
        for (; Pos < To; ++Column)
            Pos += CharLength(Text, Pos, Charset);
    }
    return Pos;
}

// Where the next line break in Text[From, To) begins, or To.
size_t NextBreak(std::string_view Text, size_t From, size_t To) {
    const void* Found = std::memchr(Text.data() + From, '\n', To - From);
    size_t Break = Found ? static_cast<size_t>(static_cast<const char*>(Found) - Text.data()) : To;
    if (const void* Return = std::memchr(Text.data() + From, '\r', Break - From))
        Break = static_cast<size_t>(static_cast<const char*>(Return) - Text.data());
    return Break;
}

// The line and column of a place in a text read piece by piece, moving forward only.
class TPositionCounter {
public:
    TPositionCounter(const TTextReader& Reader, TCharset PageCharset)
        : Read(Reader), Charset(PageCharset) {}

    // The position of Offset, which is not before the last one asked for; none beyond the text.
    std::optional<TTextPosition> At(size_t Offset) {
        // A character and a line break must lie wholly in the buffer to be counted.
        constexpr size_t Margin = 8;
        const size_t Wanted = Offset + std::min(Margin, SIZE_MAX - Offset);
        while (!Ended && Base + Filled < Wanted) {
            if (Filled > Margin) Advance(std::min(Offset - Base, Filled - Margin));
            ReadMore();
        }
        if (Offset >= Base + Filled) return std::nullopt;
        Advance(Offset - Base);
        return TTextPosition{Line, Column};
    }

private:
    std::string_view Text() const { return std::string_view(Buffer).substr(0, Filled); }
    // Counts the lines and columns from Pos to To within the buffer.
    void Advance(size_t To) {
        if (Pos >= To) return;
        const std::string_view Held = Text();
        for (size_t Break; (Break = NextBreak(Held, Pos, To)) < To;) {
            ++Line;
            Column = 1;
            const bool Pair =
                Held[Break] == '\r' && Break + 1 < Held.size() && Held[Break + 1] == '\n';
            Pos = Break + (Pair ? 2 : 1);
        }
        if (Pos < To) Pos = CountCharacters(Held, Pos, To, Charset, Column);
    }
    // Drops what has been counted and reads the next piece after what is left.
    void ReadMore() {
        constexpr size_t Piece = size_t{1} << 16;
        std::memmove(Buffer.data(), Buffer.data() + Pos, Filled - Pos);
        Filled -= Pos;
        Base += Pos;
        Pos = 0;
        // The buffer of the thread serves page after page: it is filled, never cleared.
        if (Buffer.size() < Filled + Piece) Buffer.resize(Filled + Piece);
        const size_t Got = Read(Buffer.data() + Filled, Piece);
        Filled += Got;
        Ended = Got < Piece;
    }

    const TTextReader& Read;
    const TCharset Charset;
    static thread_local std::string Buffer;
    size_t Filled = 0; // bytes of the text in the buffer
    size_t Base = 0;   // the offset of the buffer's first byte in the text
    size_t Pos = 0;    // in the buffer; Line and Column are those of Pos
    int Line = 1, Column = 1;
    bool Ended = false;
};

thread_local std::string TPositionCounter::Buffer;

} // namespace

std::vector<TTextPosition> TextPositions(const TTextReader& Read,
                                         const std::vector<size_t>& Offsets, TCharset Charset) {
    std::vector<TTextPosition> Positions(Offsets.size());
    std::vector<size_t> Order(Offsets.size());
    std::iota(Order.begin(), Order.end(), size_t{0});
    std::sort(Order.begin(), Order.end(),
              [&](size_t A, size_t B) { return Offsets[A] < Offsets[B]; });
    TPositionCounter Counter(Read, Charset.OrCodePage());
    for (const size_t I : Order) {
        const std::optional<TTextPosition> Position = Counter.At(Offsets[I]);
        if (!Position) break;
        Positions[I] = *Position;
    }
    return Positions;
}

std::vector<TTextPosition> TextPositions(std::string_view Text, const std::vector<size_t>& Offsets,
                                         TCharset Charset) {
    const TTextReader Read = [&Text](char* Buffer, size_t Count) {
        const size_t Taken = Text.copy(Buffer, Count);
        Text.remove_prefix(Taken);
        return Taken;
    };
    return TextPositions(Read, Offsets, Charset);
}

} // namespace orvel
