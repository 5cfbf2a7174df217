// Why an invalid link is invalid, and a link text that would be valid in its place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace orvel {

class TFileObject;
class TRunContext;

// Reasons in the order they are tried: the first that fits is given. Under the original rules a
// link that the modern rules find gets charset, encoding or html5-id before any other.
enum class TLinkReason : std::uint8_t {
    lrCase,      // a file differs from the target only in letter case
    lrHtml5Id,   // the anchor exists as an id that only modern HTML makes an anchor
    lrAnchor,    // the file exists without the anchor
    lrFolder,    // the target is a folder
    lrExtension, // the file exists with another extension of the settings' lists
    lrEncoding,  // the target resolves once its character references or escapes are decoded
    lrCharset,   // the target resolves in the file names' charset, not in its page's
    lrMoved,     // the only file of the site with the target's name is elsewhere
    lrMissing    // none of these
};

// The reason's name in reports: "case", "html5-id", "anchor", ...
const char* LinkReasonName(TLinkReason Reason);

struct TLinkDiagnosis {
    TLinkReason Reason = TLinkReason::lrMissing;
    // In the link's own style, and classified as valid under the current settings.
    std::optional<std::string> Suggestion;
    bool ValidByModernRules = false; // under the original rules: the modern ones find it
};

// How many invalid links the modern rules would make valid; none when they are in force.
int LinksValidByModernRules(const TRunContext& Run);

// Diagnoses the invalid links of a checked site from its file objects; builds its indexes of
// bare file names, folders and extensionless paths once, in time and memory linear in the number of
// files. Nothing may add, remove or move a file object while it lives.
class TLinkDiagnoser {
public:
    explicit TLinkDiagnoser(const TRunContext& Run);
    // Link is one of File's invalid links.
    TLinkDiagnosis Diagnose(const TFileObject& File, const std::string& Link) const;

private:
    // What a diagnosis starts from: the path and anchor the link names under the rules in force.
    struct TStart {
        std::string Resolved;
        std::string Anchor;
        bool ImpliedName = false; // the default file name completes a folder
        bool Rooted = false;      // below the server root
    };
    std::optional<TStart> Start(const TFileObject& File, const std::string& Link) const;
    // Under the original rules: whether the modern rules find the link, and if so for a reason
    // of theirs, that reason in Result; true then.
    bool ModernReason(const TFileObject& File, const std::string& Link,
                      TLinkDiagnosis& Result) const;
    // Whether a suggestion survives being read from the page and is valid.
    bool Acceptable(const TFileObject& File, const std::string& Suggestion) const;
    // A suggestion made of the file names' bytes in the page's charset under the modern rules,
    // or nothing when the charset cannot hold it.
    std::optional<std::string> InPageCharset(const TFileObject& File, std::string FileNames) const;

    struct TNamed {
        const TFileObject* First = nullptr;
        int Count = 0;
    };
    // The file of the site whose bare name is Name without case, when exactly one is.
    const TFileObject* OnlyFileNamed(std::string_view Name) const;

    // Whether Path is a folder that holds files of the site.
    bool IsSiteFolder(const std::string& Path) const;

    // Keyed by the FoldedHash of the text; a hit is compared with the text where it matters.
    const TRunContext& Run;
    std::unordered_map<std::uint64_t, TNamed> ByBareName;
    std::unordered_set<std::uint64_t> Folders; // without their trailing separator
    // The first file of each path without its extension, of the files whose extension is one
    // of the settings' lists.
    std::unordered_map<std::uint64_t, const TFileObject*> ByStem;
};

// The number of edits (insertions, deletions, substitutions, ASCII case ignored) between A and
// B when it is at most Limit, else Limit + 1; in time linear in their lengths.
int EditDistanceWithin(std::string_view A, std::string_view B, int Limit);

} // namespace orvel
