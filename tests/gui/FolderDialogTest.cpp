// The folder selection component: its dialog opened for real on the offscreen platform, over
// temporary folders, driven through its tree, status line and buttons.
#include "ui/FolderDialog.h"
#include "GuiTestSupport.h"

#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <fstream>

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}
inline void PrintTo(const QPoint& Point, std::ostream* Out) {
    *Out << '(' << Point.x() << ", " << Point.y() << ')';
}
QT_END_NAMESPACE

using namespace orvel::ui;
using orvel::test::TTempDir;

namespace {

// A folder path of TTempDir without its trailing "/".
QString Folder(const std::string& Path) {
    QString Text = QString::fromStdString(Path);
    if (Text.size() > 1 && Text.endsWith('/')) Text.chop(1);
    return Text;
}

QString PathOf(const QModelIndex& Index) {
    return Index.data(QFileSystemModel::FilePathRole).toString();
}

// The widgets of the open dialog.
struct TOpenDialog {
    QDialog* Dialog;
    QTreeView* Tree;
    QLabel* Caption;
    QLabel* Status;
    QPushButton* OK;
    QPushButton* Cancel;

    QString Current() const { return PathOf(Tree->currentIndex()); }
    QLineEdit* PathField() const { return Dialog->findChild<QLineEdit*>("PathField"); }

    // The child of Parent whose path is Path, once its folder has been listed; invalid when it
    // does not appear. Indexes held while the folders are listed must be persistent: the
    // listing moves rows.
    QPersistentModelIndex Child(const QPersistentModelIndex& Parent, const QString& Path) const {
        QPersistentModelIndex Found;
        QAbstractItemModel* Model = Tree->model();
        (void)QTest::qWaitFor(
            [&] {
                if (Model->canFetchMore(Parent)) Model->fetchMore(Parent);
                for (int Row = 0; Row < Model->rowCount(Parent); ++Row)
                    if (PathOf(Model->index(Row, 0, Parent)) == Path) {
                        Found = Model->index(Row, 0, Parent);
                        return true;
                    }
                return false;
            },
            5000);
        return Found;
    }

    // The names of Parent's children once Count of them are listed.
    QStringList ChildNames(const QPersistentModelIndex& Parent, int Count) const {
        QAbstractItemModel* Model = Tree->model();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Model->rowCount(Parent) >= Count; }, 5000));
        QTest::qWait(100); // the lister's later batches, if any
        QStringList Names;
        for (int Row = 0; Row < Model->rowCount(Parent); ++Row)
            Names << Model->index(Row, 0, Parent).data().toString();
        return Names;
    }
};

// Runs Execute; Body acts on the open dialog. A dialog still open after Body is cancelled, and
// a watchdog cancels one whose Body never returns, so a failing test cannot hang.
bool RunDialog(TFolderDialog& Browse, const std::function<void(TOpenDialog&)>& Body) {
    bool Shown = false;
    const auto Connection =
        QObject::connect(&Browse, &TFolderDialog::DialogShown, [&](QDialog* Dialog) {
            Shown = true;
            EXPECT_EQ(Dialog, Browse.ShownDialog());
            EXPECT_TRUE(Dialog->isVisible());
            EXPECT_TRUE(Dialog->isModal());
            TOpenDialog Open{Dialog,
                             Dialog->findChild<QTreeView*>("FolderTree"),
                             Dialog->findChild<QLabel*>("CaptionLabel"),
                             Dialog->findChild<QLabel*>("StatusLine"),
                             Dialog->findChild<QPushButton*>("OKButton"),
                             Dialog->findChild<QPushButton*>("CancelButton")};
            if (Open.Tree && Open.Caption && Open.Status && Open.OK && Open.Cancel)
                Body(Open);
            else
                ADD_FAILURE() << "a widget of the dialog is missing";
            if (Dialog->isVisible()) Dialog->reject();
        });
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [&] {
        ADD_FAILURE() << "the dialog was still open after 30 s";
        if (QDialog* Dialog = Browse.ShownDialog()) Dialog->reject();
    });
    Watchdog.start(30000);
    const bool Result = Browse.Execute();
    QObject::disconnect(Connection);
    EXPECT_TRUE(Shown) << "DialogShown was not emitted";
    EXPECT_EQ(Browse.ShownDialog(), nullptr);
    return Result;
}

