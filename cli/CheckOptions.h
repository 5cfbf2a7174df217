// The command line of orvel-check.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvel::cli {

// A command line that cannot be used; the text says why.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TCheckOptions {
    std::string Folder;      // the home folder, or empty with a project file
    std::string ProjectFile; // --project
    std::vector<std::string> TopFiles;
    std::vector<std::string> ExcludedFiles;
    // --wildcard and --ignore-folder entries in command-line order; true for a folder.
    std::vector<std::pair<bool, std::string>> WildCards;
    std::string ServerRoot;
    std::vector<std::string> IgnoreLinks; // --ignore-link patterns, added to a project file's
    std::string WriteProject;             // --write-project: the project file to write first
    std::string SettingsFile;
    bool NoSettings = false; // --no-settings: every setting at its default
    std::vector<std::pair<std::string, std::string>> SetValues; // --set KEY=VALUE
    enum class TFormat { fmText, fmJson, fmGnu, fmSarif };
    TFormat Format = TFormat::fmText;
    bool FailExternal = false; // --fail-external: a broken external link is a finding
    bool Quiet = false;
    bool Help = false;
    bool Version = false;
};

// Throws EUsageError for options it does not know or that lack their value.
TCheckOptions ParseCheckOptions(const std::vector<std::string>& Arguments);

// The --help text, in the user's language.
const std::string& UsageText();

} // namespace orvel::cli
