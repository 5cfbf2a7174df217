// Opening files in the user's programs and the tag jump, with a real program that records the
// arguments it receives.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/ExternalApps.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

// A desktop of the test's own for the editor chosen when none is set: PATH and the data folders
// below temporary folders, with an xdg-mime that names no default; restored at the end.
class TTestDesktop {
public:
    TTestDesktop() {
        for (const char* Name :
             {"PATH", "XDG_DATA_HOME", "XDG_DATA_DIRS", "VISUAL", "EDITOR", "TERMINAL"}) {
            const char* Value = std::getenv(Name);
            Saved.emplace_back(Name, Value ? std::optional<std::string>(Value) : std::nullopt);
            ::unsetenv(Name);
        }
        ::setenv("PATH", (Bin.Path() + ":/usr/bin:/bin").c_str(), 1);
        ::setenv("XDG_DATA_HOME", Data.Path().c_str(), 1);
        ::setenv("XDG_DATA_DIRS", Data.Path().c_str(), 1);
        SetDefault("");
    }
    ~TTestDesktop() {
        for (const auto& [Name, Value] : Saved)
            Value ? ::setenv(Name.c_str(), Value->c_str(), 1) : ::unsetenv(Name.c_str());
    }
    // What xdg-mime names as the default for text files.
    void SetDefault(const std::string& Entry) const {
        ::chmod(Bin.Write("xdg-mime", "#!/bin/sh\n[ \"$*\" = 'query default text/plain' ] && "
                                      "echo '" +
                                          Entry + "'\n")
                    .c_str(),
                0755);
    }

    TTempDir Bin, Data;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

class ExternalApps : public ::testing::Test {
protected:
    ExternalApps() {
        Site.WriteSite(
            {{"page.html", ""},
             {"my page.html", ""},
             {"-x\" --eval \"(y).html", ""},
             {"logo.gif", ""},
             {"notes.txt", ""},
             {"links.html", "<a href=a.html>\n<p>a.html\n\n<A HREF=A.HTML>a.html</a>\n"}});
        OpenFolder(T.Run, Site.Path());
        T.Host.Messages.clear(); // the report of the check
        T.Host.Beeps.clear();
        T.Run.Settings.ExternalEditor = Editor.Path();
        T.Run.Settings.ExternalViewer = Viewer.Path();
    }
    TFileObject& Select(const std::string& Name) {
        TTreeNode* Node = NodeAt(T.Run.Tree, Name);
        T.Run.Tree.Select(Node);
        return *Node->Data;
    }

    TTestDesktop Desktop;
    TTempDir Site;
    TTestRun T;
    TRecordingProgram Editor, Viewer;
};

TEST_F(ExternalApps, TheProgramGetsTheTemplatesArgumentsWithThePathAlwaysOneArgument) {
    const std::string Quote = "-x\" --eval \"(y).html";
    struct TCase {
        std::string File, Template;
        const char* TagJumpLine; // null: opened, not a tag jump
        Strings Expected;        // "<P>" stands for the file's path
    };
    const TCase Cases[] = {
        {"page.html", "%F", nullptr, {"<P>"}},
        {"page.html", "%F %F", nullptr, {"<P>", "<P>"}},
        {"page.html", "-r %F -x %F", nullptr, {"-r", "<P>", "-x", "<P>"}},
        {"page.html", "%F %N", nullptr, {"<P>", "%N"}},
        {"page.html", "/j%N %F", "12", {"/j12", "<P>"}},
        {"page.html", "%F:%N", "3", {"<P>:3"}},
        {"my page.html", "%F", nullptr, {"<P>"}},
        {"my page.html", "\"%F\"", nullptr, {"<P>"}},
        {"my page.html", "--line=%N \"%F\"", "7", {"--line=7", "<P>"}},
        {Quote, "%F", nullptr, {"<P>"}},
        {Quote, "/j%N \"%F\"", "1", {"/j1", "<P>"}},
        {"logo.gif", "--ignored %F %F", nullptr, {"<P>"}}, // an image: its bare path
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.File + " with " + C.Template);
        TFileObject& File = Select(C.File);
        Strings Expected;
        for (const std::string& Argument : C.Expected)
            Expected.push_back(ReplaceAll(Argument, "<P>", File.Path));
        if (C.TagJumpLine) {
            T.Run.Settings.TagJumpCommandLineOption = C.Template;
            TagJump(T.Run, File, C.TagJumpLine);
        } else {
            T.Run.Settings.CommandLineOption = C.Template;
            OpenInExternalApp(T.Run);
        }
        EXPECT_EQ((File.Kind == fkImage ? Viewer : Editor).Arguments(), Expected);
        EXPECT_TRUE(T.Host.Messages.empty());
        EXPECT_TRUE(T.Host.Beeps.empty());
    }
}

