// The check run: opening a folder or a project, checking it again, and saving the project.
#pragma once

#include <string>

namespace orvel {

class TRunContext;

// The check run proper: scan, extract, classify, and with Reachability the TOP page analysis;
// ends with the report of the invalid links unless Quietly.
void CheckFolder(TRunContext& Run, const std::string& Folder, bool Reachability,
                 bool Quietly = false);
// Starts a new, untitled project on a folder.
void OpenFolder(TRunContext& Run, const std::string& Folder);
// Reads a project file and checks its home folder. False, after saying why, when the file is
// missing or cannot be read as a project file.
bool LoadProject(TRunContext& Run, const std::string& Path);
// The two steps of LoadProject: reading the file into the current project...
bool ReadProject(TRunContext& Run, const std::string& Path);
// ...and checking the project's home folder, if it has one, as the project of that file.
void CheckProject(TRunContext& Run, const std::string& Path);
// Moves the project to another home folder: its TOP pages, excluded files and excluded folders
// that lie outside it leave the project, after the user agreed to lose them, and the folder is
// checked with the rest. False when the user declined.
bool ChangeHomeFolder(TRunContext& Run, const std::string& Folder);
// Checks the home folder of the project again, with its TOP pages and exclusions; the nodes
// that were expanded and the one selected are again where the site still has them. Quietly, as
// when it follows changes on disk that the user did not ask to check, it ends without a report.
void Reopen(TRunContext& Run, bool Quietly = false);
// Classifies every link again and re-marks reachability without scanning.
void Recheck(TRunContext& Run);
// Writes the project file and names the project after it; throws EIniWriteError on failure.
void SaveProject(TRunContext& Run, const std::string& Path);

} // namespace orvel
