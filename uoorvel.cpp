// uoorvel: the desktop program. Its argument, when given, is a site's folder or a project file.
#include "project/Settings.h"
#include "support/CodePage.h"
#include "support/Translation.h"
#include "ui/Application.h"
#include "ui/Browser.h"
#include "ui/Encoding.h"
#include "ui/MainWindow.h"
#include "ui/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <clocale>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

constexpr int ExitUsage = 2;

// Given to the catalogue where it is printed: the language is chosen at the start of main.
const char* const UsageText = QT_TR_NOOP(
    "Usage: uoorvel [OPTION]... [FOLDER | PROJECT.opr]\n"
    "Check the links of the static web site in FOLDER, or of the project PROJECT.opr, in a\n"
    "window.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "The options of Qt programs, such as -platform and -style, are accepted as well.\n");

// Whether the arguments ask for text only; answered before Qt looks for a display.
const char* TextRequested(int Count, char** Arguments) {
    for (int I = 1; I < Count && std::strcmp(Arguments[I], "--") != 0; ++I)
        if (std::strcmp(Arguments[I], "--help") == 0 || std::strcmp(Arguments[I], "--version") == 0)
            return Arguments[I];
    return nullptr;
}

// The folder or project of the arguments Qt left, or an error text.
QStringList SiteArguments(const QStringList& Arguments, QString& Error) {
    QStringList Sites;
    bool Options = true;
    for (const QString& Argument : Arguments) {
        if (Options && Argument == QLatin1String("--"))
            Options = false;
        else if (Options && Argument.size() > 1 && Argument.startsWith(QLatin1Char('-'))) {
            Error = orvel::ui::QTr("unknown option ") + Argument;
            return {};
        } else
            Sites << Argument;
    }
    if (Sites.size() > 1) Error = orvel::ui::QTr("give one FOLDER or PROJECT.opr");
    return Sites;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    orvel::InitCodePageFromLocale();
    // The catalogues lie beside the program or below its prefix; /proc names the program.
    std::error_code NoPath;
    orvel::InitTranslation(orvel::LocaleFolderFor(
        std::filesystem::read_symlink("/proc/self/exe", NoPath).parent_path().string() + "/"));
    if (const char* Request = TextRequested(argc, argv)) {
        if (std::strcmp(Request, "--help") == 0)
            std::cout << orvel::Tr(UsageText);
        else
            std::cout << "uoorvel " << ORVEL_VERSION << "\n";
        return 0;
    }
    orvel::ui::TApplication App(argc, argv);
    orvel::ui::InstallQtTranslation(App);
    QString Error;
    const QStringList Sites = SiteArguments(App.arguments().mid(1), Error);
    if (!Error.isEmpty()) {
        std::cerr << "uoorvel: " << orvel::ui::FromQString(Error)
                  << orvel::Tr("\nTry 'uoorvel --help'.\n");
        return ExitUsage;
    }
    const orvel::ui::TBrowser Browser = orvel::ui::TBrowser::FindDefault();
    const std::string SettingsPath =
        orvel::SettingsFilePath(App.applicationFilePath().toStdString());
    // The per-user folder of an installed program may not exist yet: the window positions
    // written at the first shutdown need it.
    QDir().mkpath(QFileInfo(QString::fromStdString(SettingsPath)).absolutePath());
    orvel::ui::TQtServices Services;
    orvel::ui::TMainWindow MainWindow(Services, SettingsPath);
    MainWindow.Browser = Browser;
    Services.SetOwner(&MainWindow);
    MainWindow.show();
    MainWindow.Start(Sites);
    return App.exec();
}
