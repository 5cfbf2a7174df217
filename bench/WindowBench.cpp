// bench_window FOLDER: opens a site in the main window on the current Qt platform, then times
// Reopen until the window is idle again, expanding every node, scrolling to the last row, and
// excluding every file with the extension of the first HTML file (the project window shows
// them all).
#include "analysis/CheckRun.h"
#include "support/CodePage.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/UiServices.h"

#include <QAction>
#include <QElapsedTimer>
#include <QToolButton>
#include <QTreeView>
#include <cstdio>

using namespace orvel;
using namespace orvel::ui;

namespace {
double Seconds(QElapsedTimer& Timer) {
    const double S = Timer.nsecsElapsed() / 1e9;
    Timer.restart();
    return S;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_window FOLDER\n");
        return 2;
    }
    InitCodePageFromLocale();
    TApplication App(argc, argv);
    TQuietServices Services;
    TMainWindow Form(Services, "/nonexistent/bench_window.ini");
    Form.show();
    QElapsedTimer Timer;
    Timer.start();
    OpenFolder(Form.Run, argv[1]);
    App.processEvents();
    std::printf("open folder      %.3f s, %d files\n", Seconds(Timer),
                Form.Run.FileObjects.Count());
    Form.ReopenButton->click(); // returns when the run has ended and the window is idle
    App.processEvents();
    std::printf("reopen to idle   %.3f s\n", Seconds(Timer));
    Form.expandAllNodeItemClick();
    App.processEvents();
    std::printf("expand all       %.3f s\n", Seconds(Timer));
    Form.SiteTreeView->scrollToBottom();
    Form.SiteTreeView->repaint();
    App.processEvents();
    std::printf("scroll to end    %.3f s\n", Seconds(Timer));
    for (const auto& File : Form.Run.FileObjects)
        if (File->Kind == fkHtml) {
            Form.Run.Tree.Select(File->Node);
            break;
        }
    Form.SameExtIgnoreItem->trigger();
    App.processEvents();
    std::printf("exclude by ext.  %.3f s, %d files\n", Seconds(Timer),
                Form.Run.CurrentProject.IgnoreFiles.Count());
    return 0;
}
