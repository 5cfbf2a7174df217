#include "analysis/ExtractLinks.h"

#include "analysis/ExtractModernLinks.h"
#include "analysis/FirstValues.h"

#include "support/CodePage.h"
#include "support/FoldedText.h"
#include "support/StringUtils.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <utility>

namespace orvel {

const TTagRow LinkTagTable[35] = {
    {"A", "HREF"},
    {"AREA", "HREF"},
    {"APPLET", "CODE"},
    {"BGSOUND", "SRC"},
    {"BLOCKQUOTE", "CITE"},
    {"BODY", "BACKGROUND"},
    {"DEL", "CITE"},
    {"EMBED", "SRC"},
    {"FORM", "ACTION"},
    {"FRAME", "LONGDESC"},
    {"FRAME", "SRC"},
    {"ILAYER", "SRC"},
    {"ILAYER", "BACKGROUND"},
    {"IFRAME", "LONGDESC"},
    {"IFRAME", "SRC"},
    {"IMG", "DYNSRC"},
    {"IMG", "LONGDESC"},
    {"IMG", "LOWSRC"},
    {"IMG", "SRC"},
    {"IMG", "USEMAP"},
    {"INPUT", "SRC"},
    {"INPUT", "USEMAP"},
    {"INS", "CITE"},
    {"ISINDEX", "ACTION"},
    {"LAYER", "BACKGROUND"},
    {"LAYER", "SRC"},
    {"LINK", "HREF"},
    {"LINK", "SRC"},
    {"Q", "CITE"},
    {"SCRIPT", "SRC"},
    {"STYLE", "SRC"},
    {"TABLE", "BACKGROUND"},
    {"TD", "BACKGROUND"},
    {"TH", "BACKGROUND"},
    {"TR", "BACKGROUND"},
};

const TTagRow MetaRefreshRow = {"META", "CONTENT"};

const TTagRow AnchorTagTable[17] = {
    {"MAP", "NAME"}, {"A", "NAME"}, {"H1", "ID"}, {"H2", "ID"}, {"H3", "ID"},  {"H4", "ID"},
    {"H5", "ID"},    {"H6", "ID"},  {"H7", "ID"}, {"P", "ID"},  {"DIV", "ID"}, {"SPAN", "ID"},
    {"TABLE", "ID"}, {"TH", "ID"},  {"TD", "ID"}, {"DT", "ID"}, {"LI", "ID"},
};

const TTagRow ModernLinkTable[12] = {
    {"IMG", "SRCSET"},        {"SOURCE", "SRC"},       {"SOURCE", "SRCSET"}, {"VIDEO", "SRC"},
    {"VIDEO", "POSTER"},      {"AUDIO", "SRC"},        {"TRACK", "SRC"},     {"OBJECT", "DATA"},
    {"BUTTON", "FORMACTION"}, {"INPUT", "FORMACTION"}, {"USE", "HREF"},      {"USE", "XLINK:HREF"},
};

namespace {

bool IsBlank(char C) {
    return C == '\r' || C == '\n' || C == ' ';
}

// The value of Attribute inside the tag whose name ends at From and whose ">" is at Close, cut
// to its longest, before its line-break pairs are removed; At is where the attribute's name
// begins. Everything read lies in [From, Close]: the ">" ends every step.
std::string_view RawAttributeValue(std::string_view Text, size_t From, size_t Close,
                                   std::string_view Attribute, size_t& At) {
    size_t Pos = From;
    if (SkipBlanks(Text, Pos) == 0) return {}; // another tag with this prefix, or a tab
    size_t Found = Pos;
    for (;; ++Found) {
        if (Found + Attribute.size() > Close) return {};
        if (AsciiUpper(Text[Found]) == Attribute[0] && IsBlank(Text[Found - 1]) &&
            StartsWithFolded(Text, Found, Attribute))
            break;
    }
    At = Found;
    Pos = Found + Attribute.size();
    SkipBlanks(Text, Pos);
    if (Text[Pos] != '=') return {};
    ++Pos;
    SkipBlanks(Text, Pos);
    char Stop = ' ';
    if (Text[Pos] == '"' || Text[Pos] == '\'') Stop = Text[Pos++];
    size_t End = Pos;
    while (Text[End] != '>' && Text[End] != Stop)
        ++End;
    return Text.substr(Pos, std::min(End - Pos, MaxValueLength));
}

// The same value without its line-break pairs; Joined holds it when any were removed.
std::string_view AttributeValue(std::string_view Text, size_t From, size_t Close,
                                std::string_view Attribute, std::string& Joined, size_t& At) {
    const std::string_view Value = RawAttributeValue(Text, From, Close, Attribute, At);
    if (Value.find("\r\n") == std::string_view::npos) return Value;
    Joined = ReplaceAll(Value, "\r\n", "");
    return Joined;
}

// Rows are numbered through the three tables: links, then the META row, then anchors.
constexpr int MetaRow = 35;
constexpr int FirstAnchorRow = 36;
constexpr int RowCount = 53;

const TTagRow& RowAt(int Row) {
    if (Row < MetaRow) return LinkTagTable[Row];
    if (Row == MetaRow) return MetaRefreshRow;
    return AnchorTagTable[Row - FirstAnchorRow];
}

// The rows of one tag name. Every row of a tag sees the same occurrences, since a scan
// resumes at the ">" of the occurrence it took, whatever the attribute.
struct TTagGroup {
    std::string_view Tag;
    std::vector<int> Rows;
};

struct TTagIndex {
    std::vector<TTagGroup> Groups;
    std::array<std::vector<int>, 26> ByFirstLetter; // group indices
};

const TTagIndex& TagIndex() {
    static const TTagIndex Index = [] {
        TTagIndex I;
        for (int Row = 0; Row < RowCount; ++Row) {
            const std::string_view Tag = RowAt(Row).Tag;
            auto It = std::find_if(I.Groups.begin(), I.Groups.end(),
                                   [&](const TTagGroup& G) { return G.Tag == Tag; });
            if (It == I.Groups.end()) {
                I.ByFirstLetter[static_cast<size_t>(Tag[0] - 'A')].push_back(
                    static_cast<int>(I.Groups.size()));
                I.Groups.push_back({Tag, {}});
                It = I.Groups.end() - 1;
            }
            It->Rows.push_back(Row);
        }
        return I;
    }();
    return Index;
}

// What the META refresh rule takes from a CONTENT value, or empty.
std::string_view RefreshTarget(std::string_view Value) {
    const size_t Url = Value.find("URL=");
    if (Url == std::string_view::npos || Url == 0) return {};
    size_t First = Url + 4, Last = Value.size();
    while (First < Last && static_cast<unsigned char>(Value[First]) <= ' ')
        ++First;
    while (Last > First && static_cast<unsigned char>(Value[Last - 1]) <= ' ')
        --Last;
    return CutAtSpace(Value.substr(First, Last - First));
}

// What a row stores of an attribute value under the settings; empty stores nothing.
std::string_view StoredForm(int Row, std::string_view Value, const TExtractOptions& Options) {
    return Row == MetaRow ? RefreshTarget(Value) : StoredLink(Value, Options);
}

// The pass over a text without comments for what only the modern rules read, so that the
// diagnosis can tell what they would make of the page: the ID of every tag, which they make an
// anchor, and the HREF of its first BASE tag. False when stopped.
bool ExtractModernParts(std::string_view Text, TFirstValues& Ids, std::string& Base,
                        TExtractProgress& Progress, long long& Counter) {
    std::string Joined;
    bool HaveBase = false;
    for (size_t Lt = Text.find('<'); Lt != std::string_view::npos; Lt = Text.find('<', Lt + 1)) {
        if (Lt + 1 >= Text.size() || !std::isalpha(static_cast<unsigned char>(Text[Lt + 1])))
            continue;
        const size_t Close = Text.find('>', Lt + 1);
        if (Close == std::string_view::npos) break;
        size_t NameEnd = Lt + 1;
        while (NameEnd < Close && !IsBlank(Text[NameEnd]))
            ++NameEnd;
        if (NameEnd == Close) continue; // no attributes
        if (Progress.Step(Counter++)) return false;
        size_t At = 0;
        if (const std::string_view Id = AttributeValue(Text, NameEnd, Close, "ID", Joined, At);
            !Id.empty())
            Ids.Offer(RowCount, Id, At);
        if (!HaveBase && NameEnd - Lt == 5 && StartsWithFolded(Text, Lt + 1, "BASE")) {
            Base = AttributeValue(Text, NameEnd, Close, "HREF", Joined, At);
            HaveBase = !Base.empty();
        }
    }
    return true;
}

} // namespace

size_t SkipBlanks(std::string_view Text, size_t& Pos) {
    const size_t Start = Pos;
    while (Pos < Text.size() && IsBlank(Text[Pos]))
        ++Pos;
    return Pos - Start;
}

std::string_view CutAtSpace(std::string_view Text) {
    return Text.substr(0, Text.find(' '));
}

bool RemoveComments(std::string& Text, TExtractProgress& Progress, std::vector<TKeptPiece>* Kept) {
    static constexpr std::string_view Open = "<!--", Close = "-->";
    // The text as the repeated deletion sees it is Text[0, Out) followed by Text[In, end).
    // Text[0, Out) holds no whole "<!--" or "-->", but one may start there and end after In.
    size_t Out = 0, In = 0;
    auto At = [&](size_t V) { return V < Out ? Text[V] : Text[In + V - Out]; };
    const auto FindFirst = [&](std::string_view Pattern) {
        const size_t Size = Out + Text.size() - In;
        for (size_t S = Out >= Pattern.size() - 1 ? Out - (Pattern.size() - 1) : 0; S < Out; ++S) {
            if (S + Pattern.size() > Size) break;
            size_t K = 0;
            while (K < Pattern.size() && At(S + K) == Pattern[K])
                ++K;
            if (K == Pattern.size()) return S;
        }
        const size_t Found = Text.find(Pattern, In);
        return Found == std::string::npos ? Found : Out + (Found - In);
    };
    // Text[In, In + Length) moves to Out.
    const auto Keep = [&](size_t Length) {
        if (Length == 0) return;
        std::memmove(Text.data() + Out, Text.data() + In, Length);
        if (Kept) Kept->push_back({Out, In});
    };
    long long Counter = 0;
    for (;;) {
        const size_t P = FindFirst(Open), Q = FindFirst(Close);
        if (P == std::string::npos || Q == std::string::npos || Q <= P) break;
        if (Progress.Step(Counter++)) return false;
        const size_t End = Q + Close.size(); // always beyond Out
        if (P >= Out) Keep(P - Out);
        while (Kept && !Kept->empty() && Kept->back().At >= P)
            Kept->pop_back(); // the comment began in what was kept
        In += End - Out;
        Out = P;
    }
    Keep(Text.size() - In);
    Text.resize(Out + Text.size() - In);
    return true;
}

size_t OffsetBeforeRemoval(const std::vector<TKeptPiece>& Kept, size_t Offset) {
    const auto After =
        std::upper_bound(Kept.begin(), Kept.end(), Offset,
                         [](size_t Value, const TKeptPiece& Piece) { return Value < Piece.At; });
    if (After == Kept.begin()) return Offset;
    const TKeptPiece& Piece = *(After - 1);
    return Piece.From + (Offset - Piece.At);
}

namespace {
// Tells Places of a link that a row stored from the raw value Raw, when the link's bytes are
// those of the page as read: the whole value, or a META refresh's URL, of a value not cut to its
// longest, in one piece of what comment removal kept.
void TellPlace(std::string_view Text, const std::vector<TKeptPiece>& Kept, int Row,
               std::string_view Raw, std::string_view Link, TLinkPlaceVisitor& Places) {
    const std::less<const char*> Before;
    if (Before(Raw.data(), Text.data()) || !Before(Raw.data(), Text.data() + Text.size()))
        return; // the value lost its line-break pairs
    const size_t Start = static_cast<size_t>(Raw.data() - Text.data()), End = Start + Raw.size();
    const char Quote =
        Start > 0 && (Text[Start - 1] == '"' || Text[Start - 1] == '\'') ? Text[Start - 1] : '\0';
    const bool Whole =
        End < Text.size() && (Quote ? Text[End] == Quote : IsBlank(Text[End]) || Text[End] == '>');
    if (!Whole || (Row != MetaRow && Link.size() != Raw.size())) return;
    const size_t At = static_cast<size_t>(Link.data() - Text.data());
    const size_t From = OffsetBeforeRemoval(Kept, At);
    if (OffsetBeforeRemoval(Kept, At + Link.size() - 1) != From + Link.size() - 1)
        return; // a comment was removed from inside it
    Places.LinkAt(Link, From, Quote);
}

// The pass of the original rules over a text without comments. It visits the occurrences of
// every table row in text order; of the values found, each list keeps what storing them row by
// row in table order would keep.
class TLinkPass {
public:
    TLinkPass(std::string_view Text, const std::vector<TKeptPiece>& KeptPieces,
              const TExtractOptions& Settings, TExtractProgress& Steps, TLinkPlaceVisitor* Visitor)
        : View(Text), Kept(KeptPieces), Options(Settings), Progress(Steps), Places(Visitor),
          NextAllowed(Index.Groups.size()) {}

