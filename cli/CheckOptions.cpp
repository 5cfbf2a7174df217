#include "cli/CheckOptions.h"

#include "project/Settings.h"

#include <algorithm>

namespace orvel::cli {

const char* const UsageText =
    "usage: orvel-check [options] FOLDER\n"
    "       orvel-check [options] --project FILE.opr\n"
    "  --top PATH            a TOP page (relative to the home folder, or absolute); repeatable\n"
    "  --exclude PATH        an excluded file; repeatable\n"
    "  --wildcard PATTERN    a file-name pattern whose files are ignored; repeatable\n"
    "  --ignore-folder DIR   a folder whose contents are ignored; repeatable\n"
    "  --server-root DIR     the folder that corresponds to the server root\n"
    "  --settings FILE       the settings file to read instead of the default one\n"
    "  --set KEY=VALUE       one \"Option\" value for this run, as the settings file writes it;\n"
    "                        repeatable\n"
    "  --format text|json|gnu  the report's form (default text); gnu: one line per invalid\n"
    "                        link, \"path:line: invalid link ...\", as compilers write\n"
    "  --quiet               no progress on standard error\n"
    "  --help, --version\n"
    "Exit status: 0 no invalid link and no orphan file; 1 some found; 2 bad usage or a missing\n"
    "folder or project file; 130 interrupted.\n";

TCheckOptions ParseCheckOptions(const std::vector<std::string>& Arguments) {
    TCheckOptions O;
    std::vector<std::string> Positional;
    for (size_t I = 0; I < Arguments.size(); ++I) {
        std::string Name = Arguments[I];
        std::string Value;
        bool HasValue = false;
        const size_t Equal = Name.find('=');
        if (Name.rfind("--", 0) == 0 && Equal != std::string::npos) {
            Value = Name.substr(Equal + 1);
            Name.erase(Equal);
            HasValue = true;
        }
        const auto Next = [&]() -> std::string {
            if (HasValue) return Value;
            if (I + 1 >= Arguments.size()) throw EUsageError("option " + Name + " needs a value");
            return Arguments[++I];
        };
        if (Name == "--help" || Name == "-h") {
            O.Help = true;
        } else if (Name == "--version") {
            O.Version = true;
        } else if (Name == "--quiet" || Name == "-q") {
            O.Quiet = true;
        } else if (Name == "--project") {
            O.ProjectFile = Next();
        } else if (Name == "--top") {
            O.TopFiles.push_back(Next());
        } else if (Name == "--exclude") {
            O.ExcludedFiles.push_back(Next());
        } else if (Name == "--wildcard") {
            O.WildCards.emplace_back(false, Next());
        } else if (Name == "--ignore-folder") {
            O.WildCards.emplace_back(true, Next());
        } else if (Name == "--server-root") {
            O.ServerRoot = Next();
        } else if (Name == "--settings") {
            O.SettingsFile = Next();
        } else if (Name == "--set") {
            const std::string Setting = Next();
            const size_t Eq = Setting.find('=');
            const std::string Key = Setting.substr(0, Eq);
            if (Eq == std::string::npos || !FindSettingKey(Key))
                throw EUsageError("--set needs KEY=VALUE with a settings key, not \"" + Setting +
                                  "\"");
            O.SetValues.emplace_back(Key, Setting.substr(Eq + 1));
        } else if (Name == "--format") {
            const std::string Format = Next();
            if (Format == "text")
                O.Format = TCheckOptions::TFormat::fmText;
            else if (Format == "json")
                O.Format = TCheckOptions::TFormat::fmJson;
            else if (Format == "gnu")
                O.Format = TCheckOptions::TFormat::fmGnu;
            else
                throw EUsageError("--format takes text, json or gnu, not \"" + Format + "\"");
        } else if (Name.size() > 1 && Name[0] == '-') {
            throw EUsageError("unknown option " + Name);
        } else {
            Positional.push_back(Arguments[I]);
        }
    }
    if (O.Help || O.Version) return O;
    if (!O.ProjectFile.empty()) {
        if (!Positional.empty())
            throw EUsageError("a FOLDER and --project cannot be given together");
        if (!O.TopFiles.empty() || !O.ExcludedFiles.empty() || !O.WildCards.empty() ||
            !O.ServerRoot.empty())
            throw EUsageError("--top, --exclude, --wildcard, --ignore-folder and --server-root "
                              "come from the project file with --project");
        return O;
    }
    if (Positional.size() != 1) throw EUsageError("give one FOLDER or --project FILE.opr");
    O.Folder = Positional[0];
    return O;
}

} // namespace orvel::cli
