// The walk over the home folder in the scan's order, one step at a time: a walk can stop where it
// is and go on later, from any thread, one at a time.
#pragma once

#include "analysis/ExtractLinks.h"
#include "support/InputFile.h"
#include "support/PathRules.h"
#include "support/SortedStringList.h"

#include <cstdint>
#include <dirent.h>
#include <optional>
#include <stop_token>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

namespace orvel {

class TRunContext;

// What the walk needs of the run: a copy, so the walk shares nothing that may change.
struct TScanRules {
    TPathStyle PathStyle = TPathStyle::psPosix;
    bool IgnoreCase = false;            // wildcards match without case
    std::vector<std::string> WildCards; // the project's patterns and excluded folders
    std::string ExtListHTML, ExtListImg;
    bool IgnoreHTMLInfo = false;   // the excluded files below are not read
    TSortedStringList IgnoreFiles; // only with IgnoreHTMLInfo
    TExtractOptions Extract;

    static TScanRules Of(const TRunContext& Run);
};

// What the walk found next: the item and, for a file, whether the scan reads it and what the
// listing saw there.
struct TWalkStep {
    enum TKind { ikFolder, ikFolderEnd, ikFile, ikUnlisted };
    TKind Kind = ikFile;
    std::string Name = {}; // bare name of the folder or file
    std::string Path = {}; // the file's or folder's path
    // ikFolder: a folder listed before under this path, which this one is again; ikUnlisted:
    // why the folder at Path could not be listed.
    std::string Note = {};
    bool Read = false; // an HTML file the scan reads
    TSeenEntry Seen = TSeenEntry::seUnknown;
};

// Folders in case-insensitive name order, each with its subfolders before its files; a folder
// is followed by its contents and its end. Each real folder is listed once: a second link to
// one, or a link to a folder above the home folder, is shown but not entered.
class TFolderWalk {
public:
    TFolderWalk(std::string HomeFolder, const TScanRules& WalkRules)
        : Home(std::move(HomeFolder)), Rules(WalkRules) {}

    // The next step, or none at the end of the walk or once Stop is requested.
    std::optional<TWalkStep> Next(const std::stop_token& Stop);

private:
    struct TFolderId {
        dev_t Device;
        ino_t Inode;
        bool operator==(const TFolderId&) const = default;
    };
    struct TFolderIdHash {
        size_t operator()(const TFolderId& Id) const noexcept {
            return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(Id.Inode) *
                                                  0x9E3779B97F4A7C15ull ^
                                              static_cast<std::uint64_t>(Id.Device));
        }
    };
    enum class TEntryType { etFolder, etRegular, etSpecial, etUnknown };
    struct TFolderEntry {
        std::string Name;
        TFolderId Id;
    };
    struct TFileEntry {
        std::string Name;
        TEntryType Type;
    };
    // A folder being walked: what it holds and how far the walk has come.
    struct TFrame {
        std::string Folder;      // with a trailing separator
        std::string Unlisted;    // why it could not be listed, until that is told
        bool EndsItem = false;   // an ikFolderEnd follows its contents (all but the home folder)
        bool EndPending = false; // a repeated subfolder was just shown: its end comes next
        std::vector<TFolderEntry> Folders;
        std::vector<TFileEntry> Files;
        size_t NextFolder = 0, NextFile = 0;
    };

    void ListAboveHome();
    void Enter(const std::string& FolderPath, bool EndsItem, const std::stop_token& Stop);
    static TEntryType EntryType(int FolderFd, const dirent& Entry, TFolderId& Id);
    std::optional<TWalkStep> NextSubfolder(TFrame& Frame, const std::stop_token& Stop);
    TWalkStep FileStep(const TFrame& Frame, TFileEntry& File) const;

    const std::string Home;
    const TScanRules& Rules;
    bool Started = false;
    std::vector<TFrame> Frames;
    // Every real folder listed so far, and every folder above the home folder, with the path it
    // was found by.
    std::unordered_map<TFolderId, std::string, TFolderIdHash> Listed;
};

} // namespace orvel
