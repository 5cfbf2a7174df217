// The file objects by the folded hash of their paths: an open-addressing table (linear probing,
// at most half full), so a lookup reads one slot or a few neighbours and no chain of nodes. A
// slot also points at the bytes of the path, so that comparing it needs no visit to the object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvel {

class TFileObject;

class TPathIndex {
public:
    // Path must stay where it is, unchanged, until the entry is erased.
    void Insert(std::uint64_t Hash, std::string_view Path, TFileObject* Object);
    // Removes the entry of Object, which was inserted with Hash.
    void Erase(std::uint64_t Hash, const TFileObject* Object);
    void Clear();

    // Calls Visit(path, object) for every entry inserted with Hash.
    template <typename F> void ForEach(std::uint64_t Hash, F&& Visit) const {
        if (Slots.empty()) return;
        for (size_t I = Hash & Mask;; I = (I + 1) & Mask) {
            const TSlot& Slot = Slots[I];
            if (!Slot.Object) return;
            if (Slot.Hash == Hash) Visit(std::string_view(Slot.Path, Slot.Size), Slot.Object);
        }
    }

private:
    struct TSlot {
        std::uint64_t Hash = 0;
        TFileObject* Object = nullptr; // null: empty
        const char* Path = nullptr;
        size_t Size = 0;
    };
    void Grow();

    std::vector<TSlot> Slots;
    size_t Mask = 0;
    size_t Used = 0;
};

} // namespace orvel
