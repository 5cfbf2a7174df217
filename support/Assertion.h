// Internal consistency checks, reported as "Assertion failure" with the unit's name.
#pragma once

#include <stdexcept>
#include <string>

namespace orvel {

class EAssertionFailed : public std::logic_error {
public:
    explicit EAssertionFailed(const std::string& Unit)
        : std::logic_error("Assertion failure (" + Unit + ")") {}
};

inline void Assert(bool Condition, const char* Unit) {
    if (!Condition) throw EAssertionFailed(Unit);
}

} // namespace orvel
