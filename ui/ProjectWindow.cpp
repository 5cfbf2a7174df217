#include "ui/ProjectWindow.h"

#include "analysis/NodePictures.h"
#include "analysis/RunContext.h"
#include "ui/Encoding.h"
#include "ui/FolderDialog.h"
#include "ui/Panels.h"
#include "ui/TreePictures.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace orvel::ui {

namespace {

// A label that shows a folder path: it never widens the window, and its tooltip holds the
// whole path.
QLabel* FolderLabel(QWidget* Parent) {
    auto* Label = new QLabel(QTr("未設定"), Parent);
    Label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return Label;
}

QToolButton* FolderButton(QWidget* Parent) {
    auto* Button = new QToolButton(Parent);
    Button->setIcon(ToolIcon(TToolGlyph::Folder));
    Button->setIconSize(QSize(14, 14));
    Button->setFixedSize(20, 18);
    return Button;
}

QPushButton* Button(const QString& Caption, QWidget* Parent) {
    auto* Button = new QPushButton(Caption, Parent);
    Button->setAutoDefault(false);
    return Button;
}

// The excluded mark: a blank page under the grey dot pattern, as the tree shows excluded files.
QPixmap ExcludedPicture() {
    return NodeDecoration(-1, pic::OtherFile, pic::ExcludedOverlay)
        .copy(PictureSize + 2, 0, PictureSize, PictureSize);
}

// A section of the window: a header line, with a small picture when given, over its body.
QWidget* Section(const QString& Header, const QPixmap& Picture, QLayout* Body) {
    auto* Box = new QWidget;
    auto* Layout = new QVBoxLayout(Box);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    auto* Title = SunkenLabel(QString(), Box);
    Title->setFixedHeight(17);
    auto* TitleLayout = new QHBoxLayout(Title);
    TitleLayout->setContentsMargins(2, 0, 2, 0);
    TitleLayout->setSpacing(3);
    if (!Picture.isNull()) {
        auto* Icon = new QLabel(Title);
        Icon->setPixmap(Picture);
        TitleLayout->addWidget(Icon);
    }
    TitleLayout->addWidget(new QLabel(Header, Title), 1);
    Layout->addWidget(Title);
    Layout->addLayout(Body, 1);
    return Box;
}

// A layout that holds one widget.
QVBoxLayout* SingleWidget(QWidget* Widget) {
    auto* Layout = new QVBoxLayout;
    Layout->addWidget(Widget);
    return Layout;
}

QListWidget* NewList(QAbstractItemView::SelectionMode Mode) {
    auto* List = new QListWidget;
    List->setSelectionMode(Mode);
    List->setUniformItemSizes(true);
    return List;
}

// Walks the entries from the first; Remove acts on a selected entry and may remove it, and the
// walk goes on at the same row when it did. Afterwards the entry at the focused row, or the
// last one, is selected too; entries that stayed keep their selection.
void RemoveSelectedEntries(QListWidget& List, const std::function<void(int Row)>& Remove) {
    const int Focused = List.currentRow();
    for (int Row = 0; Row < List.count();) {
        const int Before = List.count();
        if (List.item(Row)->isSelected()) Remove(Row);
        if (List.count() == Before) ++Row;
    }
    if (List.count() > 0)
        List.setCurrentRow(std::clamp(Focused, 0, List.count() - 1), QItemSelectionModel::Select);
}

} // namespace

void TListWidgetView::Append(const std::string& Text) {
    List->addItem(ToQString(Text));
}

void TListWidgetView::Insert(int Index, const std::string& Text) {
    List->insertItem(Index, ToQString(Text));
}

void TListWidgetView::Delete(int Index) {
    delete List->takeItem(Index);
}

void TListWidgetView::Clear() {
    List->clear();
}

int TListWidgetView::Count() const {
    return List->count();
}

