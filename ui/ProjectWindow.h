// TProjectWindow: the project information window. Shows and edits the project's home and server
// root folders, TOP files, excluded files and wildcard rules; a double click jumps to a file.
#pragma once

#include "analysis/Host.h"
#include "project/ProjectViews.h"

#include <QWidget>
#include <string>

class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace orvel {
class TRunContext;
}

namespace orvel::ui {

class TFolderDialog;

// One of the project's lists shown in a list widget.
class TListWidgetView : public TProjectListView {
public:
    void Append(const std::string& Text) override;
    void Insert(int Index, const std::string& Text) override;
    void Delete(int Index) override;
    void Clear() override;
    int Count() const override;

    QListWidget* List = nullptr; // not owned
};

// A non-modal tool window owned by the main window; closing it only hides it.
class TProjectWindow : public QWidget, public TProjectDisplay {
    Q_OBJECT
public:
    TProjectWindow(TRunContext& RunContext, QWidget* MainWindow);

    QToolButton *HomeButton, *ServerRootButton;
    QLabel *HomeDirLabel, *ServerRootLabel;
    QListWidget *TopFileList, *IgnoreFileList, *WildCardList;
    QLineEdit* WildCardEdit;
    QPushButton *AddWildCardButton, *AddFolderButton, *DeleteWildCardButton;
    QLabel* StatusLine;
    TFolderDialog *ServerRootFolderDialog, *IgnoreFolderDialog;
    // The views of the project's three lists.
    TListWidgetView TopFileView, IgnoreFileView, WildCardView;

    // Disables the lists and the wildcard controls while the main window is busy.
    void ApplyCommandState(const TCommandState& State);

    // Jumps to the file of the focused entry.
    void TopFileListDblClick();
    void IgnoreFileListDblClick();
    // Delete removes the selected TOP files, Enter jumps to the focused one.
    void TopFileListKeyDown(int Key);
    // Delete ends the exclusion of the selected files, Enter jumps to the focused one.
    void IgnoreFileListKeyDown(int Key);
    // Delete removes the selected rule and selects its neighbour.
    void WildCardListKeyDown(int Key);
    // Adds the typed rule exactly as typed and empties the box.
    void AddWildCardButtonClick();
    void DeleteWildCardButtonClick();
    // Opens a home folder as a new project, unless the main window is busy.
    void HomeButtonClick();
    // Sets the server root folder from the dialog; Cancel clears it.
    void ServerRootButtonClick();
    // Adds an ignored folder from the dialog.
    void AddFolderButtonClick();

    // TProjectDisplay
    void ShowHomeDir(const std::string& HomeDir) override;
    void ShowServerRoot(const std::string& Text) override;
    void ShowCaptions(const std::string& MainCaption, const std::string& ProjectCaption) override;

signals:
    // The home button asks the main window for its folder command.
    void HomeFolderRequested();
    // The project's name changed the main window's caption.
    void MainCaptionChanged(const QString& Caption);

protected:
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildLayout();
    QWidget* BuildFolderRows();
    QWidget* BuildListSections();
    QLayout* BuildWildCardControls();
    // The lists' keys and double clicks, and the buttons' commands.
    void ConnectControls();
    // Selects the node of a file in the main window's tree (none when it is not there) and
    // brings the main window to the front.
    void JumpToFile(const std::string& Path);
    // Removes the selected rule; its row, or -1 when no rule is selected.
    int RemoveSelectedWildCard();

    TRunContext& Run;
};

} // namespace orvel::ui
