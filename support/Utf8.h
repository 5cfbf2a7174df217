// UTF-8 validity: the shortest forms only, no surrogates, nothing above U+10FFFF.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvel {

// Length of the valid UTF-8 sequence that begins at Pos (Pos < Text.size()), or 0.
size_t Utf8SequenceLength(std::string_view Text, size_t Pos);

bool IsValidUtf8(std::string_view Text);
// Text with every byte that begins no valid sequence replaced by Replacement.
std::string WithValidUtf8(std::string_view Text, std::string_view Replacement);

} // namespace orvel
