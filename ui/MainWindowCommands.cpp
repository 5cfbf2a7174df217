// TMainWindow's commands: the toolbar buttons, what is dropped on the window and the items of
// the tree's popup menu.
#include "ui/MainWindow.h"

#include "analysis/CheckRun.h"
#include "analysis/ExternalApps.h"
#include "analysis/StringReplacement.h"
#include "analysis/TreeCommands.h"
#include "analysis/UndoHistory.h"
#include "support/CodePage.h"
#include "support/IniFile.h"
#include "support/Translation.h"
#include "ui/AboutBox.h"
#include "ui/Encoding.h"
#include "ui/ExternalLinkCheck.h"
#include "ui/FolderDialog.h"
#include "ui/ProjectWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/UiServices.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace orvel::ui {

void TMainWindow::FormDropFiles(const QStringList& Paths) {
    // A run's loops are not re-entrant: a drop while busy is ignored like a drop of several.
    if (Paths.size() != 1 || Run.Busy()) return;
    raise();
    activateWindow();
    const std::string Path = FromQString(Paths.first());
    const QFileInfo Info(Paths.first());
    if (!Info.exists() && !Info.isSymLink()) return;
    if (!MayCloseProject()) return;
    if (Info.isDir())
        OpenFolder(Run, Path);
    else if (AsciiUpperCase(ExtractExtension(Path, TPathStyle::psPosix)) == ".OPR")
        OpenProject(Path);
    else
        OpenFolder(Run, ContainingFolder(Path, TPathStyle::psPosix));
    RememberLastOpened();
}

void TMainWindow::OpenProject(const std::string& Path) {
    if (!LoadProject(Run, Path)) return;
    SaveDialogFileName = Path;
    RememberLastOpened();
}

void TMainWindow::OpenFolderButtonClick() {
    if (!MayCloseProject()) return;
    HomeFolderDialog->HomeFolderName = ToQString(Run.CurrentProject.HomeDir);
    if (!HomeFolderDialog->Execute()) return;
    OpenFolder(Run, FromQString(HomeFolderDialog->FolderName));
    RememberLastOpened();
    HomeFolderDialog->SelectFolder = TSelectFolder::sfManual;
    HomeFolderDialog->SelectFolderName = HomeFolderDialog->FolderName;
}

void TMainWindow::ChangeHomeFolderClick() {
    HomeFolderDialog->HomeFolderName = ToQString(Run.CurrentProject.HomeDir);
    if (!HomeFolderDialog->Execute()) return;
    if (!ChangeHomeFolder(Run, FromQString(HomeFolderDialog->FolderName))) return;
    RememberLastOpened();
    HomeFolderDialog->SelectFolder = TSelectFolder::sfManual;
    HomeFolderDialog->SelectFolderName = HomeFolderDialog->FolderName;
}

void TMainWindow::OpenProjectButtonClick() {
    if (!MayCloseProject()) return;
    const QString Path =
        Services.ChooseFileToOpen(this, QTr("プロジェクトファイルを開く"),
                                  QTr("Orvelプロジェクトファイル(*.opr);;すべてのファイル(*.*)"));
    if (!Path.isEmpty()) OpenProject(FromQString(Path));
}

void TMainWindow::SaveProjectButtonClick() {
    SaveCurrentProject(true);
}

void TMainWindow::SaveProjectOverClick() {
    SaveCurrentProject(false);
}

bool TMainWindow::SaveCurrentProject(bool ChooseFile) {
    std::string Path = Run.CurrentProject.FileName;
    if (ChooseFile || Path.empty()) {
        const QString Chosen = Services.ChooseFileToSave(
            this, QTr("プロジェクトファイルを保存"), QTr("Orvelプロジェクトファイル(*.opr)"),
            QStringLiteral("opr"), ToQString(SaveDialogFileName));
        if (Chosen.isEmpty()) return false;
        Path = FromQString(Chosen);
    }
    try {
        SaveProject(Run, Path);
    } catch (const EIniWriteError& E) {
        Services.ShowMessageBox(TMessageKind::mkError, E.what());
        return false;
    }
    SaveDialogFileName = Path;
    RememberLastOpened();
    return true;
}

