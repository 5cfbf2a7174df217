#include "analysis/ExtractModernLinks.h"

#include "analysis/FirstValues.h"
#include "support/CharacterReferences.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <vector>

namespace orvel {

namespace {

bool IsHtmlSpace(char C) {
    return C == ' ' || C == '\t' || C == '\n' || C == '\f' || C == '\r';
}

bool IsAsciiAlpha(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

std::string_view TrimHtmlSpace(std::string_view Text) {
    while (!Text.empty() && IsHtmlSpace(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsHtmlSpace(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

// Upper-case names of at most 16 bytes, found without ASCII case by comparing two words: a tag's
// name and those of its attributes are looked up in these at every tag.
class TNameTable {
public:
    template <typename Names> explicit TNameTable(const Names& List) {
        for (const std::string_view Name : List) {
            Keys.push_back(KeyOf(Name));
            Sizes |= 1u << Name.size();
        }
    }
    // The index of Name in the list, or -1.
    int Find(std::string_view Name) const {
        if (Name.size() > 16 || !(Sizes & (1u << Name.size()))) return -1;
        const TKey Key = KeyOf(Name);
        for (size_t I = 0; I < Keys.size(); ++I)
            if (Keys[I] == Key) return static_cast<int>(I);
        return -1;
    }

private:
    struct TKey {
        std::uint64_t Low, High;
        size_t Size;
        bool operator==(const TKey&) const = default;
    };
    static TKey KeyOf(std::string_view Name) {
        return {FoldWord(LoadWord(Name, 0)), Name.size() > 8 ? FoldWord(LoadWord(Name, 8)) : 0,
                Name.size()};
    }
    std::vector<TKey> Keys;
    std::uint32_t Sizes = 0; // bit N: a name of N bytes
};

// The attributes that matter; a tag keeps the first of each.
constexpr std::string_view AttributeNames[] = {
    "HREF",     "SRC",        "ID",     "NAME",   "SRCSET",    "CONTENT", "HTTP-EQUIV",
    "ACTION",   "BACKGROUND", "CITE",   "CODE",   "DATA",      "DYNSRC",  "FORMACTION",
    "LONGDESC", "LOWSRC",     "POSTER", "USEMAP", "XLINK:HREF"};
constexpr int AttributeCount = static_cast<int>(std::size(AttributeNames));

int AttributeIndex(std::string_view Name) {
    static const TNameTable Table(AttributeNames);
    return Table.Find(Name);
}

// For each tag with link attributes, the indices of those attributes.
struct TLinkTags {
    std::vector<std::string_view> Names;
    std::vector<std::vector<int>> Attributes;
    TNameTable Tags{std::vector<std::string_view>()};
};

const TLinkTags& LinkTags() {
    static const TLinkTags Index = [] {
        std::vector<TTagRow> Rows(std::begin(LinkTagTable), std::end(LinkTagTable));
        Rows.insert(Rows.end(), std::begin(ModernLinkTable), std::end(ModernLinkTable));
        TLinkTags I;
        for (const TTagRow& Row : Rows) {
            auto Tag = std::find(I.Names.begin(), I.Names.end(), Row.Tag);
            if (Tag == I.Names.end()) {
                I.Names.push_back(Row.Tag);
                I.Attributes.emplace_back();
                Tag = I.Names.end() - 1;
            }
            const int Attribute = AttributeIndex(Row.Attribute);
            auto& Attributes = I.Attributes[static_cast<size_t>(Tag - I.Names.begin())];
            if (std::find(Attributes.begin(), Attributes.end(), Attribute) == Attributes.end())
                Attributes.push_back(Attribute);
        }
        I.Tags = TNameTable(I.Names);
        return I;
    }();
    return Index;
}

// The attributes of one tag that matter, the first of each name.
class TTagAttributes {
public:
    void Clear() {
        ++Generation;
        Count = 0;
    }
    void Offer(std::string_view Name, std::string_view Value, size_t At) {
        const int Index = AttributeIndex(Name);
        if (Index < 0 || Slots[static_cast<size_t>(Index)].Generation == Generation) return;
        Slots[static_cast<size_t>(Index)] = {Generation, Value, At};
        ++Count;
    }
    bool Empty() const { return Count == 0; }
    // The value of the attribute with this index, or null when the tag has none.
    const std::string_view* Value(int Index, size_t* At = nullptr) const {
        const TSlot& Slot = Slots[static_cast<size_t>(Index)];
        if (Slot.Generation != Generation) return nullptr;
        if (At) *At = Slot.At;
        return &Slot.Value;
    }

private:
    struct TSlot {
        unsigned Generation = 0;
        std::string_view Value;
        size_t At = 0;
    };
    std::array<TSlot, AttributeCount> Slots{};
    unsigned Generation = 1; // the slots of the tag being read hold it
    int Count = 0;
};

// Reads the tag whose name begins at Pos: its name and the attributes that matter. The position
// after its ">", or npos when the text ends inside it (such a tag is no tag).
size_t ReadTag(std::string_view Text, size_t Pos, std::string_view& Name,
               TTagAttributes& Attributes) {
    const size_t N = Text.size();
    const size_t NameStart = Pos;
    while (Pos < N && !IsHtmlSpace(Text[Pos]) && Text[Pos] != '/' && Text[Pos] != '>')
        ++Pos;
    Name = Text.substr(NameStart, Pos - NameStart);
    Attributes.Clear();
    for (;;) {
        while (Pos < N && (IsHtmlSpace(Text[Pos]) || Text[Pos] == '/'))
            ++Pos;
        if (Pos >= N) return std::string_view::npos;
        if (Text[Pos] == '>') return Pos + 1;
        const size_t At = Pos++; // a name may begin with "="
        while (Pos < N && !IsHtmlSpace(Text[Pos]) && Text[Pos] != '/' && Text[Pos] != '>' &&
               Text[Pos] != '=')
            ++Pos;
        const std::string_view Attribute = Text.substr(At, Pos - At);
        while (Pos < N && IsHtmlSpace(Text[Pos]))
            ++Pos;
        std::string_view Value;
        if (Pos < N && Text[Pos] == '=') {
            ++Pos;
            while (Pos < N && IsHtmlSpace(Text[Pos]))
                ++Pos;
            if (Pos >= N) return std::string_view::npos;
            if (Text[Pos] == '"' || Text[Pos] == '\'') {
                const size_t Close = Text.find(Text[Pos], Pos + 1);
                if (Close == std::string_view::npos) return std::string_view::npos;
                Value = Text.substr(Pos + 1, Close - Pos - 1);
                Pos = Close + 1;
            } else {
                const size_t Start = Pos;
                while (Pos < N && !IsHtmlSpace(Text[Pos]) && Text[Pos] != '>')
                    ++Pos;
                Value = Text.substr(Start, Pos - Start);
            }
        }
        Attributes.Offer(Attribute, Value, At);
    }
}

// The position after the first ">" from Pos on, or the end of the text.
size_t AfterGreater(std::string_view Text, size_t Pos) {
    const size_t Close = Text.find('>', Pos);
    return Close == std::string_view::npos ? Text.size() : Close + 1;
}

// The position after the comment, DOCTYPE or other markup declaration that begins at Lt
// ("<!"). A comment ends at "-->" or "--!>"; "<!-->" and "<!--->" are whole comments.
size_t AfterMarkup(std::string_view Text, size_t Lt) {
    if (Text.substr(Lt, 4) != "<!--") return AfterGreater(Text, Lt + 2);
    size_t Pos = Lt + 4;
    if (Text.substr(Pos, 1) == ">") return Pos + 1;
    if (Text.substr(Pos, 2) == "->") return Pos + 2;
    for (;;) {
        const size_t Dashes = Text.find("--", Pos);
        if (Dashes == std::string_view::npos) return Text.size();
        size_t After = Dashes + 2;
        while (After < Text.size() && Text[After] == '-')
            ++After;
        if (Text.substr(After, 1) == ">") return After + 1;
        if (Text.substr(After, 2) == "!>") return After + 2;
        Pos = After;
    }
}

// The elements whose text holds no tags; PLAINTEXT runs to the end.
constexpr std::string_view RawTextElements[] = {"PLAINTEXT", "SCRIPT", "STYLE",
                                                "TEXTAREA",  "TITLE",  "XMP"};

// Where the end tag of the raw-text element Name begins from Pos on, or the end of the text.
size_t RawTextEnd(std::string_view Text, size_t Pos, std::string_view Name) {
    for (size_t Lt = Text.find("</", Pos); Lt != std::string_view::npos;
         Lt = Text.find("</", Lt + 2)) {
        const size_t After = Lt + 2 + Name.size();
        if (After <= Text.size() && FoldedEqual(Text.substr(Lt + 2, Name.size()), Name) &&
            (After == Text.size() || IsHtmlSpace(Text[After]) || Text[After] == '/' ||
             Text[After] == '>'))
            return Lt;
    }
    return Text.size();
}

// The URL of a META refresh's CONTENT, read as browsers read it; empty for none.
std::string_view RefreshUrl(std::string_view Content) {
    size_t Pos = 0;
    const size_t N = Content.size();
    const auto SkipSpace = [&] {
        while (Pos < N && IsHtmlSpace(Content[Pos]))
            ++Pos;
    };
    SkipSpace();
    const size_t Time = Pos;
    while (Pos < N && IsDigit(Content[Pos]))
        ++Pos;
    if (Pos == Time && (Pos >= N || Content[Pos] != '.')) return {};
    while (Pos < N && (IsDigit(Content[Pos]) || Content[Pos] == '.'))
        ++Pos;
    if (Pos >= N) return {}; // the page refreshes itself
    if (Content[Pos] != ';' && Content[Pos] != ',' && !IsHtmlSpace(Content[Pos])) return {};
    SkipSpace();
    if (Pos < N && (Content[Pos] == ';' || Content[Pos] == ',')) ++Pos;
    SkipSpace();
    // "URL=" may come first; a part of it that does not match is taken for the URL's start.
    [&] {
        for (const char Letter : {'U', 'R', 'L'}) {
            if (Pos >= N || AsciiUpper(Content[Pos]) != Letter) return;
            ++Pos;
        }
        SkipSpace();
        if (Pos >= N || Content[Pos] != '=') return;
        ++Pos;
        SkipSpace();
    }();
    std::string_view Url = Content.substr(Pos);
    if (!Url.empty() && (Url[0] == '"' || Url[0] == '\'')) {
        const char Quote = Url[0];
        Url.remove_prefix(1);
        Url = Url.substr(0, Url.find(Quote));
    }
    while (!Url.empty() && IsHtmlSpace(Url.back()))
        Url.remove_suffix(1);
    return Url;
}

// The URLs of a SRCSET value: each candidate's URL, without its descriptors.
template <typename F> void ForEachSrcsetUrl(std::string_view Value, F&& Take) {
    const size_t N = Value.size();
    size_t Pos = 0;
    for (;;) {
        while (Pos < N && (IsHtmlSpace(Value[Pos]) || Value[Pos] == ','))
            ++Pos;
        if (Pos >= N) return;
        const size_t Start = Pos;
        while (Pos < N && !IsHtmlSpace(Value[Pos]))
            ++Pos;
        std::string_view Url = Value.substr(Start, Pos - Start);
        if (Url.back() == ',') {
            while (!Url.empty() && Url.back() == ',')
                Url.remove_suffix(1);
        } else {
            // The descriptors run to a comma outside parentheses.
            for (bool InParentheses = false; Pos < N; ++Pos) {
                if (Value[Pos] == '(') InParentheses = true;
                if (Value[Pos] == ')') InParentheses = false;
                if (Value[Pos] == ',' && !InParentheses) break;
            }
        }
        if (!Url.empty()) Take(Url);
    }
}

// What one tag adds to the page's links, anchors and base.
class TPageCollector {
public:
    TPageCollector(std::string_view PageText, const TExtractOptions& ExtractOptions,
                   TPageLinks& Result, TLinkPlaceVisitor* PlaceVisitor)
        : Text(PageText), Options(ExtractOptions), Found(Result), Places(PlaceVisitor) {}

    void Take(std::string_view Name, const TTagAttributes& Attributes) {
        size_t At = 0;
        if (const std::string_view* Id = Attributes.Value(IdAttribute, &At)) AddAnchor(*Id, At);
        if (FoldedEqual(Name, "A") || FoldedEqual(Name, "MAP")) AddNamed(Attributes);
        if (FoldedEqual(Name, "BASE")) TakeBase(Attributes);
        if (FoldedEqual(Name, "META")) TakeRefresh(Attributes);
        const int Tag = Tags.Tags.Find(Name);
        if (Tag < 0) return;
        for (const int Attribute : Tags.Attributes[static_cast<size_t>(Tag)]) {
            const std::string_view* Value = Attributes.Value(Attribute, &At);
            if (!Value) continue;
            if (Attribute == SrcsetAttribute)
                ForEachSrcsetUrl(*Value, [&](std::string_view Url) { AddLink(Url, At, *Value); });
            else
                AddLink(*Value, At, *Value);
        }
    }

    void Finish(bool Halted, bool CaseSensitiveLinks) {
        TFoundValues FoundLinks = Links.TakeSorted(CaseSensitiveLinks);
        Found.Links = std::move(FoundLinks.Values);
        Found.CaseSensitive = CaseSensitiveLinks;
        Found.LinkOffsets.reserve(FoundLinks.Offsets.size());
        for (const size_t Offset : FoundLinks.Offsets)
            Found.LinkOffsets.push_back(ClampedOffset(Offset));
        Found.LinkCounts = std::move(FoundLinks.Counts);
        // Browsers tell anchors apart by case.
        Found.AnchorsCaseSensitive = true;
        if (!Halted) Found.Anchors = Anchors.TakeSorted(true).Values;
    }

private:
    // The stored form of a value: without the whitespace around it, cut to its longest, and
    // nothing for "javascript:" when those are ignored. Spaces in it are kept, as browsers
    // keep them.
    std::string_view Stored(std::string_view Value) const {
        const std::string_view Trimmed = TrimHtmlSpace(Value).substr(0, MaxValueLength);
        const bool Script = StartsWithFolded(Trimmed, 0, "JAVASCRIPT:");
        return Script && Options.IgnoreJavaScript ? std::string_view() : Trimmed;
    }
    // A link found in Value, a part of the attribute value Attribute (both views of the text,
    // or Value a text of its own). Where the link is Value's whole text, Places hears of it.
    void AddLink(std::string_view Value, size_t At, std::string_view Attribute) {
        const std::string_view Link = Stored(Value);
        if (Link.empty()) return;
        Links.Offer(0, Link, At);
        const std::less<const char*> Before;
        const bool InText =
            !Before(Link.data(), Text.data()) && Before(Link.data(), Text.data() + Text.size());
        if (Places && InText && Link.size() == TrimHtmlSpace(Value).size()) {
            const char Quote = Attribute.data() > Text.data() ? Attribute.data()[-1] : '\0';
            Places->LinkAt(Link, static_cast<size_t>(Link.data() - Text.data()),
                           Quote == '"' || Quote == '\'' ? Quote : '\0');
        }
    }
    void AddAnchor(std::string_view Value, size_t At) {
        if (const std::string_view Anchor = Stored(Value); !Anchor.empty())
            Anchors.Offer(0, Anchor, At);
    }
    void AddNamed(const TTagAttributes& Attributes) {
        size_t At = 0;
        if (const std::string_view* Name = Attributes.Value(NameAttribute, &At))
            AddAnchor(*Name, At);
    }
    void TakeBase(const TTagAttributes& Attributes) {
        const std::string_view* Href = Attributes.Value(HrefAttribute);
        if (HaveBase || !Href) return;
        HaveBase = true;
        Found.Base = TrimHtmlSpace(*Href).substr(0, MaxValueLength);
    }
    void TakeRefresh(const TTagAttributes& Attributes) {
        const std::string_view* Equiv = Attributes.Value(HttpEquivAttribute);
        size_t At = 0;
        const std::string_view* Content = Attributes.Value(ContentAttribute, &At);
        if (!Equiv || !Content || !FoldedEqual(TrimHtmlSpace(*Equiv), "REFRESH")) return;
        if (Content->find('&') == std::string_view::npos)
            return AddLink(RefreshUrl(*Content), At, *Content);
        // Quotes around the URL may be written as references.
        const std::string Decoded = DecodeCharacterReferences(*Content);
        AddLink(RefreshUrl(Decoded), At, *Content);
    }

    const int IdAttribute = AttributeIndex("ID"), NameAttribute = AttributeIndex("NAME");
    const int HrefAttribute = AttributeIndex("HREF"), SrcsetAttribute = AttributeIndex("SRCSET");
    const int HttpEquivAttribute = AttributeIndex("HTTP-EQUIV");
    const int ContentAttribute = AttributeIndex("CONTENT");
    const TLinkTags& Tags = LinkTags();
    std::string_view Text;
    const TExtractOptions& Options;
    TPageLinks& Found;
    TLinkPlaceVisitor* Places; // may be null
    TFirstValues Links, Anchors;
    bool HaveBase = false;
};

} // namespace

TPageLinks ExtractModernLinks(std::string_view Text, const TExtractOptions& Options,
                              TExtractProgress& Progress, TLinkPlaceVisitor* Places) {
    TPageLinks Found;
    TPageCollector Collector(Text, Options, Found, Places);
    TTagAttributes Attributes;
    Progress.StageBegins(TExtractStage::esLinks);
    long long Counter = 0;
    bool Halted = false;
    const size_t N = Text.size();
    for (size_t Pos = 0; Pos < N && !Halted;) {
        const size_t Lt = Text.find('<', Pos);
        if (Lt == std::string_view::npos || Lt + 1 >= N) break;
        const char Next = Text[Lt + 1];
        if (Next == '!') {
            Pos = AfterMarkup(Text, Lt);
        } else if (Next == '?') {
            Pos = AfterGreater(Text, Lt + 2);
        } else if (Next == '/') {
            std::string_view Name;
            if (Lt + 2 < N && IsAsciiAlpha(Text[Lt + 2])) // an end tag: read past its attributes
                Pos = ReadTag(Text, Lt + 2, Name, Attributes);
            else
                Pos = AfterGreater(Text, Lt + 2);
        } else if (!IsAsciiAlpha(Next)) {
            Pos = Lt + 1;
        } else {
            std::string_view Name;
            Pos = ReadTag(Text, Lt + 1, Name, Attributes);
            if (Pos == std::string_view::npos) break;
            if (!Attributes.Empty()) {
                if ((Halted = Progress.Step(Counter++))) break;
                Collector.Take(Name, Attributes);
            }
            static const TNameTable RawText(RawTextElements);
            if (const int Raw = RawText.Find(Name); Raw >= 0)
                Pos = Raw == 0 ? N : RawTextEnd(Text, Pos, Name);
        }
    }
    Collector.Finish(Halted, Options.CaseSensitiveLinks);
    if (!Halted) Progress.StageBegins(TExtractStage::esAnchors);
    return Found;
}

} // namespace orvel