// Sets an environment variable for one scope.
class TEnvVar {
public:
    TEnvVar(const char* Variable, const QByteArray& Value)
        : Name(Variable), Had(qEnvironmentVariableIsSet(Variable)), Old(qgetenv(Variable)) {
        qputenv(Variable, Value);
    }
    ~TEnvVar() {
        if (Had)
            qputenv(Name, Old);
        else
            qunsetenv(Name);
    }

private:
    const char* Name;
    bool Had;
    QByteArray Old;
};

TEST(FolderDialogTest, DefaultsOpenAtTheUsersHomeUnderTheTopAsTheOnlyTopItem) {
    TTempDir Temp;
    const QString Home = Folder(Temp.MakeDir("home"));
    const TEnvVar SetHome("HOME", Home.toUtf8());
    TFolderDialog Browse;
    EXPECT_TRUE(Browse.Caption.isEmpty());
    EXPECT_EQ(Browse.Options, TBrowseOptions{sboReturnOnlyFSDirs});
    EXPECT_EQ(Browse.RootFolder, rfDesktop);
    EXPECT_EQ(Browse.SelectFolder, sfManual);
    EXPECT_EQ(Browse.ShowStyle, ssClient);
    EXPECT_FALSE(Browse.OnSelectionChanged);

    const bool Chosen = RunDialog(Browse, [&](TOpenDialog& Open) {
        const QModelIndex Top = Open.Tree->rootIndex();
        ASSERT_EQ(Open.Tree->model()->rowCount(Top), 1);
        const QModelIndex Root = Open.Tree->model()->index(0, 0, Top);
        EXPECT_EQ(PathOf(Root), "/");
        EXPECT_EQ(Open.Current(), Home);
        EXPECT_TRUE(Open.Tree->isExpanded(Root));
        EXPECT_TRUE(Open.Tree->selectionModel()->isSelected(Open.Tree->currentIndex()));
        EXPECT_EQ(Open.PathField()->text(), Home);
        EXPECT_FALSE(Open.Status->isVisible()); // no status option
        EXPECT_TRUE(Open.OK->isEnabled());
        QTest::mouseClick(Open.OK, Qt::LeftButton);
    });
    EXPECT_TRUE(Chosen);
    EXPECT_EQ(Browse.FolderName, Home);
    EXPECT_EQ(Browse.DisplayName, "home");
}

TEST(FolderDialogTest, ManualFolderIsSelectedAndExpandedTo) {
    TTempDir Temp;
    const std::string Name = "Deep" + std::string(200, 'p');
    const QString Deep = Folder(Temp.MakeDir("Site/" + Name));
    TFolderDialog Browse;
    Browse.Caption = QStringLiteral("ホームページのフォルダを指定して下さい");
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = Deep + "/"; // as the project holds folders

    const bool Chosen = RunDialog(Browse, [&](TOpenDialog& Open) {
        EXPECT_EQ(Open.Caption->text(), Browse.Caption);
        EXPECT_EQ(Open.Current(), Deep);
        for (QModelIndex Up = Open.Tree->currentIndex().parent(); Up.isValid(); Up = Up.parent())
            EXPECT_TRUE(Open.Tree->isExpanded(Up)) << PathOf(Up).toStdString();
        // The long name is not cut: scrolling sideways reaches its end.
        const QRect Item = Open.Tree->visualRect(Open.Tree->currentIndex());
        EXPECT_GE(Open.Tree->horizontalScrollBar()->maximum() + Open.Tree->viewport()->width(),
                  Item.right() + Open.Tree->horizontalScrollBar()->value());
        EXPECT_GE(Item.width(),
                  Open.Tree->fontMetrics().horizontalAdvance(QString::fromStdString(Name)));
        QTest::mouseClick(Open.OK, Qt::LeftButton);
    });
    EXPECT_TRUE(Chosen);
    EXPECT_EQ(Browse.FolderName, Deep);
    EXPECT_EQ(Browse.DisplayName, QString::fromStdString(Name));
}

