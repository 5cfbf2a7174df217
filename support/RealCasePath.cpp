#include "support/RealCasePath.h"

#include "support/CodePage.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace orvel {

namespace {
bool Exists(const std::string& Path) {
    struct stat St;
    return ::lstat(Path.c_str(), &St) == 0;
}
} // namespace

std::optional<std::string> TRealCase::OnlyEntryLike(const std::string& Folder,
                                                    const std::string& Name) {
    auto Listing = Listings.find(Folder);
    if (Listing == Listings.end()) {
        Listing = Listings.emplace(Folder, std::unordered_map<std::string, std::string>()).first;
        if (DIR* Dir = ::opendir(Folder.c_str())) {
            while (const dirent* Entry = ::readdir(Dir)) {
                const auto [At, Added] = Listing->second.emplace(AnsiUpperCase(Entry->d_name),
                                                                 std::string(Entry->d_name));
                if (!Added) At->second.clear();
            }
            ::closedir(Dir);
        }
    }
    const auto Found = Listing->second.find(AnsiUpperCase(Name));
    if (Found == Listing->second.end() || Found->second.empty()) return std::nullopt;
    return Found->second;
}

std::optional<std::string> TRealCase::Of(const std::string& Path) {
    if (Path.empty() || Path[0] != '/' || Path.find('\0') != std::string::npos) return std::nullopt;
    if (Exists(Path)) return Path;
    std::string Real = "/";
    for (size_t Start = 1; Start < Path.size();) {
        const size_t End = std::min(Path.find('/', Start), Path.size());
        if (End > Start) {
            const std::string Name = Path.substr(Start, End - Start);
            if (Exists(Real + Name)) {
                Real += Name;
            } else if (const auto Only = OnlyEntryLike(Real, Name)) {
                Real += *Only;
            } else {
                return std::nullopt;
            }
            if (End < Path.size()) Real += '/';
        }
        Start = End + 1;
    }
    return Real;
}

} // namespace orvel
