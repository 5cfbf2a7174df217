#include "support/NearNames.h"

#include "support/CodePage.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace orvel {

TNearNames::TNearNames(const std::vector<std::string_view>& Names) {
    Nodes.push_back({'\0'});
    for (size_t I = 0; I < Names.size(); ++I) {
        std::int32_t At = 0;
        for (const char C : Names[I]) {
            const char Letter = AsciiUpper(C);
            std::int32_t Child = Nodes[static_cast<size_t>(At)].FirstChild;
            while (Child >= 0 && Nodes[static_cast<size_t>(Child)].Letter != Letter)
                Child = Nodes[static_cast<size_t>(Child)].NextSibling;
            if (Child < 0) {
                Child = static_cast<std::int32_t>(Nodes.size());
                Nodes.push_back({Letter, -1, Nodes[static_cast<size_t>(At)].FirstChild});
                Nodes[static_cast<size_t>(At)].FirstChild = Child;
            }
            At = Child;
        }
        if (Nodes[static_cast<size_t>(At)].Name < 0)
            Nodes[static_cast<size_t>(At)].Name = static_cast<std::int32_t>(I);
    }
}

std::vector<int> TNearNames::Near(std::string_view Text, int Limit, int Enough) const {
    constexpr int MaxLimit = 2, Width = 2 * MaxLimit + 1;
    Limit = std::clamp(Limit, 0, MaxLimit);
    const int Over = Limit + 1, Length = static_cast<int>(Text.size());
    // Band[D][K]: the edits between the D letters of a trie path and the first J = D - Limit + K
    // letters of Text; only J within Limit of D can stay within Limit.
    std::vector<std::array<int, Width>> Band(Text.size() + MaxLimit + 2);
    for (int K = 0; K < Width; ++K) {
        const int J = K - Limit;
        Band[0][static_cast<size_t>(K)] = J < 0 || J > Length || K > 2 * Limit ? Over : J;
    }
    std::vector<int> Found;
    if (Length <= Limit && Nodes[0].Name >= 0) Found.push_back(Nodes[0].Name);
    std::vector<std::pair<std::int32_t, int>> Stack; // node and depth
    for (std::int32_t C = Nodes[0].FirstChild; C >= 0;
         C = Nodes[static_cast<size_t>(C)].NextSibling)
        Stack.emplace_back(C, 1);
    while (!Stack.empty() && static_cast<int>(Found.size()) < Enough) {
        const auto [Index, Depth] = Stack.back();
        Stack.pop_back();
        const TNode& Node = Nodes[static_cast<size_t>(Index)];
        const auto& Above = Band[static_cast<size_t>(Depth - 1)];
        auto& Row = Band[static_cast<size_t>(Depth)];
        int Best = Over;
        for (int K = 0; K < Width; ++K) {
            const int J = Depth - Limit + K;
            int Cell = Over;
            if (K > 2 * Limit || J < 0 || J > Length) {
                // outside the band or the text
            } else if (J == 0) {
                Cell = std::min(Depth, Over);
            } else {
                const bool Same = Node.Letter == AsciiUpper(Text[static_cast<size_t>(J - 1)]);
                Cell = Above[static_cast<size_t>(K)] + (Same ? 0 : 1);
                if (K + 1 <= 2 * Limit)
                    Cell = std::min(Cell, Above[static_cast<size_t>(K + 1)] + 1);
                if (K > 0) Cell = std::min(Cell, Row[static_cast<size_t>(K - 1)] + 1);
                Cell = std::min(Cell, Over);
            }
            Row[static_cast<size_t>(K)] = Cell;
            Best = std::min(Best, Cell);
        }
        if (Best > Limit) continue;
        const int AtEnd = Length - Depth + Limit;
        if (Node.Name >= 0 && AtEnd >= 0 && AtEnd <= 2 * Limit &&
            Row[static_cast<size_t>(AtEnd)] <= Limit)
            Found.push_back(Node.Name);
        // The child that follows the text is taken first, so that near names are met early
        // and the walk ends once it has Enough of them.
        const char Next = static_cast<size_t>(Depth) < Text.size()
                              ? AsciiUpper(Text[static_cast<size_t>(Depth)])
                              : '\0';
        std::int32_t Following = -1;
        for (std::int32_t C = Node.FirstChild; C >= 0;
             C = Nodes[static_cast<size_t>(C)].NextSibling)
            if (Nodes[static_cast<size_t>(C)].Letter == Next && Following < 0)
                Following = C;
            else
                Stack.emplace_back(C, Depth + 1);
        if (Following >= 0) Stack.emplace_back(Following, Depth + 1);
    }
    return Found;
}

} // namespace orvel
