#include "support/Charset.h"

#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace orvel {

namespace {

// The names met so far, by their Id; the first ones fixed. Pages may be read on other threads.
struct TCharsetNames {
    std::mutex Lock;
    std::deque<std::string> Names{"", "UTF-8", "CP932", "EUC-JP"};
};

TCharsetNames& Registry() {
    static TCharsetNames Instance;
    return Instance;
}

constexpr std::uint16_t Utf8Id = 1, Cp932Id = 2, EucJpId = 3; // as Names above
const char* const ReplacementCharacter = "\xEF\xBF\xBD";      // U+FFFD

// The other names of the charsets that pages declare most, upper case.
struct TAlias {
    std::string_view Label;
    std::string_view Name;
};
constexpr TAlias Aliases[] = {
    {"SHIFT_JIS", "CP932"},
    {"SHIFT-JIS", "CP932"},
    {"SJIS", "CP932"},
    {"X-SJIS", "CP932"},
    {"WINDOWS-31J", "CP932"},
    {"CP932", "CP932"},
    {"MS932", "CP932"},
    {"MS_KANJI", "CP932"},
    {"CSSHIFTJIS", "CP932"},
    {"EUC-JP", "EUC-JP"},
    {"X-EUC-JP", "EUC-JP"},
    {"EUCJP", "EUC-JP"},
    {"UTF-8", "UTF-8"},
    {"UTF8", "UTF-8"},
    {"UNICODE-1-1-UTF-8", "UTF-8"},
    {"ISO-8859-1", "WINDOWS-1252"},
    {"ISO_8859-1", "WINDOWS-1252"},
    {"LATIN1", "WINDOWS-1252"},
    {"L1", "WINDOWS-1252"},
    {"WINDOWS-1252", "WINDOWS-1252"},
    {"CP1252", "WINDOWS-1252"},
    // A page that declares UTF-16 in text that can be read as ASCII is UTF-8.
    {"UTF-16", "UTF-8"},
    {"UTF-16LE", "UTF-8"},
    {"UTF-16BE", "UTF-8"},
};

// Whether the charset writes the ASCII characters as ASCII does: a page read in one that does
// not (UTF-16, UTF-32, UCS-2, UTF-7, EBCDIC) would not be the page whose tags named it.
bool IsAsciiCompatible(const char* Name) {
    static const std::string Ascii = [] {
        std::string Text = "\t\n\r";
        for (char C = ' '; C < 0x7F; ++C)
            Text += C;
        return Text;
    }();
    const TStrictConversion Written = ConvertCharsetStrictly(Name, "UTF-8", Ascii);
    return Written.Ok() && Written.Out == Ascii;
}

} // namespace

TCharset TCharset::Utf8() {
    return TCharset(Utf8Id);
}

TCharset TCharset::Cp932() {
    return TCharset(Cp932Id);
}

TCharset TCharset::EucJp() {
    return TCharset(EucJpId);
}

TCharset TCharset::OfCodePage() {
    return CurrentCodePage() == TCodePage::cpCp932 ? Cp932() : Utf8();
}

TCharset TCharset::Named(std::string_view Name) {
    TCharsetNames& R = Registry();
    const std::lock_guard<std::mutex> Guard(R.Lock);
    const auto It = std::find(R.Names.begin(), R.Names.end(), Name);
    if (It != R.Names.end()) return TCharset(static_cast<std::uint16_t>(It - R.Names.begin()));
    if (R.Names.size() > std::numeric_limits<std::uint16_t>::max()) return {};
    R.Names.emplace_back(Name);
    return TCharset(static_cast<std::uint16_t>(R.Names.size() - 1));
}

