// Reads a whole file into one byte string, refusing files that do not look like text.
#pragma once

#include "support/InputFile.h"
#include "support/MessageHost.h"

#include <exception>
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

// The same checks and messages, but the file's real bytes: NUL bytes stay, for writing back.
std::string ReadTextFile(const std::string& Path, TMessageHost& Host);

// Tells the user of a failure of the readers above that they have not shown themselves: a file
// that is not text or that fails after opening, in an error box with the failure's text.
void ReportReadFailure(TMessageHost& Host, const std::exception_ptr& Failure);

} // namespace orvel
