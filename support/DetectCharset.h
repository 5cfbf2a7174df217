// Finding the character set a page is written in.
#pragma once

#include "support/Charset.h"

#include <string_view>

namespace orvel {

// The charset of a page's bytes: UTF-8 after its byte-order mark; else the charset that a META tag
// in the first 4 KB declares (<meta charset=...> or the charset= of a Content-Type), when iconv
// knows it; else UTF-8 when the bytes are valid UTF-8 (ASCII is); else CP932 when they are valid
// CP932; else the code page's. Time linear in the page's size.
TCharset DetectCharset(std::string_view Page);

} // namespace orvel
