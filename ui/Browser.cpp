#include "ui/Browser.h"

#include "support/DesktopEntry.h"
#include "support/StartProgram.h"

#include <QStandardPaths>

namespace orvel::ui {

TBrowser TBrowser::FindDefault() {
    TBrowser Browser;
    const std::string Id = QueryDefaultDesktopEntry("text/html");
    const QString DesktopFile = Id.empty()
                                    ? QString()
                                    : QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                             QString::fromStdString(Id));
    const auto Entry =
        DesktopFile.isEmpty() ? std::nullopt : ReadDesktopEntry(DesktopFile.toStdString());
    if (Entry &&
        !QStandardPaths::findExecutable(QString::fromStdString(Entry->Exec.front())).isEmpty()) {
        Browser.Program = Entry->Exec.front();
        Browser.Arguments.assign(Entry->Exec.begin() + 1, Entry->Exec.end());
        return Browser;
    }
    Browser.Program = QStandardPaths::findExecutable(QStringLiteral("xdg-open")).toStdString();
    return Browser;
}

void TBrowser::OpenURL(const std::string& Document) const {
    if (!Found() || !StartDetached(Program, ExpandFieldCodes(Arguments, Document, Document)))
        throw EBrowserError();
}

} // namespace orvel::ui