TProjectWindow::TProjectWindow(TRunContext& RunContext, QWidget* MainWindow)
    : QWidget(MainWindow, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Run(RunContext) {
    setWindowTitle(QTr("プロジェクト情報"));
    setAttribute(Qt::WA_ShowWithoutActivating); // shown at start, the main window keeps the focus
    BuildLayout();
    resize(409, 516);
    ServerRootFolderDialog = new TFolderDialog(this);
    ServerRootFolderDialog->Caption = QTr("サーバーのルートに対応するフォルダを指定して下さい");
    IgnoreFolderDialog = new TFolderDialog(this);
    IgnoreFolderDialog->Caption = QTr("存在を無視するフォルダを指定してください");
}

// The folders over the three sections of lists, over the status line.
void TProjectWindow::BuildLayout() {
    auto* Outer = new QVBoxLayout(this);
    Outer->setContentsMargins(0, 0, 0, 0);
    Outer->setSpacing(0);
    QWidget* Folders = BuildFolderRows();
    QWidget* Sections = BuildListSections();
    StatusLine =
        SunkenLabel(QTr("ファイルをダブルクリックすると、該当ファイルへジャンプします"), this);
    StatusLine->setFixedHeight(19);
    Outer->addWidget(Folders);
    Outer->addWidget(Sections, 1);
    Outer->addWidget(StatusLine);
    ConnectControls();
}

// The home folder and the server root folder, each a button beside its caption over its path.
QWidget* TProjectWindow::BuildFolderRows() {
    auto* Folders = new QWidget(this);
    Folders->setFixedHeight(73);
    auto* Grid = new QGridLayout(Folders);
    Grid->setContentsMargins(4, 2, 4, 2);
    Grid->setHorizontalSpacing(4);
    Grid->setVerticalSpacing(0);
    HomeButton = FolderButton(Folders);
    HomeDirLabel = FolderLabel(Folders);
    ServerRootButton = FolderButton(Folders);
    ServerRootLabel = FolderLabel(Folders);
    Grid->addWidget(HomeButton, 0, 0);
    Grid->addWidget(new QLabel(QTr("ホームページのフォルダ"), Folders), 0, 1);
    Grid->addWidget(HomeDirLabel, 1, 1);
    Grid->addWidget(ServerRootButton, 2, 0);
    Grid->addWidget(new QLabel(QTr("サーパーのルートに対応するフォルダ(管理者向け)"), Folders), 2,
                    1);
    Grid->addWidget(ServerRootLabel, 3, 1);
    Grid->setColumnStretch(1, 1);
    return Folders;
}

// The TOP files, the excluded files, and the wildcard rules with their controls, one above
// the other.
QWidget* TProjectWindow::BuildListSections() {
    TopFileList = NewList(QAbstractItemView::ExtendedSelection);
    IgnoreFileList = NewList(QAbstractItemView::ExtendedSelection);
    WildCardList = NewList(QAbstractItemView::SingleSelection);
    TopFileView.List = TopFileList;
    IgnoreFileView.List = IgnoreFileList;
    WildCardView.List = WildCardList;
    QLayout* WildLayout = BuildWildCardControls();

    auto* Sections = new QSplitter(Qt::Vertical, this);
    Sections->setHandleWidth(3);
    Sections->setChildrenCollapsible(false);
    Sections->addWidget(
        Section(QTr("TOPファイル"), TreePictures()[pic::TopMark], SingleWidget(TopFileList)));
    Sections->addWidget(Section(QTr("チェック対象から外すファイル"), ExcludedPicture(),
                                SingleWidget(IgnoreFileList)));
    Sections->addWidget(Section(QTr("存在を無視するファイル（ワイルドカード指定）とフォルダ"),
                                QPixmap(), WildLayout));
    Sections->setStretchFactor(2, 1);
    Sections->setSizes({136, 111, 170});
    return Sections;
}

// The wildcard list beside the rule's edit and the buttons that add and delete.
QLayout* TProjectWindow::BuildWildCardControls() {
    WildCardEdit = new QLineEdit;
    AddWildCardButton = Button(QTr("ファイル追加"), nullptr);
    AddFolderButton = Button(QTr("フォルダ追加..."), nullptr);
    DeleteWildCardButton = Button(QTr("削除"), nullptr);
    auto* Controls = new QWidget;
    // Today's width, wider where the buttons' texts need more.
    Controls->setMinimumWidth(150);
    Controls->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* ControlLayout = new QVBoxLayout(Controls);
    ControlLayout->setContentsMargins(4, 2, 4, 2);
    for (QWidget* W : std::initializer_list<QWidget*>{WildCardEdit, AddWildCardButton,
                                                      AddFolderButton, DeleteWildCardButton})
        ControlLayout->addWidget(W);
    ControlLayout->addStretch();
    auto* WildLayout = new QHBoxLayout;
    WildLayout->setSpacing(0);
    WildLayout->addWidget(WildCardList, 1);
    WildLayout->addWidget(Controls);
    return WildLayout;
}

void TProjectWindow::ConnectControls() {
    for (QListWidget* List : {TopFileList, IgnoreFileList, WildCardList})
        List->installEventFilter(this);
    for (QListWidget* List : {TopFileList, IgnoreFileList})
        List->viewport()->installEventFilter(this);
    connect(AddWildCardButton, &QPushButton::clicked, this,
            &TProjectWindow::AddWildCardButtonClick);
    connect(WildCardEdit, &QLineEdit::returnPressed, this, &TProjectWindow::AddWildCardButtonClick);
    connect(DeleteWildCardButton, &QPushButton::clicked, this,
            &TProjectWindow::DeleteWildCardButtonClick);
    connect(HomeButton, &QToolButton::clicked, this, &TProjectWindow::HomeButtonClick);
    connect(ServerRootButton, &QToolButton::clicked, this, &TProjectWindow::ServerRootButtonClick);
    connect(AddFolderButton, &QPushButton::clicked, this, &TProjectWindow::AddFolderButtonClick);
}

bool TProjectWindow::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::MouseButtonDblClick) {
        if (Watched == TopFileList->viewport()) TopFileListDblClick();
        if (Watched == IgnoreFileList->viewport()) IgnoreFileListDblClick();
    }
    if (Event->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        if (Watched == TopFileList)
            TopFileListKeyDown(Key);
        else if (Watched == IgnoreFileList)
            IgnoreFileListKeyDown(Key);
        else if (Watched == WildCardList)
            WildCardListKeyDown(Key);
        else
            return QWidget::eventFilter(Watched, Event);
        // The lists do nothing else with these keys.
        return Key == Qt::Key_Delete || Key == Qt::Key_Return || Key == Qt::Key_Enter;
    }
    return QWidget::eventFilter(Watched, Event);
}

