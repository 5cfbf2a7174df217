// The letter case in which the file system spells a path.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace orvel {

// Spells paths as the file system does, listing each folder at most once.
class TRealCase {
public:
    // The absolute POSIX path as the file system spells it: a name that is not there as written
    // is the only entry of its folder equal to it after AnsiUpperCase. Nothing when a name is
    // missing or matches several entries, or when the path is not absolute. A trailing "/" stays.
    std::optional<std::string> Of(const std::string& Path);

private:
    // The only entry of Folder that equals Name without case.
    std::optional<std::string> OnlyEntryLike(const std::string& Folder, const std::string& Name);

    // By folder, its entries by upper-cased name; empty where several share that name.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> Listings;
};

} // namespace orvel
