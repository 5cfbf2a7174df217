#include "analysis/StringReplacement.h"

#include "analysis/PageReader.h"
#include "analysis/RunContext.h"
#include "analysis/SiteUpdate.h"
#include "support/FoldedText.h"
#include "support/ReadFileAll.h"
#include "support/Translation.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

namespace orvel {

namespace {

// Collects the places of one link.
class TPlaceCollector final : public TLinkPlaceVisitor, public TExtractProgress {
public:
    explicit TPlaceCollector(std::string_view Wanted) : Link(Wanted) {}
    void LinkAt(std::string_view Found, size_t Offset, char Quote) override {
        if (Found == Link) Places.push_back({Offset, Quote});
    }
    void StageBegins(TExtractStage) override {}
    bool Step(long long) override { return false; }

    std::string_view Link;
    std::vector<TLinkPlace> Places;
};

// What stops a text from standing as written where a quote, or none, surrounds a value.
bool FitsPlace(std::string_view Text, char Quote) {
    if (Quote) return Text.find(Quote) == std::string_view::npos;
    return std::none_of(Text.begin(), Text.end(), [](char C) {
        return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\f' || C == '"' ||
               C == '\'' || C == '<' || C == '>' || C == '=' || C == '`';
    });
}

// A text for a message: in the code page, from the page's bytes.
std::string Shown(const std::string& Bytes, TCharset Charset) {
    return PageTextToCodePage(Bytes, Charset);
}

// Why a write failed, as the user is told it.
std::string WriteFailure(const ESaveError& Error) {
    switch (Error.Code()) {
    case ENOSPC:
    case EDQUOT:
        return Tr("ディスクに空きがありません");
    case EACCES:
    case EPERM:
    case EROFS:
        return Tr("ファイルが読み取り専用の可能性があります");
    default:
        return Error.Reason();
    }
}

// The page's real bytes (NUL bytes kept), or nothing after saying why it cannot be read.
std::optional<std::string> ReadPageBytes(TRunContext& Run, const std::string& Path) {
    try {
        return Run.FileSystem->ReadTextFile(Path, Run);
    } catch (...) {
        ReportReadFailure(Run, std::current_exception());
        return std::nullopt;
    }
}

// The places of a link in a page's real bytes, as the extraction finds them in the text read.
std::vector<TLinkPlace> PlacesIn(const TRunContext& Run, const std::string& Bytes,
                                 std::string_view Link) {
    std::string Text = Bytes;
    std::replace(Text.begin(), Text.end(), '\0', ' ');
    return LinkPlaces(Text, Link, ExtractOptionsOf(Run.Settings));
}

} // namespace

std::vector<TLinkPlace> LinkPlaces(std::string_view Text, std::string_view Link,
                                   const TExtractOptions& Options) {
    std::string Copy(Text); // the original rules remove the comments from it
    TPlaceCollector Collector(Link);
    ExtractPageLinks(Copy, Options, Collector, &Collector);
    std::sort(Collector.Places.begin(), Collector.Places.end(),
              [](const TLinkPlace& A, const TLinkPlace& B) { return A.Offset < B.Offset; });
    Collector.Places.erase(
        std::unique(Collector.Places.begin(), Collector.Places.end(),
                    [](const TLinkPlace& A, const TLinkPlace& B) { return A.Offset == B.Offset; }),
        Collector.Places.end());
    return Collector.Places;
}

int CountLinkPlaces(TRunContext& Run, const TFileObject& Page, const std::string& Link) {
    const std::optional<std::string> Bytes = ReadPageBytes(Run, Page.Path);
    return Bytes ? static_cast<int>(PlacesIn(Run, *Bytes, Link).size()) : -1;
}

namespace {

// Why a page was left as it was: a sentence for the user, and whether it is an error of the
// request (else of the disk).
struct TRefusal {
    std::string Reason;
    TMessageKind Kind = TMessageKind::mkWarning;
};

// The page's bytes with every fix made at each of its places, or why not.
std::variant<std::string, TRefusal> Replaced(const TRunContext& Run, const TFileObject& Page,
                                             const std::string& Bytes,
                                             const std::vector<const TLinkFix*>& Fixes,
                                             int& Places) {
    struct TEdit {
        size_t Offset, Length; // of the link's bytes
        std::string New;
    };
    std::vector<TEdit> Edits;
    for (const TLinkFix* Fix : Fixes) {
        TEncodedText New = EncodePageText(Fix->NewUtf8, Page.Charset);
        if (!New.Unencodable.empty())
            return TRefusal{Tr("置換後の文字列の「") +
                                PageTextToCodePage(New.Unencodable, TCharset::Utf8()) + Tr("」(") +
                                CodePointText(New.Unencodable) +
                                Tr(") は、このファイルの文字コード ") +
                                Page.Charset.OrCodePage().Name() + Tr(" では書き込めません"),
                            TMessageKind::mkError};
        for (const TLinkPlace& Place : PlacesIn(Run, Bytes, Fix->Link)) {
            if (!FitsPlace(New.Bytes, Place.Quote))
                return TRefusal{Tr("置換後の文字列「") + Shown(New.Bytes, Page.Charset) +
                                    Tr("」は、リンクの属性値にそのままでは書けません"),
                                TMessageKind::mkError};
            Edits.push_back({Place.Offset, Fix->Link.size(), New.Bytes});
        }
    }
    // From the end, so that the offsets before each place stay.
    std::sort(Edits.begin(), Edits.end(),
              [](const TEdit& A, const TEdit& B) { return A.Offset > B.Offset; });
    std::string After = Bytes;
    for (const TEdit& Edit : Edits)
        After.replace(Edit.Offset, Edit.Length, Edit.New);
    Places = static_cast<int>(Edits.size());
    return After;
}

} // namespace

int ReplaceLinks(TRunContext& Run, const std::vector<TLinkFix>& Fixes) {
    std::map<TFileObject*, std::vector<const TLinkFix*>> ByPage; // each link of a page once
    for (const TLinkFix& Fix : Fixes) {
        auto& Page = ByPage[Fix.Page];
        if (std::none_of(Page.begin(), Page.end(),
                         [&](const TLinkFix* Other) { return Other->Link == Fix.Link; }))
            Page.push_back(&Fix);
    }
    std::vector<TPageEdit> Step;
    TSiteChange Change;
    std::vector<std::pair<std::string, TRefusal>> Refused; // by file name
    int Replaced = 0, Unread = 0;
    for (const auto& [Page, PageFixes] : ByPage) {
        const std::string Name = BareFileName(Page->Path, Run.PathStyle());
        std::optional<std::string> Bytes = ReadPageBytes(Run, Page->Path);
        if (!Bytes) {
            ++Unread; // said already
            continue;
        }
        int Places = 0;
        auto After = orvel::Replaced(Run, *Page, *Bytes, PageFixes, Places);
        if (auto* Refusal = std::get_if<TRefusal>(&After)) {
            Refused.emplace_back(Name, *Refusal);
            continue;
        }
        if (Places == 0) continue;
        const std::string& New = std::get<std::string>(After);
        try {
            Run.FileSystem->CheckWritable(Page->Path);
            Run.FileSystem->SaveFile(Page->Path, New);
        } catch (const ESaveError& Error) {
            Refused.emplace_back(Name, TRefusal{Tr("ファイルへの書き込み時にエラーが置きました。") +
                                                "\r\n" + WriteFailure(Error)});
            continue;
        }
        Replaced += Places;
        Step.push_back({Page->Path, std::move(*Bytes), TextHash(New), New.size()});
        Change.Changed.push_back(Page);
    }
    if (!Step.empty()) {
        Run.UndoSteps.push_back({std::move(Step), {}});
        UpdateAfterChange(Run, Change);
    }
    const size_t Written = Change.Changed.size();
    std::string Message;
    TMessageKind Kind = TMessageKind::mkInformation;
    if (ByPage.size() == 1 && !Refused.empty()) {
        Message = Refused[0].second.Reason;
        if (Message.find("\r\n") == std::string::npos)
            Message += Tr("。") + "\r\n" + Tr("ファイルは変更していません");
        Kind = Refused[0].second.Kind;
    } else if (Written == 0 && Refused.empty()) {
        if (Unread == static_cast<int>(ByPage.size())) return 0; // each reported by the reader
        Message =
            Tr("置換する箇所がありませんでした。") + "\r\n" + Tr("ファイルは変更していません");
    } else {
        Message = Written == 1 ? std::to_string(Replaced) + Tr(" か所を置換しました")
                               : std::to_string(Written) + Tr(" 個のファイルの ") +
                                     std::to_string(Replaced) + Tr(" か所を置換しました");
        if (!Refused.empty()) {
            Message += "\r\n" + Tr("次のファイルは変更していません:");
            for (const auto& [Name, Refusal] : Refused)
                Message += "\r\n" + Name + ": " + Refusal.Reason;
            Kind = TMessageKind::mkWarning;
        }
    }
    Run.Beep(Kind == TMessageKind::mkInformation ? TBeepKind::bkInformation
                                                 : TBeepKind::bkExclamation);
    Run.ShowMessageBox(Kind, Message);
    return Replaced;
}

void UndoPageEdits(TRunContext& Run, const std::vector<TPageEdit>& Step) {
    TSiteChange Change;
    std::vector<std::string> Left;
    int Restored = 0;
    for (const TPageEdit& Edit : Step) {
        const std::string Name = BareFileName(Edit.Path, Run.PathStyle());
        std::string Now;
        try {
            Now = Run.FileSystem->ReadTextFile(Edit.Path, Run);
        } catch (...) {
            Left.push_back(Name + ": " + Tr("読み込めません"));
            continue;
        }
        if (Now.size() != Edit.AfterSize || TextHash(Now) != Edit.AfterHash) {
            Left.push_back(Name + ": " + Tr("置換の後で変更されています"));
            continue;
        }
        try {
            Run.FileSystem->SaveFile(Edit.Path, Edit.Before);
        } catch (const ESaveError& Error) {
            Left.push_back(Name + ": " + WriteFailure(Error));
            continue;
        }
        ++Restored;
        if (TFileObject* Page = Run.FileObjects.FindByPath(Edit.Path, false))
            Change.Changed.push_back(Page);
    }
    if (Restored > 0) UpdateAfterChange(Run, Change);
    std::string Message =
        Restored == 1 ? Tr("置換を元に戻しました")
                      : std::to_string(Restored) + Tr(" 個のファイルの置換を元に戻しました");
    if (!Left.empty()) {
        Message += "\r\n" + Tr("次のファイルは元に戻していません:");

        for (const std::string& Line : Left)
            Message += "\r\n" + Line;
    }
    Run.Beep(Left.empty() ? TBeepKind::bkInformation : TBeepKind::bkExclamation);
    Run.ShowMessageBox(Left.empty() ? TMessageKind::mkInformation : TMessageKind::mkWarning,
                       Message);
}

} // namespace orvel
