// The folder selection component and its dialog.
#include "FolderDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
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

// The folder a manual value names, absolute and clean; the desktop "/" when Name is empty or
// names no existing folder.
QString ManualFolder(const QString& Name) {
    if (Name.isEmpty()) return QStringLiteral("/");
    const QFileInfo Info(Name);
    return Info.isDir() ? QDir::cleanPath(Info.absoluteFilePath()) : QStringLiteral("/");
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

// The dialog: the caption, the status line, the folder tree, OK and Cancel.
class TFolderTreeDialog : public QDialog {
public:
    TFolderTreeDialog(QWidget* Owner, const TFolderDialog& Component, const QString& RootPath,
                      const QString& SelectPath)
        : QDialog(Owner), Browse(Component) {
        setWindowTitle(QStringLiteral("フォルダの参照"));
        QLabel* CaptionLabel = BuildCaption();
        BuildStatusLine();
        BuildFolderTree(RootPath);
        QDialogButtonBox* Buttons = BuildButtons();
        auto* Layout = new QVBoxLayout(this);
        Layout->addWidget(CaptionLabel);
        Layout->addWidget(StatusLine);
        Layout->addWidget(FolderTree, 1);
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

protected:
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
    void BuildFolderTree(const QString& RootPath) {
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

    QDialogButtonBox* BuildButtons() {
        auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        OKButton = Buttons->button(QDialogButtonBox::Ok);
        OKButton->setObjectName("OKButton");
        OKButton->setText(QStringLiteral("OK"));
        QPushButton* Cancel = Buttons->button(QDialogButtonBox::Cancel);
        Cancel->setObjectName("CancelButton");
        Cancel->setText(QStringLiteral("キャンセル"));
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
        QString ShowText;
        int OKButtonState = 0;
        if (Browse.OnSelectionChanged) Browse.OnSelectionChanged(Path, ShowText, OKButtonState);
        if (Browse.Options.Contains(sboStatusTextAndShowPath)) ShowText = Path;
        StatusLine->setText(ShowText);
        if (OKButtonState == 1) OKButton->setEnabled(true);
        if (OKButtonState == 2) OKButton->setEnabled(false);
    }

    const TFolderDialog& Browse;
    QFileSystemModel* Files; // the folders of the file system, listed in the background
    TRootOnlyProxy* Proxy;   // the root folder alone at the top
    QTreeView* FolderTree;
    QLabel* StatusLine;
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
        RootFolder == rfManual ? ManualFolder(RootFolderName) : SpecialFolderPath(RootFolder);
    const QString Select =
        SelectFolder == sfManual ? ManualFolder(SelectFolderName) : SpecialFolderPath(SelectFolder);
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
