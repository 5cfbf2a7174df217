// How the external link list shows what a link's server said: a picture and a tooltip line.
#pragma once

#include "analysis/ExternalLinks.h"

#include <QString>

class QListWidgetItem;

namespace orvel::ui {

// The words for a server's answer: "壊れています (404)", "恒久的に移動しました: URL", ...
QString ExternalOutcomeHint(const TExternalLinkResult& Result);

// Gives an item of the external link list the picture and tooltip of its link's result; an
// item whose link has none (not asked yet) keeps its text alone. Text is the link as shown.
void ShowExternalResult(QListWidgetItem& Item, const QString& Text,
                        const TExternalLinkResult* Result);

} // namespace orvel::ui
