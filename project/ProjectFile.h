// The project file: an INI file with the section "OrvelProject" and, when the project has link
// patterns, "IgnoreLinks".
#pragma once

#include <string>

namespace orvel {

class TIniFile;
class TOrvelProject;

// Replaces the project's lists with the file's and takes its home and server root folders
// (an empty "HomeDir" keeps the current home folder). Relative folders, TOP pages, excluded files
// and folder entries are taken relative to the project file's folder.
void ReadProjectFile(TOrvelProject& Project, const TIniFile& File);
// Writes exactly the project's keys, in order, replacing the file whole: paths below the project
// file's folder relative to it, TOP pages, excluded files and folder entries in the letter case
// of the file system where it tells one file or folder (else upper-cased, as held). Throws
// EIniWriteError ("<path> に書き込めません") when it cannot be written; the old file stays.
void WriteProjectFile(const TOrvelProject& Project, const std::string& Path);

} // namespace orvel
