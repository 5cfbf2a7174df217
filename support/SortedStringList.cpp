#include "support/SortedStringList.h"

#include "support/CodePage.h"

#include <algorithm>

namespace orvel {

int TSortedStringList::Compare(std::string_view A, std::string_view B) const {
    const int Folded = AnsiCompareText(A, B);
    return Folded != 0 || !CaseSensitive ? Folded : A.compare(B);
}

bool TSortedStringList::Find(std::string_view Text, int& Index) const {
    auto It = std::lower_bound(Items.begin(), Items.end(), Text,
                               [this](TPooledId Item, std::string_view Key) {
                                   return Compare(PooledText(Item), Key) < 0;
                               });
    Index = static_cast<int>(It - Items.begin());
    return It != Items.end() && Compare(PooledText(*It), Text) == 0;
}

int TSortedStringList::IndexOf(std::string_view Text) const {
    int Index;
    return Find(Text, Index) ? Index : -1;
}

bool TSortedStringList::Add(std::string_view Text) {
    // Texts often arrive in order: appending needs no search.
    if (Items.empty() || Compare(PooledText(Items.back()), Text) < 0) {
        Items.push_back(PooledId(Text));
        return true;
    }
    int Index;
    if (Find(Text, Index)) return false;
    Items.insert(Items.begin() + Index, PooledId(Text));
    return true;
}

void TSortedStringList::AssignSorted(const std::vector<std::string>& Texts) {
    Items.clear();
    Items.reserve(Texts.size());
    for (const std::string& Text : Texts)
        Items.push_back(PooledId(Text));
}

void TSortedStringList::AddAll(const std::vector<std::string>& Texts) {
    // Existing entries come first so that they win over equal newcomers, as with Add.
    std::vector<TPooledId> Merged = std::move(Items);
    Merged.reserve(Merged.size() + Texts.size());
    for (const std::string& Text : Texts)
        Merged.push_back(PooledId(Text));
    std::stable_sort(Merged.begin(), Merged.end(), [this](TPooledId A, TPooledId B) {
        return Compare(PooledText(A), PooledText(B)) < 0;
    });
    auto Last = std::unique(Merged.begin(), Merged.end(), [this](TPooledId A, TPooledId B) {
        return Compare(PooledText(A), PooledText(B)) == 0;
    });
    Merged.erase(Last, Merged.end());
    Items = std::move(Merged);
}

void TSortedStringList::Delete(int Index) {
    Items.erase(Items.begin() + Index);
}

} // namespace orvel
