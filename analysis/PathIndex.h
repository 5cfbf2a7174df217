// The file objects by the folded hash of their paths: an open-addressing table (linear probing,
// at most half full), so a lookup reads one slot or a few neighbours and no chain of nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvel {

class TFileObject;

class TPathIndex {
public:
    void Insert(std::uint64_t Hash, TFileObject* Object);
    // Removes the entry of Object, which was inserted with Hash.
    void Erase(std::uint64_t Hash, const TFileObject* Object);
    void Clear();

    // Calls Visit with every object inserted with Hash (and maybe a few others with the same
    // slot hash bits: Visit compares paths).
    template <typename F> void ForEach(std::uint64_t Hash, F&& Visit) const {
        if (Slots.empty()) return;
        for (size_t I = Hash & Mask;; I = (I + 1) & Mask) {
            const TSlot& Slot = Slots[I];
            if (!Slot.Object) return;
            if (Slot.Hash == Hash) Visit(Slot.Object);
        }
    }

private:
    struct TSlot {
        std::uint64_t Hash = 0;
        TFileObject* Object = nullptr; // null: empty
    };
    void Grow();

    std::vector<TSlot> Slots;
    size_t Mask = 0;
    size_t Used = 0;
};

} // namespace orvel
