#include "analysis/PathIndex.h"

namespace orvel {

void TPathIndex::Insert(std::uint64_t Hash, std::string_view Path, TFileObject* Object) {
    if (2 * (Used + 1) > Slots.size()) Grow();
    size_t I = Hash & Mask;
    while (Slots[I].Object)
        I = (I + 1) & Mask;
    Slots[I] = {Hash, Object, Path.data(), Path.size()};
    ++Used;
}

void TPathIndex::Erase(std::uint64_t Hash, const TFileObject* Object) {
    if (Slots.empty()) return;
    size_t Hole = Hash & Mask;
    while (Slots[Hole].Object != Object) {
        if (!Slots[Hole].Object) return; // not indexed
        Hole = (Hole + 1) & Mask;
    }
    // Shift back what follows in the run, so that no later entry is cut off from its home.
    for (size_t Next = (Hole + 1) & Mask; Slots[Next].Object; Next = (Next + 1) & Mask) {
        const size_t Home = Slots[Next].Hash & Mask;
        const bool HomeInHoleToNext =
            Hole <= Next ? (Home > Hole && Home <= Next) : (Home > Hole || Home <= Next);
        if (HomeInHoleToNext) continue;
        Slots[Hole] = Slots[Next];
        Hole = Next;
    }
    Slots[Hole] = {};
    --Used;
}

void TPathIndex::Clear() {
    Slots.clear();
    Mask = 0;
    Used = 0;
}

void TPathIndex::Grow() {
    std::vector<TSlot> Old = std::move(Slots);
    Slots.assign(Old.empty() ? 64 : Old.size() * 2, TSlot{});
    Mask = Slots.size() - 1;
    Used = 0;
    for (const TSlot& Slot : Old)
        if (Slot.Object) Insert(Slot.Hash, {Slot.Path, Slot.Size}, Slot.Object);
}

} // namespace orvel
