// The main window driven as a user drives it: selection, popup menu, drops, busy state,
// settings.
#include "GuiTestSupport.h"

#include "analysis/CheckRun.h"
#include "support/CodePage.h"
#include "support/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/Placement.h"
#include "ui/SettingsWindow.h"
#include "ui/SiteTreeModel.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;
using namespace orvel::ui;

namespace {

QStringList Items(const QListWidget* List) {
    QStringList Texts;
    for (int I = 0; I < List->count(); ++I)
        Texts << List->item(I)->text();
    return Texts;
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        Site.WriteSite(
            {{"index.html", "<a href=a.html><a href=gone.html><a href=http://x/><h2 id=top>"},
             {"a.html", "<a href=index.html#top>"},
             {"docs/logo.gif", "GIF89a"},
             {"docs/notes.txt", ""}});
        Form = std::make_unique<TMainWindow>(Services, Config.Path() + "uoorvel.ini");
        Form->Run.PumpInterval = std::chrono::milliseconds(0);
        Form->show();
    }

    void Open() { OpenFolder(Form->Run, Site.Path()); }
    TTreeNode* Node(const std::string& Relative) {
        if (Relative.empty()) return &Form->Run.Tree.Root();
        for (TTreeNode* Folder : Form->Run.FolderNodes)
            if (Folder->Text == Relative) return Folder;
        return FindNodeByPath(Form->Run, Site.Path() + Relative, false);
    }
    void Select(TTreeNode* N) { Form->SiteTreeView->setCurrentIndex(Form->TreeModel->IndexOf(N)); }
    QStringList Enabled() {
        QStringList Names;
        const std::pair<QAction*, const char*> All[] = {{Form->OpenWithExternalApp, "open"},
                                                        {Form->OpenWithBrowser, "browser"},
                                                        {Form->MarkTop, "top"},
                                                        {Form->IgnoreItem, "ignore"},
                                                        {Form->IgnoreSeveralItem, "several"},
                                                        {Form->DeleteItem, "delete"},
                                                        {Form->UnMarkTopAll, "untopall"},
                                                        {Form->ExpandAllItem, "expand"},
                                                        {Form->CollapseAllItem, "collapse"},
                                                        {Form->ShowProjectWindowItem, "project"}};
        for (const auto& [Action, Name] : All)
            if (Action->isEnabled()) Names << Name;
        return Names;
    }

    TTempDir Site, Config;
    TRecordingServices Services;
    std::unique_ptr<TMainWindow> Form;
};

TEST_F(MainWindowTest, StartsIdleWithTheCaptionsOfTheLayout) {
    EXPECT_EQ(Form->windowTitle(), "Orvel (UnOfficial)");
    EXPECT_EQ(Form->FileCountPanel->text(), "総ファイル数");
    EXPECT_EQ(Form->OpenFolderButton->text(), "&Folder");
    EXPECT_EQ(Form->SettingsButton->toolTip(), "いろいろ設定する");
    EXPECT_TRUE(Form->OpenFolderButton->isEnabled());
    EXPECT_FALSE(Form->ReopenButton->isEnabled()); // no home folder yet
    EXPECT_FALSE(Form->HaltButton->isEnabled());
    EXPECT_EQ(Form->StatusLine->text(), "");
    EXPECT_EQ(Form->TreeModel->data(Form->TreeModel->index(0, 0)).toString(), "ホームページ");
}

