#include "ui/Browser.h"

#include "support/CommandLine.h"
#include "support/StartProgram.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace orvel::ui {

namespace {

// The value of the Exec key of a desktop entry file, its escapes (\s, \n, \t, \r, \\) undone.
std::string ExecValue(const QString& DesktopFile) {
    QFile File(DesktopFile);
    if (!File.open(QIODevice::ReadOnly)) return {};
    bool InEntry = false;
    while (!File.atEnd()) {
        const QByteArray Line = File.readLine().trimmed();
        if (Line.startsWith('[')) InEntry = Line == "[Desktop Entry]";
        const qsizetype Equals = Line.indexOf('=');
        if (!InEntry || Equals < 0 || Line.left(Equals).trimmed() != "Exec") continue;
        const QByteArray Value = Line.mid(Equals + 1).trimmed();
        std::string Result;
        for (qsizetype I = 0; I < Value.size(); ++I) {
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
    return {};
}

// The arguments of a desktop entry with the document put in: %f %F %u %U become the document,
// %% a percent sign, other field codes go; without a place for it the document comes last.
std::vector<std::string> ExpandFieldCodes(const std::vector<std::string>& Arguments,
                                          const std::string& Document) {
    std::vector<std::string> Result;
    bool Placed = false;
    for (const std::string& Argument : Arguments) {
        std::string Expanded;
        bool OnlyCodes = true;
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
                Expanded += Document;
                OnlyCodes = false;
                Placed = true;
            }
        }
        if (!OnlyCodes) Result.push_back(std::move(Expanded));
    }
    if (!Placed) Result.push_back(Document);
    return Result;
}

// The desktop entry that xdg-mime names for HTML, or empty.
QString DefaultHtmlEntry() {
    QProcess Query;
    Query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!Query.waitForFinished(5000)) {
        Query.kill();
        Query.waitForFinished();
        return {};
    }
    return QString::fromUtf8(Query.readAllStandardOutput()).section('\n', 0, 0).trimmed();
}

} // namespace

TBrowser TBrowser::FindDefault() {
    TBrowser Browser;
    const QString Entry = DefaultHtmlEntry();
    const QString DesktopFile =
        Entry.isEmpty() ? QString()
                        : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, Entry);
    if (!DesktopFile.isEmpty()) {
        std::vector<std::string> Exec =
            SplitCommandLine(ExecValue(DesktopFile), TQuoting::qtBackslashInQuotes);
        if (!Exec.empty() &&
            !QStandardPaths::findExecutable(QString::fromStdString(Exec.front())).isEmpty()) {
            Browser.Program = Exec.front();
            Browser.Arguments.assign(Exec.begin() + 1, Exec.end());
            return Browser;
        }
    }
    Browser.Program = QStandardPaths::findExecutable(QStringLiteral("xdg-open")).toStdString();
    return Browser;
}

void TBrowser::OpenURL(const std::string& Document) const {
    if (!Found() || !StartDetached(Program, ExpandFieldCodes(Arguments, Document)))
        throw EBrowserError();
}

} // namespace orvel::ui
