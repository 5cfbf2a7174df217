// bench_project [ENTRIES...]: times loading and saving project files of many entries, to show
// that both take time linear in the number of entries (default 25000 50000 100000).
//
// For each size N, two files: N TopFile entries, and N entries half TopFile, half IgnoreFile
// written in shuffled order, as a hand-edited file may hold them. Loading is ReadProjectFile
// over the parsed file, saving is WriteProjectFile of the loaded project.

#include "project/Project.h"
#include "project/ProjectFile.h"
#include "support/IniFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point Start) {
    return std::chrono::duration<double>(TClock::now() - Start).count();
}

std::string EntryPath(int I) {
    return "/SITE/D" + std::to_string(I % 97) + "/PAGE" + std::to_string(I) + ".HTML";
}

// The text of a project file with the given keys and values.
void WriteProject(const std::string& Path, const std::vector<std::string>& Lines) {
    std::ofstream Out(Path, std::ios::binary);
    Out << "[OrvelProject]\nHomeDir=/site/\nServerRoot=\n";
    for (const std::string& Line : Lines)
        Out << Line << '\n';
}

std::vector<std::string> TopFilesOnly(int Entries) {
    std::vector<std::string> Lines;
    for (int I = 0; I < Entries; ++I)
        Lines.push_back("TopFile" + std::to_string(I) + "=" + EntryPath(I));
    return Lines;
}

std::vector<std::string> MixedAndShuffled(int Entries) {
    std::vector<std::string> Ignored;
    for (int I = Entries / 2; I < Entries; ++I)
        Ignored.push_back(EntryPath(I));
    std::shuffle(Ignored.begin(), Ignored.end(), std::mt19937(42));
    std::vector<std::string> Lines;
    for (int I = 0; I < Entries / 2; ++I)
        Lines.push_back("TopFile" + std::to_string(I) + "=" + EntryPath(I));
    for (size_t I = 0; I < Ignored.size(); ++I)
        Lines.push_back("IgnoreFile" + std::to_string(I) + "=" + Ignored[I]);
    std::shuffle(Lines.begin(), Lines.end(), std::mt19937(7));
    return Lines;
}

void Measure(const char* Shape, int Entries, const std::vector<std::string>& Lines,
             const std::string& Folder) {
    const std::string Path = Folder + "/bench.opr";
    WriteProject(Path, Lines);
    orvel::TOrvelProject Project;
    auto Start = TClock::now();
    orvel::ReadProjectFile(Project, orvel::TIniFile(Path));
    const double Load = SecondsSince(Start);
    Start = TClock::now();
    orvel::WriteProjectFile(Project, Folder + "/saved.opr");
    const double Save = SecondsSince(Start);
    const size_t Kept = Project.TopFiles.size() + static_cast<size_t>(Project.IgnoreFiles.Count());
    std::printf("%-9s %8d %10.3f %10.3f %10.2f %10.2f%s\n", Shape, Entries, Load, Save,
                Load / Entries * 1e6, Save / Entries * 1e6,
                Kept == static_cast<size_t>(Entries) ? "" : "  (entries lost!)");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> Sizes;
    for (int I = 1; I < argc; ++I)
        Sizes.push_back(std::atoi(argv[I]));
    if (Sizes.empty()) Sizes = {25000, 50000, 100000};
    const std::string Folder = (std::filesystem::temp_directory_path() /
                                ("orvel-bench-project-" + std::to_string(getpid())))
                                   .string();
    std::filesystem::create_directories(Folder);
    std::printf("%-9s %8s %10s %10s %10s %10s\n", "shape", "entries", "load s", "save s",
                "load us/e", "save us/e");
    for (int Entries : Sizes) {
        Measure("top", Entries, TopFilesOnly(Entries), Folder);
        Measure("mixed", Entries, MixedAndShuffled(Entries), Folder);
    }
    std::filesystem::remove_all(Folder);
    return 0;
}
