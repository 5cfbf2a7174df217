#include "support/DesktopEntry.h"

#include "support/CommandLine.h"
#include "support/StartProgram.h"
#include "support/StringUtils.h"

#include <fstream>

namespace orvel {

namespace {

// A value with the escapes of the format undone: \s \n \t \r \\.
std::string Unescaped(const std::string& Value) {
    std::string Result;
    for (size_t I = 0; I < Value.size(); ++I) {
        if (Value[I] != '\\' || I + 1 == Value.size()) {
            Result.push_back(Value[I]);
            continue;
        }
        const char Next = Value[++I];
        Result.push_back(Next == 's'   ? ' '
                         : Next == 'n' ? '\n'
                         : Next == 't' ? '\t'
                         : Next == 'r' ? '\r'
                                       : Next);
    }
    return Result;
}

} // namespace

std::optional<TDesktopEntry> ReadDesktopEntry(const std::string& Path) {
    std::ifstream File(Path);
    if (!File) return std::nullopt;
    TDesktopEntry Entry;
    bool InEntry = false, HasExec = false;
    for (std::string Line; std::getline(File, Line);) {
        Line = Trimmed(Line, " \t\r");
        if (Line.starts_with('[')) InEntry = Line == "[Desktop Entry]";
        const size_t Equals = Line.find('=');
        if (!InEntry || Equals == std::string::npos) continue;
        const std::string Key = Trimmed(Line.substr(0, Equals));
        const std::string Value = Trimmed(Line.substr(Equals + 1));
        if (Key == "Exec" && !HasExec) {
            Entry.Exec = SplitCommandLine(Unescaped(Value), TQuoting::qtBackslashInQuotes);
            HasExec = true;
        } else if (Key == "Terminal") {
            Entry.Terminal = Value == "true";
        }
    }
    if (Entry.Exec.empty()) return std::nullopt;
    return Entry;
}

std::string QueryDefaultDesktopEntry(const std::string& MimeType) {
    using namespace std::chrono_literals;
    const auto Output = ReadProgramOutput("xdg-mime", {"query", "default", MimeType}, 5s);
    if (!Output) return {};
    // The first line; some desktops list several IDs there, separated by ";".
    const std::string Line = Output->substr(0, Output->find('\n'));
    return Trimmed(Line.substr(0, Line.find(';')));
}

std::string FindDesktopEntry(const std::string& Id, const std::vector<std::string>& DataFolders) {
    if (Id.empty() || Id.find('/') != std::string::npos) return {};
    for (const std::string& Folder : DataFolders) {
        std::string Path = Folder + "/applications/" + Id;
        if (FileExists(Path)) return Path;
    }
    return {};
}

std::vector<std::string> ExpandFieldCodes(const std::vector<std::string>& Arguments,
                                          const std::string& Path, const std::string& Url) {
    std::vector<std::string> Result;
    bool Placed = false;
    for (const std::string& Argument : Arguments) {
        std::string Expanded;
        bool OnlyCodes = true; // an argument of dropped codes alone is dropped itself
        for (size_t I = 0; I < Argument.size(); ++I) {
            const char Code = I + 1 < Argument.size() ? Argument[I + 1] : '\0';
            if (Argument[I] != '%' || Code == '\0') {
                Expanded.push_back(Argument[I]);
                OnlyCodes = false;
                continue;
            }
            ++I;
            if (Code == '%') {
                Expanded.push_back('%');
                OnlyCodes = false;
            } else if (Code == 'f' || Code == 'F' || Code == 'u' || Code == 'U') {
                Expanded += Code == 'f' || Code == 'F' ? Path : Url;
                OnlyCodes = false;
                Placed = true;
            }
        }
        if (!OnlyCodes) Result.push_back(std::move(Expanded));
    }
    if (!Placed) Result.push_back(Path);
    return Result;
}

} // namespace orvel
