// The distinct values an extraction found, each with where it first stands, kept as the link and
// anchor lists keep them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// Values in the lists' order, each with the offset of the first attribute that holds it and
// how many times it was found.
struct TFoundValues {
    std::vector<std::string> Values;
    std::vector<size_t> Offsets;
    std::vector<std::uint32_t> Counts;
};

// Holds each spelling once, however many tags of a large file repeat it, in a table probed by
// the hash of its bytes. The spellings' bytes lie end to end in one buffer: a page of a million
// distinct values costs no allocation per value.
class TFirstValues {
public:
    // A value found by a row (rows rank in table order) at an offset; within a row, values come
    // in text order.
    void Offer(int Row, std::string_view Value, size_t Offset);
    // The values in the lists' order. Case-insensitive: of the spellings equal without case, the
    // one that storing every value row by row would keep, the first of the lowest row.
    // Case-sensitive: every spelling.
    TFoundValues TakeSorted(bool CaseSensitive);

private:
    struct TEntry {
        std::uint64_t Hash;
        std::uint64_t Key;    // AnsiSortKey of the value
        size_t RowOffset;     // where the lowest row that found it first found it
        size_t First;         // where any row first found it
        size_t ValueAt;       // of its bytes in Bytes
        int Row;              // the lowest row that found it
        std::uint32_t Count;  // of its spelling, and in the end of those it stands for
        std::uint32_t Length; // of its bytes
    };
    std::string_view Value(const TEntry& Entry) const {
        return std::string_view(Bytes).substr(Entry.ValueAt, Entry.Length);
    }
    void Grow();

    std::string Bytes;
    std::vector<TEntry> Entries;
    std::vector<std::uint32_t> Slots; // entry index + 1; 0 is empty
    size_t Mask = 0;
};

} // namespace orvel
