#include "cli/CheckOptions.h"

#include "project/Settings.h"
#include "support/Translation.h"

#include <optional>
#include <utility>

namespace orvel::cli {

const std::string& UsageText() {
    return Tr(
        "usage: orvel-check [options] FOLDER\n"
        "       orvel-check [options] --project FILE.opr\n"
        "  --top PATH            a TOP page (relative to the home folder, or absolute); "
        "repeatable\n"
        "  --exclude PATH        an excluded file; repeatable\n"
        "  --wildcard PATTERN    a file-name pattern whose files are ignored; repeatable\n"
        "  --ignore-folder DIR   a folder whose contents are ignored; repeatable\n"
        "  --server-root DIR     the folder that corresponds to the server root\n"
        "  --ignore-link PATTERN a link that matches the pattern as written is never counted\n"
        "                        invalid; repeatable, and added to a project file's patterns\n"
        "  --write-project FILE  write these options as a project file, then check; paths below\n"
        "                        its folder are stored relative to it\n"
        "  --settings FILE       the settings file to read instead of the default one;\n"
        "                        /dev/null reads none\n"
        "  --no-settings         every setting at its default, no settings file read\n"
        "  --set KEY=VALUE       one \"Option\" value for this run, as the settings file writes "
        "it;\n"
        "                        repeatable\n"
        "  --format text|json|gnu|sarif  the report's form (default text); gnu: one line per\n"
        "                        invalid link, \"path:line: invalid link ...\", as compilers "
        "write;\n"
        "                        sarif: SARIF 2.1.0 for code-scanning services\n"
        "  --check-external      also ask the servers about the external http(s) links, as\n"
        "                        --set CheckExternal=1 does\n"
        "  --fail-external       a broken external link makes the exit status 1 too\n"
        "  --quiet               no progress on standard error\n"
        "  --help, --version\n"
        "Exit status: 0 no invalid link, orphan file or unreadable file; 1 some found; 2 bad "
        "usage, a\n"
        "missing or unreadable folder, project or settings file, a TOP page, excluded file or "
        "server\n"
        "root that names nothing, or a report that could not be written; 130 interrupted.\n");
}

namespace {

// An option: its names, whether it takes a value, and what it sets.
struct TOptionRow {
    const char* Name;
    const char* Short; // or null
    bool TakesValue;
    void (*Apply)(TCheckOptions& O, const std::string& Value);
};

void ApplySet(TCheckOptions& O, const std::string& Setting) {
    const size_t Eq = Setting.find('=');
    const std::string Key = Setting.substr(0, Eq);
    if (Eq == std::string::npos || !FindSettingKey(Key))
        throw EUsageError(Tr("--set needs KEY=VALUE with a settings key, not \"") + Setting + "\"");
    O.SetValues.emplace_back(Key, Setting.substr(Eq + 1));
}

void ApplyFormat(TCheckOptions& O, const std::string& Format) {
    if (Format == "text")
        O.Format = TCheckOptions::TFormat::fmText;
    else if (Format == "json")
        O.Format = TCheckOptions::TFormat::fmJson;
    else if (Format == "gnu")
        O.Format = TCheckOptions::TFormat::fmGnu;
    else if (Format == "sarif")
        O.Format = TCheckOptions::TFormat::fmSarif;
    else
        throw EUsageError(Tr("--format takes text, json, gnu or sarif, not \"") + Format + "\"");
}

const TOptionRow OptionTable[] = {
    {"--help", "-h", false, [](TCheckOptions& O, const std::string&) { O.Help = true; }},
    {"--version", nullptr, false, [](TCheckOptions& O, const std::string&) { O.Version = true; }},
    {"--quiet", "-q", false, [](TCheckOptions& O, const std::string&) { O.Quiet = true; }},
    {"--project", nullptr, true, [](TCheckOptions& O, const std::string& V) { O.ProjectFile = V; }},
    {"--top", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.TopFiles.push_back(V); }},
    {"--exclude", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.ExcludedFiles.push_back(V); }},
    {"--wildcard", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.WildCards.emplace_back(false, V); }},
    {"--ignore-folder", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.WildCards.emplace_back(true, V); }},
    {"--server-root", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.ServerRoot = V; }},
    {"--ignore-link", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.IgnoreLinks.push_back(V); }},
    {"--write-project", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.WriteProject = V; }},
    {"--settings", nullptr, true,
     [](TCheckOptions& O, const std::string& V) { O.SettingsFile = V; }},
    {"--no-settings", nullptr, false,
     [](TCheckOptions& O, const std::string&) { O.NoSettings = true; }},
    {"--set", nullptr, true, ApplySet},
    {"--check-external", nullptr, false,
     [](TCheckOptions& O, const std::string&) { O.SetValues.emplace_back("CheckExternal", "1"); }},
    {"--fail-external", nullptr, false,
     [](TCheckOptions& O, const std::string&) { O.FailExternal = true; }},
    {"--format", nullptr, true, ApplyFormat},
};

const TOptionRow* FindOption(const std::string& Name) {
    for (const TOptionRow& Row : OptionTable)
        if (Name == Row.Name || (Row.Short && Name == Row.Short)) return &Row;
    return nullptr;
}

// The folder or the project file, and what may be given with each.
void TakeWhatIsChecked(TCheckOptions& O, const std::vector<std::string>& Positional) {
    if (!O.ProjectFile.empty()) {
        if (!Positional.empty())
            throw EUsageError(Tr("a FOLDER and --project cannot be given together"));
        if (!O.TopFiles.empty() || !O.ExcludedFiles.empty() || !O.WildCards.empty() ||
            !O.ServerRoot.empty())
            throw EUsageError(Tr("--top, --exclude, --wildcard, --ignore-folder and --server-root "
                                 "come from the project file with --project"));
        if (!O.WriteProject.empty())
            throw EUsageError(Tr("--write-project writes the options of a FOLDER, not --project"));
        return;
    }
    if (Positional.size() != 1) throw EUsageError(Tr("give one FOLDER or --project FILE.opr"));
    O.Folder = Positional[0];
}

} // namespace

TCheckOptions ParseCheckOptions(const std::vector<std::string>& Arguments) {
    TCheckOptions O;
    std::vector<std::string> Positional;
    for (size_t I = 0; I < Arguments.size(); ++I) {
        std::string Name = Arguments[I];
        std::optional<std::string> Value; // written as --name=value
        if (const size_t Equal = Name.find('=');
            Name.starts_with("--") && Equal != std::string::npos) {
            Value = Name.substr(Equal + 1);
            Name.erase(Equal);
        }
        if (Name.size() <= 1 || Name[0] != '-') {
            Positional.push_back(Arguments[I]);
            continue;
        }
        const TOptionRow* Row = FindOption(Name);
        if (!Row) throw EUsageError(Tr("unknown option ") + Name);
        if (Row->TakesValue && !Value) {
            if (I + 1 >= Arguments.size())
                throw EUsageError(Tr("option ") + Name + Tr(" needs a value"));

            Value = Arguments[++I];
        }
        Row->Apply(O, Value.value_or(std::string()));
    }
    if (!O.Help && !O.Version) TakeWhatIsChecked(O, Positional);
    return O;
}

} // namespace orvel::cli
