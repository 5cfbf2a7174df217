#include "cli/ReportModel.h"

#include "analysis/RunContext.h"
#include "support/InputFile.h"
#include "support/ThreadPool.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace orvel::cli {

namespace {

// The external links of a file that need attention, as indices into its external list.
std::vector<int> ExternalFindings(const TRunContext& Run, const TFileObject& File) {
    std::vector<int> Found;
    if (!Run.External.Checked) return Found;
    for (int L = 0; L < File.ExternalLinks.Count(); ++L)
        if (const TExternalLinkResult* Result = Run.External.Of(File.ExternalLinks[L]);
            Result && Result->NeedsAttention())
            Found.push_back(L);
    return Found;
}

// For each file, in FileObjects order, where its invalid links stand, then its external
// findings (empty when it has none or cannot be read): the pages are read again, on the thread
// pool and this thread.
std::vector<std::vector<TTextPosition>> LinkPositions(const TRunContext& Run) {
    std::vector<std::vector<TTextPosition>> Positions(static_cast<size_t>(Run.FileObjects.Count()));
    std::atomic<int> Next{0};
    const auto Work = [&] {
        std::vector<size_t> Offsets;
        for (int I; (I = Next++) < Run.FileObjects.Count();) {
            const TFileObject& File = Run.FileObjects[I];
            const std::vector<int> External = ExternalFindings(Run, File);
            if (File.InvalidLinks.Empty() && External.empty()) continue;
            Offsets.clear();
            const auto Add = [&](int Owner) {
                Offsets.push_back(size_t(Owner) < File.LinkOffsets.size()
                                      ? File.LinkOffsets[size_t(Owner)]
                                      : NoOffset);
            };
            for (int L = 0; L < File.InvalidLinks.Count(); ++L)
                Add(File.InvalidLinks.OwnerIndex(L));
            for (int L : External)
                Add(File.ExternalLinks.OwnerIndex(L));
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
            ? LinkPositions(Run)
            : std::vector<std::vector<TTextPosition>>(static_cast<size_t>(Run.FileObjects.Count()));
    Diagnosed.resize(Positions.size());
    for (size_t F = 0; F < Positions.size(); ++F) {
        const TFileObject& File = Run.FileObjects[static_cast<int>(F)];
        HtmlFiles += File.Kind == fkHtml;
        Diagnosed[F].reserve(static_cast<size_t>(File.InvalidLinks.Count()));
        for (int I = 0; I < File.InvalidLinks.Count(); ++I) {
            const std::string& Link = File.InvalidLinks[I];
            const size_t At = static_cast<size_t>(I);
            const TDiagnosedLink& Item = Diagnosed[F].emplace_back(
                TDiagnosedLink{Link, Diagnoser.Diagnose(File, Link),
                               At < Positions[F].size() ? Positions[F][At] : TTextPosition()});
            Html5IdLinks += Item.Diagnosis.Reason == TLinkReason::lrHtml5Id;
            ModernValid += Item.Diagnosis.ValidByModernRules;
        }
        const auto PositionOf = [&](size_t At) {
            return At < Positions[F].size() ? Positions[F][At] : TTextPosition();
        };
        size_t At = static_cast<size_t>(File.InvalidLinks.Count());
        if (Run.External.Checked) External.emplace_back();
        for (int L : ExternalFindings(Run, File)) {
            const std::string& Link = File.ExternalLinks[L];
            const TExternalLinkResult& Result = *Run.External.Of(Link);
            External.back().push_back({Link, Result, PositionOf(At++)});
            ExternalBroken += Result.Outcome == TExternalResult::broken;
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