TEST_F(ExternalApps, WhatCannotBeOpenedGivesABeepAndAProgramThatCannotStartAMessage) {
    ::chmod(Site.Write("not-executable", "#!/bin/sh\n").c_str(), 0644);
    struct TCase {
        std::string Selected, Editor;
        bool Message;
    };
    const TCase Cases[] = {
        {"page.html", Site.Path() + "missing-editor", true},
        {"page.html", "", true},
        {"page.html", "no-such-program-anywhere", true},
        {"page.html", Site.Path() + "not-executable", true},
        {"notes.txt", Editor.Path(), false},
        {"", Editor.Path(), false}, // the root
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Selected + " with " + C.Editor);
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
        T.Run.Settings.ExternalEditor = C.Editor;
        T.Run.Tree.Select(NodeAt(T.Run.Tree, C.Selected));
        OpenInExternalApp(T.Run);
        EXPECT_EQ(T.Host.Beeps, std::vector<TBeepKind>{TBeepKind::bkDefault});
        ASSERT_EQ(T.Host.Messages.size(), C.Message ? 1u : 0u);
        if (C.Message) {
            EXPECT_EQ(T.Host.Messages[0].Text, "外部アプリケーション\r\n" + C.Editor +
                                                   "\r\nを開けません\r\n設定の「外部アプリケーショ"
                                                   "ン」タブでエディタを指定してください");
        }
    }
}

TEST_F(ExternalApps, WithoutAnEditorTheDesktopsOwnOpensTheFile) {
    T.Run.Settings.ExternalEditor.clear();
    const TFileObject& File = Select("my page.html");
    Desktop.SetDefault("fake-editor.desktop");
    const std::string Entry =
        Desktop.Data.Write("applications/fake-editor.desktop",
                           "[Desktop Entry]\nExec=" + Editor.Path() + " --new-window %U\n");
    TagJump(T.Run, File, "7");
    EXPECT_EQ(Editor.Arguments(),
              (Strings{"--new-window", "file://" + ReplaceAll(File.Path, " ", "%20")}));
    // Without the entry, $VISUAL in the terminal, at the line.
    ::unlink(Entry.c_str());
    ::setenv("VISUAL", "vi", 1);
    ::setenv("TERMINAL", Viewer.Path().c_str(), 1);
    TagJump(T.Run, File, "7");
    EXPECT_EQ(Viewer.Arguments(), (Strings{"-e", "vi", "+7", File.Path}));
    EXPECT_TRUE(T.Host.Messages.empty());
}

TEST_F(ExternalApps, TagJumpPlacesAreEveryOccurrenceInFileOrder) {
    const TFileObject& File = Select("links.html");
    using TPlaces = std::vector<std::pair<std::string, std::string>>;
    const auto Places = [&](bool IgnoreCase) {
        T.Run.Settings.IgnoreCase = IgnoreCase;
        TPlaces Result;
        const auto Found = FindTagJumpPlaces(T.Run, File, "a.html");
        for (const TTagJumpPlace& P : *Found)
            Result.emplace_back(P.Line, P.Context);
        return Result;
    };
    // Line breaks count as CR LF; a piece begins after the occurrence before it.
    EXPECT_EQ(Places(false), (TPlaces{{"1", "f=a.html>\r\n<p>a"},
                                      {"2", "p>a.html\r\n\r\n<A "},
                                      {"4", "L>a.html</a>\r\n"}}));
    EXPECT_EQ(Places(true), (TPlaces{{"1", "f=a.html>\r\n<p>a"},
                                     {"2", "p>a.html\r\n\r\n<A "},
                                     {"4", "F=A.HTML>a.html"},
                                     {"4", ">a.html</a>\r\n"}}));
    EXPECT_TRUE(FindTagJumpPlaces(T.Run, File, "gone.html")->empty());
    EXPECT_TRUE(T.Host.Messages.empty());
}

TEST_F(ExternalApps, AFileThatCannotBeReadIsReportedOnceAndHasNoPlaces) {
    const TFileObject& Deleted = Select("page.html");
    ::unlink(Deleted.Path.c_str());
    EXPECT_FALSE(FindTagJumpPlaces(T.Run, Deleted, "a.html"));
    const TFileObject& Binary = Select("notes.txt");
    Site.Write("notes.txt", std::string(30, '\x01'));
    EXPECT_FALSE(FindTagJumpPlaces(T.Run, Binary, "a.html"));
    ASSERT_EQ(T.Host.Messages.size(), 2u);
    EXPECT_EQ(T.Host.Messages[0].Text, "ファイルをオープンできません\r\n" + Deleted.Path);
    EXPECT_EQ(T.Host.Messages[1].Text, "it is binary file");
}

} // namespace
