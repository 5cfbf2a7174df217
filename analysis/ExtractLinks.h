// The scanning rules of the HTML link extraction: tag tables, comment removal, small helpers and
// the extraction of one text, which shares nothing with a run and so may work on any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

struct TTagRow {
    std::string_view Tag;       // upper case
    std::string_view Attribute; // upper case
};

extern const TTagRow LinkTagTable[35];
extern const TTagRow MetaRefreshRow;
extern const TTagRow AnchorTagTable[17];
// The link attributes of current HTML, which the modern rules read besides LinkTagTable; a
// SRCSET holds several links.
extern const TTagRow ModernLinkTable[12];

// Longest attribute value kept; longer values are cut.
constexpr size_t MaxValueLength = 1000;

// Advances Pos over carriage returns, line feeds and spaces; returns how many it passed.
size_t SkipBlanks(std::string_view Text, size_t& Pos);

// The text before its first space; the whole text when it has none.
std::string_view CutAtSpace(std::string_view Text);

// The three steps of an extraction, each with its own progress text and count.
enum class TExtractStage { esComments, esLinks, esAnchors };

// Hears of the steps of an extraction and may stop it.
class TExtractProgress {
public:
    virtual void StageBegins(TExtractStage Stage) = 0;
    // Once per removed comment and per tag occurrence, with the count of the stage so far
    // (from 0); true stops the extraction.
    virtual bool Step(long long Count) = 0;

protected:
    ~TExtractProgress() = default;
};

// The settings that decide what is stored.
struct TExtractOptions {
    bool IsSpaceValid = false;      // values keep their spaces
    bool IgnoreJavaScript = true;   // "javascript:" values are not stored
    bool ModernHTML = true;         // the page is read as an HTML parser reads it
    bool CaseSensitiveLinks = true; // with ModernHTML: spellings that differ in case are kept
};

// Where a link first stands in its page: a byte offset into the file.
using TLinkOffset = std::uint32_t;
constexpr TLinkOffset NoOffset = ~TLinkOffset{0}; // beyond what an offset holds
inline TLinkOffset ClampedOffset(size_t Offset) {
    return Offset < NoOffset ? static_cast<TLinkOffset>(Offset) : NoOffset;
}

// The links and anchors of one text, each sorted and free of duplicates as a TSortedStringList
// keeps them: of values equal without case, the one that scanning the tables row by row would
// store first (the original rules) or the first in the text (the modern rules); with the modern
// rules' CaseSensitiveLinks, every spelling of a link.
struct TPageLinks {
    std::vector<std::string> Links;
    bool CaseSensitive = false; // Links holds every spelling
    // For each link, where the first attribute whose value it is begins (its name), and in how
    // many places the page holds it.
    std::vector<TLinkOffset> LinkOffsets;
    std::vector<std::uint32_t> LinkCounts;
    std::vector<std::string> Anchors;
    bool AnchorsCaseSensitive = false; // Anchors holds every spelling
    // Under the original rules: the ids of any element, which only the modern rules make anchors.
    std::vector<std::string> Html5Ids;
    // The HREF of the page's first BASE tag, as written; empty for none.
    std::string Base;
};

// What a link attribute's value stores under the settings: nothing (empty) for a "javascript:"
// value when those are ignored, else the value, cut at its first space unless spaces are valid.
std::string_view StoredLink(std::string_view Value, const TExtractOptions& Options);

// Where the pieces of a text that comment removal kept stood before it: the piece that begins at
// At in the text after the removal began at From before it.
struct TKeptPiece {
    size_t At, From;
};

// Removes comments as repeated deletion from the first "<!--" through the first "-->" would,
// while that "-->" lies after that "<!--", in time linear in the text. One progress step per
// comment; false when stopped. Kept, when given, receives the pieces kept, in order.
bool RemoveComments(std::string& Text, TExtractProgress& Progress,
                    std::vector<TKeptPiece>* Kept = nullptr);
// The offset before the removal of what stands at Offset after it.
size_t OffsetBeforeRemoval(const std::vector<TKeptPiece>& Kept, size_t Offset);

// Hears of every place where a page writes a link as the whole text of an attribute value (or
// as the URL of a META refresh): the link, where its bytes begin in the text as read, and the
// quote around the value ('"', '\'', or 0 for none).
class TLinkPlaceVisitor {
public:
    virtual void LinkAt(std::string_view Link, size_t Offset, char Quote) = 0;

protected:
    ~TLinkPlaceVisitor() = default;
};

// Extracts the links and anchors of a page's text under the settings' rules: the original rules
// remove the comments of Text in place and scan for the tables' rows in one pass over the text;
// the modern rules read it as an HTML parser does. Stopped during the comments, it finds
// nothing; during the tags, the links found so far and no anchors.
TPageLinks ExtractPageLinks(std::string& Text, const TExtractOptions& Options,
                            TExtractProgress& Progress, TLinkPlaceVisitor* Places = nullptr);

} // namespace orvel
