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

// Why a file could not be read as text.
enum class TReadFailure {
    rfNone,
    rfCannotOpen,  // missing, no permission, or not a regular file
    rfOutOfMemory, // too large to hold
    rfReadError,   // opened, but reading failed
    rfNotText      // looks binary
};

// Every byte of the file into Text (whose capacity is reused), NUL bytes turned into spaces, as
// ReadFileAll reads it but without messages; safe on any thread. Text is unspecified on failure.
// Stamp, when given, gets the file's stamp as it was opened.
TReadFailure ReadTextInto(const std::string& Path, std::string& Text,
                          TSeenEntry Seen = TSeenEntry::seUnknown, TFileStamp* Stamp = nullptr);

// The message a failure is shown with, or empty for the failures that are not shown.
std::string ReadFailureMessage(TReadFailure Failure, const std::string& Path);

// Every byte of the file, NUL bytes turned into spaces. Shows the open and memory errors in
// message boxes and still throws them (EInOutError); only regular files are ever opened.
std::string ReadFileAll(const std::string& Path, TMessageHost& Host);

// The same checks and messages, but the file's real bytes: NUL bytes stay, for writing back.
std::string ReadTextFile(const std::string& Path, TMessageHost& Host);

// Tells the user of a failure of the readers above that they have not shown themselves: a file
// that is not text or that fails after opening, in an error box with the failure's text.
void ReportReadFailure(TMessageHost& Host, const std::exception_ptr& Failure);

} // namespace orvel
