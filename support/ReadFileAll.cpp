#include "support/ReadFileAll.h"

#include "support/InputFile.h"
#include "support/Translation.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

namespace orvel {

namespace {
// NUL counts as text: the scan turns it into a space.
bool IsControlByte(unsigned char B) {
    return (B >= 1 && B <= 8) || (B >= 16 && B <= 31);
}

// False when the text looks binary: too many control bytes among its first 200.
bool LooksLikeText(const std::string& Text) {
    const size_t N = std::min<size_t>(Text.size(), 200);
    const size_t Controls = static_cast<size_t>(
        std::count_if(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(N),
                      [](char C) { return IsControlByte(static_cast<unsigned char>(C)); }));
    return Controls <= N / 10;
}

// Every NUL byte of the text made a space; a page rarely has one, so they are searched for.
void SpacesForNuls(std::string& Text) {
    for (char* Nul = static_cast<char*>(std::memchr(Text.data(), '\0', Text.size())); Nul;
         Nul = static_cast<char*>(
             std::memchr(Nul, '\0', Text.size() - static_cast<size_t>(Nul - Text.data()))))
        *Nul = ' ';
}

// Reads the whole open file into Text; the file may have shrunk since it was opened.
void ReadWhole(TInputFile& File, std::string& Text) {
    Text.resize(File.Size());
    Text.resize(File.Read(Text.data(), Text.size()));
}
} // namespace

TReadFailure ReadTextInto(const std::string& Path, std::string& Text, TSeenEntry Seen,
                          TFileStamp* Stamp) {
    std::optional<TInputFile> File; // opened in place: no allocation per page
    try {
        File.emplace(Path, Seen);
    } catch (const EInOutError&) {
        return TReadFailure::rfCannotOpen;
    }
    if (Stamp) *Stamp = File->Stamp();
    try {
        ReadWhole(*File, Text);
    } catch (const std::bad_alloc&) {
        return TReadFailure::rfOutOfMemory;
    } catch (const EInOutError&) {
        return TReadFailure::rfReadError;
    }
    if (!LooksLikeText(Text)) return TReadFailure::rfNotText;
    SpacesForNuls(Text);
    return TReadFailure::rfNone;
}

std::string ReadFailureMessage(TReadFailure Failure, const std::string& Path) {
    switch (Failure) {
    case TReadFailure::rfCannotOpen:
        return Tr("ファイルをオープンできません") + "\r\n" + Path;
    case TReadFailure::rfOutOfMemory:
        return Tr("メモリーを確保できません");

    default:
        return {};
    }
}

std::string ReadTextFile(const std::string& Path, TMessageHost& Host) {
    std::optional<TInputFile> File; // opened in place: no allocation per page
    try {
        File.emplace(Path);
    } catch (EInOutError& E) {
        Host.ShowMessageBox(TMessageKind::mkError,
                            ReadFailureMessage(TReadFailure::rfCannotOpen, Path));
        E.Reported = true;
        throw;
    }
    std::string Result;
    try {
        ReadWhole(*File, Result);
    } catch (const std::bad_alloc&) {
        Host.ShowMessageBox(TMessageKind::mkError,
                            ReadFailureMessage(TReadFailure::rfOutOfMemory, Path));
        throw;
    }
    if (!LooksLikeText(Result)) throw ENotTextFileError();
    return Result;
}

std::string ReadFileAll(const std::string& Path, TMessageHost& Host) {
    std::string Result = ReadTextFile(Path, Host);
    SpacesForNuls(Result);
    return Result;
}

void ReportReadFailure(TMessageHost& Host, const std::exception_ptr& Failure) {
    try {
        std::rethrow_exception(Failure);
    } catch (const EInOutError& E) {
        if (!E.Reported) Host.ShowMessageBox(TMessageKind::mkError, E.what());
    } catch (const std::bad_alloc&) {
        // the reader has shown that memory ran out
    } catch (const std::exception& E) {
        Host.ShowMessageBox(TMessageKind::mkError, E.what());
    }
}

} // namespace orvel
