// TFileObject: one file under the home folder, tied to its tree node.
#pragma once

#include "analysis/AnchorKeys.h"
#include "analysis/ExtractLinks.h"
#include "support/Charset.h"
#include "support/InputFile.h"
#include "support/SortedStringList.h"
#include "support/SortedSubList.h"
#include "support/StringUtils.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvel {

class TRunContext;
class TFileObject;
struct TBrowserLink;
struct TReadPage;
struct TTreeNode;

enum TReachState : std::uint8_t { rsReached = 0, rsUnreached = 1, rsTop = 2 };

// A link cut into the file part and the anchor part.
struct TSplitLink {
    std::string Target;
    std::string Anchor;
};

// The class of one link; lcNone for a link that is only a query, which is in no list.
enum class TLinkClass : std::uint8_t { lcValid, lcInvalid, lcExternal, lcNone };

// The classes of a file's links, as indices into its Links, each ascending.
struct TLinkClasses {
    std::vector<int> Valid, Invalid, External;
    // For each valid link, the Sequence of the file object it leads to, or NoTarget, and the
    // index into that file's Anchors of the anchor it names, or -1.
    std::vector<std::uint64_t> ValidTargets;
    std::vector<std::int32_t> ValidAnchors;
    // For each invalid link, the Sequence of the file object it names without its anchor, or
    // NoTarget.
    std::vector<std::uint64_t> InvalidTargets;
};

// A valid link that leads to no file object: a local file outside the site.
constexpr std::uint64_t NoTarget = ~std::uint64_t{0};

// Where one link of a file leads.
struct TLinkResolution {
    TLinkClass Class = TLinkClass::lcInvalid;
    TFileObject* Target = nullptr; // the file object it leads to, when one is known
    int Anchor = -1; // the index into Target's Anchors of the anchor it names, or -1; under the
                     // original rules' diagnosis, from Anchors' count on, into its Html5Ids
};

// The same as views: of the link, of the file's path, or of room the caller provides.
struct TLinkParts {
    std::string_view Target;
    std::string_view Anchor;
};

class TFileObject {
public:
    // Creates the file object of a node, appends it to FileObjects and returns it.
    static TFileObject& Create(TRunContext& Run, TTreeNode& Node);
    TFileObject(TRunContext& Context, TTreeNode& FileNode);

    std::string Path; // absolute path as the scan built it
    TTreeNode* Node;  // not owned; the file's node in the tree
    TFileKind Kind = fkHtml;
    std::int32_t NameHash = 0; // FileNameHash of Path
    bool Ignored = false;      // excluded from the check
    TReachState ReachState = rsUnreached;
    bool Flagged = true; // HTML file shown in blue
    TCharset Charset;    // an HTML file's charset, found when it was read
    TFileStamp Stamp;    // an HTML file's stamp when it was read
    // The three classes of links hold entries of Links, which owns the texts.
    TSortedSubList ValidLinks{Links};          // links whose target exists
    TSortedSubList InvalidLinks{Links};        // links whose target is missing
    TSortedSubList ExternalLinks{Links};       // links that leave the site
    std::vector<std::uint64_t> ValidTargets;   // as TLinkClasses has them, for ValidLinks
    std::vector<std::int32_t> ValidAnchors;    // the same
    std::vector<std::uint64_t> InvalidTargets; // the same, for InvalidLinks
    std::vector<std::uint32_t> LinkCounts;     // for each of Links, in how many places it stands
    TSortedStringList Anchors;                 // anchor names defined in the file
    std::vector<bool> AnchorsReached;          // for each of Anchors: a reached page links to it
    TSortedStringList Links;                   // every link extracted from the file
    TSortedStringList Html5Ids;                // without ModernHTML: ids that only it makes anchors
    std::vector<TLinkOffset> LinkOffsets;      // for each of Links, where it first stands
    std::string BaseHref;                      // the HREF of its first BASE tag, as written
    TAnchorKeys AnchorKeys;                    // for the modern rules: anchors links name otherwise
    std::uint64_t Sequence = 0;                // position in creation order

    // Stores the path with its name hash, sets the kind and picture, and reads an HTML file's
    // links, or takes them from ReadAhead when the file was read ahead.
    void SetPath(const std::string& NewPath, TReadPage* ReadAhead = nullptr);
    void SetIgnored(bool Value);
    void SetReachState(TReachState Value);
    void SetFlagged(bool Value);
    // Recomputes the blue mark of an HTML file and copies the picture to the selected picture.
    void UpdateImage();
    // Reads the file and fills Links and Anchors.
    void ExtractLinks();
    // Makes the node's children the anchor nodes of Anchors, not reached.
    void ShowAnchors();
    // Marks one of Anchors reached, and its node.
    void MarkAnchorReached(int Anchor);
    // Marks every anchor not reached; AsRead shows their nodes as a new reading does.
    void ForgetReachedAnchors(bool AsRead);
    // Reads a file that changed again: its links, anchors and anchor nodes.
    void ReadAgain();
    // Whether one of the links leads to a file object whose Sequence is one of Sequences
    // (sorted), or names it without an anchor that it has.
    bool LinksToAny(const std::vector<std::uint64_t>& Sequences) const;
    // Fills Links and Anchors from a file read ahead, showing the steps as reading it would.
    void TakeReadAhead(TReadPage& Page);
    // Cuts a link into target and anchor.
    TSplitLink SplitLink(const std::string& Link) const;
    // The same without copies; Room holds what has to be built.
    TLinkParts SplitLink(std::string_view Link, std::string& Room) const;
    // Where one link of this file leads under the settings' rules.
    TLinkResolution Resolve(std::string_view Link) const;
    // The same under the modern rules, whatever the settings say, with Read as room that tells
    // how the link was read.
    TLinkResolution ResolveAsBrowser(std::string_view Link, TBrowserLink& Read) const;
    // The class of one link of this file, as classifying its links would find it.
    TLinkClass ClassOf(std::string_view Link) const;
    // Sorts every link into the valid, invalid and external lists.
    void ClassifyLinks();
    // The first half of that, which changes nothing and so may run on any thread while no file
    // object changes...
    TLinkClasses ComputeClasses() const;
    // ...and the second, which keeps the classes, sets the picture and counts the invalid links.
    void TakeClasses(TLinkClasses&& Classes);

    TRunContext& Run;

private:
    // Shows why the file could not be read, if that is shown, and keeps its lists.
    void TakePage(TReadPage& Page);
    TLinkResolution ResolveByBytes(std::string_view Link) const;
};

// The node of the first file object whose path is Path, or null.
TTreeNode* FindNodeByPath(const TRunContext& Run, const std::string& Path, bool IgnoreCase);
// The node of a TOP page or excluded file given as Path: the file of exactly that path, else the
// only one equal to it without letter case; null when there is none or more than one.
TTreeNode* FindEntryNode(const TRunContext& Run, const std::string& Path);
// Forgets the file in the project and destroys its file object (the node stays).
void DisposeFileObject(TFileObject& Object);
// The same for many file objects at once.
void DisposeFileObjects(TRunContext& Run, const std::vector<TFileObject*>& Objects);

} // namespace orvel
