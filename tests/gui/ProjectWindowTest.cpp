// The project information window: its lists as the project's views, the Delete and Enter keys,
// the wildcard controls, its folder dialogs, jumps to files, the busy state, and where it stands
// from one start to the next.
#include "GuiTestSupport.h"

#include "analysis/Reachability.h"
#include "support/CodePage.h"
#include "support/IniFile.h"
#include "ui/FolderDialog.h"
#include "ui/ProjectWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace orvel;
using namespace orvel::test;
using namespace orvel::ui;

namespace {

std::vector<int> SelectedRows(const QListWidget* List) {
    std::vector<int> Rows;
    for (int I = 0; I < List->count(); ++I)
        if (List->item(I)->isSelected()) Rows.push_back(I);
    return Rows;
}

void SelectRows(QListWidget* List, const std::vector<int>& Rows, int Focus) {
    List->setCurrentRow(Focus, QItemSelectionModel::ClearAndSelect);
    List->clearSelection();
    for (int Row : Rows)
        List->item(Row)->setSelected(true);
}

// Answers the next opening of a folder dialog: OK on the folder it opens at, or Cancel.
void AnswerDialog(TFolderDialog* Browse, const QString& Folder, bool Ok) {
    Browse->SelectFolder = sfManual;
    Browse->SelectFolderName = Folder;
    auto* Once = new QObject(Browse);
    QObject::connect(Browse, &TFolderDialog::DialogShown, Once, [=](QDialog* Dialog) {
        delete Once;
        if (Ok)
            Dialog->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        else
            Dialog->reject();
    });
}

class ProjectWindowTest : public TMainWindowTest {
protected:
    ProjectWindowTest() : Window(*Form->ProjectWindow) {
        Site.Write("index.html", "<a href=p0.html>");
        for (int I = 0; I < 5; ++I)
            Site.Write("p" + std::to_string(I) + ".html", "");
        Open();
    }
    TFileObject& File(const std::string& Relative) { return *Node(Relative)->Data; }

    TProjectWindow& Window;
};

TEST_F(ProjectWindowTest, DeleteInTheTopListRemovesTheSelectedFilesThatExist) {
    struct TCase {
        std::vector<int> Selected;
        int Focus;
        QStringList Remaining;
        std::vector<int> SelectedAfter;
    };
    const TCase Cases[] = {
        {{1, 2, 3}, 1, {"P0", "P4", "X"}, {1}},          // the entry now at the focus row
        {{1, 2, 3}, 5, {"P0", "P4", "X"}, {2}},          // past the end: the last entry
        {{0, 1, 5}, 0, {"P2", "P3", "P4", "X"}, {0, 3}}, // no file: stays, and stays selected
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Focus);
        TOrvelProject& Project = Form->Run.CurrentProject;
        Project.ClearTopFiles();
        for (int I = 0; I < 5; ++I)
            Project.AddTopFile(Site.Path() + "p" + std::to_string(I) + ".html");
        MarkReachability(Form->Run);
        Project.AddTopFile("/nowhere/x");
        SelectRows(Window.TopFileList, C.Selected, C.Focus);
        QTest::keyClick(Window.TopFileList, Qt::Key_Delete);
        QStringList Names;
        for (const QString& Entry : Items(Window.TopFileList))
            Names << Entry.section('/', -1).section('.', 0, 0);
        EXPECT_EQ(Names, C.Remaining);
        EXPECT_EQ(SelectedRows(Window.TopFileList), C.SelectedAfter);
        EXPECT_EQ(int(Project.TopFiles.size()), Window.TopFileList->count());
        for (int Row : C.Selected)
            if (Row < 5) {
                EXPECT_EQ(File("p" + std::to_string(Row) + ".html").ReachState, rsReached);
            }
    }
}

TEST_F(ProjectWindowTest, DeleteInTheExcludedListIncludesTheFilesAgain) {
    File("p1.html").SetIgnored(true);
    File("p3.html").SetIgnored(true);
    ASSERT_EQ(Window.IgnoreFileList->count(), 2);
    SelectRows(Window.IgnoreFileList, {0, 1}, 1);
    QTest::keyClick(Window.IgnoreFileList, Qt::Key_Delete);
    EXPECT_EQ(Window.IgnoreFileList->count(), 0);
    EXPECT_FALSE(File("p1.html").Ignored);
    EXPECT_EQ(Node("p3.html")->OverlayIndex, -1);
}

TEST_F(ProjectWindowTest, WildCardsAreAddedAsTypedAndDeletedOneAtATime) {
    QTest::keyClick(Window.WildCardEdit, Qt::Key_Return);
    EXPECT_EQ(Window.WildCardList->count(), 0);
    Window.WildCardEdit->setText(" *.Bak ");
    QTest::keyClick(Window.WildCardEdit, Qt::Key_Return);
    EXPECT_EQ(Form->Run.CurrentProject.WildCards, std::vector<std::string>{" *.Bak "});
    EXPECT_TRUE(Window.WildCardEdit->text().isEmpty());

    const std::string Folder = Site.MakeDir("drafts");
    for (int I = 0; I < 2; ++I) {
        AnswerDialog(Window.IgnoreFolderDialog, QString::fromStdString(Folder), true);
        Window.AddFolderButton->click();
    }
    AnswerDialog(Window.IgnoreFolderDialog, QString::fromStdString(Folder), false);
    Window.AddFolderButton->click(); // Cancel adds nothing
    const QString Entry = QString::fromStdString(AnsiUpperCase(Folder));
    EXPECT_EQ(Items(Window.WildCardList), QStringList({" *.Bak ", Entry, Entry}));

    Window.WildCardList->setCurrentRow(2);
    QTest::keyClick(Window.WildCardList, Qt::Key_Delete);
    EXPECT_EQ(Items(Window.WildCardList), QStringList({" *.Bak ", Entry}));
    EXPECT_EQ(SelectedRows(Window.WildCardList), std::vector<int>{1}); // the entry before
    Window.WildCardList->setCurrentRow(0);
    Window.DeleteWildCardButton->click();
    EXPECT_EQ(Items(Window.WildCardList), QStringList{Entry});
    EXPECT_EQ(SelectedRows(Window.WildCardList), std::vector<int>{}); // not restored
}

