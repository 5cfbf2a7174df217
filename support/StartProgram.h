// Starting the user's external programs (editor, image viewer, web browser).
#pragma once

#include <string>
#include <vector>

namespace orvel {

// Starts Program with Arguments, detached: nothing waits for it or is told when it ends. A
// program without "/" is looked up in PATH. The program and every argument reach it as the
// exact bytes given, never split or re-encoded. False when it could not be started: an empty
// name, no such program, no permission to run it.
bool StartDetached(const std::string& Program, const std::vector<std::string>& Arguments);

} // namespace orvel
