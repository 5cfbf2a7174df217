// The system code page: the encoding of the user's locale, CP932 or UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

enum class TCodePage { cpUtf8, cpCp932 };

// Picks the code page from the locale's charset (call after setlocale(LC_ALL, "")).
void InitCodePageFromLocale();
// Sets the code page explicitly (tests, tools).
void SetCodePage(TCodePage CodePage);
TCodePage CurrentCodePage();

// True when the byte begins a multi-byte character of the current code page.
bool IsLeadByte(unsigned char Byte);
// Whether Byte begins a two-byte character of CP932, whatever the code page.
bool IsCp932Lead(unsigned char Byte);
// True when the byte at Index continues a multi-byte character that begins before it.
bool IsTrailByteAt(std::string_view Text, size_t Index);

// Upper-cases a-z, never touching bytes that belong to multi-byte characters.
std::string AnsiUpperCase(std::string_view Text);
// Upper-cases every byte a-z wherever it stands.
std::string AsciiUpperCase(std::string_view Text);
inline char AsciiUpper(char C) {
    return (C >= 'a' && C <= 'z') ? char(C - 'a' + 'A') : C;
}

// Compares two texts after AnsiUpperCase, byte for byte, without building the copies.
int AnsiCompareText(std::string_view A, std::string_view B);
// The first eight bytes of AnsiUpperCase(Text) as one number (zeros after the end): of two texts
// whose keys differ, the one with the smaller key is the smaller for AnsiCompareText.
std::uint64_t AnsiSortKey(std::string_view Text);

} // namespace orvel