    // Takes the values of every tag of the text; false when stopped.
    bool Run() {
        for (size_t Lt = View.find('<'); Lt != std::string_view::npos && Lt + 1 < View.size();
             Lt = View.find('<', Lt + 1)) {
            const TStep Step = TakeTagsAt(Lt);
            if (Step != TStep::sNext) return Step == TStep::sUnclosed;
        }
        return true;
    }

    TFirstValues FoundLinks, FoundAnchors;
    long long Counter = 0; // the progress steps taken

private:
    enum class TStep { sNext, sUnclosed, sHalted };

    // The groups whose tag begins at the "<" at Lt. Unclosed: no tag from here on is closed.
    TStep TakeTagsAt(size_t Lt) {
        const char First = AsciiUpper(View[Lt + 1]);
        if (First < 'A' || First > 'Z') return TStep::sNext;
        for (const int G : Index.ByFirstLetter[static_cast<size_t>(First - 'A')]) {
            const TTagGroup& Group = Index.Groups[static_cast<size_t>(G)];
            if (Lt < NextAllowed[static_cast<size_t>(G)] ||
                !StartsWithFolded(View, Lt + 1, Group.Tag))
                continue;
            if (!HaveClose || Lt > Close) {
                Close = View.find('>', Lt + 1);
                HaveClose = true;
            }
            if (Close == std::string_view::npos) return TStep::sUnclosed;
            NextAllowed[static_cast<size_t>(G)] = Close;
            if (!TakeRows(Group, Lt)) return TStep::sHalted;
        }
        return TStep::sNext;
    }

