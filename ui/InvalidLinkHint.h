// What the main window says about an invalid link: why it is invalid and what may be meant.
#pragma once

#include "analysis/LinkDiagnosis.h"
#include "support/Charset.h"

#include <QString>

namespace orvel {
class TRunContext;
}

namespace orvel::ui {

// The reason in the window's words: "大文字小文字", "拡張子", "移動?", "綴り", ...
QString LinkReasonCaption(TLinkReason Reason);

// "無効の理由: REASON" and, with a suggestion, "（修正候補: TEXT）" after it; a file of the same
// name elsewhere, suggested or not, as "（同じ名前のファイルがあります: ...）". Charset: the
// page's.
QString InvalidLinkHint(const TRunContext& Run, const TLinkDiagnosis& Diagnosis, TCharset Charset);

} // namespace orvel::ui
