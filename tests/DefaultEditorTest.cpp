// The desktop's editor chosen for a file when none is set: desktop entries written to a data
// folder of the test's own, programs in a folder that stands for PATH.
#include "TestSupport.h"

#include "support/DefaultEditor.h"

#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

TEST(DefaultEditor, TheDefaultEntryElseVisualElseEditorInATerminal) {
    const TTempDir Data, Bin, TerminalBin;
    Data.Write("applications/editor.desktop",
               "[Desktop Action New]\nExec=other\n[Desktop Entry]\nName=E\nExec=my-editor --new "
               "%U %i %c %k 100%% \"a b\"\n");
    Data.Write("applications/console.desktop",
               "[Desktop Entry]\nExec=my-editor -f %f\nTerminal=true\n");
    Data.Write("applications/uninstalled.desktop", "[Desktop Entry]\nExec=not-installed %F\n");
    for (const char* Name : {"my-editor", "xterm"})
        ::chmod(Bin.Write(Name, "#!/bin/sh\n").c_str(), 0755);
    ::chmod(TerminalBin.Write("gnome-terminal", "#!/bin/sh\n").c_str(), 0755);
    const std::string File = "/site/my page.html", Url = "file:///site/my%20page.html";
    const std::string Line = "12";

    struct TCase {
        std::string Entry;
        std::map<std::string, std::string> Variables; // besides PATH and the data folders
        bool TagJump;
        Strings Expected; // the program, then its arguments; empty: nothing to start
    };
    const TCase Cases[] = {
        {"editor.desktop", {}, false, {"my-editor", "--new", Url, "100%", "a b"}},
        {"editor.desktop", {{"VISUAL", "vim"}}, true, {"my-editor", "--new", Url, "100%", "a b"}},
        {"console.desktop", {}, true, {"xterm", "-e", "my-editor", "-f", File}},
        {"console.desktop",
         {{"TERMINAL", "/opt/gnome-terminal"}},
         false,
         {"/opt/gnome-terminal", "--", "my-editor", "-f", File}},
        {"gone.desktop",
         {{"VISUAL", "vim -p"}, {"EDITOR", "nano"}},
         true,
         {"xterm", "-e", "vim", "-p", "+12", File}},
        {"", {{"EDITOR", "nano"}}, true, {"xterm", "-e", "nano", "+12", File}},
        {"uninstalled.desktop", {{"EDITOR", "nano"}}, false, {"xterm", "-e", "nano", File}},
        {"uninstalled.desktop", {}, false, {}},
        {"",
         {{"EDITOR", "nano"}, {"PATH", TerminalBin.Path()}},
         false,
         {"gnome-terminal", "--", "nano", File}},
        {"", {{"EDITOR", "nano"}, {"PATH", "/nowhere"}}, false, {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Entry + (C.TagJump ? " tag jump" : ""));
        std::map<std::string, std::string> Variables = C.Variables;
        Variables.emplace("PATH", Bin.Path());
        Variables["XDG_DATA_HOME"] = "/nowhere";
        Variables["XDG_DATA_DIRS"] = "/nowhere::" + Data.Path();
        const TEditorEnvironment Environment{[&](const std::string& Name) {
                                                 const auto Found = Variables.find(Name);
                                                 return Found == Variables.end() ? std::string()
                                                                                 : Found->second;
                                             },
                                             C.Entry};
        const TProgramCommand Command =
            DefaultEditorCommand(Environment, File, C.TagJump ? &Line : nullptr);
        Strings Got;
        if (!Command.Program.empty()) Got.push_back(Command.Program);
        Got.insert(Got.end(), Command.Arguments.begin(), Command.Arguments.end());
        EXPECT_EQ(Got, C.Expected);
    }
}

} // namespace
