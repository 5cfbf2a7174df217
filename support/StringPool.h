// One copy of each distinct text for the whole program: the link and anchor lists of a large site
// repeat the same few texts in thousands of pages, and hold them as references into the pool.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// The pooled text equal to Text, added when it is new. Safe on any thread; the text stays where
// it is until the program ends, so the reference may be kept. The pool only grows: it holds every
// distinct text the program has read, which for a site is far less than its links.
const std::string& PooledText(std::string_view Text);

} // namespace orvel