TEST_F(MainWindowTest, ModelKeepsItsContractThroughScans) {
    QAbstractItemModelTester Tester(Form->TreeModel,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    Open();
    Select(Node("index.html"));
    Form->Run.Tree.Select(Node("a.html"));
    Open();
    EXPECT_EQ(Form->TreeModel->rowCount(Form->TreeModel->index(0, 0)), 3);
}

TEST_F(MainWindowTest, BusySectionEnablesOnlyHalt) {
    Open();
    EXPECT_EQ(Form->StatusLine->text(), "トップページを指定してください");
    Form->Run.BeginBusy();
    EXPECT_TRUE(Form->HaltButton->isEnabled());
    for (QToolButton* B : {Form->OpenFolderButton, Form->ReopenButton, Form->SettingsButton,
                           Form->AboutButton, Form->OpenProjectButton, Form->SaveProjectButton})
        EXPECT_FALSE(B->isEnabled()) << B->text().toStdString();
    Form->Run.BeginBusy();
    Form->Run.SetStatusText("nested");
    Form->Run.SetCount(3);
    Form->Run.Pump();
    EXPECT_EQ(Form->CountPanel->text(), "件数 3");
    Form->Run.EndBusy();
    EXPECT_EQ(Form->StatusLine->text(), ""); // every closing shows the cleared texts at once
    EXPECT_EQ(Form->CountPanel->text(), "");
    Form->Run.EndBusy();
    for (QToolButton* B : {Form->OpenFolderButton, Form->ReopenButton, Form->SettingsButton,
                           Form->AboutButton, Form->OpenProjectButton, Form->SaveProjectButton})
        EXPECT_TRUE(B->isEnabled()) << B->text().toStdString();
    EXPECT_FALSE(Form->HaltButton->isEnabled());
    EXPECT_EQ(Form->StatusLine->text(), ""); // every closing of a busy section clears it
}

TEST_F(MainWindowTest, SelectionFillsTheLinkListsUnlessBusy) {
    Open();
    Select(Node("index.html"));
    EXPECT_EQ(Items(Form->ValidLinkList), QStringList({"a.html"}));
    EXPECT_EQ(Items(Form->InvalidLinkList), QStringList({"gone.html"}));
    EXPECT_EQ(Items(Form->ExternalLinkList), QStringList({"http://x/"}));
    Select(Node("docs/logo.gif"));
    EXPECT_EQ(Form->ValidLinkList->count() + Form->InvalidLinkList->count() +
                  Form->ExternalLinkList->count(),
              0);
    Select(Node("index.html"));
    Form->Run.BeginBusy();
    Select(Node("a.html"));
    EXPECT_EQ(Items(Form->InvalidLinkList), QStringList({"gone.html"}));
    Form->Run.EndBusy();
}

TEST_F(MainWindowTest, PopupRuleFollowsTheSelectedNode) {
    Open();
    struct TCase {
        std::string Node;
        QStringList Enabled;
        QString MarkTopText, IgnoreText;
    };
    const QStringList General = {"untopall", "expand", "collapse", "project"};
    const TCase Cases[] = {
        {"", General, "", ""},
        {"docs", QStringList{"ignore", "delete"} + General, "",
         "このフォルダ以下をチェック対象から外す"},
        {"index.html",
         QStringList{"open", "browser", "top", "ignore", "several", "delete"} + General,
         "TOPページにする", "チェック対象から外す"},
        {"docs/logo.gif", QStringList{"open", "browser", "ignore", "several", "delete"} + General,
         "", "チェック対象から外す"},
        {"docs/notes.txt", QStringList{"browser", "ignore", "several", "delete"} + General, "",
         "チェック対象から外す"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Node);
        Select(Node(C.Node));
        Form->TreePopupMenuPopup();
        QStringList Expected = C.Enabled;
        Expected.sort();
        QStringList Actual = Enabled();
        Actual.sort();
        EXPECT_EQ(Actual, Expected);
        if (!C.MarkTopText.isEmpty()) {
            EXPECT_EQ(Form->MarkTop->text(), C.MarkTopText);
        }
        if (!C.IgnoreText.isEmpty()) {
            EXPECT_EQ(Form->IgnoreItem->text(), C.IgnoreText);
        }
    }
    // An anchor node is treated as a folder.
    Select(Node("index.html")->Item(0));
    Form->TreePopupMenuPopup();
    EXPECT_TRUE(Form->DeleteItem->isEnabled());
    EXPECT_FALSE(Form->MarkTop->isEnabled());
    EXPECT_EQ(Form->IgnoreItem->text(), "このフォルダ以下をチェック対象から外す");

    // A TOP page and an excluded file change the captions.
    Select(Node("index.html"));
    Form->MarkTopClick();
    Select(Node("index.html"));
    Form->TreePopupMenuPopup();
    EXPECT_EQ(Form->MarkTop->text(), "TOPマークを消す");
    Node("a.html")->Data->SetIgnored(true);
    Select(Node("a.html"));
    Form->TreePopupMenuPopup();
    EXPECT_EQ(Form->IgnoreItem->text(), "再びチェック対象にする");

    Form->Run.BeginBusy();
    Form->TreePopupMenuPopup();
    EXPECT_TRUE(Enabled().isEmpty());
    Form->Run.EndBusy();
    Form->Run.Tree.Select(nullptr);
    Form->TreePopupMenuPopup();
    EXPECT_EQ(Enabled(), General);
}

TEST_F(MainWindowTest, ShortcutActsOnlyWhereTheMenuWould) {
    Open();
    Select(Node("index.html"));
    Form->SiteTreeView->setFocus();
    Form->Run.BeginBusy();
    QTest::keyClick(Form->SiteTreeView, Qt::Key_T, Qt::ControlModifier);
    Form->Run.EndBusy();
    EXPECT_EQ(Node("index.html")->Data->ReachState, rsUnreached);
    QTest::keyClick(Form->SiteTreeView, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Node("index.html")->Data->ReachState, rsTop);
    EXPECT_EQ(Node("a.html")->Data->ReachState, rsReached);
    EXPECT_EQ(Form->Run.Tree.Selected(), &Form->Run.Tree.Root());
}

TEST_F(MainWindowTest, RightClickSelectsTheNodeUnderTheMouseOrNothing) {
    Open();
    Form->SiteTreeView->expandAll();
    const QRect Row = Form->SiteTreeView->visualRect(Form->TreeModel->IndexOf(Node("a.html")));
    QTest::mouseClick(Form->SiteTreeView->viewport(), Qt::RightButton, {}, Row.center());
    EXPECT_EQ(Form->Run.Tree.Selected(), Node("a.html"));
    QTest::mouseClick(Form->SiteTreeView->viewport(), Qt::RightButton, {},
                      QPoint(5, Form->SiteTreeView->viewport()->height() - 3));
    EXPECT_EQ(Form->Run.Tree.Selected(), nullptr);
    Form->TreePopupMenu->hide();
}

TEST_F(MainWindowTest, DoubleClickOnAnOtherFileBeeps) {
    Open();
    Select(Node("docs/notes.txt"));
    Form->SiteTreeViewDblClick();
    EXPECT_EQ(Services.Beeps.back(), TBeepKind::bkDefault);
}

TEST_F(MainWindowTest, DropsOpenFoldersAndProjects) {
    TTempDir Other;
    Other.Write("x.html", "");
    Form->FormDropFiles({QString::fromStdString(Site.Path())});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path());
    Form->FormDropFiles({QString::fromStdString(Other.Path() + "x.html")});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Other.Path()); // the folder holding the file
    const std::string Project =
        Other.Write("site.OpR", "[OrvelProject]\nHomeDir=" + Site.Path() + "\n");
    Form->FormDropFiles({QString::fromStdString(Project)});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path());
    EXPECT_EQ(Form->windowTitle(), "site.OpR - Orvel(UO)");
    Form->FormDropFiles(
        {QString::fromStdString(Other.Path()), QString::fromStdString(Site.Path())});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path()); // two items: nothing
    Form->Run.BeginBusy();
    Form->FormDropFiles({QString::fromStdString(Other.Path())});
    Form->Run.EndBusy();
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path()); // during a run: nothing
    Form->FormDropFiles({QString::fromStdString(Site.Path() + "nothing-here")});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path());
}

