// Turns a "file://" link into a path.
#pragma once

#include "support/PathRules.h"

#include <optional>
#include <string>

namespace orvel {

// The path a "file://" URL names, or nothing when it names none in this path style.
std::optional<std::string> URLToPath(const std::string& URL, TPathStyle Style);

} // namespace orvel
