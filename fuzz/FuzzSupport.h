// Shared pieces of the fuzz targets: a host that shows nothing, an in-memory file with a path,
// and a check that stops the fuzzer with a message when a property does not hold.
#pragma once

#include "analysis/Host.h"
#include "analysis/RunContext.h"
#include "support/CodePage.h"
#include "support/DeleteFolder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
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
    void ResultsChanged(TTreeNode*) override {}

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

// Writes a small site made from the input into a new folder under /dev/shm and returns the
// folder: pieces split by NUL, each a name (a "|" makes a folder), a line break and the content.
inline std::string WriteSite(std::string_view Input) {
    char Folder[] = "/dev/shm/orvel-fuzz-XXXXXX";
    if (!::mkdtemp(Folder)) std::abort();
    const std::string Home = std::string(Folder) + "/";
    for (int Files = 0; !Input.empty() && Files < 8; ++Files) {
        const size_t End = std::min(Input.find('\0'), Input.size());
        const std::string_view Piece = Input.substr(0, End);
        Input.remove_prefix(std::min(End + 1, Input.size()));
        const size_t Break = Piece.find('\n');
        std::string Name(Piece.substr(0, std::min(Break, size_t{40})));
        for (char& C : Name)
            if (C == '/' || C == '\0') C = '_';
        const size_t Bar = Name.find('|');
        if (Bar == 0 || Bar == Name.size() - 1) continue;
        if (Bar != std::string::npos) {
            Name[Bar] = '/';
            ::mkdir((Home + Name.substr(0, Bar)).c_str(), 0700);
        }
        if (Name.empty() || Name == "." || Name == ".." || Name.starts_with("./") ||
            Name.starts_with("../") || Name.ends_with("/.") || Name.ends_with("/.."))
            continue;
        const std::string_view Content =
            Break == std::string_view::npos ? std::string_view() : Piece.substr(Break + 1);
        const int Fd =
            ::open((Home + Name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (Fd < 0) continue;
        [[maybe_unused]] const ssize_t Written = ::write(Fd, Content.data(), Content.size());
        ::close(Fd);
    }
    return Home;
}

// A site made from the input with WriteSite, its first byte the settings' switches, for the
// test to check; removed at the end.
struct TFuzzSite {
    TFuzzSite(const uint8_t* Data, size_t Size) : Switches(Data[0]), Run(Host) {
        UseCodePageOf(Switches);
        Home = WriteSite(std::string_view(reinterpret_cast<const char*>(Data) + 1, Size - 1));
        Run.Settings.isSpaceValid = Switches & 2;
        Run.Settings.IgnoreCase = Switches & 8;
        Run.Settings.ModernHTML = Switches & 32;
    }
    ~TFuzzSite() { DeleteFolderTree(Home, true); }
    TFuzzSite(const TFuzzSite&) = delete;
    TFuzzSite& operator=(const TFuzzSite&) = delete;

    const unsigned char Switches;
    TQuietHost Host;
    TRunContext Run;
    std::string Home;
};

} // namespace orvel::fuzz
