// Conversion between the code page and UTF-8.
#include "support/CharsetConvert.h"

#include <gtest/gtest.h>

using namespace orvel;

namespace {

TEST(ConvertCharset, Cp932ToUtf8AndBack) {
    const std::string Sjis = "\x93\xfa\x96\x7b\x8c\xea a\\b"; // 日本語 a\b
    const std::string Utf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e a\\b";
    EXPECT_EQ(ConvertCharset("UTF-8", "CP932", Sjis, "?"), Utf8);
    EXPECT_EQ(ConvertCharset("CP932", "UTF-8", Utf8, "?"), Sjis);
    // A second call with the converter kept open gives the same.
    EXPECT_EQ(ConvertCharset("UTF-8", "CP932", Sjis, "?"), Utf8);
}

TEST(ConvertCharset, UndecodableBytesBecomeTheReplacement) {
    // 0x81 0x20 is a lead byte without a valid trail byte; 0xFF is never valid.
    EXPECT_EQ(ConvertCharset("UTF-8", "CP932",
                             "a\x81\x20"
                             "b\xff",
                             "\xef\xbf\xbd"),
              "a\xef\xbf\xbd b\xef\xbf\xbd");
    EXPECT_EQ(ConvertCharset("UTF-8", "CP932", "\x93", "?"), "?"); // cut off at the end
}

TEST(ConvertCharset, UnknownCharsetLeavesTheText) {
    EXPECT_EQ(ConvertCharset("UTF-8", "NO-SUCH-CHARSET", "abc", "?"), "abc");
}

} // namespace
