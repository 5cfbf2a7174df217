// Why an invalid link is invalid, and a link text that would be valid in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

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
    lrMoved,     // the only file of the site with the target's name is elsewhere, and likely meant
    lrTypo, // one file of the target's folder is within two edits of its name or shares its stem
    lrLocalFile, // a file: URL to an existing file, while local files are not checked
    lrMissing    // none of these
};

// The reason's name in reports: "case", "html5-id", "anchor", ...
const char* LinkReasonName(TLinkReason Reason);

struct TLinkDiagnosis {
    TLinkReason Reason = TLinkReason::lrMissing;
    // In the link's own style, and classified as valid under the current settings.
    std::optional<std::string> Suggestion;
    const TFileObject* Leads = nullptr; // the file of the site the suggestion leads to, if any
    // For a missing target: the files of the site with its name when there are at most five
    // and it is not the default file name, none of them likely enough to be suggested.
    std::vector<const TFileObject*> Candidates;
    bool ValidByModernRules = false; // under the original rules: the modern ones find it
};

// How many invalid links the modern rules would make valid; none when they are in force.
int LinksValidByModernRules(const TRunContext& Run);

// After a halt: whether an invalid link of File names a file on disk without a file object, one
// the run had not reached, so that nothing says it is missing. A lookup and a look at the disk.
bool NamesUnreachedFile(const TFileObject& File, const std::string& Link);
// The invalid links of File that a halted run found missing: those that name no file it had not
// reached.
int CheckedInvalidLinks(const TFileObject& File);

// Diagnoses the invalid links of a checked site from its file objects; builds its indexes of
// bare file names, stems and folders once, in time and memory linear in the number of files, and
// the indexes of one page's anchors or one folder's names when a diagnosis first needs them. Not
// for use by two threads at once; nothing may add, remove or move a file object while it lives,
// nor change its links or anchors until ForgetLinks is called.
class TLinkDiagnoser {
public:
    explicit TLinkDiagnoser(const TRunContext& Run);
    ~TLinkDiagnoser();
    // Link is one of File's invalid links.
    TLinkDiagnosis Diagnose(const TFileObject& File, const std::string& Link) const;
    // Drops what was learnt from the links and anchors, once they have changed.
    void ForgetLinks();
    // The path of this disk that a link of File names, if any, without its anchor; needs no
    // index.
    static std::optional<std::string> NamedPath(const TFileObject& File, const std::string& Link);

private:
    struct TQuery;
    // What a diagnosis starts from: the path and anchor the link names under the rules in force.
    struct TStart {
        std::string Resolved;
        std::string Anchor;
        bool ImpliedName = false; // the default file name completes a folder
        bool Rooted = false;      // below the server root
    };
    static std::optional<TStart> Start(const TFileObject& File, const std::string& Link);
    // Under the original rules: whether the modern rules find the link, and if so for a reason
    // of theirs, that reason in Result; true then.
    bool ModernReason(const TFileObject& File, const std::string& Link,
                      TLinkDiagnosis& Result) const;
    // The rules tried in turn; each returns true when it gives the reason.
    bool LocalFileReason(const TFileObject& File, const std::string& Link,
                         TLinkDiagnosis& Result) const;
    bool CaseReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool AnchorReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool FolderReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool ExtensionReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool EscapeReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool NameElsewhereReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    bool TypoReason(const TQuery& Q, TLinkDiagnosis& Result) const;
    // Gives Reason, with Suggestion when it survives being read from the page and is valid.
    bool Give(const TFileObject& File, TLinkDiagnosis& Result, TLinkReason Reason,
              std::optional<std::string> Suggestion) const;
    // Puts Suggestion into Result when it survives being read from the page and is valid.
    bool Suggest(const TFileObject& File, std::string Suggestion, TLinkDiagnosis& Result) const;
    // A suggestion made of the file names' bytes in the page's charset under the modern rules,
    // or nothing when the charset cannot hold it.
    std::optional<std::string> InPageCharset(const TFileObject& File, std::string FileNames) const;
    // Whether the link of File names Candidate, a file of the same name elsewhere: nothing else
    // links to Candidate, or the link misses it by the number of folders it climbs alone.
    bool LikelyMoved(const TQuery& Q, const TFileObject& Candidate) const;
    // Whether pages other than the link's name the missing file that it names.
    bool NamedElsewhere(const TQuery& Q) const;
    // The files of Resolved's folder within two edits of its bare name; the folder's index of
    // names is built when first needed.
    std::vector<const TFileObject*> NearInFolder(std::string_view Resolved) const;
    // Adds to Near the files of Resolved's path without its extension that it does not hold.
    void AddSameStem(std::string_view Resolved, std::vector<const TFileObject*>& Near) const;

    // The files whose key (a FoldedHash) is Key, in scan order.
    using TKeyed = std::vector<std::pair<std::uint64_t, const TFileObject*>>;
    static std::span<const std::pair<std::uint64_t, const TFileObject*>> Keyed(const TKeyed& Index,
                                                                               std::uint64_t Key);
    // The first Most files of the site whose bare name is Name without case.
    std::vector<const TFileObject*> FilesNamed(std::string_view Name, size_t Most) const;
    // Whether Path is a folder that holds files of the site.
    bool IsSiteFolder(std::string_view Path) const;

    const TRunContext& Run;
    TKeyed ByBareName;
    TKeyed ByStem;                             // by the path without its extension
    TKeyed ByFolder;                           // by the folder without its trailing separator
    std::unordered_set<std::uint64_t> Folders; // every folder that holds files, however deep
    // Built when first needed.
    struct TLazy;
    std::unique_ptr<TLazy> Lazy;
};

} // namespace orvel
