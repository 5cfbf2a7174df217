#include "support/Translation.h"

#include "support/CharsetConvert.h"
#include "support/CodePage.h"

#include <libintl.h>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

namespace orvel {

namespace {
bool IsFolder(const std::string& Path) {
    struct stat Info {};
    return ::stat(Path.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}
} // namespace

std::string LocaleFolderFor(const std::string& Folder) {
    // The build tree keeps them at its top, above orvel-check's folder and beside uoorvel.
    for (const char* Beside : {"locale", "../locale"})
        if (IsFolder(Folder + Beside)) return Folder + Beside;
    return Folder + "../share/locale";
}

void InitTranslation(const std::string& LocaleFolder) {
    bindtextdomain(TextDomain, LocaleFolder.c_str());
    // Translations come as UTF-8, as the originals are; Tr converts both alike.
    bind_textdomain_codeset(TextDomain, "UTF-8");
}

const std::string& Tr(const char* Text) {
    // Texts come from the run's threads too; each is converted once per program.
    static std::mutex Guard;
    static std::unordered_map<const char*, std::string> Converted;
    const std::lock_guard Lock(Guard);
    auto [Entry, Added] = Converted.try_emplace(Text);
    if (Added) {
        std::string Translated = dgettext(TextDomain, Text);
        Entry->second = CurrentCodePage() == TCodePage::cpCp932
                            ? ConvertCharset("CP932", "UTF-8", Translated, "?")
                            : std::move(Translated);
    }
    return Entry->second;
}

} // namespace orvel
