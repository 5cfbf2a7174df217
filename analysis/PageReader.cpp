#include "analysis/PageReader.h"

#include "analysis/RunContext.h"
#include "support/DetectCharset.h"
#include "support/Translation.h"

namespace orvel {

TReadPage ReadPage(const std::string& Path, const TExtractOptions& Options,
                   TExtractProgress& Progress, std::string& Buffer, TSeenEntry Seen) {
    TReadPage Page;
    Page.Failure = ReadTextInto(Path, Buffer, Seen, &Page.Stamp);
    if (Page.Failure != TReadFailure::rfNone) return Page;
    Page.Read = true;
    // Before comments are removed: a declaration may follow one.
    Page.Charset = DetectCharset(Buffer);
    Page.Found = ExtractPageLinks(Buffer, Options, Progress);
    Page.AnchorKeys.Build(Page.Found.Anchors, Page.Charset, Options.ModernHTML);
    const auto Pool = [](TSortedStringList& List, std::vector<std::string>& Texts, bool Sensitive) {
        List.SetCaseSensitive(Sensitive);
        List.AssignSorted(Texts);
        Texts = {};
    };
    Pool(Page.Links, Page.Found.Links, Page.Found.CaseSensitive);
    Pool(Page.Anchors, Page.Found.Anchors, Page.Found.AnchorsCaseSensitive);
    Pool(Page.Html5Ids, Page.Found.Html5Ids, false);
    return Page;
}

TExtractOptions ExtractOptionsOf(const TSettings& Settings) {
    return {Settings.isSpaceValid, Settings.IgnoreJavaScript, Settings.ModernHTML,
            Settings.ModernHTML && !Settings.IgnoreCase};
}

void TRunExtractProgress::StageBegins(TExtractStage Stage) {
    static const std::string* const Suffixes[] = {
        &Tr(" - コメント削除中"), &Tr(" - リンク抜き出し中"), &Tr(" - アンカー抜き出し中")};
    Run.SetStatusText(FileName, *Suffixes[static_cast<int>(Stage)]);

    Run.SetCount(0);
}

bool TRunExtractProgress::Step(long long Count) {
    Run.Pump();
    if (Run.Halted) return true;
    Run.SetCount(Count);
    return false;
}

} // namespace orvel
