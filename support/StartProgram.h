// Starting the user's external programs (editor, image viewer, web browser).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orvel {

// Starts Program with Arguments, detached: nothing waits for it or is told when it ends. A
// program without "/" is looked up in PATH. The program and every argument reach it as the
// exact bytes given, never split or re-encoded. False when it could not be started: an empty
// name, no such program, no permission to run it.
bool StartDetached(const std::string& Program, const std::vector<std::string>& Arguments);

// The file that runs for Program: itself when it names a path, else the first executable match
// in the folders of SearchPath (written as PATH is); empty when there is none.
std::string FindProgram(const std::string& Program, const std::string& SearchPath);

// What Program, looked up in PATH, writes to its standard output, its input and errors
// going nowhere; nothing when it cannot be started, fails, or takes longer than Timeout.
std::optional<std::string> ReadProgramOutput(const std::string& Program,
                                             const std::vector<std::string>& Arguments,
                                             std::chrono::milliseconds Timeout);

} // namespace orvel
