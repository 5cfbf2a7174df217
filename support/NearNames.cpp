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

namespace {
constexpr int MaxLimit = 2, Width = 2 * MaxLimit + 1;

// The band of the edit table of a text that a walk down the trie fills: Row(D)[K] holds the
// edits between the D letters of a trie path and the first J = D - Limit + K letters of the
// text; only J within Limit of D can stay within Limit, and Over stands for any more.
class TEditBand {
public:
    TEditBand(std::string_view Of, int MostEdits)
        : Text(Of), Limit(MostEdits), Over(MostEdits + 1), Length(static_cast<int>(Of.size())),
          Rows(Of.size() + MaxLimit + 2) {
        for (int K = 0; K < Width; ++K) {
            const int J = K - Limit;
            Rows[0][static_cast<size_t>(K)] = J < 0 || J > Length || K > 2 * Limit ? Over : J;
        }
    }

    // Fills row Depth for a trie node of Letter below row Depth - 1; returns its fewest edits.
    int Fill(int Depth, char Letter) {
        int Best = Over;
        for (int K = 0; K < Width; ++K) {
            const int Edits = Cell(Depth, K, Letter);
            Row(Depth)[static_cast<size_t>(K)] = Edits;
            Best = std::min(Best, Edits);
        }
        return Best;
    }

    // Whether the path of row Depth is within Limit edits of the whole text.
    bool WholeTextWithin(int Depth) const {
        const int AtEnd = Length - Depth + Limit;
        return AtEnd >= 0 && AtEnd <= 2 * Limit && Row(Depth)[static_cast<size_t>(AtEnd)] <= Limit;
    }

private:
    using TRow = std::array<int, Width>;
    TRow& Row(int Depth) { return Rows[static_cast<size_t>(Depth)]; }
    const TRow& Row(int Depth) const { return Rows[static_cast<size_t>(Depth)]; }

    // Row(Depth)[K], from the row above and the cells of its own row before K.
    int Cell(int Depth, int K, char Letter) const {
        const int J = Depth - Limit + K;
        if (K > 2 * Limit || J < 0 || J > Length) return Over; // outside the band or the text
        if (J == 0) return std::min(Depth, Over);
        const TRow& Above = Row(Depth - 1);
        const bool Same = Letter == AsciiUpper(Text[static_cast<size_t>(J - 1)]);
        int Edits = Above[static_cast<size_t>(K)] + (Same ? 0 : 1);
        if (K + 1 <= 2 * Limit) Edits = std::min(Edits, Above[static_cast<size_t>(K) + 1] + 1);
        if (K > 0) Edits = std::min(Edits, Row(Depth)[static_cast<size_t>(K - 1)] + 1);
        return std::min(Edits, Over);
    }

    const std::string_view Text;
    const int Limit, Over, Length;
    std::vector<TRow> Rows;
};
} // namespace

void TNearNames::PushChildren(std::int32_t Index, int Depth, char Next, TStack& Stack) const {
    std::int32_t Following = -1;
    for (std::int32_t C = Nodes[static_cast<size_t>(Index)].FirstChild; C >= 0;
         C = Nodes[static_cast<size_t>(C)].NextSibling)
        if (Nodes[static_cast<size_t>(C)].Letter == Next && Following < 0)
            Following = C;
        else
            Stack.emplace_back(C, Depth + 1);
    if (Following >= 0) Stack.emplace_back(Following, Depth + 1);
}

std::vector<int> TNearNames::Near(std::string_view Text, int Limit, int Enough) const {
    Limit = std::clamp(Limit, 0, MaxLimit);
    TEditBand Band(Text, Limit);
    std::vector<int> Found;
    if (static_cast<int>(Text.size()) <= Limit && Nodes[0].Name >= 0)
        Found.push_back(Nodes[0].Name);
    TStack Stack;
    for (std::int32_t C = Nodes[0].FirstChild; C >= 0;
         C = Nodes[static_cast<size_t>(C)].NextSibling)
        Stack.emplace_back(C, 1);
    while (!Stack.empty() && static_cast<int>(Found.size()) < Enough) {
        const auto [Index, Depth] = Stack.back();
        Stack.pop_back();
        const TNode& Node = Nodes[static_cast<size_t>(Index)];
        if (Band.Fill(Depth, Node.Letter) > Limit) continue;
        if (Node.Name >= 0 && Band.WholeTextWithin(Depth)) Found.push_back(Node.Name);
        const char Next = static_cast<size_t>(Depth) < Text.size()
                              ? AsciiUpper(Text[static_cast<size_t>(Depth)])
                              : '\0';
        PushChildren(Index, Depth, Next, Stack);
    }
    return Found;
}

} // namespace orvel
