#include "cli/RunFailures.h"

#include "analysis/RunContext.h"
#include "support/FoldedText.h"
#include "support/NearNames.h"
#include "support/PathRules.h"

#include <cstdint>
#include <unordered_map>

namespace orvel::cli {

namespace {

constexpr TPathStyle Style = TPathStyle::psPosix;
// Hints cost a look at a folder's names each; a long list of stale entries gets them for its
// first few only.
constexpr int MostHints = 5;

// The entries of Asked that the check dropped, in their order.
std::vector<std::string> Dropped(const std::vector<std::string>& Asked,
                                 const std::vector<std::string>& Kept) {
    std::unordered_map<std::string, int> Left;
    for (const std::string& Entry : Kept)
        ++Left[Entry];
    std::vector<std::string> Result;
    for (const std::string& Entry : Asked)
        if (auto At = Left.find(Entry); At != Left.end() && At->second > 0)
            --At->second;
        else
            Result.push_back(Entry);
    return Result;
}

// The file of the site nearest to a path that names none: the file the path names when taken
// relative to the current folder, else a file of its folder within two edits of its name.
std::string Nearest(const TRunContext& Run, const std::string& Path, const std::string& Written,
                    const std::string& CurrentFolder) {
    const TOrvelProject& Project = Run.CurrentProject;
    if (!Written.empty() && !IsAbsolutePath(Written, Style))
        if (const TFileObject* File =
                Run.FileObjects.FindByPath(ExpandFileName(CurrentFolder + Written, Style), false))
            return std::string(Project.RelativeToHome(File->Path));
    const std::string Folder = ExtractFolder(Path, Style);
    std::vector<const TFileObject*> Files;
    std::vector<std::string_view> Names;
    for (const auto& File : Run.FileObjects)
        if (FoldedEqual(ExtractFolder(File->Path, Style), Folder)) {
            Files.push_back(File.get());
            Names.push_back(std::string_view(File->Path).substr(Folder.size()));
        }
    const TNearNames Near(Names);
    const std::string Name = BareFileName(Path, Style);
    for (int Limit = 0; Limit <= 2; ++Limit)
        if (const std::vector<int> Found = Near.Near(Name, Limit, 1); !Found.empty())
            return std::string(Project.RelativeToHome(Files[static_cast<size_t>(Found[0])]->Path));
    return {};
}

// The path as the user knows it: as written, else below the home folder relative to it.
std::string Shown(const TRunContext& Run, const std::string& Path, const std::string& Written) {
    if (!Written.empty()) return Written;
    const std::string& Home = Run.CurrentProject.HomeDir;
    return Path.size() > Home.size() &&
                   FoldedEqual(std::string_view(Path).substr(0, Home.size()), Home)
               ? Path.substr(Home.size())
               : Path;
}

void AddDropped(const TRunContext& Run, const TAskedEntries& Asked,
                const std::vector<std::string>& Entries, const char* What,
                const std::string& CurrentFolder, std::vector<std::string>& Messages) {
    if (Entries.empty()) return;
    // The texts the user wrote, by the path they name, matched as the project matches files.
    std::unordered_multimap<std::uint64_t, std::pair<std::string, const std::string*>> Texts;
    for (const std::string& Text : Asked.Written) {
        std::string Path = ExpandFileName(
            IsAbsolutePath(Text, Style) ? Text : Run.CurrentProject.HomeDir + Text, Style);
        const std::uint64_t Key = FoldedHash(Path);
        Texts.emplace(Key, std::make_pair(std::move(Path), &Text));
    }
    for (const std::string& Path : Entries) {
        std::string Written;
        const auto [From, To] = Texts.equal_range(FoldedHash(Path));
        for (auto At = From; At != To; ++At)
            if (FoldedEqual(At->second.first, Path)) Written = *At->second.second;
        std::string Message =
            Shown(Run, Path, Written) + ": " + What + " names no file of the site";
        if (static_cast<int>(Messages.size()) < MostHints)
            if (const std::string Near = Nearest(Run, Path, Written, CurrentFolder); !Near.empty())
                Message += "; did you mean \"" + Near + "\"?";
        Messages.push_back(std::move(Message));
    }
}

} // namespace

TAskedEntries AskedEntries(const TOrvelProject& Project, std::vector<std::string> Written) {
    return {Project.TopFiles,
            std::vector<std::string>(Project.IgnoreFiles.begin(), Project.IgnoreFiles.end()),
            std::move(Written)};
}

std::vector<std::string> RunFailures(const TRunContext& Run, const TAskedEntries& Asked,
                                     const std::string& CurrentFolder) {
    const TOrvelProject& Project = Run.CurrentProject;
    std::vector<std::string> Messages;
    for (const TRunContext::TUnread& Unread : Run.Unread)
        if (Unread.Path == Project.HomeDir)
            return {Unread.Path + ": cannot read the home folder: " + Unread.Reason};
    if (Run.FileObjects.Empty()) return {Project.HomeDir + ": the home folder holds no file"};
    if (!Project.ServerRoot.empty() && !Run.FileSystem->DirExists(Project.ServerRoot))
        Messages.push_back(Project.ServerRoot + ": the server root names no folder");
    AddDropped(Run, Asked, Dropped(Asked.TopFiles, Project.TopFiles), "the TOP page", CurrentFolder,
               Messages);
    AddDropped(Run, Asked,
               Dropped(Asked.IgnoreFiles, std::vector<std::string>(Project.IgnoreFiles.begin(),
                                                                   Project.IgnoreFiles.end())),
               "the excluded file", CurrentFolder, Messages);
    return Messages;
}

} // namespace orvel::cli