TEST_F(MainWindowTest, StartOpensAFolderOrAProjectFile) {
    TTempDir Other;
    const std::string Project =
        Other.Write("site.opr", "[OrvelProject]\nHomeDir=" + Other.Path() + "\n");
    Form->Start({QString::fromStdString(Site.Path() + "docs/..")});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path());
    EXPECT_EQ(Form->Run.FileObjects.Count(), 4);
    EXPECT_EQ(Form->windowTitle(), "無題 - Orvel(UO)");
    Form->Start({QString::fromStdString(Project)});
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Other.Path());
    EXPECT_EQ(Form->windowTitle(), "site.opr - Orvel(UO)");
}

TEST_F(MainWindowTest, RealDropEventOpensTheFolder) {
    QMimeData Data;
    Data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Site.Path()))});
    const QPoint Where = Form->rect().center();
    QDragEnterEvent Enter(Where, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &Enter);
    EXPECT_TRUE(Enter.isAccepted());
    QDropEvent Drop(QPointF(Where), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &Drop);
    EXPECT_EQ(Form->Run.CurrentProject.HomeDir, Site.Path());
    EXPECT_EQ(Form->Run.FileObjects.Count(), 4);
    EXPECT_EQ(Form->windowTitle(), "無題 - Orvel(UO)");
}

