// The folder selection component and its dialog.
#include "FolderDialog.h"

#include "ui/Encoding.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace orvel::ui {

namespace {

// The existing folder Path, else the home folder, else "/". A user folder that was never
// created is replaced by home, as the XDG user-folder rules do.
QString FolderOrHome(const QString& Path) {
    if (!Path.isEmpty() && QFileInfo(Path).isDir()) return QDir::cleanPath(Path);
    const QString Home = QDir::homePath();
    return QFileInfo(Home).isDir() ? QDir::cleanPath(Home) : QStringLiteral("/");
}

static_assert(int(sfManual) == rfManual && int(sfDrives) == rfDrives &&
                  int(sfDesktopDir) == rfDesktopDir && int(sfFavorites) == rfFavorites &&
                  int(sfPrograms) == rfPrograms && int(sfRecent) == rfRecent &&
                  int(sfSendTo) == rfSendTo && int(sfStartMenu) == rfStartMenu &&
                  int(sfStartup) == rfStartup && int(sfTemplates) == rfTemplates,
              "the root and selection values name the same special folders");

// The special folders, indexed by the values shared by TRootFolder and TSelectFolder.
//   desktop, manual, drives  "/": the top of the namespace that holds everything
//   desktop directory        the XDG desktop folder
//   programs, start menu     the user's application entries (~/.local/share/applications)
//   startup                  the XDG autostart folder (~/.config/autostart)
//   templates                the XDG templates folder
//   favorites, recent, send to  home: Linux keeps bookmarks and recent documents in files,
//                            and has no send-to folder
QString SpecialFolder(int Index) {
    using SP = QStandardPaths;
    switch (Index) {
    case rfDesktopDir:
        return FolderOrHome(SP::writableLocation(SP::DesktopLocation));
    case rfPrograms:
    case rfStartMenu:
        return FolderOrHome(SP::writableLocation(SP::ApplicationsLocation));
    case rfStartup:
        return FolderOrHome(SP::writableLocation(SP::GenericConfigLocation) + "/autostart");
    case rfTemplates:
        return FolderOrHome(SP::writableLocation(SP::TemplatesLocation));
    case rfFavorites:
    case rfRecent:
    case rfSendTo:
        return FolderOrHome(QString());
    default: // desktop, manual, drives
        return QStringLiteral("/");
    }
}

// The folder Name, absolute and clean; empty when Name is empty or names no existing folder.
QString ExistingFolder(const QString& Name) {
    if (Name.isEmpty()) return {};
    const QFileInfo Info(Name);
    return Info.isDir() ? QDir::cleanPath(Info.absoluteFilePath()) : QString();
}

// The folder a manual root names; the desktop "/" when it names no existing folder.
QString ManualRoot(const QString& Name) {
    const QString Folder = ExistingFolder(Name);
    return Folder.isEmpty() ? QStringLiteral("/") : Folder;
}

// The first existing folder of the last chosen one and the project's home folder, else the
// user's home folder.
QString ManualSelection(const QString& LastChosen, const QString& ProjectHome) {
    for (const QString& Name : {LastChosen, ProjectHome})
        if (QString Folder = ExistingFolder(Name); !Folder.isEmpty()) return Folder;
    return FolderOrHome(QString());
}

bool IsInside(const QString& Path, const QString& Folder) {
    return Path == Folder || Path.startsWith(Folder == "/" ? Folder : Folder + "/");
}

// Shows the root folder as the only top item of the tree: of the root's siblings, only the root
// passes; everything below passes.
class TRootOnlyProxy : public QSortFilterProxyModel {
public:
    TRootOnlyProxy(const QModelIndex& RootIndex, QObject* Parent)
        : QSortFilterProxyModel(Parent), Root(RootIndex), RootParent(RootIndex.parent()) {}

protected:
    bool filterAcceptsRow(int Row, const QModelIndex& Parent) const override {
        if (RootParent != Parent) return true;
        return Root == sourceModel()->index(Row, 0, Parent);
    }

private:
    QPersistentModelIndex Root;
    QPersistentModelIndex RootParent;
};

// The dialog: the caption, the status line, the folder tree, the path field, OK and Cancel.
class TFolderTreeDialog : public QDialog {
public:
    TFolderTreeDialog(QWidget* Owner, const TFolderDialog& Component, const QString& Root,
                      const QString& SelectPath)
        : QDialog(Owner), Browse(Component), RootPath(Root) {
        setWindowTitle(QTr("フォルダの参照"));
        QLabel* CaptionLabel = BuildCaption();
        BuildStatusLine();
        BuildFolderTree();
        BuildPathField();
        QDialogButtonBox* Buttons = BuildButtons();
        auto* Layout = new QVBoxLayout(this);
        Layout->addWidget(CaptionLabel);
        Layout->addWidget(StatusLine);
        Layout->addWidget(FolderTree, 1);
        Layout->addWidget(PathField);
        Layout->addWidget(Buttons);
        resize(380, 440);

        SelectOpeningFolder(IsInside(SelectPath, RootPath) ? SelectPath : RootPath);
        KeepOpeningFolderCentred();
        connect(FolderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& Index) { SelectionChanged(Index); });
    }