bool TMainWindow::MayCloseProject() {
    if (!Run.CurrentProject.Modified()) return true;
    switch (Services.AskToSave(this, ToQString(Tr("プロジェクト「") + Run.CurrentProject.Name() +
                                               Tr("」への変更を保存しますか")))) {
    case TSaveAnswer::saSave:
        return SaveCurrentProject(false);
    case TSaveAnswer::saDiscard:
        return true;
    case TSaveAnswer::saCancel:
        break;
    }
    return false;
}

void TMainWindow::ReopenButtonClick() {
    Reopen(Run);
}

void TMainWindow::UndoButtonClick() {
    if (!Run.Busy()) UndoLastStep(Run);
}

void TMainWindow::HaltButtonClick() {
    if (Run.Busy()) Run.Halted = true;
    ExternalCheck->Halt();
}

void TMainWindow::SettingsButtonClick() {
    ReadSettingsFile();
    const bool IgnoreCase = Run.Settings.IgnoreCase, ModernHTML = Run.Settings.ModernHTML,
               CheckExternal = Run.Settings.CheckExternal;
    if (SettingsWindow->exec() == QDialog::Accepted) {
        Run.Settings = SettingsWindow->Settings();
        try {
            QDir().mkpath(ToQString(ExtractFolder(SettingsPath, TPathStyle::psPosix)));
            TIniFile File(SettingsPath);
            WriteSettings(Run.Settings, File);
            File.UpdateFile();
        } catch (const EIniFileError&) {
            // The values stay in force until the next reading of the file.
            Services.Beep(TBeepKind::bkExclamation);
            Services.ShowMessageBox(TMessageKind::mkError,
                                    SettingsPath + "\r\n" + Tr("に書き込みできませんでした"));
        }
    } else {
        ReadSettingsFile();
    }
    // The rules that read the pages changed: the site is read again.
    if (Run.Settings.ModernHTML != ModernHTML)
        Reopen(Run);
    else if (Run.Settings.IgnoreCase != IgnoreCase)
        Recheck(Run);
    else if (Run.Settings.CheckExternal && !CheckExternal && !Run.FileObjects.Empty())
        StartExternalCheck();
    // Off, nothing more is asked and nothing of the servers' answers shown.
    if (!Run.Settings.CheckExternal) {
        ExternalCheck->Halt();
        Run.External = {};
        ShowExternalResults();
    }
}

void TMainWindow::AboutButtonClick() {
    AboutBox->exec();
}

bool TMainWindow::Offers(const QAction* Item) {
    TreePopupMenuPopup(); // a shortcut acts only where the menu would offer its item
    return Item->isEnabled();
}

void TMainWindow::MarkTopClick() {
    if (Offers(MarkTop)) ToggleTopMark(Run);
}

void TMainWindow::UnMarkTopAllClick() {
    if (Offers(UnMarkTopAll)) RemoveAllTopMarks(Run);
}

void TMainWindow::IgnoreItemClick() {
    if (Offers(IgnoreItem)) ToggleExclusion(Run);
}

void TMainWindow::SameNameIgnoreItemClick() {
    if (Offers(IgnoreSeveralItem)) IgnoreSameName(Run);
}

void TMainWindow::SameExtIgnoreItemClick() {
    if (Offers(IgnoreSeveralItem)) IgnoreSameExtension(Run);
}

void TMainWindow::DeleteItemClick() {
    if (Offers(DeleteItem)) DeleteSelectedItem(Run);
}

void TMainWindow::OpenWithExternalAppClick() {
    if (Offers(OpenWithExternalApp)) OpenInExternalApp(Run);
}

void TMainWindow::OpenWithBrowserClick() {
    if (Offers(OpenWithBrowser)) OpenSelectedInBrowser();
}

void TMainWindow::OpenSelectedInBrowser() {
    const TTreeNode* Node = SelectedNode();
    if (!Node || !Node->Parent || !Node->Data) {
        Run.Beep(TBeepKind::bkDefault);
        return;
    }
    OpenURL(Node->Data->Path);
}

void TMainWindow::OpenURL(const std::string& Document) {
    try {
        Browser.OpenURL(Document);
    } catch (const EBrowserError& E) {
        Run.ShowMessageBox(TMessageKind::mkError, E.what());
    }
}

void TMainWindow::ShowProjectWindowItemClick() {
    PlaceProjectWindow();
    ProjectWindow->show();
    ProjectWindow->raise();
    ProjectWindow->activateWindow();
}

} // namespace orvel::ui