    // The values of the group's rows in the tag at Lt, which ends at Close; false when stopped.
    bool TakeRows(const TTagGroup& Group, size_t Lt) {
        for (const int Row : Group.Rows) {
            if (Progress.Step(Counter++)) return false;
            size_t At = 0;
            const std::string_view Raw = AttributeValue(View, Lt + 1 + Group.Tag.size(), Close,
                                                        RowAt(Row).Attribute, Joined, At);
            const std::string_view Value = StoredForm(Row, Raw, Options);
            if (Value.empty()) continue;
            (Row < FirstAnchorRow ? FoundLinks : FoundAnchors).Offer(Row, Value, At);
            if (Places && Row < FirstAnchorRow) TellPlace(View, Kept, Row, Raw, Value, *Places);
        }
        return true;
    }

    const std::string_view View;
    const std::vector<TKeptPiece>& Kept;
    const TExtractOptions& Options;
    TExtractProgress& Progress;
    TLinkPlaceVisitor* const Places; // may be null
    const TTagIndex& Index = TagIndex();
    std::vector<size_t> NextAllowed; // by group: where its next tag may begin
    std::string Joined;              // a value without its line-break pairs
    size_t Close = 0;                // the ">" of the last tag taken, when HaveClose
    bool HaveClose = false;
};

// Found's links from the pass, at their offsets in the text before comments were removed.
void TakeLinks(TPageLinks& Found, TFirstValues& FoundLinks, const std::vector<TKeptPiece>& Kept) {
    TFoundValues Links = FoundLinks.TakeSorted(false);
    Found.Links = std::move(Links.Values);
    Found.LinkOffsets.reserve(Links.Offsets.size());
    for (const size_t Offset : Links.Offsets)
        Found.LinkOffsets.push_back(ClampedOffset(OffsetBeforeRemoval(Kept, Offset)));
    Found.LinkCounts = std::move(Links.Counts);
}
} // namespace

std::string_view StoredLink(std::string_view Value, const TExtractOptions& Options) {
    if (StartsWithFolded(Value, 0, "JAVASCRIPT:"))
        return Options.IgnoreJavaScript ? std::string_view() : Value;
    return Options.IsSpaceValid ? Value : CutAtSpace(Value);
}

TPageLinks ExtractPageLinks(std::string& Text, const TExtractOptions& Options,
                            TExtractProgress& Progress, TLinkPlaceVisitor* Places) {
    if (Options.ModernHTML) return ExtractModernLinks(Text, Options, Progress, Places);
    TPageLinks Found;
    Progress.StageBegins(TExtractStage::esComments);
    std::vector<TKeptPiece> Kept;
    if (!RemoveComments(Text, Progress, &Kept)) return Found;
    Progress.StageBegins(TExtractStage::esLinks);
    TLinkPass Pass(Text, Kept, Options, Progress, Places);
    TFirstValues FoundIds;
    const bool Halted =
        !Pass.Run() || !ExtractModernParts(Text, FoundIds, Found.Base, Progress, Pass.Counter);
    TakeLinks(Found, Pass.FoundLinks, Kept);
    if (Halted) return Found; // no anchors
    Progress.StageBegins(TExtractStage::esAnchors);
    Found.Anchors = Pass.FoundAnchors.TakeSorted(false).Values;
    Found.Html5Ids = FoundIds.TakeSorted(false).Values;
    return Found;
}

} // namespace orvel
