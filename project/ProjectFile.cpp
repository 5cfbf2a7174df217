#include "project/ProjectFile.h"

#include "project/Project.h"
#include "support/IniFile.h"

namespace orvel {

namespace {
const std::string Section = "OrvelProject";

// Calls Add with each value of Key0, Key1, ... up to the first missing key or "-1".
template <typename F> void ReadList(const TIniFile& File, const std::string& Key, F&& Add) {
    for (int I = 0;; ++I) {
        const std::string Value = File.ReadString(Section, Key + std::to_string(I), "-1");
        if (Value == "-1") return;
        Add(Value);
    }
}

// A relative folder in a project file is taken relative to the project file's folder, so that
// a project file kept beside its site works from anywhere.
std::string FolderOf(const TIniFile& File, const std::string& Key, TPathStyle Style) {
    std::string Value = File.ReadString(Section, Key, "");
    if (Value.empty() || IsAbsolutePath(Value, Style)) return Value;
    return ExpandFileName(ExtractFolder(ExpandFileName(File.Path(), Style), Style) + Value, Style);
}

template <typename List>
void WriteList(TIniFile& File, const std::string& Key, const List& Values) {
    int I = 0;
    for (const std::string& Value : Values)
        File.WriteString(Section, Key + std::to_string(I++), Value);
}
} // namespace

void ReadProjectFile(TOrvelProject& Project, const TIniFile& File) {
    Project.ClearTopFiles();
    Project.ClearIgnoreFiles();
    Project.ClearWildCards();
    Project.SetHomeDir(FolderOf(File, "HomeDir", Project.PathStyle));
    Project.SetServerRoot(FolderOf(File, "ServerRoot", Project.PathStyle));
    ReadList(File, "TopFile", [&](const std::string& V) { Project.AddTopFile(V); });
    std::vector<std::string> IgnoreFiles;
    ReadList(File, "IgnoreFile", [&](const std::string& V) { IgnoreFiles.push_back(V); });
    Project.AddIgnoreFiles(IgnoreFiles);
    ReadList(File, "WildCards", [&](const std::string& V) { Project.AddWildCard(V); });
}

void WriteProjectFile(const TOrvelProject& Project, const std::string& Path) {
    TIniFile File = TIniFile::Empty(Path);
    File.WriteString(Section, "HomeDir", Project.HomeDir);
    File.WriteString(Section, "ServerRoot", Project.ServerRoot);
    WriteList(File, "TopFile", Project.TopFiles);
    WriteList(File, "IgnoreFile", Project.IgnoreFiles);
    WriteList(File, "WildCards", Project.WildCards);
    File.UpdateFile();
}

} // namespace orvel
