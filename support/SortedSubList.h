// Some of the texts of a sorted list, in its order, held as their indices: a list that shares the
// texts of its owner instead of copying them, and so is sorted and free of duplicates as the
// owner is.
#pragma once

#include "support/SortedStringList.h"

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvel {

class TSortedSubList {
public:
    explicit TSortedSubList(const TSortedStringList& OwnerList) : Owner(&OwnerList) {}
    // A copy would still refer to the owner of the original.
    TSortedSubList(const TSortedSubList&) = delete;
    TSortedSubList& operator=(const TSortedSubList&) = delete;

    void Clear() { Indices.clear(); }
    // Adds the owner's text at OwnerIndex, which comes after every text added so far.
    void Append(int OwnerIndex) { Indices.push_back(OwnerIndex); }
    // Holds the owner's texts at these indices, in ascending order, in place of its own.
    void Assign(std::vector<int> OwnerIndices) { Indices = std::move(OwnerIndices); }

    int Count() const { return static_cast<int>(Indices.size()); }
    bool Empty() const { return Indices.empty(); }
    const std::string& operator[](int Index) const {
        return (*Owner)[Indices[static_cast<size_t>(Index)]];
    }
    // The index in the owner of the text at Index.
    int OwnerIndex(int Index) const { return Indices[static_cast<size_t>(Index)]; }
    // The index of the text found with the owner's comparison, or -1.
    int IndexOf(std::string_view Text) const;
    std::vector<std::string> Strings() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator(const TSortedSubList& SubList, std::vector<int>::const_iterator Where)
            : List(&SubList), At(Where) {}
        const std::string& operator*() const { return (*List->Owner)[*At]; }
        const_iterator& operator++() {
            ++At;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator Before = *this;
            ++At;
            return Before;
        }
        bool operator==(const const_iterator& Other) const { return At == Other.At; }

    private:
        const TSortedSubList* List;
        std::vector<int>::const_iterator At;
    };
    const_iterator begin() const { return {*this, Indices.begin()}; }
    const_iterator end() const { return {*this, Indices.end()}; }

private:
    const TSortedStringList* Owner;
    std::vector<int> Indices; // ascending
};

} // namespace orvel
