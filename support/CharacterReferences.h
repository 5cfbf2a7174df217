// HTML character references (&amp; &#38; &#x26; &eacute; ...) in attribute values.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The value of an attribute as HTML reads it: every character reference replaced by its text in
// UTF-8 (Value is UTF-8), under the rules for attribute values: a named reference without its
// ";" that is followed by "=" or a letter or digit stays as written, and so does an "&" that
// starts no reference.
std::string DecodeCharacterReferences(std::string_view Value);

} // namespace orvel