    // The selected folder's path and its name in the tree; empty when nothing is selected.
    QString SelectedPath() const {
        return FolderTree->currentIndex().data(QFileSystemModel::FilePathRole).toString();
    }
    QString SelectedName() const {
        return FolderTree->currentIndex().data(Qt::DisplayRole).toString();
    }

    // OK takes a typed path that differs from the selection once the tree has gone to it.
    void accept() override {
        if (PathField->text() != SelectedPath() && !GoToTypedPath()) return;
        if (OKButton->isEnabled()) QDialog::accept();
    }

protected:
    // Enter in the path field goes to the typed folder instead of pressing OK.
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Watched == PathField && Event->type() == QEvent::KeyPress) {
            const int Key = static_cast<QKeyEvent*>(Event)->key();
            if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
                GoToTypedPath();
                return true;
            }
        }
        return QDialog::eventFilter(Watched, Event);
    }

    void showEvent(QShowEvent* Event) override {
        QDialog::showEvent(Event);
        if (!Settled) Recentre->start();
    }

private:
    QLabel* BuildCaption() {
        auto* CaptionLabel = new QLabel(Browse.Caption, this);
        CaptionLabel->setObjectName("CaptionLabel");
        CaptionLabel->setWordWrap(true);
        return CaptionLabel;
    }

    void BuildStatusLine() {
        StatusLine = new QLabel(this);
        StatusLine->setObjectName("StatusLine");
        // A long path is cut at the edge instead of widening the dialog.
        StatusLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        StatusLine->setVisible(Browse.Options.Contains(sboStatusText) ||
                               Browse.Options.Contains(sboStatusTextAndShowPath));
    }

    // The folders below RootPath's parent, of which only RootPath itself is shown at the top.
    void BuildFolderTree() {
        Files = new QFileSystemModel(this);
        Files->setReadOnly(true);
        Files->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
        Files->setRootPath(RootPath);
        const QModelIndex SourceRoot = Files->index(RootPath);
        Proxy = new TRootOnlyProxy(SourceRoot, this);
        Proxy->setSourceModel(Files);
        FolderTree = new QTreeView(this);
        FolderTree->setObjectName("FolderTree");
        FolderTree->setModel(Proxy);
        FolderTree->setRootIndex(Proxy->mapFromSource(SourceRoot.parent()));
        FolderTree->setHeaderHidden(true);
        for (int Column = 1; Column < Files->columnCount(); ++Column)
            FolderTree->hideColumn(Column);
        // Long names are shown whole and the tree scrolls sideways.
        FolderTree->header()->setStretchLastSection(false);
        FolderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        FolderTree->setUniformRowHeights(true);
        FolderTree->setSelectionMode(QAbstractItemView::SingleSelection);
    }

    void BuildPathField() {
        PathField = new QLineEdit(this);
        PathField->setObjectName("PathField");
        PathField->setPlaceholderText(QTr("フォルダのパス"));
        PathField->installEventFilter(this);
    }

    // Selects the folder typed in the path field; a beep when it is no folder of the tree.
    bool GoToTypedPath() {
        const QString Typed = PathField->text().trimmed();
        const QString Folder = QDir::isAbsolutePath(Typed) ? ExistingFolder(Typed) : QString();
        const QModelIndex Index = Folder.isEmpty() || !IsInside(Folder, RootPath)
                                      ? QModelIndex()
                                      : Proxy->mapFromSource(Files->index(Folder));
        if (!Index.isValid()) {
            QApplication::beep();
            PathField->selectAll();
            return false;
        }
        if (Index.parent().isValid()) FolderTree->expand(Index.parent());
        FolderTree->setCurrentIndex(Index);
        FolderTree->scrollTo(Index);
        return true;
    }

    QDialogButtonBox* BuildButtons() {
        auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        OKButton = Buttons->button(QDialogButtonBox::Ok);
        OKButton->setObjectName("OKButton");
        OKButton->setText(QTr("OK"));
        QPushButton* Cancel = Buttons->button(QDialogButtonBox::Cancel);
        Cancel->setObjectName("CancelButton");
        Cancel->setText(QTr("キャンセル"));
        connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        return Buttons;
    }

    // The opening selection is not a change: no callback, the status line stays empty.
    void SelectOpeningFolder(const QString& Path) {
        const QModelIndex Current = Proxy->mapFromSource(Files->index(Path));
        for (QModelIndex Folder = Current; Folder.isValid(); Folder = Folder.parent())
            FolderTree->expand(Folder);
        FolderTree->setCurrentIndex(Current);
        PathField->setText(SelectedPath());
    }

    // Folders are listed in the background and rows move as they arrive: until the user acts
    // on the tree, each change centres the opening selection again.
    void KeepOpeningFolderCentred() {
        Recentre = new QTimer(this);
        Recentre->setSingleShot(true);
        Recentre->setInterval(0);
        // A centring still due when the user acts is dropped: the view is the user's from then.
        connect(Recentre, &QTimer::timeout, this, [this] {
            if (!Settled)
                FolderTree->scrollTo(FolderTree->currentIndex(),
                                     QAbstractItemView::PositionAtCenter);
        });
        const auto Again = [this] {
            if (!Settled) Recentre->start();
        };
        connect(Proxy, &QAbstractItemModel::rowsInserted, this, Again);
        connect(Proxy, &QAbstractItemModel::layoutChanged, this, Again);
        const auto UserActed = [this] { Settled = true; };
        connect(FolderTree->verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
                UserActed);
        connect(FolderTree, &QTreeView::expanded, this, UserActed);
        connect(FolderTree, &QTreeView::collapsed, this, UserActed);
    }

    void SelectionChanged(const QModelIndex& Index) {
        Settled = true;
        const QString Path = Index.data(QFileSystemModel::FilePathRole).toString();
        PathField->setText(Path);
        QString ShowText;
        int OKButtonState = 0;
        if (Browse.OnSelectionChanged) Browse.OnSelectionChanged(Path, ShowText, OKButtonState);
        if (Browse.Options.Contains(sboStatusTextAndShowPath)) ShowText = Path;
        StatusLine->setText(ShowText);
        if (OKButtonState == 1) OKButton->setEnabled(true);
        if (OKButtonState == 2) OKButton->setEnabled(false);
    }

    const TFolderDialog& Browse;
    const QString RootPath;  // the top of the tree
    QFileSystemModel* Files; // the folders of the file system, listed in the background
    TRootOnlyProxy* Proxy;   // the root folder alone at the top
    QTreeView* FolderTree;
    QLabel* StatusLine;
    QLineEdit* PathField; // the selected folder's path, or one typed to go to
    QPushButton* OKButton;
    QTimer* Recentre;     // centres the opening selection after a change of the rows
    bool Settled = false; // the user has selected, scrolled, expanded or collapsed
};

