#include "analysis/CheckRun.h"

#include "analysis/FolderScan.h"
#include "analysis/LinkDiagnosis.h"
#include "analysis/Reachability.h"
#include "analysis/RunContext.h"
#include "project/ProjectFile.h"
#include "support/CodePage.h"
#include "support/IniFile.h"
#include "support/StringUtils.h"
#include "support/Translation.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace orvel {

namespace {
const std::string& HaltedText() {
    return Tr("中断しました");
}

std::string UnreadText(const TRunContext& Run) {
    return Tr("読めなかったフォルダとファイルの数 ") + std::to_string(Run.Unread.size());
}

// Once the run is over, the status line says that it was halted and what it could not read.
void ShowUnreadCount(TRunContext& Run) {
    std::string Text = Run.EndedHalted && !Run.Closing ? HaltedText() : "";
    if (!Run.Unread.empty()) Text += (Text.empty() ? "" : Tr("　")) + UnreadText(Run);
    if (!Text.empty()) Run.SetStatusText(std::move(Text));
}

void ReportEndOfCheck(TRunContext& Run) {
    if (Run.Closing) return; // nobody is left to read it
    if (Run.Settings.HideInfoBoxAfterCheck) {
        Run.Beep(TBeepKind::bkDefault);
        return;
    }
    Run.Beep(TBeepKind::bkInformation);
    int Files = Run.InvalidLinkFileCount, Links = Run.InvalidLinkTotal;
    std::string Text;
    if (Run.Halted) {
        // Only what was checked counts: a link to a file not reached yet is not known missing.
        Files = Links = 0;
        for (const auto& File : Run.FileObjects) {
            const int Checked = CheckedInvalidLinks(*File);
            Links += Checked;
            Files += Checked > 0;
        }
        Text = HaltedText() + "\r\n" + Tr("確認したファイルのみの数です") + "\r\n";
    }
    Text += Tr("無効リンクを含むファイルの数 ") + std::to_string(Files) + "\r\n" +
            Tr("無効リンクの総数 ") + std::to_string(Links);
    // Under the original rules, what the modern ones would make of the site and how to get them.
    if (const int Modern = LinksValidByModernRules(Run); Modern > 0)
        Text += "\r\n" +
                Tr("設定の「その他」で「HTML5 の id 属性と新しいリンク属性も扱う」をオンにすると、"
                   "無効リンクのうち ") +
                std::to_string(Modern) + Tr(" 個が有効になります。");
    if (Run.Unread.empty()) {
        Run.ShowMessageBox(TMessageKind::mkInformation, Text);
        return;
    }
    // What could not be read, each with why, one click away.
    std::string Details;
    for (const TRunContext::TUnread& Unread : Run.Unread)
        Details += Unread.Path + ": " + ReplaceAll(Unread.Reason, "\r\n", " ") + "\r\n";
    Run.ShowMessageBox(TMessageKind::mkInformation, Text + "\r\n" + UnreadText(Run), Details);
}
} // namespace

void CheckFolder(TRunContext& Run, const std::string& Folder, bool Reachability, bool Quietly) {
    Run.InvalidLinkTotal = 0;
    Run.InvalidLinkFileCount = 0;
    if (Folder.empty()) return;
    if (!Run.FileSystem->DirExists(Folder)) {
        Run.ShowMessageBox(TMessageKind::mkError,
                           Tr("ディレクトリが存在しません") + "\r\n" + Folder);
        return;
    }
    Run.Tree.Select(nullptr);
    Run.CurrentProject.SetHomeDir(Folder);
    Run.Tree.SetText(Run.Tree.Root(), Run.CurrentProject.HomeDir);
    ScanHomeFolder(Run, Run.CurrentProject.HomeDir);
    Run.SetStatusText("");
    if (Reachability) MarkReachability(Run);
    if (!Run.Halted) Run.Host.CheckEnded(Run);
    if (!Quietly) ReportEndOfCheck(Run);
}

void OpenFolder(TRunContext& Run, const std::string& Folder) {
    Run.BeginBusy();
    Run.CurrentProject.ClearTopFiles();
    Run.CurrentProject.ClearIgnoreFiles();
    CheckFolder(Run, Folder, false);
    Run.EndBusy();
    Run.CurrentProject.SetFileName("");
    Run.CurrentProject.SetModified(false);
    Run.SetStatusText(Tr("トップページを指定してください"));
    ShowUnreadCount(Run);
}

