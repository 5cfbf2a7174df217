// The user's programs started from the main window: the editor and viewer through Enter and the
// double click, the web browser through Shift, the about box's addresses, and finding the browser
// through the desktop's settings.
#include "GuiTestSupport.h"

#include "ui/AboutBox.h"
#include "ui/Browser.h"
#include "ui/SiteTreeModel.h"

#include <QLabel>
#include <QTest>
#include <QTreeView>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;

namespace {

class ExternalPrograms : public TMainWindowTest {
protected:
    ExternalPrograms() {
        Site.WriteSite(
            {{"index.html", "<a href=logo.gif>"}, {"logo.gif", "GIF89a"}, {"notes.txt", ""}});
        Open();
        Form->SiteTreeView->expandAll();
        Form->Run.Settings.ExternalEditor = Editor.Path();
        Form->Run.Settings.ExternalViewer = Viewer.Path();
        Form->Browser.Program = Browser.Path();
        Services.Messages.clear(); // the report of the check
    }
    void DoubleClick(const std::string& Name, Qt::KeyboardModifiers Keys) {
        Select(Name);
        const QRect Row = Form->SiteTreeView->visualRect(Form->SiteTreeView->currentIndex());
        QWidget* Viewport = Form->SiteTreeView->viewport();
        QTest::mouseClick(Viewport, Qt::LeftButton, Keys, Row.center());
        QTest::mouseDClick(Viewport, Qt::LeftButton, Keys, Row.center());
        QTest::mouseRelease(Viewport, Qt::LeftButton, Keys, Row.center());
    }
    void PressEnter(const std::string& Name, Qt::KeyboardModifiers Keys) {
        Select(Name);
        Form->SiteTreeView->setFocus();
        QTest::keyClick(Form->SiteTreeView, Qt::Key_Return, Keys);
    }

    TRecordingProgram Editor, Viewer, Browser;
};

TEST_F(ExternalPrograms, EnterAndDoubleClickOpenInTheEditorViewerOrBrowser) {
    struct TCase {
        std::string File;
        bool DoubleClick;
        Qt::KeyboardModifiers Keys;
        const TRecordingProgram* Started; // null: a beep
    };
    const TCase Cases[] = {
        {"index.html", false, Qt::NoModifier, &Editor},
        {"index.html", true, Qt::NoModifier, &Editor},
        {"logo.gif", false, Qt::NoModifier, &Viewer},
        {"logo.gif", true, Qt::NoModifier, &Viewer},
        {"notes.txt", true, Qt::NoModifier, nullptr},
        {"index.html", false, Qt::ShiftModifier, &Browser},
        {"logo.gif", true, Qt::ShiftModifier, &Browser},
        {"notes.txt", false, Qt::ShiftModifier, &Browser},
        {"notes.txt", true, Qt::ShiftModifier, &Browser},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File + (C.DoubleClick ? " double click" : " Enter") +
                     (C.Keys ? " with Shift" : ""));
        Services.Beeps.clear();
        if (C.DoubleClick)
            DoubleClick(C.File, C.Keys);
        else
            PressEnter(C.File, C.Keys);
        if (C.Started)
            EXPECT_EQ(C.Started->Arguments(), std::vector<std::string>{Site.Path() + C.File});
        else
            EXPECT_EQ(Services.Beeps, std::vector<TBeepKind>{TBeepKind::bkDefault});
    }
    PressEnter("notes.txt", Qt::NoModifier); // not offered: nothing at all
    EXPECT_TRUE(Services.Messages.empty());
}

TEST_F(ExternalPrograms, TheAboutBoxHandsItsAddressToTheBrowser) {
    Form->AboutBox->show();
    QTest::mouseClick(Form->AboutBox->SupportURL, Qt::LeftButton);
    EXPECT_EQ(Browser.Arguments(),
              std::vector<std::string>{Form->AboutBox->SupportURL->text().toStdString()});
    Form->AboutBox->hide();
}

TEST_F(ExternalPrograms, TheDefaultBrowserIsFoundThroughTheDesktopsSettings) {
    // Desktop folders of the test's own; xdg-mime reads them the way of no desktop in particular.
    const TTempDir ConfigHome, DataDirs;
    const std::string DataHome = qEnvironmentVariable("XDG_DATA_HOME").toStdString() + "/";
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(ConfigHome.Path()));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(DataDirs.Path()));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(DataDirs.Path()));
    for (const char* Name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "DISPLAY", "WAYLAND_DISPLAY"})
        qunsetenv(Name);
    ConfigHome.Write("mimeapps.list", "[Default Applications]\ntext/html=fake-browser.desktop\n");
    const std::string Entry = DataHome + "applications/fake-browser.desktop";
    ::mkdir((DataHome + "applications").c_str(), 0755);
    std::ofstream(Entry) << "[Desktop Entry]\nType=Application\nName=Fake\nExec=" << Browser.Path()
                         << " --new-window %u\n";

    Form->Browser = ui::TBrowser::FindDefault();
    EXPECT_EQ(Form->Browser.Program, Browser.Path());
    PressEnter("index.html", Qt::ShiftModifier);
    EXPECT_EQ(Browser.Arguments(),
              (std::vector<std::string>{"--new-window", Site.Path() + "index.html"}));

    // Neither a desktop entry nor xdg-open: no browser, and an error box for each document.
    ::unlink(Entry.c_str());
    const QByteArray Path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(DataDirs.Path()));
    Form->Browser = ui::TBrowser::FindDefault();
    qputenv("PATH", Path);
    EXPECT_FALSE(Form->Browser.Found());
    PressEnter("index.html", Qt::ShiftModifier);
    ASSERT_EQ(Services.Messages.size(), 1u);
    EXPECT_EQ(Services.Messages[0].Kind, TMessageKind::mkError);
    EXPECT_EQ(Services.Messages[0].Text, "Das angegebene Browserprogramm exitiert nicht!");
}

} // namespace
