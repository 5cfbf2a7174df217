// Byte strings of the code page, and texts of a page in its own charset, as Qt's strings.
#pragma once

#include "support/Charset.h"

#include <QString>
#include <string>

namespace orvel::ui {

// Paths, file names and the program's own texts: the code page.
QString ToQString(const std::string& Bytes);
std::string FromQString(const QString& Text);
// One of the program's texts (a literal the catalogue knows) in the user's language.
QString QTr(const char* Text);
// A text that comes from a page (a link, an anchor, a piece of the page): its charset.
QString PageText(const std::string& Bytes, TCharset Charset);

} // namespace orvel::ui
