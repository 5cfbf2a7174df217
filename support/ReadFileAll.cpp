#include "support/ReadFileAll.h"

#include "support/InputFile.h"

#include <algorithm>
#include <memory>
#include <new>

namespace orvel {

namespace {
// NUL counts as text: the reader turns it into a space before its test.
bool IsControlByte(unsigned char B) {
    return (B >= 1 && B <= 8) || (B >= 16 && B <= 31);
}
} // namespace

std::string ReadTextFile(const std::string& Path, TMessageHost& Host) {
    std::unique_ptr<TInputFile> File;
    try {
        File = std::make_unique<TInputFile>(Path);
    } catch (EInOutError& E) {
        Host.ShowMessageBox(TMessageKind::mkError, "ファイルをオープンできません\r\n" + Path);
        E.Reported = true;
        throw;
    }
    std::string Result;
    try {
        Result.resize(File->Size());
    } catch (const std::bad_alloc&) {
        Host.ShowMessageBox(TMessageKind::mkError, "メモリーを確保できません");
        throw;
    }
    Result.resize(File->Read(Result.data(), Result.size())); // the file may have shrunk

    const size_t N = std::min<size_t>(Result.size(), 200);
    const size_t Controls = static_cast<size_t>(
        std::count_if(Result.begin(), Result.begin() + static_cast<std::ptrdiff_t>(N),
                      [](char C) { return IsControlByte(static_cast<unsigned char>(C)); }));
    if (Controls > N / 10) throw ENotTextFileError();
    return Result;
}

std::string ReadFileAll(const std::string& Path, TMessageHost& Host) {
    std::string Result = ReadTextFile(Path, Host);
    std::replace(Result.begin(), Result.end(), '\0', ' ');
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
