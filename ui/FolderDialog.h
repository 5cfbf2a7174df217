// The folder selection component: a non-visual object whose Execute shows a modal dialog with a
// folder tree, a status line, a field for typing a path and OK/Cancel, and returns the chosen
// folder.
#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>

namespace orvel::ui {

// The top of the dialog's tree.
enum TRootFolder {
    rfDesktop,
    rfManual,
    rfDrives,
    rfDesktopDir,
    rfFavorites,
    rfPrograms,
    rfRecent,
    rfSendTo,
    rfStartMenu,
    rfStartup,
    rfTemplates
};

// The folder selected when the dialog opens (same special folders as TRootFolder).
enum TSelectFolder {
    sfDesktop,
    sfManual,
    sfDrives,
    sfDesktopDir,
    sfFavorites,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates
};

// Where the dialog is placed: where Qt puts it, centred on the work area (a third from the top),
// or at the top-left corner of the owner's client area.
enum TShowStyle { ssNone, ssCenterScreen, ssClient };

// Dialog options. Only the two status options change what this dialog shows: either of them
// shows the status line, sboStatusTextAndShowPath also fills it with the selected path. Every
// folder of the tree is a file-system folder, so the others are kept for their values only.
enum TBrowseOption {
    sboDontGoBelowDomain,
    sboReturnFSAncestors,
    sboReturnOnlyFSDirs,
    sboStatusTextAndShowPath,
    sboStatusText
};

// A set of TBrowseOption values.
class TBrowseOptions {
public:
    constexpr TBrowseOptions() = default;
    constexpr TBrowseOptions(std::initializer_list<TBrowseOption> List) {
        for (TBrowseOption Option : List)
            Include(Option);
    }
    constexpr bool Contains(TBrowseOption Option) const { return Bits & Bit(Option); }
    constexpr void Include(TBrowseOption Option) { Bits |= Bit(Option); }
    constexpr void Exclude(TBrowseOption Option) { Bits &= ~Bit(Option); }
    constexpr bool operator==(const TBrowseOptions&) const = default;

private:
    static constexpr unsigned Bit(TBrowseOption Option) { return 1u << unsigned(Option); }
    unsigned Bits = 0; // bit n = option n
};

// Called at every change of selection in the dialog with the selected folder's path. ShowText
// (empty on entry) becomes the status line unless the path is shown there; OKButtonState (0 on
// entry) 1 enables the OK button, 2 disables it, 0 leaves it.
using TBrowseEvent =
    std::function<void(const QString& Path, QString& ShowText, int& OKButtonState)>;

// The file-system folder that stands for a special folder: desktop, manual and drives are "/"
// (the top of the namespace); the others are the user's XDG folders, or the home folder where a
// folder does not exist (see FolderDialog.cpp for the table).
QString SpecialFolderPath(TRootFolder Folder);
QString SpecialFolderPath(TSelectFolder Folder);

class TFolderDialog : public QObject {
    Q_OBJECT
public:
    // Parent is the owner: when it is a widget the dialog belongs to it (and ssClient uses it).
    explicit TFolderDialog(QObject* Parent = nullptr);

    // Shows the dialog modally. True when the user pressed OK with a folder selected; then
    // FolderName and DisplayName describe it. Both are emptied first in every case.
    bool Execute();

    // The open dialog, or null when none is shown.
    QDialog* ShownDialog() const { return Dialog; }

    QString Caption;                             // instruction text above the folder tree
    TBrowseOptions Options{sboReturnOnlyFSDirs}; // what the status line shows
    TRootFolder RootFolder = rfDesktop;          // top of the tree
    QString RootFolderName;                      // top of the tree when RootFolder is rfManual
    TSelectFolder SelectFolder = sfManual;       // folder selected at opening
    // With sfManual the folder selected at opening is SelectFolderName (callers keep the last
    // chosen folder there), else HomeFolderName (the project's home folder), else the user's
    // home folder: the first of them that exists.
    QString SelectFolderName;
    QString HomeFolderName;
    TShowStyle ShowStyle = ssClient; // placement of the dialog
    TBrowseEvent OnSelectionChanged; // called at each change of selection; may be empty

    QString FolderName;  // result: the chosen folder's path, without a trailing "/" except for "/"
    QString DisplayName; // result: the chosen folder's name as the tree shows it

signals:
    // Emitted once the dialog is visible, before the user can act on it.
    void DialogShown(QDialog* Dialog);

private:
    QPointer<QDialog> Dialog; // the dialog while Execute runs; owned by Execute
};

} // namespace orvel::ui
