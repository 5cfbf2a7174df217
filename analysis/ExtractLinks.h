// The scanning rules of the HTML link extraction: tag tables, comment removal, small helpers and
// the extraction of one text, which shares nothing with a run and so may work on any thread.
#pragma once

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
// The link attributes of current HTML, read with ModernHTML; a SRCSET holds several links.
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
    bool IsSpaceValid = false;    // values keep their spaces
    bool IgnoreJavaScript = true; // "javascript:" values are not stored
    bool ModernHTML = false;      // every id is an anchor, and the modern link rows count
};

// The links and anchors of one text, each sorted and free of duplicates as a TSortedStringList
// keeps them: of values equal without case, the one that scanning the tables row by row would
// store first.
struct TPageLinks {
    std::vector<std::string> Links;
    std::vector<std::string> Anchors;
    // Without ModernHTML: the ids of any element, which only ModernHTML makes anchors.
    std::vector<std::string> Html5Ids;
};

// Removes comments as repeated deletion from the first "<!--" through the first "-->" would,
// while that "-->" lies after that "<!--", in time linear in the text. One progress step per
// comment; false when stopped.
bool RemoveComments(std::string& Text, TExtractProgress& Progress);

// Removes the comments of Text in place and extracts its links and anchors, in one pass over the
// text. Stopped during the comments, it finds nothing; during the tags, the links found so far
// and no anchors.
TPageLinks ExtractPageLinks(std::string& Text, const TExtractOptions& Options,
                            TExtractProgress& Progress);

} // namespace orvel
