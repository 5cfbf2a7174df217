#include "support/DefaultEditor.h"

#include "support/CommandLine.h"
#include "support/DesktopEntry.h"
#include "support/StartProgram.h"
#include "support/UrlText.h"

#include <cstdlib>

namespace orvel {

namespace {

// The folders of an environment variable written as PATH is, or of Fallback when it is unset.
std::vector<std::string> FolderList(const std::string& Value, const std::string& Fallback) {
    const std::string& Folders = Value.empty() ? Fallback : Value;
    std::vector<std::string> Result;
    for (size_t Start = 0; Start <= Folders.size();) {
        size_t End = Folders.find(':', Start);
        if (End == std::string::npos) End = Folders.size();
        if (End > Start) Result.push_back(Folders.substr(Start, End - Start));
        Start = End + 1;
    }
    return Result;
}

// The data folders that desktop entries are looked up in, the user's own first.
std::vector<std::string> DataFolders(const TEditorEnvironment& Environment) {
    std::string Home = Environment.Variable("XDG_DATA_HOME");
    if (Home.empty()) Home = Environment.Variable("HOME") + "/.local/share";
    std::vector<std::string> Folders{Home};
    for (std::string& Folder :
         FolderList(Environment.Variable("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"))
        Folders.push_back(std::move(Folder));
    return Folders;
}

// Command run inside the desktop's terminal window: $TERMINAL, else the first known one in PATH.
TProgramCommand InTerminal(const TEditorEnvironment& Environment, TProgramCommand Command,
                           const std::string& SearchPath) {
    std::string Terminal = Environment.Variable("TERMINAL");
    for (const char* Known :
         {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm"}) {
        if (!Terminal.empty()) break;
        if (!FindProgram(Known, SearchPath).empty()) Terminal = Known;
    }
    if (Terminal.empty()) return {};
    // The option after which the rest of the arguments are the command to run.
    const std::string Name = Terminal.substr(Terminal.rfind('/') + 1);
    const char* Run = Name == "gnome-terminal" ? "--" : Name == "xfce4-terminal" ? "-x" : "-e";
    TProgramCommand Wrapped{Terminal, {Run, std::move(Command.Program)}};
    for (std::string& Argument : Command.Arguments)
        Wrapped.Arguments.push_back(std::move(Argument));
    return Wrapped;
}

} // namespace

TEditorEnvironment TEditorEnvironment::Current() {
    TEditorEnvironment Environment;
    Environment.Variable = [](const std::string& Name) {
        const char* Value = std::getenv(Name.c_str());
        return std::string(Value ? Value : "");
    };
    Environment.DefaultTextEntry = QueryDefaultDesktopEntry("text/plain");
    return Environment;
}

TProgramCommand DefaultEditorCommand(const TEditorEnvironment& Environment, const std::string& Path,
                                     const std::string* Line) {
    std::string SearchPath = Environment.Variable("PATH");
    if (SearchPath.empty()) SearchPath = "/usr/local/bin:/usr/bin:/bin";
    const std::string EntryFile =
        FindDesktopEntry(Environment.DefaultTextEntry, DataFolders(Environment));
    const auto Entry = EntryFile.empty() ? std::nullopt : ReadDesktopEntry(EntryFile);
    // An entry whose program is not installed counts as none.
    if (Entry && !FindProgram(Entry->Exec.front(), SearchPath).empty()) {
        TProgramCommand Command{Entry->Exec.front(), {}};
        Command.Arguments = ExpandFieldCodes({Entry->Exec.begin() + 1, Entry->Exec.end()}, Path,
                                             "file://" + PercentEncodedPath(Path));
        return Entry->Terminal ? InTerminal(Environment, std::move(Command), SearchPath) : Command;
    }
    std::string Editor = Environment.Variable("VISUAL");
    if (Editor.empty()) Editor = Environment.Variable("EDITOR");
    std::vector<std::string> Words = SplitCommandLine(Editor);
    if (Words.empty()) return {};
    TProgramCommand Command{Words.front(), {Words.begin() + 1, Words.end()}};
    if (Line) Command.Arguments.push_back("+" + *Line);
    Command.Arguments.push_back(Path);
    return InTerminal(Environment, std::move(Command), SearchPath);
}

} // namespace orvel
