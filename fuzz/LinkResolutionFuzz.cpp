// Link resolution: URLToPath and ResolveLink in both path styles and code pages, with the
// lexical expansion they end in. A POSIX path from URLToPath begins with exactly one "/"; an
// expanded path is absolute, has no empty, "." or ".." segment, and expands to itself.
//
// Input: one switch byte, then the link target.
#include "FuzzSupport.h"

#include "analysis/UrlToPath.h"
#include "project/Project.h"

#include <cstdint>

using namespace orvel;
using namespace orvel::fuzz;

namespace {
void RequireExpanded(const std::string& Path) {
    Require(!Path.empty() && Path[0] == '/', "an expanded path is absolute");
    Require(Path.find("//") == std::string::npos, "an expanded path has no empty segment");
    const std::string Inner = Path.back() == '/' ? Path : Path + "/";
    Require(Inner.find("/./") == std::string::npos && Inner.find("/../") == std::string::npos,
            "an expanded path has no . or .. segment");
    Require(ExpandFileName(Path, TPathStyle::psPosix) == Path, "expanding twice changes nothing");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    UseCodePageOf(Data[0]);
    const std::string Target(reinterpret_cast<const char*>(Data) + 1, Size - 1);

    if (const auto Path = URLToPath(Target, TPathStyle::psPosix))
        Require(!Path->empty() && (*Path)[0] == '/' && (Path->size() == 1 || (*Path)[1] != '/'),
                "a POSIX file URL gives a path with one leading /");
    (void)URLToPath(Target, TPathStyle::psWindows);

    TOrvelProject Posix;
    if (Data[0] & 2) Posix.SetServerRoot("/srv/root/");
    if (!Target.empty()) RequireExpanded(Posix.ResolveLink("/site/docs/page.html", Target));

    TOrvelProject Windows(TPathStyle::psWindows);
    if (Data[0] & 2) Windows.SetServerRoot("D:\\ROOT\\");
    if (!Target.empty()) (void)Windows.ResolveLink("C:\\SITE\\DOCS\\PAGE.HTM", Target);
    return 0;
}
