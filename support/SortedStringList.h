// A sorted list of texts that ignores letter case and keeps no duplicates: of two texts that
// differ only in case, the one added first stays. A case-sensitive list keeps both, the one whose
// bytes are smaller first.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel {

class TSortedStringList {
public:
    TSortedStringList() = default;
    explicit TSortedStringList(bool Sensitive) : CaseSensitive(Sensitive) {}

    // Whether texts that differ only in case are distinct. Set only while the list is empty.
    bool IsCaseSensitive() const { return CaseSensitive; }
    void SetCaseSensitive(bool Value) { CaseSensitive = Value; }
    // The list's order: negative, zero or positive as A comes before, with or after B.
    int Compare(std::string_view A, std::string_view B) const;

    // Adds the text at its sorted place; false when an equal text is already there.
    bool Add(std::string Text);
    // Adds many texts as one-by-one Add calls in their order would, in O(n log n).
    void AddAll(std::vector<std::string> Texts);
    // Takes texts already in the list's order, no two equal, in place of the list's own.
    void AssignSorted(std::vector<std::string> Texts) { Items = std::move(Texts); }
    // True when found; Index is the match or, when there is none, the insertion point.
    bool Find(std::string_view Text, int& Index) const;
    int IndexOf(std::string_view Text) const;
    void Delete(int Index);
    void Clear() { Items.clear(); }

    int Count() const { return static_cast<int>(Items.size()); }
    bool Empty() const { return Items.empty(); }
    const std::string& operator[](int Index) const { return Items[static_cast<size_t>(Index)]; }
    std::vector<std::string>::const_iterator begin() const { return Items.begin(); }
    std::vector<std::string>::const_iterator end() const { return Items.end(); }
    const std::vector<std::string>& Strings() const { return Items; }

private:
    std::vector<std::string> Items; // sorted by Compare
    bool CaseSensitive = false;
};

} // namespace orvel
