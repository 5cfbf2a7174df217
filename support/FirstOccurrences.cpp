#include "support/FirstOccurrences.h"

#include "support/CodePage.h"
#include "support/IgnoreCasePos.h"

#include <algorithm>

#include <array>

namespace orvel {

namespace {

// An Aho-Corasick automaton over the patterns, its nodes in one array: a node's children are a
// list through their siblings, and the root's also a table by byte.
class TPatternAutomaton {
public:
    TPatternAutomaton(const std::vector<std::string>& Patterns, bool IgnoreCase)
        : IgnoreCase(IgnoreCase), NextEnd(Patterns.size(), -1) {
        Nodes.emplace_back();
        RootEdges.fill(0);
        for (size_t I = 0; I < Patterns.size(); ++I) {
            if (Patterns[I].empty()) continue;
            int Node = 0;
            for (const char Raw : Patterns[I]) {
                const char C = Fold(Raw);
                int Child = Edge(Node, C);
                if (Child < 0) {
                    Child = static_cast<int>(Nodes.size());
                    TNode New;
                    New.Byte = C;
                    New.Sibling = At(Node).FirstChild;
                    Nodes.push_back(New);
                    At(Node).FirstChild = Child;
                    if (Node == 0) RootEdges[static_cast<unsigned char>(C)] = Child;
                }
                Node = Child;
            }
            NextEnd[I] = At(Node).FirstEnd;
            At(Node).FirstEnd = static_cast<int>(I);
        }
        LinkFailures();
    }

    // Calls Found(pattern, line) at each occurrence, in the order of their ends.
    template <typename F> void Scan(std::string_view Text, F&& Found) const {
        int Node = 0, Line = 1;
        for (size_t Pos = 0; Pos < Text.size(); ++Pos) {
            const char C = Text[Pos];
            if (C == '\r' || C == '\n') {
                if (Pos + 1 < Text.size() && Text[Pos + 1] == (C == '\r' ? '\n' : '\r')) ++Pos;
                ++Line;
                Node = 0; // no pattern spans a line break that is counted
                continue;
            }
            Node = Step(Node, Fold(C));
            for (int Out = At(Node).FirstEnd >= 0 ? Node : At(Node).Output; Out > 0;
                 Out = At(Out).Output)
                for (int Pattern = At(Out).FirstEnd; Pattern >= 0;
                     Pattern = NextEnd[static_cast<size_t>(Pattern)])
                    Found(static_cast<size_t>(Pattern), Line);
        }
    }

private:
    struct TNode {
        char Byte = 0;
        int FirstChild = -1, Sibling = -1;
        int FirstEnd = -1; // the first pattern that ends here; NextEnd links the others
        int Failure = 0;
        int Output = -1; // the nearest node on the failure chain where patterns end
    };

    TNode& At(int Node) { return Nodes[static_cast<size_t>(Node)]; }
    const TNode& At(int Node) const { return Nodes[static_cast<size_t>(Node)]; }
    char Fold(char C) const { return IgnoreCase ? AsciiUpper(C) : C; }

    int Edge(int Node, char C) const {
        if (Node == 0)
            return RootEdges[static_cast<unsigned char>(C)] > 0
                       ? RootEdges[static_cast<unsigned char>(C)]
                       : -1;
        for (int Child = At(Node).FirstChild; Child >= 0; Child = At(Child).Sibling)
            if (At(Child).Byte == C) return Child;
        return -1;
    }

    int Step(int Node, char C) const {
        for (;;) {
            if (const int Child = Edge(Node, C); Child >= 0) return Child;
            if (Node == 0) return 0;
            Node = At(Node).Failure;
        }
    }

    // Breadth first, so that a node's failure is linked before its children need it.
    void LinkFailures() {
        std::vector<int> Queue;
        for (int Child = At(0).FirstChild; Child >= 0; Child = At(Child).Sibling)
            Queue.push_back(Child);
        for (size_t Head = 0; Head < Queue.size(); ++Head) {
            const int Node = Queue[Head];
            for (int Child = At(Node).FirstChild; Child >= 0; Child = At(Child).Sibling) {
                const int Failure = Step(At(Node).Failure, At(Child).Byte);
                At(Child).Failure = Failure;
                At(Child).Output = At(Failure).FirstEnd >= 0 ? Failure : At(Failure).Output;
                Queue.push_back(Child);
            }
        }
    }

    bool IgnoreCase;
    std::vector<TNode> Nodes;
    std::array<int, 256> RootEdges;
    std::vector<int> NextEnd; // by pattern
};

} // namespace

namespace {

// The line of a position: one more than the line breaks before it, a CR LF or LF CR pair
// counting once.
int LineAt(std::string_view Text, size_t Pos) {
    const std::string_view Before = Text.substr(0, Pos);
    if (Before.find('\r') == std::string_view::npos)
        return 1 + static_cast<int>(std::count(Before.begin(), Before.end(), '\n'));
    int Line = 1;
    for (size_t I = 0; I < Before.size(); ++I) {
        const char C = Before[I];
        if (C != '\r' && C != '\n') continue;
        if (I + 1 < Before.size() && Before[I + 1] == (C == '\r' ? '\n' : '\r')) ++I;
        ++Line;
    }
    return Line;
}

// Up to this many patterns, one fast search each beats building the automaton.
constexpr size_t FewPatterns = 8;

} // namespace

std::vector<int> FirstOccurrenceLines(std::string_view Text,
                                      const std::vector<std::string>& Patterns, bool IgnoreCase) {
    std::vector<int> Lines(Patterns.size(), 0);
    if (Patterns.size() <= FewPatterns) {
        for (size_t P = 0; P < Patterns.size(); ++P) {
            const std::string& Pattern = Patterns[P];
            // A pattern with a line break never occurs: breaks are counted, not matched.
            if (Pattern.empty() || Pattern.find_first_of("\r\n") != std::string::npos) continue;
            size_t At = std::string_view::npos;
            if (!IgnoreCase)
                At = Text.find(Pattern);
            else if (const size_t Pos = IgnoreCasePos(Pattern, Text); Pos > 0)
                At = Pos - 1;
            if (At != std::string_view::npos) Lines[P] = LineAt(Text, At);
        }
        return Lines;
    }
    const TPatternAutomaton Automaton(Patterns, IgnoreCase);
    Automaton.Scan(Text, [&](size_t Pattern, int Line) {
        if (Lines[Pattern] == 0) Lines[Pattern] = Line;
    });
    return Lines;
}

} // namespace orvel
