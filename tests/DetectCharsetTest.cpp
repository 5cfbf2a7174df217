// Finding a page's charset: its byte-order mark, its META declaration, or what its bytes allow.
#include "support/DetectCharset.h"
#include "support/CodePage.h"

#include <gtest/gtest.h>

using namespace orvel;

namespace {

TEST(DetectCharset, MarkThenDeclarationThenWhatTheBytesAllow) {
    const std::string Sjis = "<p>\x95\x5C\x8E\xA6</p>"; // HYOU-JI, a backslash byte in it
    const std::string Utf8 = "<p>\xE8\xA1\xA8\xE7\xA4\xBA</p>";
    struct TCase {
        std::string Page, Expected;
    };
    const TCase Cases[] = {
        {"\xEF\xBB\xBF<meta charset=shift_jis>" + Utf8, "UTF-8"},
        {"<meta charset=\"Shift_JIS\">" + Sjis, "CP932"},
        {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\">", "CP932"},
        {"<meta\ncharset = 'Windows-31J' >", "CP932"},
        {"<meta http-equiv=content-type content='text/html;charset=CP932'>", "CP932"},
        {"<meta charset=euc-jp>\xC9\xBD\xBC\xA8", "EUC-JP"},
        {"<meta charset=\"utf-8\">" + Sjis, "UTF-8"}, // declared wins over the bytes
        {"<meta charset=\"ISO-8859-1\">caf\xE9", "WINDOWS-1252"},
        {"<meta charset=\"gb2312\">", "GB2312"},
        {"<meta charset=\"no-such-charset\">" + Sjis, "CP932"},
        // Charsets that do not write ASCII as ASCII would not be the page that names them.
        {"<meta charset=\"UCS-2\">" + Utf8, "UTF-8"},
        {"<meta charset=\"UTF-32\">" + Sjis, "CP932"},
        {"<meta charset=\"UTF-7\">", "UTF-8"},
        {"<meta charset=\"IBM037\">", "UTF-8"},
        {"<meta name=keywords content=\"charset\">" + Utf8, "UTF-8"},
        {std::string(4096, ' ') + "<meta charset=euc-jp>", "UTF-8"}, // after the first 4 KB
        {"<html>plain ASCII</html>", "UTF-8"},
        {Utf8, "UTF-8"},
        {Sjis + "\xB1", "CP932"}, // with a half-width katakana
        {Sjis + "\x95", "UTF-8"}, // cut off: neither, so the code page's
        {"\xFF\xFE\xFD", "UTF-8"},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(DetectCharset(C.Page).Name(), C.Expected) << C.Page;
    SetCodePage(TCodePage::cpCp932);
    EXPECT_EQ(DetectCharset("\xFF\xFE\xFD").Name(), "CP932");
    SetCodePage(TCodePage::cpUtf8);
}

} // namespace