TEST(FolderDialogTest, OpeningSelectionStaysInSightWhileFoldersAreListed) {
    TTempDir Temp;
    const QString Root = Folder(Temp.MakeDir("Root"));
    for (int I = 0; I < 60; ++I)
        Temp.MakeDir("Root/F" + std::to_string(100 + I));
    const QString Last = Folder(Temp.MakeDir("Root/Z/Deep"));
    TFolderDialog Browse;
    Browse.RootFolder = rfManual;
    Browse.RootFolderName = Root;
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = Last;
    RunDialog(Browse, [&](TOpenDialog& Open) {
        const QPersistentModelIndex Top = Open.Tree->model()->index(0, 0, Open.Tree->rootIndex());
        EXPECT_EQ(Open.ChildNames(Top, 61).size(), 61);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QRect Item = Open.Tree->visualRect(Open.Tree->currentIndex());
                return Open.Tree->viewport()->rect().contains(Item);
            },
            5000));

        // Once the user scrolls, a folder that appears no longer moves the view.
        QScrollBar* Bar = Open.Tree->verticalScrollBar();
        Bar->triggerAction(QAbstractSlider::SliderToMinimum);
        ASSERT_EQ(Bar->value(), 0);
        Temp.MakeDir("Root/F000");
        EXPECT_EQ(Open.ChildNames(Top, 62).size(), 62);
        EXPECT_EQ(Bar->value(), 0);
    });
}

TEST(FolderDialogTest, OpensAtTheLastChosenFolderElseTheProjectHomeElseTheUsersHome) {
    TTempDir Temp;
    const QString Home = Folder(Temp.MakeDir("home"));
    const TEnvVar SetHome("HOME", Home.toUtf8());
    const QString Chosen = Folder(Temp.MakeDir("chosen"));
    const QString Site = Folder(Temp.MakeDir("site"));
    const QString File = QString::fromStdString(Temp.Write("page.html", "x"));
    const QString Missing = QString::fromStdString(Temp.Path() + "missing");
    struct TCase {
        QString LastChosen, ProjectHome, Expected;
    };
    for (const TCase& C : {TCase{Chosen, Site, Chosen}, TCase{Missing, Site + "/", Site},
                           TCase{File, Missing, Home}, TCase{"", "", Home}}) {
        TFolderDialog Browse;
        Browse.SelectFolderName = C.LastChosen;
        Browse.HomeFolderName = C.ProjectHome;
        RunDialog(Browse, [&](TOpenDialog& Open) {
            EXPECT_EQ(Open.Current(), C.Expected) << C.LastChosen.toStdString();
        });
    }
}

TEST(FolderDialogTest, TypedPathIsGoneToWithEnterAndChosenWithOK) {
    TTempDir Temp;
    const QString A = Folder(Temp.MakeDir("A"));
    const QString B = Folder(Temp.MakeDir("B"));
    const QString C = Folder(Temp.MakeDir("A/C"));
    const QString File = QString::fromStdString(Temp.Write("page.html", "x"));
    TFolderDialog Browse;
    Browse.SelectFolderName = A;
    QStringList Paths;
    Browse.OnSelectionChanged = [&](const QString& Path, QString&, int&) { Paths << Path; };

    const bool Chosen = RunDialog(Browse, [&](TOpenDialog& Open) {
        QLineEdit* Field = Open.PathField();
        EXPECT_EQ(Field->text(), A);
        Field->setText(B + "/");
        QTest::keyClick(Field, Qt::Key_Return);
        EXPECT_EQ(Open.Current(), B);
        EXPECT_EQ(Field->text(), B);
        EXPECT_TRUE(Open.Dialog->isVisible()); // Enter goes to the folder, it does not choose

        for (const QString& NoFolder : {File, QString("A"), QString()}) {
            Field->setText(NoFolder);
            QTest::keyClick(Field, Qt::Key_Return);
            EXPECT_EQ(Open.Current(), B) << NoFolder.toStdString();
            QTest::mouseClick(Open.OK, Qt::LeftButton);
            EXPECT_TRUE(Open.Dialog->isVisible()) << NoFolder.toStdString();
        }
        Field->setText(C);
        QTest::mouseClick(Open.OK, Qt::LeftButton);
    });
    EXPECT_TRUE(Chosen);
    EXPECT_EQ(Browse.FolderName, C);
    EXPECT_EQ(Browse.DisplayName, "C");
    EXPECT_EQ(Paths, (QStringList{B, C}));
}

