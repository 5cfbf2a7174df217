// bench_window FOLDER: opens a site in the main window on the current Qt platform, then, with
// its index.html as the TOP page, times Reopen until the window is idle again (the check that
// orvel-check --top index.html makes), a replacement of one link and the deletion of one page,
// expanding every node, scrolling to the last row, the replacement and deletion again, and
// excluding every file with the extension of the first HTML file (the project window shows them
// all). Message boxes are answered
// at once, so the end-of-check box costs nothing. For the opening and the reopening it also gives
// the longest pause: the longest time in which the window handled no events and so could not
// repaint.
#include "analysis/CheckRun.h"
#include "analysis/StringReplacement.h"
#include "support/CodePage.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/SiteTreeModel.h"
#include "ui/UiServices.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

using namespace orvel;
using namespace orvel::ui;

namespace {
double Seconds(QElapsedTimer& Timer) {
    const double S = Timer.nsecsElapsed() / 1e9;
    Timer.restart();
    return S;
}

// A timer due every millisecond: it fires whenever the window handles its events, so the
// longest time between two firings is the longest pause.
class TPauseProbe {
public:
    TPauseProbe() {
        Timer.setInterval(1);
        QObject::connect(&Timer, &QTimer::timeout, [this] {
            Longest = std::max(Longest, Since.nsecsElapsed());
            Since.restart();
        });
    }
    void Start() {
        Longest = 0;
        Since.start();
        Timer.start();
    }
    // The longest pause since Start, in seconds, counting the time since the last firing.
    double Stop() {
        Timer.stop();
        return std::max(Longest, Since.nsecsElapsed()) / 1e9;
    }

private:
    QTimer Timer;
    QElapsedTimer Since;
    qint64 Longest = 0;
};

// Replaces the first invalid link of the first page with one by its suggestion (the replacement
// once the dialog is accepted), then deletes the HTML file at or after Nth with the Del command;
// each is timed until the window shows the new state.
void ReplaceAndDelete(TMainWindow& Form, const char* Tree, int Nth) {
    QElapsedTimer Timer;
    for (const auto& File : Form.Run.FileObjects)
        if (File->Kind == fkHtml && !File->InvalidLinks.Empty()) {
            const std::string Link = File->InvalidLinks.Strings().front();
            const TLinkDiagnosis Diagnosis = Form.Run.Findings.Diagnoser().Diagnose(*File, Link);
            Form.Run.Tree.Select(File->Node);
            QCoreApplication::processEvents();
            Timer.start();
            ReplaceLinks(Form.Run, {{File.get(), Link, Diagnosis.Suggestion.value_or("x")}});
            QCoreApplication::processEvents();
            std::printf("replace one link %.3f s, %s\n", Seconds(Timer), Tree);
            break;
        }
    auto Page = Form.Run.FileObjects.begin() + Nth;
    while ((*Page)->Kind != fkHtml)
        ++Page;
    Form.Run.Tree.Select((*Page)->Node);
    QCoreApplication::processEvents();
    Timer.start();
    Form.DeleteItem->trigger();
    QCoreApplication::processEvents();
    std::printf("delete one page  %.3f s, %s\n", Seconds(Timer), Tree);
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
    App.processEvents();
    TPauseProbe Probe;
    QElapsedTimer Timer;
    Timer.start();
    Probe.Start();
    OpenFolder(Form.Run, argv[1]);
    App.processEvents();
    const double OpenSeconds = Seconds(Timer);
    std::printf("open folder      %.3f s, %d files, longest pause %.3f s\n", OpenSeconds,
                Form.Run.FileObjects.Count(), Probe.Stop());
    Form.Run.CurrentProject.AddTopFile(Form.Run.CurrentProject.HomeDir + "index.html");
    Timer.restart();
    Probe.Start();
    Form.ReopenButton->click(); // returns when the run has ended and the window is idle
    App.processEvents();
    const double ReopenSeconds = Seconds(Timer);
    std::printf("reopen to idle   %.3f s, longest pause %.3f s\n", ReopenSeconds, Probe.Stop());
    ReplaceAndDelete(Form, "folders expanded as opened", Form.Run.FileObjects.Count() / 3);
    Timer.restart();
    Form.ExpandAllItemClick();
    App.processEvents();
    std::printf("expand all       %.3f s\n", Seconds(Timer));
    Form.SiteTreeView->scrollToBottom();
    Form.SiteTreeView->repaint();
    App.processEvents();
    std::printf("scroll to end    %.3f s\n", Seconds(Timer));
    ReplaceAndDelete(Form, "every node expanded", Form.Run.FileObjects.Count() * 2 / 3);
    Timer.restart();
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
