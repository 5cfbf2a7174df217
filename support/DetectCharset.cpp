#include "support/DetectCharset.h"

#include "support/CodePage.h"
#include "support/Utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

namespace orvel {

namespace {

constexpr size_t DeclarationArea = 4096; // where a META declaration counts

bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f';
}

bool IsNameCharacter(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') ||
           std::strchr("-_.:", C) != nullptr;
}

// The name after the first "charset" followed by "=" inside a tag, or empty.
std::string_view CharsetAttribute(std::string_view Tag, std::string_view UpperTag) {
    for (size_t At = UpperTag.find("CHARSET"); At != std::string_view::npos;
         At = UpperTag.find("CHARSET", At + 1)) {
        size_t Pos = At + 7;
        while (Pos < Tag.size() && IsBlank(Tag[Pos]))
            ++Pos;
        if (Pos == Tag.size() || Tag[Pos] != '=') continue;
        ++Pos;
        while (Pos < Tag.size() && (IsBlank(Tag[Pos]) || Tag[Pos] == '"' || Tag[Pos] == '\''))
            ++Pos;
        size_t End = Pos;
        while (End < Tag.size() && IsNameCharacter(Tag[End]))
            ++End;
        if (End > Pos) return Tag.substr(Pos, End - Pos);
    }
    return {};
}

// The charset that a META tag of the page's first bytes declares, or none.
TCharset DeclaredCharset(std::string_view Page) {
    const std::string_view Head = Page.substr(0, DeclarationArea);
    // Upper-cased on the stack: every page passes here.
    std::array<char, DeclarationArea> Room;
    std::transform(Head.begin(), Head.end(), Room.begin(), AsciiUpper);
    const std::string_view Upper(Room.data(), Head.size());
    for (size_t Meta = Upper.find("<META"); Meta != std::string_view::npos;
         Meta = Upper.find("<META", Meta + 5)) {
        const size_t End = std::min(Upper.find('>', Meta), Upper.size());
        const std::string_view Name =
            CharsetAttribute(Head.substr(Meta, End - Meta), Upper.substr(Meta, End - Meta));
        if (Name.empty()) continue;
        const TCharset Charset = TCharset::FromLabel(Name);
        if (Charset.Known()) return Charset;
    }
    return {};
}

// Every byte from 0x80 up is a half-width katakana or the first of a two-byte character whose
// second byte is allowed.
bool IsValidCp932(std::string_view Text) {
    for (size_t Pos = 0; Pos < Text.size(); ++Pos) {
        const unsigned char B = static_cast<unsigned char>(Text[Pos]);
        if (B < 0x80 || (B >= 0xA1 && B <= 0xDF)) continue;
        if (!IsCp932Lead(B) || Pos + 1 == Text.size()) return false;
        const unsigned char Trail = static_cast<unsigned char>(Text[++Pos]);
        if (Trail < 0x40 || Trail == 0x7F || Trail > 0xFC) return false;
    }
    return true;
}

} // namespace

TCharset DetectCharset(std::string_view Page) {
    if (Page.substr(0, 3) == "\xEF\xBB\xBF") return TCharset::Utf8();
    const TCharset Declared = DeclaredCharset(Page);
    if (Declared.Known()) return Declared;
    if (IsValidUtf8(Page)) return TCharset::Utf8();
    if (IsValidCp932(Page)) return TCharset::Cp932();
    return TCharset::OfCodePage();
}

} // namespace orvel