TEST(FolderDialogTest, ManualRootIsTheOnlyTopItemAndShowsFoldersOnly) {
    TTempDir Temp;
    const QString Root = Folder(Temp.MakeDir("Root"));
    const QString Sub = Folder(Temp.MakeDir("Root/Sub"));
    Temp.MakeDir("Root/.hidden");
    Temp.Write("Root/index.html", "x");
    const QString Outside = Folder(Temp.MakeDir("Outside"));

    TFolderDialog Browse;
    Browse.RootFolder = rfManual;
    Browse.RootFolderName = Root;
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = Sub;
    RunDialog(Browse, [&](TOpenDialog& Open) {
        QAbstractItemModel* Model = Open.Tree->model();
        ASSERT_EQ(Model->rowCount(Open.Tree->rootIndex()), 1);
        const QPersistentModelIndex Top = Model->index(0, 0, Open.Tree->rootIndex());
        EXPECT_EQ(PathOf(Top), Root);
        EXPECT_EQ(Open.Current(), Sub);
        EXPECT_EQ(Open.Tree->currentIndex().parent(), Top);
        QStringList Names = Open.ChildNames(Top, 2);
        Names.sort();
        EXPECT_EQ(Names, (QStringList{".hidden", "Sub"}));
    });

    // A selection outside the root selects the root.
    Browse.SelectFolderName = Outside;
    RunDialog(Browse, [&](TOpenDialog& Open) { EXPECT_EQ(Open.Current(), Root); });

    // A root name that is no folder falls back to the top.
    Browse.RootFolderName = QString::fromStdString(Temp.Path() + "missing");
    RunDialog(Browse, [&](TOpenDialog& Open) {
        const QModelIndex Top = Open.Tree->model()->index(0, 0, Open.Tree->rootIndex());
        EXPECT_EQ(PathOf(Top), "/");
        EXPECT_EQ(Open.Current(), Outside);
    });
}

TEST(FolderDialogTest, StatusLineIsEmptyAtOpeningAndShowsThePathAfterEachChange) {
    TTempDir Temp;
    const QString A = Folder(Temp.MakeDir("A"));
    const QString B = Folder(Temp.MakeDir("B"));
    TFolderDialog Browse;
    Browse.Options = {sboReturnOnlyFSDirs, sboStatusTextAndShowPath};
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = A;
    QStringList Paths;
    Browse.OnSelectionChanged = [&](const QString& Path, QString& ShowText, int&) {
        Paths << Path;
        EXPECT_TRUE(ShowText.isEmpty());
        ShowText = "replaced by the path";
    };

    RunDialog(Browse, [&](TOpenDialog& Open) {
        EXPECT_TRUE(Open.Status->isVisible());
        EXPECT_EQ(Open.Status->text(), "");
        EXPECT_TRUE(Paths.isEmpty()); // the opening selection is no change
        ASSERT_TRUE(Open.Child(Open.Tree->currentIndex().parent(), B).isValid());

        QTest::keyClick(Open.Tree, Qt::Key_Down);
        EXPECT_EQ(Open.Current(), B);
        EXPECT_EQ(Open.Status->text(), B);
        QTest::keyClick(Open.Tree, Qt::Key_Up);
        EXPECT_EQ(Open.Current(), A);
        EXPECT_EQ(Open.Status->text(), A);
    });
    EXPECT_EQ(Paths, (QStringList{B, A}));
}

