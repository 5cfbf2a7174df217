// Reads a whole file into one byte string, refusing files that do not look like text.
#pragma once

#include "support/InputFile.h"
#include "support/MessageHost.h"

#include <stdexcept>
#include <string>

namespace orvel {

// The file looks binary: too many control bytes among its first 200.
class ENotTextFileError : public std::runtime_error {
public:
    ENotTextFileError() : std::runtime_error("it is binary file") {}
};

// Every byte of the file, NUL bytes turned into spaces. Shows the open and memory errors in
// message boxes and still throws them (EInOutError); only regular files are ever opened.
std::string ReadFileAll(const std::string& Path, TMessageHost& Host);

} // namespace orvel
