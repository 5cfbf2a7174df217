// The current project: home folder, server root folder, TOP pages, excluded files and the
// wildcard rules, each list kept in step with its view.
#pragma once

#include "project/ProjectViews.h"
#include "support/PathRules.h"
#include "support/SortedStringList.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvel {

// Whether an entry of a wildcard list is a folder entry.
bool IsFolderEntry(const std::string& Entry, TPathStyle PathStyle);
// The rules of a wildcard list (file-name patterns and folder entries ending in a separator),
// for the project and for whoever works on a copy of its list.
bool MatchesWildCard(const std::vector<std::string>& WildCards, const std::string& FileName,
                     bool IgnoreCase, TPathStyle PathStyle);
bool IsIgnoredFolder(const std::vector<std::string>& WildCards, const std::string& Folder,
                     TPathStyle PathStyle);
// Whether a list of excluded files (held upper-cased) holds Path.
bool IsIgnoreFile(const TSortedStringList& IgnoreFiles, const std::string& Path);

class TOrvelProject {
public:
    explicit TOrvelProject(TPathStyle PathStyle = TPathStyle::psPosix);
    // The views point at the project's own members: a copy would share them.
    TOrvelProject(const TOrvelProject&) = delete;
    TOrvelProject& operator=(const TOrvelProject&) = delete;

    // Views default to plain ones owned by the project; a window may attach its own.
    void SetViews(TProjectListView* TopView, TProjectListView* IgnoreView,
                  TProjectListView* WildCardView, TProjectDisplay* Display);

    std::string FileName;                 // project file last loaded or saved; empty: untitled
    std::vector<std::string> TopFiles;    // upper-cased absolute paths, in insertion order
    TSortedStringList IgnoreFiles;        // upper-cased absolute paths, sorted
    std::vector<std::string> WildCards;   // patterns as typed; folder entries end in a separator
    std::vector<std::string> IgnoreLinks; // patterns as typed for links never counted invalid
    std::string HomeDir;                  // ends in a separator once set
    std::string ServerRoot;               // ends in a separator, or empty
    TPathStyle PathStyle;                 // how paths are written

    void SetHomeDir(const std::string& Folder);
    // A path below the home folder relative to it; any other path as it is.
    std::string_view RelativeToHome(std::string_view Path) const {
        return Path.starts_with(HomeDir) ? Path.substr(HomeDir.size()) : Path;
    }
    void SetServerRoot(const std::string& Folder);
    void SetFileName(const std::string& Path);
    // The project file's bare name, or "untitled".
    std::string Name() const;
    // Whether the project has changes since it was last opened or saved; the captions show it.
    bool Modified() const { return HasChanges; }
    void SetModified(bool Value);

    void AddTopFile(const std::string& Path);
    void RemoveTopFile(const std::string& Path);
    // Keeps the TOP files for which Keep is true, in their order, in one pass.
    void KeepTopFiles(const std::function<bool(const std::string&)>& Keep);
    void ClearTopFiles();
    int IndexOfTopFile(const std::string& Path) const;

    void AddIgnoreFile(const std::string& Path);
    // As AddIgnoreFile for each path in turn, in O(n log n) for paths in any order.
    void AddIgnoreFiles(const std::vector<std::string>& Paths);
    void RemoveIgnoreFile(const std::string& Path);
    // The same for the excluded files.
    void KeepIgnoreFiles(const std::function<bool(const std::string&)>& Keep);
    void ClearIgnoreFiles();
    bool IsIgnoreFile(const std::string& Path) const;
    // A TOP page or excluded file (an entry of either list) in the letter case in which it was
    // last given; the entry itself when that is not known.
    const std::string& SpellingOf(const std::string& Entry) const;

    void AddWildCard(const std::string& Pattern);
    void AddIgnoreFolder(const std::string& Folder);
    void RemoveWildCard(const std::string& Entry);
    void ClearWildCards();

    // True when a pattern entry matches the bare file name.
    bool MatchesWildCard(const std::string& Name, bool IgnoreCase) const;
    // True when the folder lies in an ignored folder.
    bool IsIgnoredFolder(const std::string& Folder) const;
    // True when a link, as its page writes it, matches a pattern of IgnoreLinks.
    bool IgnoresLink(std::string_view Link, bool IgnoreCase) const;
    // The absolute path that a link target in the file BaseFile names.
    std::string ResolveLink(const std::string& BaseFile, const std::string& Target) const;
    // The same into Resolved, with Joined as room to work in; both keep their capacity. A
    // literal target is a path relative to BaseFile's folder already: no "#" is cut from it,
    // its separators stay and a leading one does not lead to the server root.
    void ResolveLinkInto(std::string& Resolved, std::string& Joined, std::string_view BaseFile,
                         std::string_view Target, bool Literal = false) const;
    // Removes the path from the TOP pages and the excluded files.
    void ForgetFile(const std::string& Path);

    const TProjectListView& TopFileView() const { return *TopView; }
    const TProjectListView& IgnoreFileView() const { return *IgnoreView; }
    const TProjectListView& WildCardView() const { return *WildView; }
    const TPlainProjectDisplay& PlainDisplay() const { return OwnDisplay; }

private:
    void CheckCounts() const;
    // Every change to what the project file holds marks the project modified.
    void Touch();
    void ShowCaptions();

    // How often each entry stands in TopFiles, so that asking for a path that is no TOP page
    // (as adding every excluded file of a project file does) costs no walk over the list.
    std::unordered_map<std::string, int> TopFileCount;
    // By upper-cased entry, the path as last given, so that an entry names the one file of
    // that spelling where names differ only in case.
    std::unordered_map<std::string, std::string> TopSpellings, IgnoreSpellings;
    TPlainListView OwnTopView, OwnIgnoreView, OwnWildView;
    TPlainProjectDisplay OwnDisplay;
    TProjectListView* TopView = &OwnTopView; // not owned when attached
    TProjectListView* IgnoreView = &OwnIgnoreView;
    TProjectListView* WildView = &OwnWildView;
    TProjectDisplay* Display = &OwnDisplay;
    bool HasChanges = false;
    bool Named = false; // the captions keep their first texts until the project has a name
};

} // namespace orvel
