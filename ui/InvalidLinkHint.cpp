#include "ui/InvalidLinkHint.h"

#include "analysis/RunContext.h"
#include "ui/Encoding.h"

#include <QStringList>

namespace orvel::ui {

QString LinkReasonCaption(TLinkReason Reason) {
    // Built at each use: the language is chosen after static initialisation.
    const QString Captions[] = {QTr("大文字小文字"),     QTr("HTML5のid"),   QTr("アンカー"),
                                QTr("フォルダ"),         QTr("拡張子"),      QTr("エンコード"),
                                QTr("文字コード"),       QTr("移動?"),       QTr("綴り"),
                                QTr("ローカルファイル"), QTr("見つからない")};
    return Captions[static_cast<int>(Reason)];
}

QString InvalidLinkHint(const TRunContext& Run, const TLinkDiagnosis& Diagnosis, TCharset Charset) {
    QString Hint = QTr("無効の理由: ") + LinkReasonCaption(Diagnosis.Reason);
    // A file of the same name is a guess, not a fact.
    if (Diagnosis.Reason == TLinkReason::lrMoved && Diagnosis.Suggestion)
        return Hint + QTr("（同じ名前のファイルがあります: ") +
               PageText(*Diagnosis.Suggestion, Charset) + QTr("）");
    if (Diagnosis.Suggestion)
        return Hint + QTr("（修正候補: ") + PageText(*Diagnosis.Suggestion, Charset) + QTr("）");
    if (Diagnosis.Candidates.empty()) return Hint;
    QStringList Paths;
    for (const TFileObject* File : Diagnosis.Candidates)
        Paths.append(ToQString(std::string(Run.CurrentProject.RelativeToHome(File->Path))));
    return Hint + QTr("（同じ名前のファイルがあります: ") + Paths.join(QStringLiteral(", ")) +
           QTr("）");
}

} // namespace orvel::ui
