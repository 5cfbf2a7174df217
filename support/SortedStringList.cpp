#include "support/SortedStringList.h"

#include "support/CodePage.h"

#include <algorithm>

namespace orvel {

int TSortedStringList::Compare(std::string_view A, std::string_view B) const {
    const int Folded = AnsiCompareText(A, B);
    return Folded != 0 || !CaseSensitive ? Folded : A.compare(B);
}

bool TSortedStringList::Find(std::string_view Text, int& Index) const {
    auto It = std::lower_bound(
        Items.begin(), Items.end(), Text,
        [this](const std::string& Item, std::string_view Key) { return Compare(Item, Key) < 0; });
    Index = static_cast<int>(It - Items.begin());
    return It != Items.end() && Compare(*It, Text) == 0;
}

int TSortedStringList::IndexOf(std::string_view Text) const {
    int Index;
    return Find(Text, Index) ? Index : -1;
}

bool TSortedStringList::Add(std::string Text) {
    // Texts often arrive in order: appending needs no search.
    if (Items.empty() || Compare(Items.back(), Text) < 0) {
        Items.push_back(std::move(Text));
        return true;
    }
    int Index;
    if (Find(Text, Index)) return false;
    Items.insert(Items.begin() + Index, std::move(Text));
    return true;
}

void TSortedStringList::AddAll(std::vector<std::string> Texts) {
    // Existing entries come first so that they win over equal newcomers, as with Add.
    std::vector<std::string> Merged;
    Merged.reserve(Items.size() + Texts.size());
    std::move(Items.begin(), Items.end(), std::back_inserter(Merged));
    std::move(Texts.begin(), Texts.end(), std::back_inserter(Merged));
    std::stable_sort(
        Merged.begin(), Merged.end(),
        [this](const std::string& A, const std::string& B) { return Compare(A, B) < 0; });
    auto Last = std::unique(
        Merged.begin(), Merged.end(),
        [this](const std::string& A, const std::string& B) { return Compare(A, B) == 0; });
    Merged.erase(Last, Merged.end());
    Items = std::move(Merged);
}

void TSortedStringList::Delete(int Index) {
    Items.erase(Items.begin() + Index);
}

} // namespace orvel
