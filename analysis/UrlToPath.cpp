#include "analysis/UrlToPath.h"

#include "support/CodePage.h"
#include "support/StringUtils.h"

namespace orvel {

std::optional<std::string> URLToPath(const std::string& URL, TPathStyle Style) {
    if (AsciiUpperCase(URL.substr(0, 7)) != "FILE://") return std::nullopt;
    std::string Path = ReplaceAll(URL.substr(7), "|", ":");
    if (Style == TPathStyle::psPosix) {
        UnifySeparators(Path, 0, Style);
        // Only a text with exactly one leading "/" is a path: no drives, no network paths.
        if (Path.size() >= 1 && Path[0] == '/' && (Path.size() == 1 || Path[1] != '/')) return Path;
        return std::nullopt;
    }
    Path = ReplaceAll(Path, "/", "\\");
    const size_t Slashes = Path.find_first_not_of('\\');
    const size_t N = Slashes == std::string::npos ? Path.size() : Slashes;
    Path.erase(0, N);
    switch (N) {
    case 0:
        return Path.size() >= 2 && Path[1] == ':' ? Path : "\\\\" + Path;
    case 1:
        return Path;
    case 2:
        return "\\\\" + Path;
    default:
        return std::nullopt;
    }
}

} // namespace orvel