TEST_F(MainWindowTest, ClosingDuringARunHaltsItAndClosesAfterwards) {
    for (int I = 0; I < 50; ++I)
        Site.Write("more/p" + std::to_string(I) + ".html", "<a href=index.html>");
    bool Asked = false;
    Form->Run.PumpInterval = std::chrono::milliseconds(0);
    // Close the window from inside the run, as a click on its close button would.
    QTimer::singleShot(0, Form.get(), [&] {
        Asked = true;
        Form->close();
    });
    Open();
    EXPECT_TRUE(Asked);
    EXPECT_LT(Form->Run.FileObjects.Count(), 54); // the run was halted
    EXPECT_TRUE(Form->isVisible());               // not closed under the running loops
    QTest::qWait(50);
    EXPECT_FALSE(Form->isVisible());        // closed once idle
    EXPECT_TRUE(Services.Messages.empty()); // and without the halted run's report
    EXPECT_TRUE(Services.Beeps.empty());
}

TEST_F(MainWindowTest, SaveDialogPreselectsTheProjectFileLastReadOrWritten) {
    const std::string Project = Config.Write("p.opr", "[OrvelProject]\nHomeDir=\n");
    Services.FileAnswer = QString::fromStdString(Project);
    Form->OpenProjectButton->click(); // nothing open yet: lists only, no check
    Services.FileAnswer.clear();
    Form->SaveProjectButton->click();
    EXPECT_EQ(Services.SaveInitial.toStdString(), Project);

    Open();
    Form->FormDropFiles({QString::fromStdString(Project)});
    Form->SaveProjectButton->click();
    EXPECT_EQ(Services.SaveInitial.toStdString(), Project);

    const std::string Saved = Config.Path() + "saved.opr";
    Services.FileAnswer = QString::fromStdString(Saved);
    Form->SaveProjectButton->click();
    Services.FileAnswer.clear();
    Form->SaveProjectButton->click();
    EXPECT_EQ(Services.SaveInitial.toStdString(), Saved);
}

TEST_F(MainWindowTest, EndOfRunBoxAndBeep) {
    Open();
    ASSERT_FALSE(Services.Messages.empty());
    EXPECT_EQ(Services.Messages.back().Text,
              "無効リンクを含むファイルの数 1\r\n無効リンクの総数 1");
    EXPECT_EQ(Services.Beeps.back(), TBeepKind::bkInformation);
}

TEST_F(MainWindowTest, EndOfRunBoxFindsTheRunsLastTextsOnScreen) {
    Form->Run.PumpInterval = std::chrono::hours(1); // intermediate texts are never shown
    QStringList Shown;
    Services.OnMessage = [&] {
        Shown = {Form->StatusLine->text(), Form->CountPanel->text(), Form->FileCountPanel->text()};
    };
    const std::string Project =
        Config.Write("site.opr", "[OrvelProject]\nHomeDir=" + Site.Path() +
                                     "\nTopFile0=" + Site.Path() + "index.html\n");
    const std::function<void()> Runs[] = {[&] { Open(); },
                                          [&] { LoadProject(Form->Run, Project); }};
    for (const auto& Run : Runs) {
        Shown.clear();
        Run();
        EXPECT_EQ(Shown, QStringList({"", "", "総ファイル数 4"}));
    }
    Form->Run.BeginBusy();
    Form->Run.SetStatusText("before a box");
    Form->Run.ShowMessageBox(TMessageKind::mkError, "box");
    Form->Run.EndBusy();
    EXPECT_EQ(Shown.first(), "before a box");
}

TEST_F(MainWindowTest, SettingsOkWritesAndAChangeOfRulesChecksAgain) {
    Site.WriteSite(
        {{"index.html", "<a href=A.HTML><a href=\"my%20page.html\">"}, {"my page.html", ""}});
    Open();
    const TFileObject& Index = *Node("index.html")->Data;
    ASSERT_EQ(Index.InvalidLinks.Count(), 1);
    QTimer::singleShot(0, [this] {
        Form->SettingsWindow->ExtListHTMLEdit->setText(".HTM.HTML.TXT");
        Form->SettingsWindow->OKButton->click();
    });
    Form->SettingsButtonClick();
    EXPECT_EQ(Form->Run.Settings.ExtListHTML, ".HTM.HTML.TXT");
    EXPECT_EQ(TIniFile(Config.Path() + "uoorvel.ini").ReadString("Option", "ExtListHTML", ""),
              ".HTM.HTML.TXT");
    EXPECT_EQ(Index.InvalidLinks.Count(), 1); // no re-check for the extension lists

    QTimer::singleShot(0, [this] {
        Form->SettingsWindow->IgnoreCaseBox->setChecked(true);
        Form->SettingsWindow->OKButton->click();
    });
    Form->SettingsButtonClick();
    EXPECT_TRUE(Index.InvalidLinks.Empty());
    EXPECT_EQ(Index.ValidLinks.Count(), 2);

    // Other rules read the pages again: the escape is no longer decoded.
    QTimer::singleShot(0, [this] {
        Form->SettingsWindow->ModernHTMLBox->setChecked(false);
        Form->SettingsWindow->OKButton->click();
    });
    Form->SettingsButtonClick();
    EXPECT_EQ(Node("index.html")->Data->InvalidLinks.Strings(),
              std::vector<std::string>{"my%20page.html"});
}