TEST_F(ProjectWindowTest, ServerRootDialogSetsTheFolderAndCancelClearsIt) {
    const QString Folder = QString::fromStdString(Site.MakeDir("root"));
    AnswerDialog(Window.ServerRootFolderDialog, Folder, true);
    Window.ServerRootButton->click();
    EXPECT_EQ(Form->Run.CurrentProject.ServerRoot, Folder.toStdString());
    EXPECT_EQ(Window.ServerRootLabel->text(), Folder);
    EXPECT_EQ(Window.ServerRootFolderDialog->SelectFolderName + "/", Folder); // opens there next
    AnswerDialog(Window.ServerRootFolderDialog, Folder, false);
    Window.ServerRootButton->click();
    EXPECT_EQ(Form->Run.CurrentProject.ServerRoot, "");
    EXPECT_EQ(Window.ServerRootLabel->text(), "未設定");
    EXPECT_EQ(Window.HomeDirLabel->text(), QString::fromStdString(Site.Path()));
}

TEST_F(ProjectWindowTest, JumpsSelectTheFileOrClearTheSelection) {
    Form->Run.CurrentProject.AddTopFile(Site.Path() + "index.html");
    Form->Run.CurrentProject.AddTopFile("/nowhere/x.html");
    const QPoint Entry = Window.TopFileList->visualItemRect(Window.TopFileList->item(0)).center();
    QTest::mouseClick(Window.TopFileList->viewport(), Qt::LeftButton, {}, Entry);
    QTest::mouseDClick(Window.TopFileList->viewport(), Qt::LeftButton, {}, Entry);
    EXPECT_EQ(Form->Run.Tree.Selected(), Node("index.html"));
    EXPECT_EQ(Items(Form->ValidLinkList), QStringList{"p0.html"});
    EXPECT_TRUE(Form->isActiveWindow());
    QApplication::setActiveWindow(&Window); // Enter goes to the active window
    Window.TopFileList->setFocus();
    Window.TopFileList->setCurrentRow(1);
    QTest::keyClick(Window.TopFileList, Qt::Key_Return);
    EXPECT_EQ(Form->Run.Tree.Selected(), nullptr);
    EXPECT_EQ(Form->ValidLinkList->count(), 0);
}

TEST_F(ProjectWindowTest, ClosingHidesAndBusyDisablesTheEditing) {
    Form->Run.CurrentProject.AddWildCard("*.tmp");
    Window.close();
    EXPECT_FALSE(Window.isVisible());
    Form->ShowProjectWindowItem->trigger();
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Items(Window.WildCardList), QStringList{"*.tmp"});

    int HomeDialogs = 0;
    QObject::connect(Form->HomeFolderDialog, &TFolderDialog::DialogShown, [&](QDialog* Dialog) {
        ++HomeDialogs;
        Dialog->reject();
    });
    const std::vector<QWidget*> Editing = {Window.TopFileList,       Window.IgnoreFileList,
                                           Window.WildCardList,      Window.WildCardEdit,
                                           Window.AddWildCardButton, Window.DeleteWildCardButton};
    Form->Run.BeginBusy();
    for (QWidget* W : Editing)
        EXPECT_FALSE(W->isEnabled());
    EXPECT_TRUE(Window.ServerRootButton->isEnabled());
    EXPECT_TRUE(Window.AddFolderButton->isEnabled());
    Window.HomeButton->click();
    EXPECT_EQ(HomeDialogs, 0);
    Form->Run.EndBusy();
    for (QWidget* W : Editing)
        EXPECT_TRUE(W->isEnabled());
    Window.HomeButton->click();
    EXPECT_EQ(HomeDialogs, 1);
}

TEST_F(ProjectWindowTest, PositionAndVisibilityLastFromOneStartToTheNext) {
    EXPECT_TRUE(Window.isVisible()); // shown at the first start
    Window.move(123, 45);
    Form->close();
    TIniFile Ini(SettingsPath());
    EXPECT_EQ(Ini.ReadInteger("ProjectWindowState", "Left", -1), 123);
    EXPECT_EQ(Ini.ReadInteger("ProjectWindowState", "Top", -1), 45);
    EXPECT_EQ(Ini.ReadString("ProjectWindowState", "Visible", ""), "1");

    TMainWindow Second(Services, SettingsPath());
    Second.show();
    Second.Start({});
    EXPECT_EQ(Second.ProjectWindow->pos(), QPoint(123, 45));
    EXPECT_TRUE(Second.ProjectWindow->isVisible());
    Second.ProjectWindow->close();
    Second.close();
    EXPECT_EQ(TIniFile(SettingsPath()).ReadString("ProjectWindowState", "Visible", ""), "0");

    TMainWindow Third(Services, SettingsPath());
    Third.show();
    Third.Start({});
    EXPECT_FALSE(Third.ProjectWindow->isVisible());
}

} // namespace
