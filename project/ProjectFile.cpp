#include "project/ProjectFile.h"

#include "project/Project.h"
#include "support/IniFile.h"
#include "support/RealCasePath.h"

namespace orvel {

namespace {
const std::string Section = "OrvelProject";
const std::string IgnoreLinksSection = "IgnoreLinks";

// Calls Add with each value of Key0, Key1, ... up to the first missing key or "-1".
template <typename F> void ReadList(const TIniFile& File, const std::string& Key, F&& Add) {
    for (int I = 0;; ++I) {
        const std::string Value = File.ReadString(Section, Key + std::to_string(I), "-1");
        if (Value == "-1") return;
        Add(Value);
    }
}

// The folder of the project file, with its separator.
std::string FolderOfFile(const std::string& Path, TPathStyle Style) {
    return ExtractFolder(ExpandFileName(Path, Style), Style);
}

// A relative path in a project file is taken relative to the project file's folder, so that
// a project file kept beside its site works from anywhere.
std::string InFolder(const std::string& Folder, const std::string& Value, TPathStyle Style) {
    if (Value.empty() || IsAbsolutePath(Value, Style)) return Value;
    return ExpandFileName(Folder + Value, Style);
}

// Path relative to Folder when it lies below it; "./" for Folder itself.
std::string RelativeTo(const std::string& Folder, const std::string& Path) {
    if (!Path.starts_with(Folder)) return Path;
    return Path.size() == Folder.size() ? "./" : Path.substr(Folder.size());
}

// An upper-cased entry as the file holds it: the path as the file system spells the entry's
// spelling, else the entry itself; relative to Folder when it lies below it.
std::string Stored(TRealCase& RealCase, const std::string& Folder, const std::string& Entry,
                   const std::string& Spelling) {
    const auto Real = RealCase.Of(Spelling);
    return RelativeTo(Folder, Real ? *Real : Entry);
}

template <typename List, typename F>
void WriteList(TIniFile& File, const std::string& Key, const List& Values, F&& Form) {
    int I = 0;
    for (const std::string& Value : Values)
        File.WriteString(Section, Key + std::to_string(I++), Form(Value));
}
} // namespace

void ReadProjectFile(TOrvelProject& Project, const TIniFile& File) {
    const TPathStyle Style = Project.PathStyle;
    const std::string Folder = FolderOfFile(File.Path(), Style);
    const auto Read = [&](const std::string& Value) { return InFolder(Folder, Value, Style); };
    Project.ClearTopFiles();
    Project.ClearIgnoreFiles();
    Project.ClearWildCards();
    Project.IgnoreLinks.clear();
    Project.SetHomeDir(Read(File.ReadString(Section, "HomeDir", "")));
    Project.SetServerRoot(Read(File.ReadString(Section, "ServerRoot", "")));
    ReadList(File, "TopFile", [&](const std::string& V) { Project.AddTopFile(Read(V)); });
    std::vector<std::string> IgnoreFiles;
    ReadList(File, "IgnoreFile", [&](const std::string& V) { IgnoreFiles.push_back(Read(V)); });
    Project.AddIgnoreFiles(IgnoreFiles);
    ReadList(File, "WildCards", [&](const std::string& V) {
        if (IsFolderEntry(V, Style))
            Project.AddIgnoreFolder(Read(V));
        else
            Project.AddWildCard(V);
    });
    for (int I = 0; File.HasKey(IgnoreLinksSection, "Pattern" + std::to_string(I)); ++I)
        Project.IgnoreLinks.push_back(
            File.ReadString(IgnoreLinksSection, "Pattern" + std::to_string(I), ""));
}

void WriteProjectFile(const TOrvelProject& Project, const std::string& Path) {
    const TPathStyle Style = Project.PathStyle;
    const std::string Folder = FolderOfFile(Path, Style);
    TRealCase RealCase;
    const auto Listed = [&](const std::string& Entry) {
        return Stored(RealCase, Folder, Entry, Project.SpellingOf(Entry));
    };
    TIniFile File = TIniFile::Empty(Path);
    File.WriteString(Section, "HomeDir", RelativeTo(Folder, Project.HomeDir));
    File.WriteString(Section, "ServerRoot", RelativeTo(Folder, Project.ServerRoot));
    WriteList(File, "TopFile", Project.TopFiles, Listed);
    WriteList(File, "IgnoreFile", Project.IgnoreFiles, Listed);
    WriteList(File, "WildCards", Project.WildCards, [&](const std::string& Entry) {
        return IsFolderEntry(Entry, Style) ? Stored(RealCase, Folder, Entry, Entry) : Entry;
    });
    int I = 0;
    for (const std::string& Pattern : Project.IgnoreLinks)
        File.WriteString(IgnoreLinksSection, "Pattern" + std::to_string(I++), Pattern);
    File.UpdateFile();
}

} // namespace orvel
