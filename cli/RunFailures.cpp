#include "cli/RunFailures.h"

#include "analysis/RunContext.h"
#include "support/FoldedText.h"
#include "support/NearNames.h"
#include "support/PathRules.h"
#include "support/Translation.h"

#include <cstdint>
#include <unordered_map>

namespace orvel::cli {

namespace {

constexpr TPathStyle Style = TPathStyle::psPosix;
// Hints cost a look at a folder's names each; a long list of stale entries gets them for its
// first few only.
constexpr int MostHints = 5;

// The entries of Asked that the check dropped, in their order.
std::vector<const TAskedEntry*> Dropped(const std::vector<TAskedEntry>& Asked,
                                        const std::vector<std::string>& Kept) {
    std::unordered_map<std::string, int> Left;
    for (const std::string& Entry : Kept)
        ++Left[Entry];
    std::vector<const TAskedEntry*> Result;
    for (const TAskedEntry& Asking : Asked)
        if (auto At = Left.find(Asking.Entry); At != Left.end() && At->second > 0)
            --At->second;
        else
            Result.push_back(&Asking);
    return Result;
}

// The file of the site nearest to a path that names none: the file that the path as shown
// names when taken relative to the current folder, else a file of its folder within two edits
// of its name.
std::string Nearest(const TRunContext& Run, const std::string& Path, const std::string& Shown,
                    const std::string& CurrentFolder) {
    const TOrvelProject& Project = Run.CurrentProject;
    if (!IsAbsolutePath(Shown, Style))
        if (const TFileObject* File =
                Run.FileObjects.FindByPath(ExpandFileName(CurrentFolder + Shown, Style), false))
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

void AddDropped(const TRunContext& Run, const std::vector<const TAskedEntry*>& Entries,
                const std::string& Complaint, const std::string& CurrentFolder,
                std::vector<std::string>& Messages) {
    for (const TAskedEntry* Asked : Entries) {
        const std::string Shown(Run.CurrentProject.RelativeToHome(Asked->Spelling));
        std::string Message = Shown + ": " + Complaint;
        if (static_cast<int>(Messages.size()) < MostHints)
            if (const std::string Near = Nearest(Run, Asked->Entry, Shown, CurrentFolder);
                !Near.empty())
                Message += Tr("; did you mean \"") + Near + Tr("\"?");
        Messages.push_back(std::move(Message));
    }
}

} // namespace

TAskedEntries AskedEntries(const TOrvelProject& Project) {
    TAskedEntries Asked;
    for (const std::string& Entry : Project.TopFiles)
        Asked.TopFiles.push_back({Entry, Project.SpellingOf(Entry)});
    for (const std::string& Entry : Project.IgnoreFiles)
        Asked.IgnoreFiles.push_back({Entry, Project.SpellingOf(Entry)});
    return Asked;
}

std::vector<std::string> RunFailures(const TRunContext& Run, const TAskedEntries& Asked,
                                     const std::string& CurrentFolder) {
    const TOrvelProject& Project = Run.CurrentProject;
    std::vector<std::string> Messages;
    for (const TRunContext::TUnread& Unread : Run.Unread)
        if (Unread.Path == Project.HomeDir)
            return {Unread.Path + Tr(": cannot read the home folder: ") + Unread.Reason};
    if (Run.FileObjects.Empty())
        return {Project.HomeDir + ": " + Tr("the home folder holds no file")};
    if (!Project.ServerRoot.empty() && !Run.FileSystem->DirExists(Project.ServerRoot))
        Messages.push_back(Project.ServerRoot + ": " + Tr("the server root names no folder"));
    AddDropped(Run, Dropped(Asked.TopFiles, Project.TopFiles),
               Tr("the TOP page names no file of the site"), CurrentFolder, Messages);
    AddDropped(Run,
               Dropped(Asked.IgnoreFiles, std::vector<std::string>(Project.IgnoreFiles.begin(),
                                                                   Project.IgnoreFiles.end())),
               Tr("the excluded file names no file of the site"), CurrentFolder, Messages);

    return Messages;
}

} // namespace orvel::cli
