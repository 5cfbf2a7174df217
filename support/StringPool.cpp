#include "support/StringPool.h"

#include "support/FoldedText.h"

#include <array>
#include <bit>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace orvel {

namespace {

constexpr unsigned ShardBits = 4; // the top bits of a number name its shard
constexpr unsigned IndexBits = 32 - ShardBits;
constexpr TPooledId IndexMask = (TPooledId{1} << IndexBits) - 1;
constexpr unsigned FirstSegmentBits = 10;
// Segment K holds 1024 << K texts: they never move, and the segments cover every index.
constexpr size_t SegmentCount = IndexBits - FirstSegmentBits + 1;

// A part of the pool with its own lock, so that threads reading pages rarely wait for each other.
class TPoolShard {
public:
    TPooledId Find(std::string_view Text, std::uint64_t Hash) {
        const std::scoped_lock Lock(Mutex);
        if (2 * (Count + 1) > Slots.size()) Grow();
        const auto Short = static_cast<std::uint32_t>(Hash >> 32);
        size_t I = Hash & Mask;
        for (; Slots[I].Index != Empty; I = (I + 1) & Mask)
            if (Slots[I].Hash == Short && At(Slots[I].Index) == Text) return Slots[I].Index;
        if (Count > IndexMask) throw std::length_error("too many distinct texts");
        const TPooledId Index = Count++;
        const auto [Segment, Offset] = Place(Index);
        if (!Segments[Segment])
            Segments[Segment] = std::make_unique<std::string[]>(SegmentSize(Segment));
        Segments[Segment][Offset] = Text;
        Slots[I] = {Index, Short};
        return Index;
    }

    // Reads without the lock: the number came from Find, after the text was stored.
    const std::string& At(TPooledId Index) const {
        const auto [Segment, Offset] = Place(Index);
        return Segments[Segment][Offset];
    }

private:
    static constexpr TPooledId Empty = ~TPooledId{0};
    struct TSlot {
        TPooledId Index = Empty;
        std::uint32_t Hash = 0; // the high half of the text's hash
    };

    static size_t SegmentSize(size_t Segment) { return size_t{1} << (FirstSegmentBits + Segment); }
    static std::pair<size_t, size_t> Place(TPooledId Index) {
        const size_t Segment = std::bit_width((size_t{Index} >> FirstSegmentBits) + 1) - 1;
        return {Segment, Index - ((SegmentSize(Segment) - (size_t{1} << FirstSegmentBits)))};
    }

    void Grow() {
        std::vector<TSlot> Old(Slots.empty() ? 1024 : 2 * Slots.size());
        Old.swap(Slots);
        Mask = Slots.size() - 1;
        for (const TSlot& Slot : Old) {
            if (Slot.Index == Empty) continue;
            size_t I = TextHash(At(Slot.Index)) & Mask;
            while (Slots[I].Index != Empty)
                I = (I + 1) & Mask;
            Slots[I] = Slot;
        }
    }

    std::mutex Mutex;
    std::array<std::unique_ptr<std::string[]>, SegmentCount> Segments;
    TPooledId Count = 0;
    std::vector<TSlot> Slots;
    size_t Mask = 0;
};

constexpr size_t ShardCount = size_t{1} << ShardBits;

// Never destroyed: lists in other static objects may refer to it until the very end.
std::array<TPoolShard, ShardCount>& Shards() {
    static auto* const Pool = new std::array<TPoolShard, ShardCount>;
    return *Pool;
}

} // namespace

TPooledId PooledId(std::string_view Text) {
    const std::uint64_t Hash = TextHash(Text);
    const size_t Shard = Hash >> (64 - ShardBits);
    return static_cast<TPooledId>(Shard << IndexBits) | Shards()[Shard].Find(Text, Hash);
}

const std::string& PooledText(TPooledId Id) {
    return Shards()[Id >> IndexBits].At(Id & IndexMask);
}

} // namespace orvel
