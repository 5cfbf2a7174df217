#include "ui/InvalidLinkHint.h"

#include "ui/Encoding.h"

namespace orvel::ui {

QString InvalidLinkHint(const TLinkDiagnosis& Diagnosis, TCharset Charset) {
    QString Hint = QStringLiteral("無効の理由: ") + QLatin1String(LinkReasonName(Diagnosis.Reason));
    if (Diagnosis.Suggestion)
        Hint += QStringLiteral("（修正候補: ") + PageText(*Diagnosis.Suggestion, Charset) +
                QStringLiteral("）");
    return Hint;
}

} // namespace orvel::ui
