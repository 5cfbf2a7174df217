#include "analysis/ExternalApps.h"

#include "analysis/RunContext.h"
#include "support/CommandLine.h"
#include "support/FindStringInFile.h"
#include "support/ReadFileAll.h"
#include "support/StartProgram.h"

namespace orvel {

namespace {

constexpr size_t ContextBefore = 2, ContextAfter = 7;

void Start(TRunContext& Run, const std::string& Program,
           const std::vector<std::string>& Arguments) {
    if (StartDetached(Program, Arguments)) return;
    Run.Beep(TBeepKind::bkDefault);
    Run.ShowMessageBox(TMessageKind::mkError,
                       "外部アプリケーション\r\n" + Program + "\r\nを開けません");
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
        Start(Run, Run.Settings.ExternalEditor,
              ExpandCommandTemplate(Run.Settings.CommandLineOption, File.Path));
    else
        Start(Run, Run.Settings.ExternalViewer, {File.Path});
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
    Start(Run, Run.Settings.ExternalEditor,
          ExpandCommandTemplate(Run.Settings.TagJumpCommandLineOption, File.Path, &Line));
}

} // namespace orvel
