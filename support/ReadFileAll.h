// Reads a whole file into one byte string, refusing files that do not look like text.
#pragma once

#include "support/MessageHost.h"

#include <stdexcept>
#include <string>

namespace orvel {

// The file looks binary: too many control bytes among its first 200.
class ENotTextFileError : public std::runtime_error {
public:
    ENotTextFileError() : std::runtime_error("it is binary file") {}
};

// The file could not be opened, read or closed.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every byte of the file, NUL bytes turned into spaces. Shows the open and memory errors in
// message boxes and still throws them; entries that are not regular files cannot be opened.
std::string ReadFileAll(const std::string& Path, TMessageHost& Host);

} // namespace orvel