// Moves the dialog as ShowStyle says, before it is shown; its size stays.
void PlaceDialog(QDialog& Dialog, TShowStyle Style, QWidget* Owner) {
    if (Style == ssCenterScreen) {
        const QScreen* Screen = QGuiApplication::primaryScreen();
        if (!Screen) return;
        const QRect Work = Screen->availableGeometry();
        Dialog.winId(); // the native window, so that the size includes the frame where known
        const QSize Size = Dialog.frameGeometry().size();
        Dialog.move((Work.width() - Size.width()) / 2, (Work.height() - Size.height()) / 3);
    } else if (Style == ssClient && Owner && Owner->testAttribute(Qt::WA_WState_Created)) {
        Dialog.move(Owner->mapToGlobal(QPoint(0, 0)));
    }
}

} // namespace

QString SpecialFolderPath(TRootFolder Folder) {
    return SpecialFolder(Folder);
}

QString SpecialFolderPath(TSelectFolder Folder) {
    return SpecialFolder(Folder);
}

TFolderDialog::TFolderDialog(QObject* Parent) : QObject(Parent) {}

bool TFolderDialog::Execute() {
    FolderName.clear();
    DisplayName.clear();
    const QString Root =
        RootFolder == rfManual ? ManualRoot(RootFolderName) : SpecialFolderPath(RootFolder);
    const QString Select = SelectFolder == sfManual
                               ? ManualSelection(SelectFolderName, HomeFolderName)
                               : SpecialFolderPath(SelectFolder);
    QWidget* Owner = qobject_cast<QWidget*>(parent());

    // On the heap and watched: the owner may take the dialog with it while it is open.
    QPointer<QDialog> Box = new TFolderTreeDialog(Owner, *this, Root, Select);
    PlaceDialog(*Box, ShowStyle, Owner);
    Dialog = Box;
    QMetaObject::invokeMethod(
        this,
        [this, Box] {
            if (Box && Box->isVisible()) emit DialogShown(Box);
        },
        Qt::QueuedConnection);
    const int Result = Box->exec();
    Dialog = nullptr;
    if (Owner) Owner->window()->activateWindow();
    if (!Box) return false;
    const auto* Shown = static_cast<TFolderTreeDialog*>(Box.data());
    const QString Path = Shown->SelectedPath();
    const QString Name = Shown->SelectedName();
    delete Box;
    if (Result != QDialog::Accepted || Path.isEmpty()) return false;
    FolderName = Path;
    DisplayName = Name;
    return true;
}

} // namespace orvel::ui