TEST_F(MainWindowTest, SettingsCancelRestoresTheStoredValues) {
    QTimer::singleShot(0, [this] {
        Form->SettingsWindow->IgnoreCaseBox->setChecked(true);
        Form->SettingsWindow->DefaultFileNameEdit->setText("default.htm");
        Form->SettingsWindow->CancelButton->click();
    });
    Form->SettingsButtonClick();
    EXPECT_FALSE(Form->Run.Settings.IgnoreCase);
    EXPECT_EQ(Form->Run.Settings.DefaultFileName, "index.html");
    EXPECT_FALSE(Form->SettingsWindow->IgnoreCaseBox->isChecked());
}

TEST(WindowPlacement, StoredPlacesComeOntoAScreenAndToolWindowsGoBeside) {
    const QRect Left(0, 0, 1000, 800), Right(1000, 0, 800, 600);
    struct TCase {
        QRect Frame, Placed;
    };
    for (const TCase& C : {
             TCase{{10, 10, 300, 200}, {10, 10, 300, 200}},     // inside: kept
             TCase{{1100, 50, 300, 200}, {1100, 50, 300, 200}}, // on the second screen
             TCase{{900, 100, 300, 200},
                   {1000, 100, 300, 200}}, // across both: the one it covers most
             TCase{{3000, 700, 300, 200}, {1500, 400, 300, 200}}, // off both: the nearest
             TCase{{-50, -900, 1200, 300}, {0, 0, 1000, 300}},    // too wide: shrunk
         })
        EXPECT_EQ(PlaceOnScreens(C.Frame, {Left, Right}), C.Placed) << C.Frame.x();

    const QSize Tool(400, 500);
    struct TBeside {
        QRect Main;
        QPoint Placed;
    };
    for (const TBeside& C : {
             TBeside{{100, 50, 500, 400}, {600, 50}},   // room to the right
             TBeside{{550, 700, 400, 400}, {150, 300}}, // to the left, raised into the area
             TBeside{{200, 0, 700, 400}, {600, 0}},     // no room: over it, inside the area
         })
        EXPECT_EQ(PlaceBeside(C.Main, Tool, Left), C.Placed) << C.Main.x();
}

TEST_F(MainWindowTest, TheProjectOrFolderOpenedLastOpensAgainAtStart) {
    const std::string Settings = Config.Path() + "uoorvel.ini";
    const std::string Saved = Config.Path() + "saved.opr";
    const std::string Other =
        Config.Write("other.opr", "[OrvelProject]\nHomeDir=" + Site.Path() + "docs/\n");
    // What the next start opens: the project file, else the folder.
    const auto NextStart = [&](const QStringList& Arguments = {}) {
        Form->close();
        Form = std::make_unique<TMainWindow>(Services, Settings);
        Form->Run.PumpInterval = std::chrono::milliseconds(0);
        Form->show();
        Services.Messages.clear();
        Form->Start(Arguments);
        const TOrvelProject& Project = Form->Run.CurrentProject;
        return Project.FileName.empty() ? Project.HomeDir : Project.FileName;
    };
    Form->FormDropFiles({QString::fromStdString(Site.Path())});
    EXPECT_EQ(NextStart(), Site.Path());
    Services.FileAnswer = QString::fromStdString(Saved);
    Form->SaveProjectButton->click();
    EXPECT_EQ(NextStart(), Saved);
    EXPECT_EQ(NextStart({QString::fromStdString(Other)}), Other); // the command line first
    EXPECT_EQ(NextStart(), Other);

    ::unlink(Other.c_str()); // gone: passed over without a word
    EXPECT_EQ(NextStart(), "");
    EXPECT_TRUE(Services.Messages.empty());

    Form->FormDropFiles({QString::fromStdString(Site.Path())});
    TIniFile File(Settings);
    File.WriteString("Option", "ReopenLast", "0");
    File.UpdateFile();
    EXPECT_EQ(NextStart(), "");
}

} // namespace
