// The project file: an INI file with the one section "OrvelProject".
#pragma once

#include <string>

namespace orvel {

class TIniFile;
class TOrvelProject;

// Replaces the project's lists with the file's and takes its home and server root folders
// (an empty "HomeDir" keeps the current home folder; relative ones are taken relative to the
// project file's folder).
void ReadProjectFile(TOrvelProject& Project, const TIniFile& File);
// Writes exactly the project's keys, in order, replacing the file whole. Throws
// EIniWriteError ("<path> に書き込めません") when it cannot be written; the old file stays.
void WriteProjectFile(const TOrvelProject& Project, const std::string& Path);

} // namespace orvel
