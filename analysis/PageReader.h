// Reading one HTML file and extracting its links: the same steps on the scan's reading thread,
// which reads ahead of the file objects, and in a file object that reads for itself.
#pragma once

#include "analysis/AnchorKeys.h"
#include "analysis/ExtractLinks.h"
#include "support/Charset.h"
#include "support/ReadFileAll.h"

#include <string>

namespace orvel {

class TRunContext;
struct TSettings;

// One HTML file as reading found it. What is learnt from a file's bytes while they are at hand
// belongs here, for the file object to keep.
struct TReadPage {
    bool Read = false;                           // read as text, its links extracted
    TReadFailure Failure = TReadFailure::rfNone; // why not, when reading was tried
    TCharset Charset;                            // found from the bytes as read
    TFileStamp Stamp;                            // of the file as read
    TPageLinks Found; // but its links, anchors and ids, which are in the lists below
    // The same pooled, on the thread that read the page: the thread that takes it only moves them.
    TSortedStringList Links, Anchors, Html5Ids;
    TAnchorKeys AnchorKeys; // for the modern rules, the anchors that links name otherwise
};

// Reads the file into Buffer (whose capacity the next file reuses) and extracts its links.
TReadPage ReadPage(const std::string& Path, const TExtractOptions& Options,
                   TExtractProgress& Progress, std::string& Buffer,
                   TSeenEntry Seen = TSeenEntry::seUnknown);

TExtractOptions ExtractOptionsOf(const TSettings& Settings);

// An extraction shown by the run: the file name with the stage in the status text, the count,
// and the event pump with the Halt button, which stops it.
class TRunExtractProgress final : public TExtractProgress {
public:
    TRunExtractProgress(TRunContext& Context, std::string Name)
        : Run(Context), FileName(std::move(Name)) {}
    void StageBegins(TExtractStage Stage) override;
    bool Step(long long Count) override;

private:
    TRunContext& Run;
    std::string FileName;
};

} // namespace orvel
