// HTML character references in attribute values, as browsers decode them.
#include "support/CharacterReferences.h"

#include <gtest/gtest.h>

namespace orvel::test {
namespace {

TEST(CharacterReferencesTest, DecodedAsInAnAttributeValue) {
    const std::pair<const char*, const char*> Cases[] = {
        {"a&amp;b.html", "a&b.html"},
        {"a&#38;b&#x26;c&#X26;d", "a&b&c&d"},
        {"caf&eacute;.html", "caf\xC3\xA9.html"},
        {"&notin; &notit; &not;", "\xE2\x88\x89 &notit; \xC2\xAC"}, // the longest name wins
        {"&amp=x &ampx &amp.", "&amp=x &ampx &."}, // old names before "=" or a letter stay
        {"&nosuch; & &# &#x; &#;", "&nosuch; & &# &#x; &#;"}, // no reference at all
        {"&#65&#x42;&#67;", "ABC"},                           // ";" may be missing
        {"&#0;&#xD800;&#x110000;&#99999999999;",
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"&#x80;&#x81;&#159;", "\xE2\x82\xAC\xC2\x81\xC5\xB8"}, // C1 as Windows-1252 means them
        {"&#x1F600;", "\xF0\x9F\x98\x80"},
        {"no reference", "no reference"},
    };
    for (const auto& [Value, Decoded] : Cases)
        EXPECT_EQ(DecodeCharacterReferences(Value), Decoded) << Value;
}

} // namespace
} // namespace orvel::test