TCharset TCharset::FromLabel(std::string_view Label) {
    const std::string Upper = AsciiUpperCase(Label);
    for (const TAlias& Alias : Aliases)
        if (Upper == Alias.Label) return Named(Alias.Name);
    const bool Plain =
        !Upper.empty() && Upper.size() <= 40 && std::all_of(Upper.begin(), Upper.end(), [](char C) {
            return (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') ||
                   std::string_view("-_.:").find(C) != std::string_view::npos;
        });
    return Plain && CharsetKnown(Upper.c_str()) && IsAsciiCompatible(Upper.c_str()) ? Named(Upper)
                                                                                    : TCharset();
}

const std::string& TCharset::Name() const {
    TCharsetNames& R = Registry();
    const std::lock_guard<std::mutex> Guard(R.Lock);
    return R.Names[Id]; // a deque keeps its elements in place as it grows
}

std::string PageTextToUtf8(const std::string& Bytes, TCharset Charset) {
    // iconv lets sequences above U+10FFFF through from UTF-8.
    if (Charset.OrCodePage() == TCharset::Utf8()) return WithValidUtf8(Bytes, ReplacementCharacter);
    return ConvertCharset("UTF-8", Charset.OrCodePage().Name().c_str(), Bytes,
                          ReplacementCharacter);
}

std::string PageTextToCodePage(const std::string& Bytes, TCharset Charset) {
    const TCharset CodePage = TCharset::OfCodePage();
    if (Charset.OrCodePage() == CodePage) return Bytes;
    return ConvertCharset(CodePage.Name().c_str(), "UTF-8", PageTextToUtf8(Bytes, Charset), "?");
}

TEncodedText EncodePageText(std::string_view Utf8, TCharset Charset) {
    TStrictConversion Converted =
        ConvertCharsetStrictly(Charset.OrCodePage().Name().c_str(), "UTF-8", Utf8);
    if (Converted.Ok()) return {std::move(Converted.Out), {}};
    std::string Character(
        Utf8.substr(Converted.FailedAt, CharLength(Utf8, Converted.FailedAt, TCharset::Utf8())));
    return {{}, std::move(Character)};
}

namespace {

// For each byte, whether it converts on its own from the charset: every byte of a single-byte
// charset, ASCII in all. Worked out once per charset and thread, so that a character costs no
// conversion unless its first byte needs more.
const std::array<bool, 256>& AloneBytes(TCharset Charset) {
    thread_local std::vector<std::pair<TCharset, std::unique_ptr<std::array<bool, 256>>>> Known;
    for (const auto& [Seen, Table] : Known)
        if (Seen == Charset) return *Table;
    auto Table = std::make_unique<std::array<bool, 256>>();
    const char* const From = Charset.Name().c_str();
    for (int Byte = 0; Byte < 256; ++Byte)
        (*Table)[static_cast<size_t>(Byte)] =
            Byte < 0x80 ||
            ConvertCharsetStrictly("UTF-8", From, std::string(1, static_cast<char>(Byte))).Ok();
    Known.emplace_back(Charset, std::move(Table));
    return *Known.back().second;
}

} // namespace

size_t CharLength(std::string_view Text, size_t Pos, TCharset Charset) {
    const size_t Left = Text.size() - Pos;
    const unsigned char Lead = static_cast<unsigned char>(Text[Pos]);
    const TCharset Known = Charset.OrCodePage();
    size_t Length = 1;
    if (Known == TCharset::Utf8()) {
        Length = Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 1;
    } else if (Known == TCharset::Cp932()) {
        Length = IsCp932Lead(Lead) ? 2 : 1;
    } else if (Known == TCharset::EucJp()) {
        Length = Lead == 0x8F ? 3 : (Lead == 0x8E || Lead >= 0xA1) && Lead != 0xFF ? 2 : 1;
    } else if (!AloneBytes(Known)[Lead]) {
        // A lead byte of another charset: the character that one conversion finds there.
        if (const size_t Found = FirstCharacterLength(Known.Name().c_str(), Text.substr(Pos, 4)))
            return Found;
    }
    return std::min(Length, Left);
}

std::string CodePointText(std::string_view Utf8) {
    if (Utf8.empty()) return {};
    const unsigned char Lead = static_cast<unsigned char>(Utf8[0]);
    const size_t Length = CharLength(Utf8, 0, TCharset::Utf8());
    std::uint32_t Point = Length == 1 ? Lead : Lead & (0x7F >> Length);
    for (size_t I = 1; I < Length; ++I)
        Point = (Point << 6) | (static_cast<unsigned char>(Utf8[I]) & 0x3F);
    char Text[16];
    std::snprintf(Text, sizeof Text, "U+%04X", static_cast<unsigned>(Point));
    return Text;
}

} // namespace orvel
