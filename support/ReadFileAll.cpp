#include "support/ReadFileAll.h"

#include "support/InputFile.h"

#include <algorithm>
#include <memory>
#include <new>

namespace orvel {

namespace {
bool IsControlByte(unsigned char B) {
    return B <= 8 || (B >= 16 && B <= 31);
}

// Turns NUL bytes into spaces; false when the text looks binary.
bool MakeText(std::string& Text) {
    for (size_t Nul = Text.find('\0'); Nul != std::string::npos; Nul = Text.find('\0', Nul + 1))
        Text[Nul] = ' ';
    const size_t N = std::min<size_t>(Text.size(), 200);
    const size_t Controls = static_cast<size_t>(
        std::count_if(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(N),
                      [](char C) { return IsControlByte(static_cast<unsigned char>(C)); }));
    return Controls <= N / 10;
}

// Reads the whole open file into Text; the file may have shrunk since it was opened.
void ReadWhole(TInputFile& File, std::string& Text) {
    Text.resize(File.Size());
    Text.resize(File.Read(Text.data(), Text.size()));
}
} // namespace

TReadFailure ReadTextInto(const std::string& Path, std::string& Text, TSeenEntry Seen) {
    std::unique_ptr<TInputFile> File;
    try {
        File = std::make_unique<TInputFile>(Path, Seen);
    } catch (const EInOutError&) {
        return TReadFailure::rfCannotOpen;
    }
    try {
        ReadWhole(*File, Text);
    } catch (const std::bad_alloc&) {
        return TReadFailure::rfOutOfMemory;
    } catch (const EInOutError&) {
        return TReadFailure::rfReadError;
    }
    return MakeText(Text) ? TReadFailure::rfNone : TReadFailure::rfNotText;
}

std::string ReadFailureMessage(TReadFailure Failure, const std::string& Path) {
    switch (Failure) {
    case TReadFailure::rfCannotOpen:
        return "ファイルをオープンできません\r\n" + Path;
    case TReadFailure::rfOutOfMemory:
        return "メモリーを確保できません";
    default:
        return {};
    }
}

std::string ReadFileAll(const std::string& Path, TMessageHost& Host) {
    std::unique_ptr<TInputFile> File;
    try {
        File = std::make_unique<TInputFile>(Path);
    } catch (const EInOutError&) {
        Host.ShowMessageBox(TMessageKind::mkError,
                            ReadFailureMessage(TReadFailure::rfCannotOpen, Path));
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
    if (!MakeText(Result)) throw ENotTextFileError();
    return Result;
}

} // namespace orvel
