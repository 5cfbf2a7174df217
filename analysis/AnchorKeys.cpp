#include "analysis/AnchorKeys.h"

#include "support/CharacterReferences.h"
#include "support/CharsetConvert.h"
#include "support/FoldedText.h"
#include "support/UrlText.h"

#include <algorithm>

namespace orvel {

namespace {

bool IsAscii(std::string_view Text) {
    return std::all_of(Text.begin(), Text.end(),
                       [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

// The index of Key in a list when the list holds it with exactly these bytes, or -1.
int ExactIndex(const TSortedStringList& List, std::string_view Key) {
    const int Index = List.IndexOf(Key);
    return Index >= 0 && List[Index] == Key ? Index : -1;
}

std::uint32_t ShortHash(std::string_view Text) {
    return static_cast<std::uint32_t>(TextHash(Text));
}

} // namespace

std::string AnchorKey(std::string_view Anchor, TCharset Charset) {
    std::string Key(Anchor);
    if (!IsAscii(Anchor) && Charset.OrCodePage() != TCharset::Utf8()) {
        TStrictConversion Utf8 =
            ConvertCharsetStrictly("UTF-8", Charset.OrCodePage().Name().c_str(), Anchor);
        if (Utf8.Ok()) Key = std::move(Utf8.Out); // else it stays as its bytes
    }
    if (Key.find('&') != std::string::npos) Key = DecodeCharacterReferences(Key);
    return Key;
}

void TAnchorKeys::Build(const std::vector<std::string>& Anchors, TCharset Charset, bool Hashed) {
    Keys.clear();
    ByHash.clear();
    const bool Converts = Charset.OrCodePage() != TCharset::Utf8();
    const bool Differ = std::any_of(Anchors.begin(), Anchors.end(), [&](const std::string& A) {
        return A.find('&') != std::string::npos || (Converts && !IsAscii(A));
    });
    if (Differ)
        for (const std::string& Anchor : Anchors)
            Keys.push_back(AnchorKey(Anchor, Charset));
    if (!Differ && !Hashed) return;
    ByHash.reserve(Anchors.size());
    for (size_t I = 0; I < Anchors.size(); ++I)
        ByHash.emplace_back(ShortHash(Keys.empty() ? Anchors[I] : Keys[I]), static_cast<int>(I));
    std::sort(ByHash.begin(), ByHash.end());
}

int TAnchorKeys::FindExactly(std::string_view Key, const TSortedStringList& Anchors,
                             const TSortedStringList* Extra) const {
    if (ByHash.empty()) {
        if (const int Index = ExactIndex(Anchors, Key); Index >= 0) return Index;
    } else {
        const std::uint32_t Hash = ShortHash(Key);
        for (auto It = std::lower_bound(ByHash.begin(), ByHash.end(), std::pair(Hash, -1));
             It != ByHash.end() && It->first == Hash; ++It) {
            const size_t Index = static_cast<size_t>(It->second);
            if ((Keys.empty() ? Anchors[It->second] : Keys[Index]) == Key) return It->second;
        }
    }
    if (Extra)
        if (const int Index = ExactIndex(*Extra, Key); Index >= 0) return Anchors.Count() + Index;
    return -1;
}

int TAnchorKeys::Find(std::string_view Fragment, const TSortedStringList& Anchors,
                      const TSortedStringList* Extra) const {
    const int Index = FindExactly(Fragment, Anchors, Extra);
    if (Index >= 0 || Fragment.find('%') == std::string_view::npos) return Index;
    return FindExactly(PercentDecoded(Fragment), Anchors, Extra);
}

bool NamesPageTop(std::string_view Fragment) {
    return FoldedEqual(Fragment, "TOP");
}

} // namespace orvel
