// uoorvel: the desktop program. Its first argument, when given, is a project file.
#include "project/Settings.h"
#include "support/CodePage.h"
#include "ui/Application.h"
#include "ui/Browser.h"
#include "ui/MainWindow.h"
#include "ui/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    orvel::InitCodePageFromLocale();
    orvel::ui::TApplication App(argc, argv);
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
    MainWindow.Start(App.arguments().mid(1));
    return App.exec();
}
