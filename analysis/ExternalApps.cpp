#include "analysis/ExternalApps.h"

#include "analysis/RunContext.h"
#include "support/CommandLine.h"
#include "support/DefaultEditor.h"
#include "support/FindStringInFile.h"
#include "support/ReadFileAll.h"
#include "support/StartProgram.h"
#include "support/Translation.h"

namespace orvel {

namespace {

constexpr size_t ContextBefore = 2, ContextAfter = 7;

// Tells that Program could not be started; for the editor, also where another can be named.
void ReportNotStarted(TRunContext& Run, const std::string& Program, bool Editor) {
    Run.Beep(TBeepKind::bkDefault);
    std::string Text = Tr("外部アプリケーション") + "\r\n" + Program + "\r\n" + Tr("を開けません");
    if (Editor)
        Text += "\r\n" + Tr("設定の「外部アプリケーション」タブでエディタを指定してください");

    Run.ShowMessageBox(TMessageKind::mkError, Text);
}

// Opens Path in the editor, at Line for a tag jump: the one of the settings with its template,
// else the desktop's.
void StartEditor(TRunContext& Run, const std::string& Path, const std::string* Line) {
    const TSettings& S = Run.Settings;
    TProgramCommand Command{S.ExternalEditor, {}};
    if (!S.ExternalEditor.empty())
        Command.Arguments = ExpandCommandTemplate(
            Line ? S.TagJumpCommandLineOption : S.CommandLineOption, Path, Line);
    else
        Command = DefaultEditorCommand(TEditorEnvironment::Current(), Path, Line);
    if (!StartDetached(Command.Program, Command.Arguments))
        ReportNotStarted(Run, Command.Program, true);
}

} // namespace

void OpenInExternalApp(TRunContext& Run) {
    const TTreeNode* Node = Run.Tree.Selected();
    if (!Node || !Node->Parent || !Node->Data || Node->Data->Kind == fkOther) {
        Run.Beep(TBeepKind::bkDefault);
        return;
    }
    const TFileObject& File = *Node->Data;
    if (File.Kind == fkHtml)
        StartEditor(Run, File.Path, nullptr);
    else if (!StartDetached(Run.Settings.ExternalViewer, {File.Path}))
        ReportNotStarted(Run, Run.Settings.ExternalViewer, false);
}

std::optional<std::vector<TTagJumpPlace>>
FindTagJumpPlaces(TRunContext& Run, const TFileObject& File, const std::string& Text) {
    std::vector<std::string> Found;
    try {
        Found = FindStringInFile(File.Path, Text, ContextBefore, ContextAfter,
                                 Run.Settings.IgnoreCase, File.Charset, Run);
    } catch (...) {
        ReportReadFailure(Run, std::current_exception());
        return std::nullopt;
    }
    std::vector<TTagJumpPlace> Places;
    for (size_t I = 0; I + 1 < Found.size(); I += 2)
        Places.push_back({std::move(Found[I]), std::move(Found[I + 1])});
    return Places;
}

void TagJump(TRunContext& Run, const TFileObject& File, const std::string& Line) {
    StartEditor(Run, File.Path, &Line);
}

} // namespace orvel
