#include "analysis/FirstValues.h"

#include "support/CodePage.h"
#include "support/FoldedText.h"

#include <algorithm>
#include <utility>

namespace orvel {

void TFirstValues::Offer(int Row, std::string_view Value, size_t Offset) {
    if (2 * (Entries.size() + 1) > Slots.size()) Grow();
    const std::uint64_t Hash = TextHash(Value);
    for (size_t I = Hash & Mask;; I = (I + 1) & Mask) {
        if (Slots[I] == 0) {
            Entries.push_back({Hash, AnsiSortKey(Value), Offset, Offset, Bytes.size(), Row, 1,
                               static_cast<std::uint32_t>(Value.size())});
            Bytes.append(Value);
            Slots[I] = static_cast<std::uint32_t>(Entries.size());
            return;
        }
        TEntry& Entry = Entries[Slots[I] - 1];
        if (Entry.Hash == Hash && this->Value(Entry) == Value) {
            if (Row < Entry.Row) {
                Entry.Row = Row;
                Entry.RowOffset = Offset;
            }
            Entry.First = std::min(Entry.First, Offset);
            ++Entry.Count;
            return;
        }
    }
}

void TFirstValues::Grow() {
    Slots.assign(Slots.empty() ? 64 : Slots.size() * 2, 0);
    Mask = Slots.size() - 1;
    for (size_t E = 0; E < Entries.size(); ++E) {
        size_t I = Entries[E].Hash & Mask;
        while (Slots[I] != 0)
            I = (I + 1) & Mask;
        Slots[I] = static_cast<std::uint32_t>(E + 1);
    }
}

TFoundValues TFirstValues::TakeSorted(bool CaseSensitive) {
    // Spellings equal without case lie together: case-insensitive, the one to keep first;
    // case-sensitive, in the order of their bytes, as the list compares them.
    std::sort(Entries.begin(), Entries.end(), [&](const TEntry& A, const TEntry& B) {
        if (A.Key != B.Key) return A.Key < B.Key;
        if (const int Folded = AnsiCompareText(Value(A), Value(B)); Folded != 0) return Folded < 0;
        if (CaseSensitive) return Value(A) < Value(B);
        return A.Row != B.Row ? A.Row < B.Row : A.RowOffset < B.RowOffset;
    });
    TFoundValues Found;
    Found.Values.reserve(Entries.size());
    Found.Offsets.reserve(Entries.size());
    Found.Counts.reserve(Entries.size());
    for (size_t I = 0; I < Entries.size(); ++I) {
        const TEntry& Entry = Entries[I];
        if (!CaseSensitive && !Found.Values.empty() &&
            AnsiCompareText(Found.Values.back(), Value(Entry)) == 0) {
            Found.Counts.back() += Entry.Count; // a spelling of the value kept just before
            continue;
        }
        Found.Values.emplace_back(Value(Entry));
        Found.Offsets.push_back(Entry.First);
        Found.Counts.push_back(Entry.Count);
    }
    *this = TFirstValues();
    return Found;
}

} // namespace orvel
