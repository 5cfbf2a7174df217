// How a browser that opens a page from disk reads one of its links: the modern rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

class TFileObject;

enum class TBrowserLinkKind : std::uint8_t {
    bkExternal,    // leaves the site: another scheme, another host, or a base on the web
    bkOnlyQuery,   // names nothing but a query of the page itself; in no list
    bkUnreachable, // no file: another host, or escapes that name a separator or NUL
    bkRooted,      // below the server root: a file on disk, whose anchor is not checked
    bkOnDisk,      // a file: URL: a file of the site, or else on disk
    bkInSite       // a relative link: a file of the site
};

// A link as a browser reads it, in room that the next reading reuses.
struct TBrowserLink {
    TBrowserLinkKind Kind = TBrowserLinkKind::bkInSite;
    std::string Path;         // the absolute path it names, in the file-name charset
    std::string Anchor;       // its fragment in UTF-8, character references decoded; empty for none
    bool ImpliedName = false; // the default file name completes a path that names a folder
    bool Decoded = false;     // references or percent escapes changed what it names
    bool Converted = false;   // the page's charset is not the file names' and it is not ASCII
    std::string Work, Relative, Joined; // room for the steps
};

// Reads a link of Page: its character references decoded (in UTF-8), the whitespace around it
// and the tabs and line breaks in it dropped, resolved against the page or its <base href>, its
// path percent-decoded, its characters converted from the page's charset to the file names'
// (escapes name bytes and stay bytes; a link that cannot be converted stays as its bytes), a path
// ending in a folder completed with the default file name.
void ReadBrowserLink(const TFileObject& Page, std::string_view Link, TBrowserLink& Out);

} // namespace orvel
