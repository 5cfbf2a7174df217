// orvel-check: the headless checker. Checks a site folder or a project file as the program
// does when it loads a project, and reports invalid links and orphan files.
#include "analysis/CheckRun.h"
#include "analysis/ExternalCache.h"
#include "analysis/RunContext.h"
#include "cli/CheckOptions.h"
#include "cli/ConsoleHost.h"
#include "cli/Report.h"
#include "cli/RunFailures.h"
#include "cli/SarifReport.h"
#include "project/ProjectFile.h"
#include "project/Settings.h"
#include "support/CodePage.h"
#include "support/IniFile.h"
#include "support/Translation.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::cli;

namespace {

constexpr int ExitClean = 0, ExitFound = 1, ExitUsage = 2, ExitInterrupted = 130;

std::string ExecutableFolder() {
    char Buffer[4096];
    const ssize_t N = ::readlink("/proc/self/exe", Buffer, sizeof Buffer - 1);
    return N > 0 ? ExtractFolder(std::string(Buffer, static_cast<size_t>(N)), TPathStyle::psPosix)
                 : std::string("./");
}

// Whether the settings file given stands for none: a character device with nothing to read,
// as /dev/null.
bool NamesNoSettings(const std::string& Path) {
    struct stat St;
    if (::stat(Path.c_str(), &St) != 0 || !S_ISCHR(St.st_mode)) return false;
    const int Fd = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (Fd < 0) return false;
    char Byte;
    const bool Empty = ::read(Fd, &Byte, 1) == 0;
    ::close(Fd);
    return Empty;
}

// The settings file with the --set values laid over it.
TSettings LoadSettings(const TCheckOptions& Options) {
    const std::string Path = Options.SettingsFile.empty()
                                 ? SettingsFilePath(ExecutableFolder() + "uoorvel")
                                 : Options.SettingsFile;
    TIniFile File =
        Options.NoSettings || NamesNoSettings(Path) ? TIniFile::Empty(Path) : TIniFile(Path);
    for (const auto& [Key, Value] : Options.SetValues)
        File.WriteString("Option", Key, Value);
    return ReadSettings(File);
}

// A path given on the command line, taken relative to the home folder.
std::string InHome(const TRunContext& Run, const std::string& Path) {
    const std::string Full =
        !Path.empty() && Path[0] == '/' ? Path : Run.CurrentProject.HomeDir + Path;
    return ExpandFileName(Full, TPathStyle::psPosix);
}

// Writes the project built from the command line; false, after saying why, when it cannot.
bool WriteProject(TRunContext& Run, const std::string& Path) {
    try {
        SaveProject(Run, Path);
        return true;
    } catch (const EIniWriteError& E) {
        Run.Host.ShowMessageBox(TMessageKind::mkError, E.what());
        return false;
    }
}

// Builds the project as a project file with these values would hold it, then checks it as
// loading that project does. False when the home folder is missing.
bool CheckFolderProject(TRunContext& Run, const TCheckOptions& O, TAskedEntries& Asked) {
    const std::string Home = ExpandFileName(O.Folder, TPathStyle::psPosix);
    if (!DirExists(Home)) {
        Run.Host.ShowMessageBox(TMessageKind::mkError,
                                Tr("ディレクトリが存在しません") + "\r\n" + Home);
        return false;
    }
    TOrvelProject& Project = Run.CurrentProject;
    Project.SetHomeDir(Home);
    if (!O.ServerRoot.empty()) Project.SetServerRoot(InHome(Run, O.ServerRoot));
    for (const std::string& Top : O.TopFiles)
        Project.AddTopFile(InHome(Run, Top));
    for (const std::string& Excluded : O.ExcludedFiles)
        Project.AddIgnoreFile(InHome(Run, Excluded));
    for (const auto& [IsFolder, Entry] : O.WildCards) {
        if (IsFolder)
            Project.AddIgnoreFolder(InHome(Run, Entry));
        else
            Project.AddWildCard(Entry);
    }
    Project.IgnoreLinks.insert(Project.IgnoreLinks.end(), O.IgnoreLinks.begin(),
                               O.IgnoreLinks.end());
    if (!O.WriteProject.empty() && !WriteProject(Run, O.WriteProject)) return false;
    Asked = AskedEntries(Project);
    Run.BeginBusy();
    CheckFolder(Run, Project.HomeDir, true);
    Run.EndBusy();
    return true;
}

bool CheckProjectFile(TRunContext& Run, const TCheckOptions& O, TAskedEntries& Asked) {
    if (!ReadProject(Run, O.ProjectFile)) return false; // it says why
    std::vector<std::string>& Patterns = Run.CurrentProject.IgnoreLinks;
    Patterns.insert(Patterns.end(), O.IgnoreLinks.begin(), O.IgnoreLinks.end());
    // What the file asks for, before the check drops the entries that name nothing.
    Asked = AskedEntries(Run.CurrentProject);
    CheckProject(Run, O.ProjectFile);
    const std::string& Home = Run.CurrentProject.HomeDir;
    if (Home.empty())
        Run.Host.ShowMessageBox(TMessageKind::mkError, Tr("ディレクトリが存在しません") + "\r\n");
    return !Home.empty() && DirExists(Home);
}

// Asks the servers about the site's external links, with the progress on the console line.
void CheckExternal(TRunContext& Run) {
    Run.External = CheckExternalLinks(
        SiteExternalLinks(Run), Run.Settings, TExternalCache::DefaultPath(),
        [&Run](size_t Done, size_t Total) {
            Run.SetStatusText(ExternalProgressText(Done, Total));
            Run.ShowProgress();
        },
        [] { return TConsoleHost::Interrupted(); });
    Run.SetStatusText("");
}

void WriteReport(TCheckOptions::TFormat Format, const TReportModel& Model) {
    // What the diagnoses and positions used in passing goes back to the system before the
    // report adds its own.
    malloc_trim(0);
    switch (Format) {
    case TCheckOptions::TFormat::fmText:
        WriteTextReport(std::cout, Model);
        break;
    case TCheckOptions::TFormat::fmJson:
        WriteJsonReport(std::cout, Model);
        break;
    case TCheckOptions::TFormat::fmGnu:
        WriteGnuReport(std::cout, Model);
        break;
    case TCheckOptions::TFormat::fmSarif:
        WriteSarifReport(std::cout, Model);
        break;
    }
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    InitCodePageFromLocale();
    InitTranslation(LocaleFolderFor(ExecutableFolder()));
    TConsoleHost::InstallInterruptHandler();

    TCheckOptions Options;
    try {
        Options = ParseCheckOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const EUsageError& E) {
        std::cerr << "orvel-check: " << E.what() << "\n" << UsageText();
        return ExitUsage;
    }
    if (Options.Help) {
        std::cout << UsageText();
        return ExitClean;
    }
    if (Options.Version) {
        std::cout << "orvel-check " << ORVEL_VERSION << "\n";
        return ExitClean;
    }

    TConsoleHost Host(!Options.Quiet && ::isatty(STDERR_FILENO));
    TRunContext Run(Host);
    try {
        Run.Settings = LoadSettings(Options);
    } catch (const EIniReadError& E) {
        Host.ShowMessageBox(TMessageKind::mkError, E.what());
        return ExitUsage;
    }
    TAskedEntries Asked;
    const bool Checked = Options.ProjectFile.empty() ? CheckFolderProject(Run, Options, Asked)
                                                     : CheckProjectFile(Run, Options, Asked);
    Host.EndProgress();
    if (!Checked) return ExitUsage;
    if (!TConsoleHost::Interrupted()) {
        std::error_code Error;
        const std::vector<std::string> Failures =
            RunFailures(Run, Asked,
                        IncludeTrailingSeparator(std::filesystem::current_path(Error).string(),
                                                 TPathStyle::psPosix));
        for (const std::string& Failure : Failures)
            std::cerr << "orvel-check: " << Escaped(Failure) << '\n';

        if (!Failures.empty()) return ExitUsage;
    }
    if (Run.Settings.CheckExternal && !TConsoleHost::Interrupted()) {
        CheckExternal(Run);
        Host.EndProgress();
    }

    // Only the text report leaves out where the invalid links stand.
    const TReportModel Model(Run, {TConsoleHost::Interrupted()},
                             Options.Format != TCheckOptions::TFormat::fmText);
    WriteReport(Options.Format, Model);
    // A report that did not reach its reader is no report: a full disk fails the run.
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "orvel-check: " << Tr("standard output: cannot write the report: ")

                  << std::strerror(errno != 0 ? errno : EIO) << '\n';
        std::exit(ExitUsage);
    }
    int Status = ExitClean;
    if (TConsoleHost::Interrupted())
        Status = ExitInterrupted;
    else if (Model.InvalidLinks > 0 || !Model.Orphans.empty() || !Model.Errors.empty() ||
             (Options.FailExternal && Model.ExternalBroken > 0))
        Status = ExitFound;
    // Ends here without freeing the site's objects one by one, which takes a while.
    std::exit(Status);
}
