// uoorvel: the desktop program. Its first argument, when given, is a project file.
#include "mylib/CodePage.h"
#include "project/Settings.h"
#include "ui/Application.h"
#include "ui/UiServices.h"
#include "ui/mainform.h"

#include <clocale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    orvel::InitCodePageFromLocale();
    orvel::ui::TApplication App(argc, argv);
    orvel::ui::TQtServices Services;
    orvel::ui::TForm1 Form1(Services,
                            orvel::SettingsFilePath(App.applicationFilePath().toStdString()));
    Services.SetOwner(&Form1);
    Form1.show();
    Form1.Start(App.arguments().mid(1));
    return App.exec();
}
