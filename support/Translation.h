// The program's own texts in the user's language: GNU gettext with the text domain "uoorvel".
// The texts in the source are the program's Japanese originals (UTF-8); they are the message
// ids, shown as they are where no catalogue translates them (ja_*, C, POSIX).
#pragma once

#include <string>

namespace orvel {

inline constexpr const char* TextDomain = "uoorvel";

// Where the catalogues of a program in ProgramFolder (ending in "/") lie: the build tree's
// "locale", else the installed "../share/locale".
std::string LocaleFolderFor(const std::string& ProgramFolder);
// Binds the text domain to the catalogues of LocaleFolder. After setlocale and the code page.
void InitTranslation(const std::string& LocaleFolder);

// The translation of one of the program's texts in the language that LANGUAGE and LC_MESSAGES
// choose, in the code page's charset, as paths and page texts are; the same object each time.
const std::string& Tr(const char* Text);

} // namespace orvel
