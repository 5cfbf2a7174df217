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

void TAnchorKeys::Build(const std::vector<std::string>& Anchors, TCharset Charset) {
    Keys.clear();
    const bool Converts = Charset.OrCodePage() != TCharset::Utf8();
    const bool Differ = std::any_of(Anchors.begin(), Anchors.end(), [&](const std::string& A) {
        return A.find('&') != std::string::npos || (Converts && !IsAscii(A));
    });
    if (!Differ) return;
    Keys.reserve(Anchors.size());
    for (size_t I = 0; I < Anchors.size(); ++I)
        Keys.emplace_back(AnchorKey(Anchors[I], Charset), static_cast<int>(I));
    std::stable_sort(Keys.begin(), Keys.end(),
                     [](const auto& A, const auto& B) { return A.first < B.first; });
}

int TAnchorKeys::FindExactly(std::string_view Key, const TSortedStringList& Anchors,
                             const TSortedStringList* Extra) const {
    if (Keys.empty()) {
        if (const int Index = ExactIndex(Anchors, Key); Index >= 0) return Index;
    } else {
        const auto It =
            std::lower_bound(Keys.begin(), Keys.end(), Key,
                             [](const auto& Entry, std::string_view K) { return Entry.first < K; });
        if (It != Keys.end() && It->first == Key) return It->second;
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
