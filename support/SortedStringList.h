// A sorted list of texts that ignores letter case and keeps no duplicates: of two texts that
// differ only in case, the one added first stays. A case-sensitive list keeps both, the one whose
// bytes are smaller first. The texts are pooled (StringPool.h): a list holds their numbers.
#pragma once

#include "support/StringPool.h"

#include <cstddef>
#include <iterator>
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
    bool Add(std::string_view Text);
    // Adds many texts as one-by-one Add calls in their order would, in O(n log n).
    void AddAll(const std::vector<std::string>& Texts);
    // Takes texts already in the list's order, no two equal, in place of the list's own.
    void AssignSorted(const std::vector<std::string>& Texts);
    // True when found; Index is the match or, when there is none, the insertion point.
    bool Find(std::string_view Text, int& Index) const;
    int IndexOf(std::string_view Text) const;
    void Delete(int Index);
    void Clear() { Items.clear(); }

    int Count() const { return static_cast<int>(Items.size()); }
    bool Empty() const { return Items.empty(); }
    const std::string& operator[](int Index) const {
        return PooledText(Items[static_cast<size_t>(Index)]);
    }
    std::vector<std::string> Strings() const { return {begin(), end()}; }

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator() = default;
        explicit const_iterator(std::vector<TPooledId>::const_iterator Where) : At(Where) {}
        const std::string& operator*() const { return PooledText(*At); }
        const std::string* operator->() const { return &PooledText(*At); }
        const std::string& operator[](difference_type N) const { return PooledText(At[N]); }
        const_iterator& operator++() {
            ++At;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(At++); }
        const_iterator& operator--() {
            --At;
            return *this;
        }
        const_iterator operator--(int) { return const_iterator(At--); }
        const_iterator& operator+=(difference_type N) {
            At += N;
            return *this;
        }
        const_iterator& operator-=(difference_type N) {
            At -= N;
            return *this;
        }
        friend const_iterator operator+(const_iterator I, difference_type N) { return I += N; }
        friend const_iterator operator+(difference_type N, const_iterator I) { return I += N; }
        friend const_iterator operator-(const_iterator I, difference_type N) { return I -= N; }
        friend difference_type operator-(const const_iterator& A, const const_iterator& B) {
            return A.At - B.At;
        }
        friend auto operator<=>(const const_iterator&, const const_iterator&) = default;

    private:
        std::vector<TPooledId>::const_iterator At;
    };
    const_iterator begin() const { return const_iterator(Items.begin()); }
    const_iterator end() const { return const_iterator(Items.end()); }

private:
    std::vector<TPooledId> Items; // sorted by Compare of their texts
    bool CaseSensitive = false;
};

} // namespace orvel
