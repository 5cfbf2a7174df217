// Extraction under the modern rules: a page read as an HTML parser reads it.
#pragma once

#include "analysis/ExtractLinks.h"

#include <string_view>

namespace orvel {

// The links, anchors and base of a page, its tags read as an HTML parser tokenizes them:
// comments end at their "-->", the text of SCRIPT, STYLE, TEXTAREA, TITLE and XMP holds no tags,
// a quoted value may hold ">", any whitespace separates attributes and, of an attribute given
// twice, the first counts. Links are the values of the rows of LinkTagTable and ModernLinkTable
// (each candidate of a SRCSET) and the URL of a META refresh; anchors are every ID and the NAME
// of A and MAP; the base is the HREF of the first BASE. Values are kept as written but for
// the ASCII whitespace around them, spaces in them included, under the settings' JavaScript
// rule. One progress step per tag with attributes.
TPageLinks ExtractModernLinks(std::string_view Text, const TExtractOptions& Options,
                              TExtractProgress& Progress, TLinkPlaceVisitor* Places = nullptr);

} // namespace orvel