void TProjectWindow::closeEvent(QCloseEvent* Event) {
    Event->ignore();
    hide();
}

void TProjectWindow::ApplyCommandState(const TCommandState& State) {
    for (QWidget* W :
         std::initializer_list<QWidget*>{TopFileList, IgnoreFileList, WildCardList, WildCardEdit,
                                         AddWildCardButton, DeleteWildCardButton})
        W->setEnabled(!State.Busy);
}

void TProjectWindow::JumpToFile(const std::string& Path) {
    Run.Tree.Select(FindNodeByPath(Run, Path, true));
    QWidget* Main = parentWidget();
    Main->show();
    Main->raise();
    Main->activateWindow();
}

void TProjectWindow::TopFileListDblClick() {
    const int Row = TopFileList->currentRow();
    if (Row >= 0) JumpToFile(Run.CurrentProject.TopFiles[static_cast<size_t>(Row)]);
}

void TProjectWindow::IgnoreFileListDblClick() {
    const int Row = IgnoreFileList->currentRow();
    if (Row >= 0) JumpToFile(Run.CurrentProject.IgnoreFiles[Row]);
}

void TProjectWindow::TopFileListKeyDown(int Key) {
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) TopFileListDblClick();
    if (Key != Qt::Key_Delete) return;
    TOrvelProject& Project = Run.CurrentProject;
    RemoveSelectedEntries(*TopFileList, [&](int Row) {
        TTreeNode* Node = FindNodeByPath(Run, Project.TopFiles[static_cast<size_t>(Row)], true);
        if (!Node) return;
        Node->Data->SetReachState(rsReached);
        Project.RemoveTopFile(Node->Data->Path);
    });
}

