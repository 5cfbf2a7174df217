// Case-insensitive search that folds only the ASCII letters a-z.
#pragma once

#include <string_view>

namespace orvel {

// 1-based position of the first occurrence of Pattern in Text (up to its first zero byte), or 0.
size_t IgnoreCasePos(std::string_view Pattern, std::string_view Text);

} // namespace orvel
