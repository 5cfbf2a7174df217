// uoorvel: the desktop program. Its first argument, when given, is a project file.
#include "project/Settings.h"
#include "support/CodePage.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/UiServices.h"

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    orvel::InitCodePageFromLocale();
    orvel::ui::TApplication App(argc, argv);
    orvel::ui::TQtServices Services;
    orvel::ui::TMainWindow MainWindow(
        Services, orvel::SettingsFilePath(App.applicationFilePath().toStdString()));
    Services.SetOwner(&MainWindow);
    MainWindow.show();
    MainWindow.Start(App.arguments().mid(1));
    return App.exec();
}
