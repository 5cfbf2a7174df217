// Case-insensitive search that folds only the ASCII letters a-z.
#pragma once

#include <string_view>

namespace orvel {

// Where Pattern first stands in Text (up to its first zero byte), as std::string_view::find
// says it; npos also for an empty Pattern.
size_t FindIgnoringCase(std::string_view Text, std::string_view Pattern);

} // namespace orvel
