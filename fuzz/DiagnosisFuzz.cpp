// The diagnosis of a small site made from the input: no crash, no undefined behaviour; every
// suggestion classifies valid and leads where the diagnosis says, there are at most five
// candidates, and the cheap search for the links whose fix leads to a file finds exactly what
// diagnosing every link finds.
#include "FuzzSupport.h"

#include "analysis/BackLinks.h"
#include "analysis/CheckRun.h"
#include "analysis/FileObject.h"
#include "analysis/LinkDiagnosis.h"
#include "analysis/RunContext.h"
#include "support/DeleteFolder.h"

#include <cstdint>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

using namespace orvel;
using namespace orvel::fuzz;

namespace {

// Writes the input's files: pieces split by NUL, each a name (a "|" makes a folder), a line
// break and the content.
void WriteSite(const std::string& Home, std::string_view Input) {
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
}

std::vector<std::pair<const TFileObject*, int>> Keys(const std::vector<TBrokenLink>& Links) {
    std::vector<std::pair<const TFileObject*, int>> Result;
    for (const TBrokenLink& Link : Links)
        Result.emplace_back(Link.Page, Link.Invalid);
    return Result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const unsigned char Switches = Data[0];
    UseCodePageOf(Switches);
    char Folder[] = "/dev/shm/orvel-fuzz-XXXXXX";
    if (!::mkdtemp(Folder)) std::abort();
    const std::string Home = std::string(Folder) + "/";
    WriteSite(Home, std::string_view(reinterpret_cast<const char*>(Data) + 1, Size - 1));
    {
        TQuietHost Host;
        TRunContext Run(Host);
        Run.Settings.isSpaceValid = Switches & 2;
        Run.Settings.IgnoreCase = Switches & 8;
        Run.Settings.ModernHTML = Switches & 32;
        CheckFolder(Run, Home, false);
        const TLinkDiagnoser Diagnoser(Run);
        std::map<const TFileObject*, std::vector<TBrokenLink>> Fixed;
        for (int F = 0; F < Run.FileObjects.Count(); ++F) {
            TFileObject& Page = Run.FileObjects[F];
            for (int I = 0; I < Page.InvalidLinks.Count(); ++I) {
                const TLinkDiagnosis D = Diagnoser.Diagnose(Page, Page.InvalidLinks[I]);
                Require(D.Candidates.size() <= 5, "at most five candidates");
                if (!D.Suggestion) {
                    Require(!D.Leads, "no suggestion leads anywhere");
                    continue;
                }
                const TLinkResolution Resolved = Page.Resolve(*D.Suggestion);
                Require(Resolved.Class == TLinkClass::lcValid, "a suggestion is a valid link");
                Require(Resolved.Target == D.Leads, "a suggestion leads where it says");
                if (D.Leads && D.Leads != &Page) Fixed[D.Leads].push_back({&Page, F, I});
            }
        }
        for (const auto& File : Run.FileObjects)
            Require(Keys(LinksFixedTo(Run, Diagnoser, *File)) == Keys(Fixed[File.get()]),
                    "the links whose fix leads to a file are found without diagnosing all");
    }
    DelDir(Home, true);
    return 0;
}
