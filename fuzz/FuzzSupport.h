// Shared pieces of the fuzz targets: a host that shows nothing, an in-memory file with a path,
// and a check that stops the fuzzer with a message when a property does not hold.
#pragma once

#include "analysis/Host.h"
#include "support/CodePage.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace orvel::fuzz {

// Shows nothing; remembers the messages.
class TQuietHost final : public THost {
public:
    bool ShowMessageBox(TMessageKind, const std::string& Text) override {
        LastMessage = Text;
        return true;
    }
    void Beep(TBeepKind) override {}
    void PumpEvents(TRunContext&) override {}
    void ProgressChanged(const TRunContext&) override {}
    void ApplyCommandState(const TCommandState&) override {}
    void ClearLinkLists() override {}
    void ShowLinkLists(TTreeNode&) override {}

    std::string LastMessage;
};

// A regular file in memory, reachable by a path, so that the readers run as on disk.
class TMemoryFile {
public:
    TMemoryFile() : Fd(::memfd_create("orvel-fuzz", MFD_CLOEXEC)) {
        if (Fd < 0) std::abort();
    }
    ~TMemoryFile() { ::close(Fd); }
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    // Makes Content the whole file; returns its path.
    std::string Hold(std::string_view Content) {
        if (::ftruncate(Fd, 0) != 0 ||
            ::pwrite(Fd, Content.data(), Content.size(), 0) != static_cast<ssize_t>(Content.size()))
            std::abort();
        return "/proc/self/fd/" + std::to_string(Fd);
    }

private:
    int Fd;
};

// The code page named by one byte of the input, so that every target runs under both.
inline void UseCodePageOf(unsigned char Byte) {
    SetCodePage(Byte & 1 ? TCodePage::cpCp932 : TCodePage::cpUtf8);
}

// Stops the run with the text when a property of the code under test does not hold.
inline void Require(bool Holds, const char* Property) {
    if (Holds) return;
    std::fprintf(stderr, "property does not hold: %s\n", Property);
    std::abort();
}

} // namespace orvel::fuzz
