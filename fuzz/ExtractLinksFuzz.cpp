// Link extraction and classification of one HTML file, under either rules: no crash, no
// undefined behaviour, and lists that are sorted and free of duplicates as each compares its
// texts, without empty or overlong texts, a place in the file for every link, and only valid
// suggestions for the invalid links.
#include "FuzzSupport.h"

#include "analysis/ExtractLinks.h"
#include "analysis/FileObject.h"
#include "analysis/LinkDiagnosis.h"
#include "analysis/RunContext.h"

#include <cstdint>

using namespace orvel;
using namespace orvel::fuzz;

namespace {
void RequireSortedList(const TSortedStringList& List) {
    for (int I = 0; I < List.Count(); ++I) {
        Require(!List[I].empty(), "no empty text in a list");
        if (I > 0) Require(List.Compare(List[I - 1], List[I]) < 0, "a list is sorted");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    static TMemoryFile File;
    const unsigned char Switches = Data[0];
    UseCodePageOf(Switches);
    TQuietHost Host;
    TRunContext Run(Host);
    Run.Settings.isSpaceValid = Switches & 2;
    Run.Settings.IgnoreJavaScript = Switches & 4;
    Run.Settings.IgnoreCase = Switches & 8;
    Run.Settings.ModernHTML = Switches & 32;
    Run.CurrentProject.SetHomeDir("/proc/self/fd/");
    if (Switches & 16) Run.CurrentProject.SetServerRoot("/proc/self/");
    // The file's name has no extension, which makes it an HTML file.
    const std::string Path =
        File.Hold(std::string_view(reinterpret_cast<const char*>(Data) + 1, Size - 1));
    TTreeNode& Node = Run.Tree.AddChild(Run.Tree.Root(), "page");
    TFileObject& Object = TFileObject::Create(Run, Node);
    Node.Data = &Object;
    Object.SetPath(Path);
    Object.ClassifyLinks();

    RequireSortedList(Object.Links);
    RequireSortedList(Object.Anchors);
    RequireSortedList(Object.Html5Ids);
    for (const std::string& Link : Object.Links)
        Require(Link.size() <= MaxValueLength, "values are cut at their longest");
    Require(Object.LinkOffsets.size() == static_cast<size_t>(Object.Links.Count()),
            "every link has its place");
    for (const TLinkOffset Offset : Object.LinkOffsets)
        Require(Offset < Size - 1, "a link's place lies in the file");
    Require(Object.ValidLinks.Count() + Object.InvalidLinks.Count() +
                    Object.ExternalLinks.Count() <=
                Object.Links.Count(),
            "every link is in one list at most");
    const TLinkDiagnoser Diagnoser(Run);
    for (const std::string& Link : Object.InvalidLinks) {
        const TLinkDiagnosis Diagnosis = Diagnoser.Diagnose(Object, Link);
        Require(!Diagnosis.Suggestion ||
                    Object.ClassOf(*Diagnosis.Suggestion) == TLinkClass::lcValid,
                "a suggestion is a valid link");
    }
    return 0;
}