bool ReadProject(TRunContext& Run, const std::string& Path) {
    if (!Run.FileSystem->FileExists(Path)) {
        Run.ShowMessageBox(TMessageKind::mkError, Path + "\r\n" + Tr("が見つかりません"));
        return false;
    }
    std::optional<TIniFile> File;
    try {
        File.emplace(Path);
    } catch (const EIniReadError& E) {
        Run.ShowMessageBox(TMessageKind::mkError, E.what());
        return false;
    }
    ReadProjectFile(Run.CurrentProject, *File);
    Run.CurrentProject.SetModified(false);
    return true;
}

void CheckProject(TRunContext& Run, const std::string& Path) {
    Run.BeginBusy();
    if (Run.CurrentProject.HomeDir.empty()) {
        Run.EndBusy();
        return;
    }
    CheckFolder(Run, Run.CurrentProject.HomeDir, true);
    Run.EndBusy();
    Run.CurrentProject.SetFileName(Path);
    // Entries whose files are gone left the project during the check; the file still has them.
    Run.CurrentProject.SetModified(false);
    ShowUnreadCount(Run);
}

bool LoadProject(TRunContext& Run, const std::string& Path) {
    if (!ReadProject(Run, Path)) return false;
    CheckProject(Run, Path);
    return true;
}

bool ChangeHomeFolder(TRunContext& Run, const std::string& Folder) {
    TOrvelProject& Project = Run.CurrentProject;
    const std::string Home = AnsiUpperCase(IncludeTrailingSeparator(Folder, Project.PathStyle));
    // Entries are held upper-cased, so a prefix tells what lies inside the new folder.
    const auto Inside = [&](const std::string& Entry) { return Entry.starts_with(Home); };
    const auto OutsideFolder = [&](const std::string& Entry) {
        return IsFolderEntry(Entry, Project.PathStyle) && !Inside(Entry);
    };
    const auto Outside = std::ranges::count_if(Project.TopFiles, std::not_fn(Inside)) +
                         std::ranges::count_if(Project.IgnoreFiles, std::not_fn(Inside)) +
                         std::ranges::count_if(Project.WildCards, OutsideFolder);
    if (Outside > 0 &&
        !Run.ShowMessageBox(
            TMessageKind::mkQuestion,
            Tr("TOPページ・除外ファイル・除外フォルダのうち ") + std::to_string(Outside) +
                Tr(" 個は新しいホームフォルダの外にあるため、プロジェクトから外します")))
        return false;
    Project.KeepTopFiles(Inside);
    Project.KeepIgnoreFiles(Inside);
    for (const std::string& Entry : std::vector(Project.WildCards))
        if (OutsideFolder(Entry)) Project.RemoveWildCard(Entry);
    Run.BeginBusy();
    CheckFolder(Run, Folder, true);
    Run.EndBusy();
    ShowUnreadCount(Run);
    return true;
}

void Reopen(TRunContext& Run, bool Quietly) {
    Run.BeginBusy();
    if (Run.FileSystem->DirExists(Run.CurrentProject.HomeDir)) {
        // The site read again is shown as it was, the same nodes open and the same one selected,
        // in one rebuild of the tree's views; the report follows it.
        const TTreeSight Sight = Run.Tree.Sight();
        Run.Tree.BeginUpdate();
        CheckFolder(Run, Run.CurrentProject.HomeDir, true, true);
        Run.Tree.RestoreSight(Sight);
        Run.Tree.EndUpdate();
        if (!Quietly) ReportEndOfCheck(Run);
    }
    Run.EndBusy();
    ShowUnreadCount(Run);
}

void Recheck(TRunContext& Run) {
    Run.BeginBusy();
    Run.SetStatusText(Tr("処理中"));

    for (const auto& File : Run.FileObjects) {
        Run.Pump();
        if (Run.Halted) break;
        if (File->Kind == fkHtml) File->ClassifyLinks();
    }
    for (const auto& File : Run.FileObjects) {
        Run.Pump();
        if (Run.Halted) break;
        File->UpdateImage();
    }
    if (Run.Tree.Selected()) Run.Host.ResultsChanged(Run.Tree.Selected());
    MarkReachability(Run);
    Run.SetStatusText("");
    Run.EndBusy();
}

void SaveProject(TRunContext& Run, const std::string& Path) {
    WriteProjectFile(Run.CurrentProject, Path);
    Run.CurrentProject.SetFileName(Path);
    Run.CurrentProject.SetModified(false);
}

} // namespace orvel
