#include "support/CodePage.h"

#include "support/FoldedText.h"

#include <algorithm>
#include <bit>
#include <langinfo.h>
#include <strings.h>

namespace orvel {

bool IsCp932Lead(unsigned char B) {
    return (B >= 0x81 && B <= 0x9F) || (B >= 0xE0 && B <= 0xFC);
}

namespace {
TCodePage GCodePage = TCodePage::cpUtf8;

// Walks a text and folds a-z outside multi-byte characters.
class TUpperWalker {
public:
    explicit TUpperWalker(std::string_view Walked) : Text(Walked) {}
    bool AtEnd() const { return Pos >= Text.size(); }
    unsigned char Next() {
        const unsigned char B = static_cast<unsigned char>(Text[Pos++]);
        if (TrailPending) {
            TrailPending = false;
            return B;
        }
        if (GCodePage == TCodePage::cpCp932 && IsCp932Lead(B)) {
            TrailPending = true;
            return B;
        }
        return (B >= 'a' && B <= 'z') ? static_cast<unsigned char>(B - 'a' + 'A') : B;
    }

private:
    std::string_view Text;
    size_t Pos = 0;
    bool TrailPending = false;
};
} // namespace

void InitCodePageFromLocale() {
    const char* Charset = nl_langinfo(CODESET);
    const std::string_view Names[] = {"SHIFT_JIS", "SJIS", "CP932", "WINDOWS-31J", "SHIFT-JIS"};
    GCodePage = TCodePage::cpUtf8;
    for (std::string_view Name : Names)
        if (Charset && strcasecmp(Charset, std::string(Name).c_str()) == 0)
            GCodePage = TCodePage::cpCp932;
}

void SetCodePage(TCodePage CodePage) {
    GCodePage = CodePage;
}

TCodePage CurrentCodePage() {
    return GCodePage;
}

bool IsLeadByte(unsigned char Byte) {
    if (GCodePage == TCodePage::cpCp932) return IsCp932Lead(Byte);
    return Byte >= 0xC0;
}

bool IsTrailByteAt(std::string_view Text, size_t Index) {
    if (Index >= Text.size()) return false;
    if (GCodePage == TCodePage::cpUtf8)
        return (static_cast<unsigned char>(Text[Index]) & 0xC0) == 0x80;
    // CP932 trail bytes overlap ASCII, so only a walk from the start can tell.
    bool Trail = false;
    for (size_t I = 0; I < Index; ++I)
        Trail = !Trail && IsCp932Lead(static_cast<unsigned char>(Text[I]));
    return Trail;
}

std::string AnsiUpperCase(std::string_view Text) {
    std::string Result;
    Result.reserve(Text.size());
    TUpperWalker W(Text);
    while (!W.AtEnd())
        Result.push_back(static_cast<char>(W.Next()));
    return Result;
}

std::string AsciiUpperCase(std::string_view Text) {
    std::string Result(Text);
    for (char& C : Result)
        C = AsciiUpper(C);
    return Result;
}

namespace {
// Under UTF-8 the locale-aware upper-casing is the ASCII one, which folds eight bytes at once.
int CompareFolded(std::string_view A, std::string_view B) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    const size_t Common = std::min(A.size(), B.size());
    const std::string_view CommonA = A.substr(0, Common), CommonB = B.substr(0, Common);
    for (size_t Pos = 0; Pos < Common; Pos += 8) {
        const std::uint64_t WA = FoldWord(LoadWord(CommonA, Pos));
        const std::uint64_t WB = FoldWord(LoadWord(CommonB, Pos));
        if (WA == WB) continue;
        const int Shift = std::countr_zero(WA ^ WB) & ~7; // the first byte that differs
        return ((WA >> Shift) & 0xFF) < ((WB >> Shift) & 0xFF) ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}
} // namespace

std::uint64_t AnsiSortKey(std::string_view Text) {
    std::uint64_t Word;
    if (GCodePage == TCodePage::cpUtf8) {
        Word = FoldWord(LoadWord(Text, 0));
    } else {
        const std::string Upper = AnsiUpperCase(Text.substr(0, 8));
        Word = LoadWord(Upper, 0);
    }
    return __builtin_bswap64(Word); // the first byte counts most
}

int AnsiCompareText(std::string_view A, std::string_view B) {
    if (GCodePage == TCodePage::cpUtf8) return CompareFolded(A, B);
    TUpperWalker WA(A), WB(B);
    while (!WA.AtEnd() && !WB.AtEnd()) {
        const unsigned char CA = WA.Next(), CB = WB.Next();
        if (CA != CB) return CA < CB ? -1 : 1;
    }
    if (WA.AtEnd() && WB.AtEnd()) return 0;
    return WA.AtEnd() ? -1 : 1;
}

} // namespace orvel
