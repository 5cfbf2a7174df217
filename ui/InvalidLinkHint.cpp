#include "ui/InvalidLinkHint.h"

#include "analysis/RunContext.h"
#include "ui/Encoding.h"

#include <QStringList>

namespace orvel::ui {

QString LinkReasonCaption(TLinkReason Reason) {
    static const char* const Captions[] = {
        "大文字小文字", "HTML5のid", "アンカー", "フォルダ",         "拡張子",      "エンコード",
        "文字コード",   "移動?",     "綴り",     "ローカルファイル", "見つからない"};
    return QString::fromUtf8(Captions[static_cast<int>(Reason)]);
}

QString InvalidLinkHint(const TRunContext& Run, const TLinkDiagnosis& Diagnosis, TCharset Charset) {
    QString Hint = QStringLiteral("無効の理由: ") + LinkReasonCaption(Diagnosis.Reason);
    // A file of the same name is a guess, not a fact.
    if (Diagnosis.Reason == TLinkReason::lrMoved && Diagnosis.Suggestion)
        return Hint + QStringLiteral("（同じ名前のファイルがあります: ") +
               PageText(*Diagnosis.Suggestion, Charset) + QStringLiteral("）");
    if (Diagnosis.Suggestion)
        return Hint + QStringLiteral("（修正候補: ") + PageText(*Diagnosis.Suggestion, Charset) +
               QStringLiteral("）");
    if (Diagnosis.Candidates.empty()) return Hint;
    QStringList Paths;
    for (const TFileObject* File : Diagnosis.Candidates)
        Paths.append(ToQString(std::string(Run.CurrentProject.RelativeToHome(File->Path))));
    return Hint + QStringLiteral("（同じ名前のファイルがあります: ") +
           Paths.join(QStringLiteral(", ")) + QStringLiteral("）");
}

} // namespace orvel::ui
