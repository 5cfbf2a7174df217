#include "analysis/StringReplacement.h"

#include "analysis/RunContext.h"
#include "support/ReadFileAll.h"
#include "support/StringUtils.h"

#include <sys/stat.h>

namespace orvel {

namespace {

// A file whose owner may not write it: renaming a new file over it would get round that.
bool IsReadOnlyFile(const std::string& Path) {
    struct stat St;
    return ::stat(Path.c_str(), &St) == 0 && (St.st_mode & S_IWUSR) == 0;
}

} // namespace

bool ReplaceStringInFile(TRunContext& Run, const std::string& Path, TCharset Charset,
                         const std::string& OldText, const std::string& NewUtf8) {
    const TEncodedText NewText = EncodePageText(NewUtf8, Charset);
    if (!NewText.Unencodable.empty()) {
        Run.ShowMessageBox(TMessageKind::mkError,
                           "置換後の文字列の「" +
                               PageTextToCodePage(NewText.Unencodable, TCharset::Utf8()) + "」(" +
                               CodePointText(NewText.Unencodable) +
                               ") は、このファイルの文字コード " + Charset.OrCodePage().Name() +
                               " では書き込めません。\r\nファイルは変更していません");
        return false;
    }
    std::string Content;
    try {
        Content = ReadTextFile(Path, Run);
    } catch (...) {
        ReportReadFailure(Run, std::current_exception());
        return false;
    }
    bool Written = !IsReadOnlyFile(Path);
    if (Written) {
        try {
            Run.FileSystem->SaveFile(Path, ReplaceEvery(Content, OldText, NewText.Bytes));
        } catch (const ESaveError&) {
            Written = false;
        }
    }
    if (!Written) {
        Run.ShowMessageBox(TMessageKind::mkWarning,
                           "ファイルへの書き込み時にエラーが置きました。\r\n"
                           "ファイルが読み取り専用の可能性があります");
        return false;
    }
    Run.Beep(TBeepKind::bkInformation);
    Run.ShowMessageBox(TMessageKind::mkInformation, "置換が完了しました");
    return true;
}

} // namespace orvel