void TProjectWindow::IgnoreFileListKeyDown(int Key) {
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) IgnoreFileListDblClick();
    if (Key != Qt::Key_Delete) return;
    RemoveSelectedEntries(*IgnoreFileList, [&](int Row) {
        if (TTreeNode* Node = FindNodeByPath(Run, Run.CurrentProject.IgnoreFiles[Row], true))
            Node->Data->SetIgnored(false);
    });
}

int TProjectWindow::RemoveSelectedWildCard() {
    const QList<QListWidgetItem*> Selected = WildCardList->selectedItems();
    if (Selected.isEmpty()) return -1;
    const int Row = WildCardList->row(Selected.first());
    const std::string Entry = Run.CurrentProject.WildCards[static_cast<size_t>(Row)];
    Run.CurrentProject.RemoveWildCard(Entry);
    return Row;
}

void TProjectWindow::WildCardListKeyDown(int Key) {
    if (Key != Qt::Key_Delete) return;
    const int Row = RemoveSelectedWildCard();
    if (Row >= 0 && WildCardList->count() > 0)
        WildCardList->setCurrentRow(std::min(Row, WildCardList->count() - 1));
}

void TProjectWindow::AddWildCardButtonClick() {
    if (WildCardEdit->text().isEmpty()) return;
    Run.CurrentProject.AddWildCard(FromQString(WildCardEdit->text()));
    WildCardEdit->clear();
}

void TProjectWindow::DeleteWildCardButtonClick() {
    // The list would select the next rule by itself.
    if (RemoveSelectedWildCard() >= 0) WildCardList->clearSelection();
}

void TProjectWindow::HomeButtonClick() {
    if (!Run.Busy()) emit HomeFolderRequested();
}

void TProjectWindow::ServerRootButtonClick() {
    ServerRootFolderDialog->HomeFolderName = ToQString(Run.CurrentProject.HomeDir);
    if (!ServerRootFolderDialog->Execute()) {
        Run.CurrentProject.SetServerRoot("");
        return;
    }
    Run.CurrentProject.SetServerRoot(FromQString(ServerRootFolderDialog->FolderName));
    ServerRootFolderDialog->SelectFolder = sfManual;
    ServerRootFolderDialog->SelectFolderName = ServerRootFolderDialog->FolderName;
}

void TProjectWindow::AddFolderButtonClick() {
    IgnoreFolderDialog->HomeFolderName = ToQString(Run.CurrentProject.HomeDir);
    if (!IgnoreFolderDialog->Execute()) return;
    Run.CurrentProject.AddIgnoreFolder(FromQString(IgnoreFolderDialog->FolderName));
    IgnoreFolderDialog->SelectFolder = sfManual;
    IgnoreFolderDialog->SelectFolderName = IgnoreFolderDialog->FolderName;
}

void TProjectWindow::ShowHomeDir(const std::string& HomeDir) {
    HomeDirLabel->setText(ToQString(HomeDir));
    HomeDirLabel->setToolTip(HomeDirLabel->text());
}

void TProjectWindow::ShowServerRoot(const std::string& Text) {
    ServerRootLabel->setText(ToQString(Text));
    ServerRootLabel->setToolTip(ServerRootLabel->text());
}

void TProjectWindow::ShowCaptions(const std::string& MainCaption,
                                  const std::string& ProjectCaption) {
    setWindowTitle(ToQString(ProjectCaption));
    emit MainCaptionChanged(ToQString(MainCaption));
}

} // namespace orvel::ui
