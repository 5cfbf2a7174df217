// One copy of each distinct text for the whole program: the link and anchor lists of a large site
// repeat the same few texts in thousands of pages, and hold them as 32-bit numbers into the pool.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

using TPooledId = std::uint32_t;

// The number of the pooled text equal to Text, added when it is new. Safe on any thread. The pool
// only grows: it holds every distinct text the program has read, which for a site is far less
// than its links.
TPooledId PooledId(std::string_view Text);
// The text of a number PooledId gave; it stays where it is until the program ends.
const std::string& PooledText(TPooledId Id);

} // namespace orvel
