#include "project/Project.h"

#include "support/Assertion.h"
#include "support/CodePage.h"
#include "support/StringUtils.h"
#include "support/Translation.h"
#include "support/WildCard.h"

#include <algorithm>
#include <utility>

namespace orvel {

namespace {
const char* const UnitName = "Project";

int IndexOfUpper(const std::vector<std::string>& List, const std::string& Text) {
    for (size_t I = 0; I < List.size(); ++I)
        if (AnsiCompareText(List[I], Text) == 0) return static_cast<int>(I);
    return -1;
}
} // namespace

TOrvelProject::TOrvelProject(TPathStyle Style) : PathStyle(Style) {}

void TOrvelProject::SetViews(TProjectListView* Top, TProjectListView* Ignore,
                             TProjectListView* Wild, TProjectDisplay* NewDisplay) {
    TopView = Top ? Top : &OwnTopView;
    IgnoreView = Ignore ? Ignore : &OwnIgnoreView;
    WildView = Wild ? Wild : &OwnWildView;
    Display = NewDisplay ? NewDisplay : &OwnDisplay;
}

void TOrvelProject::CheckCounts() const {
    Assert(static_cast<int>(TopFiles.size()) == TopView->Count() &&
               IgnoreFiles.Count() == IgnoreView->Count() &&
               static_cast<int>(WildCards.size()) == WildView->Count(),
           UnitName);
}

void TOrvelProject::SetHomeDir(const std::string& Folder) {
    if (Folder.empty()) return;
    const std::string Old = std::exchange(HomeDir, IncludeTrailingSeparator(Folder, PathStyle));
    if (HomeDir != Old) Touch();
    Display->ShowHomeDir(HomeDir);
}

void TOrvelProject::SetServerRoot(const std::string& Folder) {
    const std::string Old = std::exchange(
        ServerRoot, Folder.empty() ? Folder : IncludeTrailingSeparator(Folder, PathStyle));
    if (ServerRoot != Old) Touch();
    Display->ShowServerRoot(ServerRoot.empty() ? Tr("未設定") : ServerRoot);
}

void TOrvelProject::SetFileName(const std::string& Path) {
    FileName = Path;
    Named = true;
    ShowCaptions();
}

void TOrvelProject::SetModified(bool Value) {
    if (HasChanges == Value) return;
    HasChanges = Value;
    if (Named) ShowCaptions();
}

void TOrvelProject::Touch() {
    SetModified(true);
}

std::string TOrvelProject::Name() const {
    return FileName.empty() ? Tr("untitled") : BareFileName(FileName, PathStyle);
}

void TOrvelProject::ShowCaptions() {
    const std::string Name = (HasChanges ? "*" : "") + this->Name();
    Display->ShowCaptions(Name + " - Orvel(UO)", Name + Tr(" - プロジェクト情報"));
}

void TOrvelProject::AddTopFile(const std::string& Path) {
    CheckCounts();
    TopFiles.push_back(AnsiUpperCase(Path));
    ++TopFileCount[TopFiles.back()];
    TopSpellings[TopFiles.back()] = Path;
    TopView->Append(TopFiles.back());
    Touch();
    CheckCounts();
}

void TOrvelProject::RemoveTopFile(const std::string& Path) {
    CheckCounts();
    // The view holds the list's entries in the list's order, so one index serves both.
    const int Index = IndexOfTopFile(Path);
    if (Index >= 0) {
        const auto Counted = TopFileCount.find(TopFiles[static_cast<size_t>(Index)]);
        if (--Counted->second == 0) {
            TopSpellings.erase(Counted->first);
            TopFileCount.erase(Counted);
        }
        TopFiles.erase(TopFiles.begin() + Index);
        TopView->Delete(Index);
        Touch();
    }
    CheckCounts();
}

void TOrvelProject::KeepTopFiles(const std::function<bool(const std::string&)>& Keep) {
    CheckCounts();
    std::vector<std::string> Kept;
    for (std::string& Entry : TopFiles)
        if (Keep(Entry)) Kept.push_back(std::move(Entry));
    const bool Dropped = Kept.size() != TopFiles.size();
    TopFiles = std::move(Kept);
    if (!Dropped) return;
    Touch();
    TopFileCount.clear();
    TopView->Clear();
    for (const std::string& Entry : TopFiles) {
        ++TopFileCount[Entry];
        TopView->Append(Entry);
    }
    std::erase_if(TopSpellings,
                  [&](const auto& Spelling) { return TopFileCount.count(Spelling.first) == 0; });
    CheckCounts();
}

void TOrvelProject::ClearTopFiles() {
    if (!TopFiles.empty()) Touch();
    TopFiles.clear();
    TopFileCount.clear();
    TopSpellings.clear();
    TopView->Clear();
    CheckCounts();
}

int TOrvelProject::IndexOfTopFile(const std::string& Path) const {
    const std::string Upper = AnsiUpperCase(Path);
    return TopFileCount.count(Upper) ? IndexOfUpper(TopFiles, Upper) : -1;
}

void TOrvelProject::AddIgnoreFile(const std::string& Path) {
    CheckCounts();
    const std::string Upper = AnsiUpperCase(Path);
    if (IgnoreFiles.Add(Upper)) {
        IgnoreView->Insert(IgnoreFiles.IndexOf(Upper), Upper);
        Touch();
    }
    IgnoreSpellings[Upper] = Path;
    RemoveTopFile(Upper);
    CheckCounts();
}

void TOrvelProject::AddIgnoreFiles(const std::vector<std::string>& Paths) {
    CheckCounts();
    std::vector<std::string> Upper;
    Upper.reserve(Paths.size());
    for (const std::string& Path : Paths) {
        Upper.push_back(AnsiUpperCase(Path));
        IgnoreSpellings[Upper.back()] = Path;
    }
    const int Before = IgnoreFiles.Count();
    IgnoreFiles.AddAll(Upper);
    if (IgnoreFiles.Count() != Before) Touch();
    IgnoreView->Clear();
    for (const std::string& Entry : IgnoreFiles)
        IgnoreView->Append(Entry);
    for (const std::string& Entry : Upper)
        RemoveTopFile(Entry);
    CheckCounts();
}

void TOrvelProject::RemoveIgnoreFile(const std::string& Path) {
    CheckCounts();
    const std::string Upper = AnsiUpperCase(Path);
    const int Index = IgnoreFiles.IndexOf(Upper);
    if (Index >= 0) {
        IgnoreSpellings.erase(IgnoreFiles[Index]);
        IgnoreFiles.Delete(Index);
        IgnoreView->Delete(Index);
        Touch();
    }
    CheckCounts();
}

void TOrvelProject::KeepIgnoreFiles(const std::function<bool(const std::string&)>& Keep) {
    CheckCounts();
    std::vector<std::string> Kept;
    for (const std::string& Entry : IgnoreFiles) {
        if (Keep(Entry))
            Kept.push_back(Entry);
        else
            IgnoreSpellings.erase(Entry);
    }
    if (static_cast<int>(Kept.size()) == IgnoreFiles.Count()) return;
    Touch();
    IgnoreFiles.AssignSorted(Kept);
    IgnoreView->Clear();
    for (const std::string& Entry : IgnoreFiles)
        IgnoreView->Append(Entry);
    CheckCounts();
}

void TOrvelProject::ClearIgnoreFiles() {
    if (IgnoreFiles.Count() > 0) Touch();
    IgnoreFiles.Clear();
    IgnoreSpellings.clear();
    IgnoreView->Clear();
    CheckCounts();
}

bool IsIgnoreFile(const TSortedStringList& IgnoreFiles, const std::string& Path) {
    return IgnoreFiles.IndexOf(AnsiUpperCase(Path)) >= 0;
}

bool TOrvelProject::IsIgnoreFile(const std::string& Path) const {
    return orvel::IsIgnoreFile(IgnoreFiles, Path);
}

const std::string& TOrvelProject::SpellingOf(const std::string& Entry) const {
    for (const auto* Spellings : {&TopSpellings, &IgnoreSpellings})
        if (const auto Found = Spellings->find(Entry); Found != Spellings->end())
            return Found->second;
    return Entry;
}

void TOrvelProject::AddWildCard(const std::string& Pattern) {
    CheckCounts();
    WildCards.push_back(Pattern);
    WildView->Append(Pattern);
    Touch();
    CheckCounts();
}

void TOrvelProject::AddIgnoreFolder(const std::string& Folder) {
    AddWildCard(AnsiUpperCase(IncludeTrailingSeparator(Folder, PathStyle)));
}

void TOrvelProject::RemoveWildCard(const std::string& Entry) {
    CheckCounts();
    const int Index = IndexOfUpper(WildCards, Entry);
    if (Index >= 0) {
        WildCards.erase(WildCards.begin() + Index);
        WildView->Delete(Index);
        Touch();
    }
    CheckCounts();
}

void TOrvelProject::ClearWildCards() {
    if (!WildCards.empty()) Touch();
    WildCards.clear();
    WildView->Clear();
    CheckCounts();
}

bool IsFolderEntry(const std::string& Entry, TPathStyle PathStyle) {
    return !Entry.empty() && Entry.back() == PathSeparator(PathStyle);
}

bool MatchesWildCard(const std::vector<std::string>& WildCards, const std::string& FileName,
                     bool IgnoreCase, TPathStyle PathStyle) {
    if (WildCards.empty()) return false;
    const std::string Name = IgnoreCase ? AsciiUpperCase(FileName) : FileName;
    for (const std::string& Entry : WildCards) {
        if (Entry.empty() || IsFolderEntry(Entry, PathStyle)) continue;
        if (WildCardMatch(IgnoreCase ? AsciiUpperCase(Entry) : Entry, Name)) return true;
    }
    return false;
}

bool IsIgnoredFolder(const std::vector<std::string>& WildCards, const std::string& Folder,
                     TPathStyle PathStyle) {
    if (WildCards.empty()) return false;
    const std::string Path = AnsiUpperCase(IncludeTrailingSeparator(Folder, PathStyle));
    for (const std::string& Entry : WildCards)
        if (IsFolderEntry(Entry, PathStyle) && Path.compare(0, Entry.size(), Entry) == 0)
            return true;
    return false;
}

bool TOrvelProject::MatchesWildCard(const std::string& Name, bool IgnoreCase) const {
    return orvel::MatchesWildCard(WildCards, Name, IgnoreCase, PathStyle);
}

bool TOrvelProject::IsIgnoredFolder(const std::string& Folder) const {
    return orvel::IsIgnoredFolder(WildCards, Folder, PathStyle);
}

bool TOrvelProject::IgnoresLink(std::string_view Link, bool IgnoreCase) const {
    if (IgnoreLinks.empty()) return false;
    // The letter case as for the file-name patterns.
    const std::string Text = IgnoreCase ? AsciiUpperCase(Link) : std::string(Link);
    return std::any_of(IgnoreLinks.begin(), IgnoreLinks.end(), [&](const std::string& Pattern) {
        return WildCardMatch(IgnoreCase ? AsciiUpperCase(Pattern) : Pattern, Text);
    });
}

std::string TOrvelProject::ResolveLink(const std::string& BaseFile,
                                       const std::string& Target) const {
    std::string Resolved, Joined;
    ResolveLinkInto(Resolved, Joined, BaseFile, Target);
    return Resolved;
}

void TOrvelProject::ResolveLinkInto(std::string& Resolved, std::string& Joined,
                                    std::string_view BaseFile, std::string_view Target,
                                    bool Literal) const {
    std::string_view Base = BaseFile;
    std::string_view Link = Target;
    if (!Literal && !Link.empty() && Link[0] == '/' && !ServerRoot.empty()) {
        Link.remove_prefix(1);
        Base = ServerRoot;
    }
    // A "#" is cut from the target only: a folder named "c#" stays whole.
    if (!Literal) Link = Link.substr(0, Link.find('#'));
    const size_t Last = LastSeparator(Base, PathStyle);
    Joined.assign(Base.substr(0, Last == std::string_view::npos ? 0 : Last + 1));
    const size_t LinkStart = Joined.size();
    Joined += Link;
    // The base is a real path and stays as it is.
    if (!Literal) UnifySeparators(Joined, LinkStart, PathStyle);
    ExpandFileNameInto(Resolved, Joined, PathStyle);
}

void TOrvelProject::ForgetFile(const std::string& Path) {
    RemoveTopFile(Path);
    RemoveIgnoreFile(Path);
}

} // namespace orvel
