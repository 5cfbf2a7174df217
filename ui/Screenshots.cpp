// screenshots OUTDIR PROJECT: writes PNGs of the main window with the sample project checked
// (TOP page, orphan, blue page, excluded file, coloured folders), of the link popup with its
// tag-jump items, of the replacement dialog, of the project window beside the main window, of
// each settings tab and of the folder dialog, for a person to look at.
#include "analysis/CheckRun.h"
#include "support/CodePage.h"
#include "support/Translation.h"
#include "ui/Application.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProjectWindow.h"
#include "ui/ReplaceDialog.h"
#include "ui/SettingsWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/UiServices.h"

#include <QCursor>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
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

// A window with open popup menus drawn over it where they stand on the screen.
void SaveWithMenus(QWidget& Window, std::initializer_list<QMenu*> Menus, const QString& Path) {
    QRect Area = Window.frameGeometry();
    for (QMenu* Menu : Menus)
        Area |= Menu->geometry();
    QPixmap Picture(Area.size());
    Picture.fill(Qt::white);
    QPainter Painter(&Picture);
    Painter.drawPixmap(Window.geometry().topLeft() - Area.topLeft(), Window.grab());
    for (QMenu* Menu : Menus)
        Painter.drawPixmap(Menu->geometry().topLeft() - Area.topLeft(), Menu->grab());
    Painter.end();
    Picture.save(Path);
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
    // In the language of the environment, as the program shows them.
    InitTranslation(LocaleFolderFor(QCoreApplication::applicationDirPath().toStdString() + "/"));
    InstallQtTranslation(App);
    const QString Out = QString::fromLocal8Bit(argv[1]) + "/";
    TQuietServices Services;
    TMainWindow Form(Services, (Out + "screenshots.ini").toStdString());
    Form.resize(760, 560);
    Form.show();
    Form.Start({QString::fromLocal8Bit(argv[2])});
    Form.ExpandAllItemClick();
    // Show the links of a page that has all three kinds.
    for (const auto& File : Form.Run.FileObjects)
        if (File->Node->Text == "news.html")
            Form.SiteTreeView->setCurrentIndex(Form.TreeModel->IndexOf(File->Node));
    App.processEvents();
    Save(Form, Out + "main-window.png");

    // The popup of a link that occurs in its page twice, with the places offered for a tag jump.
    for (const auto& File : Form.Run.FileObjects)
        if (File->Node->Text == "index.html")
            Form.SiteTreeView->setCurrentIndex(Form.TreeModel->IndexOf(File->Node));
    QListWidget* Links = Form.ValidLinkList;
    const QListWidgetItem* Link = Links->findItems("docs/guide.html", Qt::MatchExactly).value(0);
    if (Link) {
        Links->setCurrentItem(const_cast<QListWidgetItem*>(Link));
        const QRect Row = Links->visualItemRect(Link);
        QCursor::setPos(
            Links->viewport()->mapToGlobal(Row.topLeft() + QPoint(40, Row.height() / 2)));
        Form.ShowLinkPopup(Links);
        const QRect Item = Form.LinkPopupMenu->actionGeometry(Form.TagJumpItem);
        Form.LinkPopupMenu->setActiveAction(Form.TagJumpItem);
        Form.TagJumpMenu->popup(Form.LinkPopupMenu->mapToGlobal(Item.topRight()));
        App.processEvents();
        SaveWithMenus(Form, {Form.LinkPopupMenu, Form.TagJumpMenu}, Out + "link-popup.png");
        Form.TagJumpMenu->hide();
        Form.LinkPopupMenu->hide();
        Form.ReplaceDialog->Fill("index.html", Link->text(), Link->text(), PlacesText(1, 1));
        Form.ReplaceDialog->show();
        App.processEvents();
        Save(*Form.ReplaceDialog, Out + "replace-dialog.png");
        Form.ReplaceDialog->hide();
    }

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
