// What makes a run of orvel-check fail instead of reporting: entries of the project that name
// nothing, a home folder that could not be read or holds no file.
#pragma once

#include <string>
#include <vector>

namespace orvel {
class TOrvelProject;
class TRunContext;
} // namespace orvel

namespace orvel::cli {

// The TOP pages and excluded files that a project asks for, as it holds them before a check
// drops those that name no file, each with the spelling it was given in.
struct TAskedEntry {
    std::string Entry, Spelling;
};
struct TAskedEntries {
    std::vector<TAskedEntry> TopFiles, IgnoreFiles;
};

TAskedEntries AskedEntries(const TOrvelProject& Project);

// One message per failure of the finished run ("path: what is wrong"), none when it may be
// reported. The current folder helps to explain a path given relative to it.
std::vector<std::string> RunFailures(const TRunContext& Run, const TAskedEntries& Asked,
                                     const std::string& CurrentFolder);

} // namespace orvel::cli
