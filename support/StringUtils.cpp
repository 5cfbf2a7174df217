#include "support/StringUtils.h"

#include "support/CodePage.h"

#include <sys/stat.h>

namespace orvel {

namespace {
// Replaces the occurrences that lie within the first Limit bytes.
std::string ReplaceWithin(std::string_view Text, size_t Limit, std::string_view Find,
                          std::string_view Replacement) {
    if (Find == Replacement || Text.empty() || Find.empty()) return std::string(Text);
    std::string Result;
    if (Find.size() == Replacement.size()) {
        // In place: the next search starts at the replacement just written, so its tail can
        // form a new occurrence with the bytes after it.
        Result.assign(Text);
        std::string_view Searched(Result.data(), Limit);
        for (size_t Pos = Searched.find(Find); Pos != std::string_view::npos;
             Pos = Searched.find(Find, Pos))
            Result.replace(Pos, Replacement.size(), Replacement);
        return Result;
    }
    const std::string_view Searched = Text.substr(0, Limit);
    Result.reserve(Text.size());
    size_t From = 0;
    for (size_t Pos = Searched.find(Find); Pos != std::string_view::npos;
         Pos = Searched.find(Find, From)) {
        Result.append(Text.substr(From, Pos - From));
        Result.append(Replacement);
        From = Pos + Find.size();
    }
    Result.append(Text.substr(From));
    return Result;
}
} // namespace

std::string ReplaceAll(std::string_view Text, std::string_view Find, std::string_view Replacement) {
    return ReplaceWithin(Text, std::min(Text.find('\0'), Text.size()), Find, Replacement);
}

std::string ReplaceAllBytes(std::string_view Text, std::string_view Find,
                            std::string_view Replacement) {
    return ReplaceWithin(Text, Text.size(), Find, Replacement);
}

std::string Trimmed(std::string_view Text, std::string_view Blanks) {
    const size_t First = Text.find_first_not_of(Blanks);
    if (First == std::string_view::npos) return {};
    return std::string(Text.substr(First, Text.find_last_not_of(Blanks) - First + 1));
}

std::int32_t FileNameHash(std::string_view Path, TPathStyle Style) {
    // Upper-casing a byte depends only on the bytes before it, so six bytes are enough.
    const std::string Name = AnsiUpperCase(Path.substr(BareFileNameStart(Path, Style), 6));
    std::int32_t Sum = 0;
    for (size_t I = 0; I < Name.size() && I < 6; ++I)
        Sum += static_cast<unsigned char>(Name[I]);
    return Sum;
}

TFileKind FileKindOf(std::string_view Extension, std::string_view ExtListHTML,
                     std::string_view ExtListImg) {
    const std::string Entry = std::string(Extension) + ".";
    if ((AnsiUpperCase(ExtListHTML) + ".").find(Entry) != std::string::npos) return fkHtml;
    if ((AnsiUpperCase(ExtListImg) + ".").find(Entry) != std::string::npos) return fkImage;
    return fkOther;
}

namespace {
// A path with a NUL byte names nothing: the system would read it only up to the NUL.
bool StatPath(const std::string& Path, struct stat& St) {
    return !Path.empty() && Path.find('\0') == std::string::npos && ::stat(Path.c_str(), &St) == 0;
}
} // namespace

bool DirExists(const std::string& Path) {
    struct stat St;
    return StatPath(Path, St) && S_ISDIR(St.st_mode);
}

bool FileExists(const std::string& Path) {
    struct stat St;
    return StatPath(Path, St) && S_ISREG(St.st_mode);
}

bool IsSpecialEntry(const std::string& Path) {
    struct stat St;
    if (StatPath(Path, St)) return !S_ISREG(St.st_mode);
    return Path.find('\0') == std::string::npos && ::lstat(Path.c_str(), &St) == 0;
}

} // namespace orvel
