// The character set of a page: found once when the page is read, kept as one small value, and
// used to show the page's texts and to write new text into it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

class TCharset {
public:
    // None: the page was never read; its texts count as the code page's.
    constexpr TCharset() = default;
    static TCharset Utf8();
    static TCharset Cp932();
    static TCharset EucJp();
    // The charset of the system code page.
    static TCharset OfCodePage();
    // The charset that a page's declaration names: Shift_JIS and its other names are CP932,
    // ISO-8859-1 is read as Windows-1252 as browsers do, any other name that iconv knows is
    // itself. None for a name that no converter knows, and for a charset that does not write
    // ASCII as ASCII (UTF-32, UCS-2, UTF-7, EBCDIC): the page's bytes decide then.
    static TCharset FromLabel(std::string_view Label);

    bool Known() const { return Id != 0; }
    // The charset's iconv name ("CP932", "EUC-JP", "UTF-8", ...); empty for none.
    const std::string& Name() const;
    // This charset, or the code page's when there is none.
    TCharset OrCodePage() const { return Known() ? *this : OfCodePage(); }
    bool operator==(const TCharset&) const = default;

private:
    explicit TCharset(std::uint16_t NameIndex) : Id(NameIndex) {}
    static TCharset Named(std::string_view Name);

    std::uint16_t Id = 0; // index into the names met so far; 0 is none
};

// A page's text as UTF-8; bytes the charset does not allow become U+FFFD.
std::string PageTextToUtf8(const std::string& Bytes, TCharset Charset);
// A page's text in the code page, for output read with it; unchanged when the charset is the
// code page's, characters the code page cannot hold as "?".
std::string PageTextToCodePage(const std::string& Bytes, TCharset Charset);

// UTF-8 text written in a page's charset.
struct TEncodedText {
    std::string Bytes;       // the text in the charset, when it can hold every character
    std::string Unencodable; // else the first character it cannot hold, in UTF-8
};
TEncodedText EncodePageText(std::string_view Utf8, TCharset Charset);

// How many bytes the character of the charset that begins at Pos takes: at least 1, at most
// what is left of the text.
size_t CharLength(std::string_view Text, size_t Pos, TCharset Charset);

// "U+XXXX" for the first character of a UTF-8 text, to name it in messages.
std::string CodePointText(std::string_view Utf8);

} // namespace orvel
