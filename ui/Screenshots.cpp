// screenshots OUTDIR PROJECT: writes PNGs of the main window with the sample project checked
// (TOP page, orphan, blue page, excluded file, coloured folders), of the project window beside
// it, of each settings tab and of the folder dialog, for a person to look at.
#include "analysis/CheckRun.h"
#include "support/CodePage.h"
#include "ui/Application.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProjectWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/UiServices.h"

#include <QDialog>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

using namespace orvel;
using namespace orvel::ui;

namespace {
void Save(QWidget& Widget, const QString& Path) {
    Widget.grab().save(Path);
    std::printf("%s\n", Path.toLocal8Bit().constData());
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshots OUTDIR PROJECT.opr\n");
        return 2;
    }
    InitCodePageFromLocale();
    TApplication App(argc, argv);
    const QString Out = QString::fromLocal8Bit(argv[1]) + "/";
    TQuietServices Services;
    TMainWindow Form(Services, (Out + "screenshots.ini").toStdString());
    Form.resize(760, 560);
    Form.show();
    Form.Start({QString::fromLocal8Bit(argv[2])});
    Form.expandAllNodeItemClick();
    // Show the links of a page that has all three kinds.
    for (const auto& File : Form.Run.FileObjects)
        if (File->Node->Text == "news.html")
            Form.SiteTreeView->setCurrentIndex(Form.TreeModel->IndexOf(File->Node));
    App.processEvents();
    Save(Form, Out + "main-window.png");

    // A rule and an ignored folder, so that every list of the project window shows something.
    Form.Run.CurrentProject.AddWildCard("*.bak");
    Form.Run.CurrentProject.AddIgnoreFolder(Form.Run.CurrentProject.HomeDir + "drafts");
    Form.ProjectWindow->move(Form.frameGeometry().topRight());
    Form.ProjectWindow->show();
    App.processEvents();
    Save(*Form.ProjectWindow, Out + "project-window.png");

    Form.SettingsWindow->ShowSettings(Form.Run.Settings);
    Form.SettingsWindow->show();
    auto* Tabs = Form.SettingsWindow->findChild<QTabWidget*>();
    for (int I = 0; Tabs && I < Tabs->count(); ++I) {
        Tabs->setCurrentIndex(I);
        App.processEvents();
        Save(*Form.SettingsWindow, Out + QString("settings-tab%1.png").arg(I + 1));
    }
    Form.SettingsWindow->hide();

    QObject::connect(Form.HomeFolderDialog, &TFolderDialog::DialogShown, [&](QDialog* Dialog) {
        QTimer::singleShot(300, [&, Dialog] {
            Save(*Dialog, Out + "folder-dialog.png");
            Dialog->reject();
        });
    });
    Form.HomeFolderDialog->SelectFolder = TSelectFolder::sfManual;
    Form.HomeFolderDialog->SelectFolderName =
        QString::fromStdString(Form.Run.CurrentProject.HomeDir);
    Form.HomeFolderDialog->Execute();
    return 0;
}
