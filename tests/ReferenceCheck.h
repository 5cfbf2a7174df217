// A slow and plain check under the original rules, without shortcuts: each table row scanned
// from the start of the text, texts added to sorted lists one by one, every path looked up by a
// walk over the files, the links followed by recursion. It shares none of the program's fast
// paths, so a slip in one of them shows as a difference.
#pragma once

#include "analysis/FileObject.h"
#include "project/Project.h"
#include "project/Settings.h"
#include "support/SortedStringList.h"

#include <string>
#include <vector>

namespace orvel::test {

struct TExtracted {
    std::vector<std::string> Links, Anchors;
};

// Removes comments the slow way: from the first "<!--" to the first "-->", again and again,
// until that "-->" no longer follows that "<!--".
std::string RemoveCommentsByRepeatedSearch(std::string Text);
// The links and anchors of a text, each table row scanned from its start, one tag at a time.
TExtracted ExtractRowByRow(const std::string& Html, const TSettings& Settings);

// One file as the reference check leaves it.
struct TReferenceFile {
    std::string Path;
    TFileKind Kind = fkOther;
    TSortedStringList Links, Anchors, Valid, Invalid, External;
    TReachState Reach = rsUnreached;
    bool Ignored = false;
    std::vector<bool> ReachedAnchors; // one for each entry of Anchors
};

// Scans the home folder of the project (no wildcards), reads and classifies every file, follows
// the links from its TOP pages and marks its excluded files.
std::vector<TReferenceFile> ReferenceCheck(const TOrvelProject& Project, const TSettings& Settings);

} // namespace orvel::test
