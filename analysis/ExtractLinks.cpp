#include "analysis/ExtractLinks.h"

#include "analysis/FileObject.h"
#include "analysis/RunContext.h"
#include "support/CodePage.h"
#include "support/DetectCharset.h"
#include "support/ReadFileAll.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

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

namespace {

bool IsBlank(char C) {
    return C == '\r' || C == '\n' || C == ' ';
}

// The value of Attribute inside the tag whose name ends at From and whose ">" is at Close.
std::string AttributeValue(std::string_view Text, std::string_view Upper, size_t From, size_t Close,
                           std::string_view Attribute) {
    size_t Pos = From;
    if (SkipBlanks(Upper, Pos) == 0) return {}; // another tag with this prefix, or a tab
    const std::string_view InTag = Upper.substr(0, Close);
    size_t Found = InTag.find(Attribute, Pos);
    while (Found != std::string_view::npos && !IsBlank(Upper[Found - 1]))
        Found = InTag.find(Attribute, Found + 1);
    if (Found == std::string_view::npos) return {};
    Pos = Found + Attribute.size();
    SkipBlanks(Upper, Pos);
    if (Pos >= Upper.size() || Upper[Pos] != '=') return {};
    ++Pos;
    SkipBlanks(Upper, Pos);
    char Quote = 0;
    if (Pos < Upper.size() && (Upper[Pos] == '"' || Upper[Pos] == '\'')) Quote = Upper[Pos++];
    const char Stop = Quote ? Quote : ' ';
    size_t End = Pos;
    while (End < Upper.size() && Upper[End] != '>' && Upper[End] != Stop)
        ++End;
    std::string Value(Text.substr(Pos, std::min(End - Pos, MaxValueLength)));
    if (Value.find("\r\n") != std::string::npos) Value = ReplaceAll(Value, "\r\n", "");
    return Value;
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
std::string RefreshTarget(const std::string& Value) {
    const size_t Url = Value.find("URL=");
    if (Url == std::string::npos || Url == 0) return {};
    size_t First = Url + 4, Last = Value.size();
    while (First < Last && static_cast<unsigned char>(Value[First]) <= ' ')
        ++First;
    while (Last > First && static_cast<unsigned char>(Value[Last - 1]) <= ' ')
        --Last;
    return CutAtSpace(std::string_view(Value).substr(First, Last - First));
}

bool StartsWithJavaScript(const std::string& Value) {
    return Value.size() >= 11 && AsciiUpperCase(Value.substr(0, 11)) == "JAVASCRIPT:";
}

// What a row stores of an attribute value under the settings; empty stores nothing.
std::string StoredForm(int Row, std::string Value, const TSettings& Settings) {
    if (Row == MetaRow) return RefreshTarget(Value);
    if (StartsWithJavaScript(Value)) return Settings.IgnoreJavaScript ? std::string() : Value;
    return Settings.isSpaceValid ? Value : CutAtSpace(Value);
}

// Keeps, of the values that compare equal without case, the one that storing every value row
// by row would keep: the first of the lowest row. Only distinct values are held, however many
// tags of a large file repeat them.
class TFirstValues {
public:
    void Offer(int Row, std::string Value) {
        const auto [It, New] = Index.try_emplace(AnsiUpperCase(Value), Values.size());
        if (New)
            Values.emplace_back(Row, std::move(Value));
        else if (Row < Values[It->second].first)
            Values[It->second] = {Row, std::move(Value)};
    }
    // The kept values, no two equal without case (so their order does not matter to a list).
    std::vector<std::string> Take() {
        std::vector<std::string> Result;
        Result.reserve(Values.size());
        for (auto& Entry : Values)
            Result.push_back(std::move(Entry.second));
        return Result;
    }

private:
    std::vector<std::pair<int, std::string>> Values;
    std::unordered_map<std::string, size_t> Index; // upper-cased value to its entry
};

} // namespace

size_t SkipBlanks(std::string_view Upper, size_t& Pos) {
    const size_t Start = Pos;
    while (Pos < Upper.size() && IsBlank(Upper[Pos]))
        ++Pos;
    return Pos - Start;
}

std::string CutAtSpace(std::string_view Text) {
    return std::string(Text.substr(0, Text.find(' ')));
}

bool RemoveComments(std::string& Text, TRunContext& Run) {
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
    long long Counter = 0;
    for (;;) {
        const size_t P = FindFirst(Open), Q = FindFirst(Close);
        if (P == std::string::npos || Q == std::string::npos || Q <= P) break;
        Run.Pump();
        const size_t End = Q + Close.size(); // always beyond Out
        if (P >= Out) std::memmove(Text.data() + Out, Text.data() + In, P - Out);
        In += End - Out;
        Out = P;
        if (Run.Halted) return false;
        Run.SetCount(Counter++);
    }
    std::memmove(Text.data() + Out, Text.data() + In, Text.size() - In);
    Text.resize(Out + Text.size() - In);
    return true;
}

void TFileObject::ExtractLinks() {
    // Sockets, FIFOs, devices and dangling links are files of the site that are never read.
    if (Run.FileSystem->IsSpecialEntry(Path)) return;
    std::string Text;
    try {
        Text = ReadFileAll(Path, Run);
    } catch (...) {
        return; // a file that cannot be read has no links; the reader showed what it shows
    }
    Charset = DetectCharset(Text);
    const std::string Name = BareFileName(Path, Run.PathStyle());
    Run.SetStatusText(Name + " - コメント削除中");
    Run.SetCount(0);
    if (!RemoveComments(Text, Run)) return;
    const std::string Upper = AsciiUpperCase(Text);

    Run.SetStatusText(Name + " - リンク抜き出し中");
    Run.SetCount(0);
    // One pass over the text visits the occurrences of every table row in text order; the
    // values are then stored row by row, as scanning each row in table order would store them.
    const TTagIndex& Index = TagIndex();
    std::vector<size_t> NextAllowed(Index.Groups.size(), 0);
    TFirstValues FoundLinks, FoundAnchors;
    long long Counter = 0;
    size_t Close = 0;
    bool HaveClose = false, Stop = false;
    for (size_t Lt = Upper.find('<'); Lt != std::string::npos && !Stop;
         Lt = Upper.find('<', Lt + 1)) {
        if (Lt + 1 >= Upper.size()) break;
        const char First = Upper[Lt + 1];
        if (First < 'A' || First > 'Z') continue;
        for (int G : Index.ByFirstLetter[static_cast<size_t>(First - 'A')]) {
            const TTagGroup& Group = Index.Groups[static_cast<size_t>(G)];
            if (Lt < NextAllowed[static_cast<size_t>(G)] ||
                Upper.compare(Lt + 1, Group.Tag.size(), Group.Tag) != 0)
                continue;
            if (!HaveClose || Lt > Close) {
                Close = Upper.find('>', Lt + 1);
                HaveClose = true;
            }
            if (Close == std::string::npos) {
                Stop = true; // no tag after this point is closed
                break;
            }
            NextAllowed[static_cast<size_t>(G)] = Close;
            for (int Row : Group.Rows) {
                Run.Pump();
                if (Run.Halted) {
                    Stop = true;
                    break;
                }
                Run.SetCount(Counter++);
                std::string Value =
                    StoredForm(Row,
                               AttributeValue(Text, Upper, Lt + 1 + Group.Tag.size(), Close,
                                              RowAt(Row).Attribute),
                               Run.Settings);
                if (!Value.empty())
                    (Row < FirstAnchorRow ? FoundLinks : FoundAnchors).Offer(Row, std::move(Value));
            }
            if (Stop) break;
        }
    }
    Links.AddAll(FoundLinks.Take());
    if (Run.Halted) return; // a halt ends the extraction before its anchor pass
    Run.SetStatusText(Name + " - アンカー抜き出し中");
    Anchors.AddAll(FoundAnchors.Take());
}

} // namespace orvel
