#include "support/StringPool.h"

#include "support/FoldedText.h"

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace orvel {

namespace {

// A part of the pool with its own lock, so that threads reading pages rarely wait for each other.
class TPoolShard {
public:
    const std::string& Find(std::string_view Text, std::uint64_t Hash) {
        const std::scoped_lock Lock(Mutex);
        if (2 * (Texts.size() + 1) > Slots.size()) Grow();
        const auto Short = static_cast<std::uint32_t>(Hash);
        size_t I = Hash & Mask;
        for (; Slots[I].Text; I = (I + 1) & Mask)
            if (Slots[I].Hash == Short && *Slots[I].Text == Text) return *Slots[I].Text;
        const std::string& Added = Texts.emplace_back(Text);
        Slots[I] = {&Added, Short};
        return Added;
    }

private:
    struct TSlot {
        const std::string* Text = nullptr; // null for an empty slot
        std::uint32_t Hash = 0;            // the low half of the text's hash
    };

    void Grow() {
        std::vector<TSlot> Old(Slots.empty() ? 1024 : 2 * Slots.size());
        Old.swap(Slots);
        Mask = Slots.size() - 1;
        for (const TSlot& Slot : Old) {
            if (!Slot.Text) continue;
            size_t I = TextHash(*Slot.Text) & Mask;
            while (Slots[I].Text)
                I = (I + 1) & Mask;
            Slots[I] = Slot;
        }
    }

    std::mutex Mutex;
    std::deque<std::string> Texts; // never moves what it holds
    std::vector<TSlot> Slots;
    size_t Mask = 0;
};

constexpr size_t ShardCount = 64;

} // namespace

const std::string& PooledText(std::string_view Text) {
    // Never destroyed: lists in other static objects may refer to it until the very end.
    static auto* const Shards = new std::array<TPoolShard, ShardCount>;
    const std::uint64_t Hash = TextHash(Text);
    return (*Shards)[(Hash >> 58) % ShardCount].Find(Text, Hash);
}

} // namespace orvel
