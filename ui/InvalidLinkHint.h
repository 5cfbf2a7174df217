// What the main window says about an invalid link: why it is invalid and what may be meant.
#pragma once

#include "analysis/LinkDiagnosis.h"
#include "support/Charset.h"

#include <QString>

namespace orvel::ui {

// "無効の理由: REASON" and, with a suggestion, "（修正候補: TEXT）" after it.
QString InvalidLinkHint(const TLinkDiagnosis& Diagnosis, TCharset Charset);

} // namespace orvel::ui
