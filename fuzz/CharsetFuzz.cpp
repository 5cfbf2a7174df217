// Charset detection and conversion of a page: no crash, no undefined behaviour; every character
// length lies within the text, a page's text comes out as valid UTF-8, and what EncodePageText
// accepts converts back to the same text.
#include "FuzzSupport.h"

#include "support/Charset.h"
#include "support/DetectCharset.h"
#include "support/Utf8.h"

#include <cstdint>

using namespace orvel;
using namespace orvel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    UseCodePageOf(Data[0]);
    const std::string Page(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    // The detected charset, and one named by the input's first byte.
    static const char* const Labels[] = {"UTF-8", "SHIFT_JIS",  "EUC-JP", "GBK",
                                         "BIG5",  "ISO-8859-1", "KOI8-R", "GB18030"};
    for (const TCharset Charset :
         {DetectCharset(Page), TCharset::FromLabel(Labels[Data[0] >> 5])}) {
        for (size_t Pos = 0; Pos < Page.size();) {
            const size_t Length = CharLength(Page, Pos, Charset);
            Require(Length >= 1 && Length <= Page.size() - Pos, "a character lies in the text");
            Pos += Length;
        }
        const std::string Utf8 = PageTextToUtf8(Page, Charset);
        Require(IsValidUtf8(Utf8), "a page's text converts to valid UTF-8");
        const TEncodedText Encoded = EncodePageText(Utf8, Charset);
        if (Encoded.Unencodable.empty())
            Require(PageTextToUtf8(Encoded.Bytes, Charset) == Utf8, "encoding round-trips");
    }
    return 0;
}
