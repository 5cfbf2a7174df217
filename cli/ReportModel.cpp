#include "cli/ReportModel.h"

#include "analysis/RunContext.h"
#include "support/InputFile.h"
#include "support/ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace orvel::cli {

namespace {

// For each file, in FileObjects order, where its invalid links stand (empty when it has none
// or cannot be read): the pages are read again, on the thread pool and this thread.
std::vector<std::vector<TTextPosition>> InvalidLinkPositions(const TRunContext& Run) {
    std::vector<std::vector<TTextPosition>> Positions(static_cast<size_t>(Run.FileObjects.Count()));
    std::atomic<int> Next{0};
    const auto Work = [&] {
        std::vector<size_t> Offsets;
        for (int I; (I = Next++) < Run.FileObjects.Count();) {
            const TFileObject& File = Run.FileObjects[I];
            if (File.InvalidLinks.Empty()) continue;
            Offsets.clear();
            for (int L = 0; L < File.InvalidLinks.Count(); ++L) {
                const size_t Owner = static_cast<size_t>(File.InvalidLinks.OwnerIndex(L));
                Offsets.push_back(Owner < File.LinkOffsets.size() ? File.LinkOffsets[Owner]
                                                                  : NoOffset);
            }
            try {
                TInputFile Text(File.Path);
                const TTextReader Read = [&Text](char* Buffer, size_t Count) {
                    return Text.Read(Buffer, Count);
                };
                Positions[static_cast<size_t>(I)] = TextPositions(Read, Offsets, File.Charset);
            } catch (const EInOutError&) {
                // gone or unreadable since the scan: its links have no places
            }
        }
    };
    TTaskGroup Helpers;
    for (unsigned I = 1; I < TThreadPool::Shared().Size(); ++I)
        Helpers.Run([&](const std::stop_token&) { Work(); });
    Work();
    Helpers.Wait();
    return Positions;
}

} // namespace

std::string FolderAboveHome(const std::string& Home) {
    std::error_code Error;
    const std::filesystem::path Here = std::filesystem::current_path(Error);
    if (Error || Here.empty()) return {};
    std::string Folder = IncludeTrailingSeparator(Here.string(), TPathStyle::psPosix);
    return Home.starts_with(Folder) ? Folder : std::string();
}

std::vector<std::string> OrphanPaths(const TRunContext& Run) {
    std::vector<std::string> Paths;
    if (Run.CurrentProject.TopFiles.empty()) return Paths;
    for (const auto& File : Run.FileObjects)
        if (!File->Ignored && File->ReachState == rsUnreached)
            Paths.emplace_back(Run.CurrentProject.RelativeToHome(File->Path));
    return Paths;
}

TReportModel::TReportModel(const TRunContext& Context, TReportFacts RunFacts, bool Places)
    : Run(Context), Facts(RunFacts),
      Orphans(RunFacts.Halted ? std::vector<std::string>() : OrphanPaths(Context)),
      Targets(BrokenTargets(Context)) {
    for (const TRunContext::TUnread& Unread : Run.Unread)
        Errors.push_back({std::string(RelativePath(Unread.Path)), Unread.Reason});
    const TLinkDiagnoser Diagnoser(Run);
    const std::vector<std::vector<TTextPosition>> Positions =
        Places
            ? InvalidLinkPositions(Run)
            : std::vector<std::vector<TTextPosition>>(static_cast<size_t>(Run.FileObjects.Count()));
    Diagnosed.resize(Positions.size());
    for (size_t F = 0; F < Positions.size(); ++F) {
        const TFileObject& File = Run.FileObjects[static_cast<int>(F)];
        HtmlFiles += File.Kind == fkHtml;
        for (int I = 0; I < File.InvalidLinks.Count(); ++I) {
            const std::string& Link = File.InvalidLinks[I];
            const size_t At = static_cast<size_t>(I);
            const TDiagnosedLink& Item = Diagnosed[F].emplace_back(
                TDiagnosedLink{Link, Diagnoser.Diagnose(File, Link),
                               At < Positions[F].size() ? Positions[F][At] : TTextPosition()});
            Html5IdLinks += Item.Diagnosis.Reason == TLinkReason::lrHtml5Id;
            ModernValid += Item.Diagnosis.ValidByModernRules;
        }
    }
    if (Facts.Halted) LeaveOutUnreached();
    for (const std::vector<TDiagnosedLink>& Links : Diagnosed) {
        const auto Count = std::ranges::count(Links, true, &TDiagnosedLink::Reported);
        InvalidLinks += static_cast<int>(Count);
        FilesWithInvalidLinks += Count > 0;
    }
}

void TReportModel::LeaveOutUnreached() {
    for (size_t F = 0; F < Diagnosed.size(); ++F)
        for (TDiagnosedLink& Item : Diagnosed[F])
            Item.Reported = !NamesUnreachedFile(Run.FileObjects[static_cast<int>(F)], Item.Link);
    // A target's links all name the same path.
    std::erase_if(Targets,
                  [&](const TBrokenTarget& Target) { return !Of(Target.Links[0]).Reported; });
}

std::string_view TReportModel::RelativePath(const std::string& Path) const {
    return Run.CurrentProject.RelativeToHome(Path);
}

} // namespace orvel::cli