TEST(FolderDialogTest, SelectionChangedSetsTheStatusTextAndTheOKButton) {
    TTempDir Temp;
    const QString A = Folder(Temp.MakeDir("A"));
    const QString B = Folder(Temp.MakeDir("B"));
    const QString C = Folder(Temp.MakeDir("C"));
    TFolderDialog Browse;
    Browse.Options = {sboStatusText};
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = A;
    Browse.OnSelectionChanged = [&](const QString& Path, QString& ShowText, int& OKButtonState) {
        EXPECT_EQ(OKButtonState, 0);
        if (Path == B) {
            ShowText = "no site here";
            OKButtonState = 2;
        } else if (Path == A) {
            ShowText = "site: " + Path;
            OKButtonState = 1;
        } // C: leaves both
    };

    const bool Chosen = RunDialog(Browse, [&](TOpenDialog& Open) {
        const QPersistentModelIndex Parent = Open.Tree->currentIndex().parent();
        const QPersistentModelIndex IndexA = Open.Tree->currentIndex();
        const QPersistentModelIndex IndexB = Open.Child(Parent, B);
        const QPersistentModelIndex IndexC = Open.Child(Parent, C);
        ASSERT_TRUE(IndexB.isValid() && IndexC.isValid());
        EXPECT_TRUE(Open.Status->isVisible());
        EXPECT_EQ(Open.Status->text(), "");
        EXPECT_TRUE(Open.OK->isEnabled());

        Open.Tree->setCurrentIndex(IndexB);
        EXPECT_EQ(Open.Status->text(), "no site here");
        EXPECT_FALSE(Open.OK->isEnabled());
        QTest::mouseClick(Open.OK, Qt::LeftButton); // disabled: nothing happens
        EXPECT_TRUE(Open.Dialog->isVisible());

        Open.Tree->setCurrentIndex(IndexC);
        EXPECT_EQ(Open.Status->text(), ""); // no text given
        EXPECT_FALSE(Open.OK->isEnabled()); // state 0 leaves it

        Open.Tree->setCurrentIndex(IndexA);
        EXPECT_EQ(Open.Status->text(), "site: " + A);
        EXPECT_TRUE(Open.OK->isEnabled());
        QTest::mouseClick(Open.OK, Qt::LeftButton);
    });
    EXPECT_TRUE(Chosen);
    EXPECT_EQ(Browse.FolderName, A);
    EXPECT_EQ(Browse.DisplayName, "A");
}

TEST(FolderDialogTest, CancelReturnsFalseAndEachExecuteEmptiesTheResultsFirst) {
    TTempDir Temp;
    const QString Site = Folder(Temp.MakeDir("Site"));
    TFolderDialog Browse;
    Browse.SelectFolder = sfManual;
    Browse.SelectFolderName = Site;
    ASSERT_TRUE(
        RunDialog(Browse, [](TOpenDialog& Open) { QTest::mouseClick(Open.OK, Qt::LeftButton); }));
    ASSERT_EQ(Browse.FolderName, Site);
    ASSERT_EQ(Browse.DisplayName, "Site");

    const bool Chosen = RunDialog(Browse, [&](TOpenDialog& Open) {
        EXPECT_TRUE(Browse.FolderName.isEmpty());
        EXPECT_TRUE(Browse.DisplayName.isEmpty());
        EXPECT_EQ(Open.Current(), Site);
        QTest::mouseClick(Open.Cancel, Qt::LeftButton);
        EXPECT_FALSE(Open.Dialog->isVisible());
    });
    EXPECT_FALSE(Chosen);
    EXPECT_TRUE(Browse.FolderName.isEmpty());
    EXPECT_TRUE(Browse.DisplayName.isEmpty());
}

TEST(FolderDialogTest, CenterScreenPlacesTheDialogAThirdDownTheWorkArea) {
    TFolderDialog Browse;
    Browse.ShowStyle = ssCenterScreen;
    RunDialog(Browse, [](TOpenDialog& Open) {
        const QRect Work = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize Size = Open.Dialog->frameGeometry().size();
        EXPECT_EQ(Open.Dialog->pos(),
                  QPoint((Work.width() - Size.width()) / 2, (Work.height() - Size.height()) / 3));
    });
}

