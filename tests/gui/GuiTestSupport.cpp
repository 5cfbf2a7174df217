// The main of the GUI tests (one application object for every test, a trash of their own) and
// the main window fixture.
#include "GuiTestSupport.h"

#include "analysis/CheckRun.h"
#include "support/CodePage.h"
#include "ui/SiteTreeModel.h"
#include "ui/WrappedToolTip.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace orvel::test {

TMainWindowTest::TMainWindowTest()
    : Form(std::make_unique<ui::TMainWindow>(Services, SettingsPath())) {
    Form->Run.PumpInterval = std::chrono::milliseconds(0);
    Form->show();
    Form->Start({});
    Form->activateWindow(); // the offscreen platform activates the project window shown last
}

void TMainWindowTest::Open() {
    OpenFolder(Form->Run, Site.Path());
    Select("");
}

TTreeNode* TMainWindowTest::Node(const std::string& Relative) {
    return NodeAt(Form->Run.Tree, Relative);
}

void TMainWindowTest::Select(const std::string& Relative) {
    Form->SiteTreeView->setCurrentIndex(Form->TreeModel->IndexOf(Node(Relative)));
}

QStringList Items(const QListWidget* List) {
    QStringList Texts;
    for (int I = 0; I < List->count(); ++I)
        Texts << List->item(I)->text();
    return Texts;
}

void ClickItem(QListWidget* List, const QString& Text) {
    const QListWidgetItem* Item = List->findItems(Text, Qt::MatchExactly).value(0);
    ASSERT_TRUE(Item) << Text.toStdString();
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualItemRect(Item).center());
}

std::string TrashFiles() {
    return qEnvironmentVariable("XDG_DATA_HOME").toStdString() + "/Trash/files/";
}

} // namespace orvel::test

int main(int argc, char** argv) {
    orvel::SetCodePage(orvel::TCodePage::cpUtf8);
    // Deleted files go to a trash of the tests, never to the user's.
    const orvel::test::TTempDir DataHome;
    const std::string& Data = DataHome.Path();
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Data.substr(0, Data.size() - 1)));
    // The editor started when none is set is never one of the machine's: no desktop entries, no
    // $VISUAL or $EDITOR.
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(Data.substr(0, Data.size() - 1)));
    for (const char* Name : {"VISUAL", "EDITOR", "TERMINAL"})
        qunsetenv(Name);
    QApplication App(argc, argv);
    orvel::ui::WrapToolTips(App); // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