TEST(FolderDialogTest, ClientPlacesTheDialogAtTheOwnersClientAreaAndNoneDoesNot) {
    QWidget Owner;
    Owner.setGeometry(130, 70, 600, 500);
    Owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Owner));
    const QPoint Corner = Owner.mapToGlobal(QPoint(0, 0));

    TFolderDialog Browse(&Owner);
    RunDialog(Browse, [&](TOpenDialog& Open) {
        EXPECT_EQ(Open.Dialog->parentWidget(), &Owner);
        EXPECT_EQ(Open.Dialog->pos(), Corner);
    });
    Browse.ShowStyle = ssNone;
    RunDialog(Browse, [&](TOpenDialog& Open) { EXPECT_NE(Open.Dialog->pos(), Corner); });
}

TEST(FolderDialogTest, SpecialFoldersAreTheUsersXdgFoldersOrHome) {
    TTempDir Temp;
    const QString Home = Folder(Temp.MakeDir("home"));
    const QString Desktop = Folder(Temp.MakeDir("home/Schreibtisch"));
    const QString Templates = Folder(Temp.MakeDir("home/Vorlagen"));
    const QString Config = Folder(Temp.MakeDir("config"));
    const QString Data = Folder(Temp.MakeDir("data"));
    std::ofstream(Temp.Path() + "config/user-dirs.dirs")
        << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n";
    const TEnvVar SetHome("HOME", Home.toUtf8());
    const TEnvVar SetConfig("XDG_CONFIG_HOME", Config.toUtf8());
    const TEnvVar SetData("XDG_DATA_HOME", Data.toUtf8());

    // Folders that do not exist yet are home.
    EXPECT_EQ(SpecialFolderPath(sfPrograms), Home);
    EXPECT_EQ(SpecialFolderPath(rfStartup), Home);
    const QString Applications = Folder(Temp.MakeDir("data/applications"));
    const QString Autostart = Folder(Temp.MakeDir("config/autostart"));

    const std::pair<TSelectFolder, QString> Table[] = {
        {sfDesktop, "/"},        {sfManual, "/"},          {sfDrives, "/"},
        {sfDesktopDir, Desktop}, {sfFavorites, Home},      {sfPrograms, Applications},
        {sfRecent, Home},        {sfSendTo, Home},         {sfStartMenu, Applications},
        {sfStartup, Autostart},  {sfTemplates, Templates},
    };
    for (const auto& [Select, Expected] : Table) {
        EXPECT_EQ(SpecialFolderPath(Select), Expected) << int(Select);
        EXPECT_EQ(SpecialFolderPath(TRootFolder(Select)), Expected) << int(Select);
    }

    // The dialog uses them: the desktop folder as root, the templates folder outside it
    // gives way to the root, a folder on the desktop is selected under it.
    TFolderDialog Browse;
    Browse.RootFolder = rfDesktopDir;
    Browse.SelectFolder = sfTemplates;
    RunDialog(Browse, [&](TOpenDialog& Open) {
        const QModelIndex Top = Open.Tree->model()->index(0, 0, Open.Tree->rootIndex());
        EXPECT_EQ(PathOf(Top), Desktop);
        EXPECT_EQ(Open.Current(), Desktop);
    });
    Browse.SelectFolder = sfDesktopDir;
    Browse.RootFolder = rfTemplates;
    RunDialog(Browse, [&](TOpenDialog& Open) { EXPECT_EQ(Open.Current(), Templates); });
}

TEST(FolderDialogTest, OptionsSetHoldsWhatWasIncluded) {
    TBrowseOptions Options{sboReturnOnlyFSDirs, sboStatusText};
    EXPECT_TRUE(Options.Contains(sboReturnOnlyFSDirs));
    EXPECT_TRUE(Options.Contains(sboStatusText));
    EXPECT_FALSE(Options.Contains(sboStatusTextAndShowPath));
    Options.Exclude(sboStatusText);
    Options.Include(sboDontGoBelowDomain);
    EXPECT_EQ(Options, (TBrowseOptions{sboDontGoBelowDomain, sboReturnOnlyFSDirs}));
    EXPECT_NE(Options, TBrowseOptions{});
}

} // namespace
