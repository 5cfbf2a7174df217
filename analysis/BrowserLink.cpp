#include "analysis/BrowserLink.h"

#include "analysis/RunContext.h"
#include "support/CharacterReferences.h"
#include "support/CharsetConvert.h"
#include "support/CodePage.h"
#include "support/FoldedText.h"
#include "support/UrlText.h"

namespace orvel {

namespace {

// "/" and "\" both separate the parts of a path in the URLs of files.
bool IsSlash(char C) {
    return C == '/' || C == '\\';
}

// The link's text as the URL parser takes it: in UTF-8, its character references decoded, the
// C0 controls and spaces around it trimmed, tabs and line breaks in it dropped. Without any of
// those to do it is the link itself.
std::string_view UrlText(std::string_view Link, TCharset Charset, TBrowserLink& Out) {
    bool NonAscii = false, Plain = true;
    for (const char C : Link) {
        const unsigned char Byte = static_cast<unsigned char>(C);
        NonAscii = NonAscii || Byte >= 0x80;
        Plain = Plain && Byte > 0x20 && Byte != 0x7F && C != '&';
    }
    if (Plain && !NonAscii) return Link;
    std::string& Text = Out.Work;
    Text.assign(Link);
    const TCharset Page = Charset.OrCodePage();
    if (NonAscii) {
        Out.Converted = Page != TCharset::OfCodePage();
        if (Page != TCharset::Utf8()) {
            TStrictConversion Utf8 = ConvertCharsetStrictly("UTF-8", Page.Name().c_str(), Link);
            if (Utf8.Ok()) Text = std::move(Utf8.Out); // else it stays as its bytes
        }
    }
    if (Text.find('&') != std::string::npos) {
        std::string Decoded = DecodeCharacterReferences(Text);
        Out.Decoded = Out.Decoded || Decoded != Text;
        Text = std::move(Decoded);
    }
    std::erase_if(Text, [](char C) { return C == '\t' || C == '\n' || C == '\r'; });
    const auto Blank = [](char C) { return static_cast<unsigned char>(C) <= 0x20; };
    size_t First = 0, Last = Text.size();
    while (First < Last && Blank(Text[First]))
        ++First;
    while (Last > First && Blank(Text[Last - 1]))
        --Last;
    return std::string_view(Text).substr(First, Last - First);
}

// Appends a URL's path (UTF-8, with escapes) as a path of the file system: every "/" and "\"
// the style's separator, each escape the byte it names, the other characters in the file-name
// charset.
void AppendFilePath(std::string& Path, std::string_view Url, TPathStyle Style, TBrowserLink& Out) {
    const char Separator = PathSeparator(Style);
    const bool ToCp932 = CurrentCodePage() == TCodePage::cpCp932;
    for (size_t Pos = 0;;) {
        const size_t Escape = Url.find('%', Pos);
        const size_t RunStart = Path.size();
        Path.append(Url.substr(Pos, Escape - Pos));
        bool Ascii = true;
        for (size_t I = RunStart; I < Path.size(); ++I) {
            if (IsSlash(Path[I])) Path[I] = Separator;
            Ascii = Ascii && static_cast<unsigned char>(Path[I]) < 0x80;
        }
        if (ToCp932 && !Ascii) {
            const std::string_view Run = std::string_view(Path).substr(RunStart);
            if (TStrictConversion Local = ConvertCharsetStrictly("CP932", "UTF-8", Run); Local.Ok())
                Path.replace(RunStart, std::string::npos, Local.Out);
        }
        if (Escape == std::string_view::npos) return;
        int High, Low;
        if (Escape + 2 < Url.size() && (High = HexValue(Url[Escape + 1])) >= 0 &&
            (Low = HexValue(Url[Escape + 2])) >= 0) {
            const char Byte = static_cast<char>(High * 16 + Low);
            // A name holds no separator and no NUL: browsers open no file for such a path.
            if (Byte == '/' || Byte == '\0') Out.Kind = TBrowserLinkKind::bkUnreachable;
            Path += Byte;
            Out.Decoded = true;
            Pos = Escape + 3;
        } else {
            Path += '%';
            Pos = Escape + 1;
        }
    }
}

// Whether a path names a folder: it ends in a separator, "." or "..".
bool EndsInFolder(std::string_view Path, TPathStyle Style) {
    if (Path.empty() || IsPathSeparatorAt(Path, Path.size() - 1, Style)) return true;
    const std::string_view Name = Path.substr(BareFileNameStart(Path, Style));
    return Name == "." || Name == "..";
}

// Out.Path: the file that Url, a relative path, names from the folder of Base. A path that
// names a folder is completed with the default file name, or for a base ends in a separator.
void ResolvePath(const TFileObject& Page, std::string_view Base, std::string_view Url, bool ForBase,
                 TBrowserLink& Out) {
    const TPathStyle Style = Page.Run.PathStyle();
    std::string& Relative = Out.Relative;
    Relative.clear();
    AppendFilePath(Relative, Url, Style, Out);
    if (EndsInFolder(Relative, Style)) {
        if (!Relative.empty() && !IsPathSeparatorAt(Relative, Relative.size() - 1, Style))
            Relative += PathSeparator(Style);
        if (!ForBase) {
            Relative += Page.Run.Settings.DefaultFileName;
            Out.ImpliedName = true;
        }
    }
    Page.Run.CurrentProject.ResolveLinkInto(Out.Path, Out.Joined, Base, Relative, true);
}

// Out.Kind and Out.Path of Url, without query and fragment, from the folder of Base: another
// scheme or host leaves the site, a "file:" path and a path below the server root are looked
// for on disk too, any other path is one of the site's.
void ResolveUrl(const TFileObject& Page, std::string_view Base, std::string_view Url, bool ForBase,
                TBrowserLink& Out) {
    const size_t Scheme = UrlSchemeLength(Url);
    const bool FileScheme = Scheme == 4 && StartsWithFolded(Url, 0, "FILE");
    const auto TwoSlashes = [](std::string_view Text) {
        return Text.size() >= 2 && IsSlash(Text[0]) && IsSlash(Text[1]);
    };
    if ((Scheme > 0 && !FileScheme) || TwoSlashes(Url)) {
        Out.Kind = TBrowserLinkKind::bkExternal;
        return;
    }
    if (FileScheme) {
        Url.remove_prefix(5);
        if (TwoSlashes(Url)) {
            size_t HostEnd = 2;
            while (HostEnd < Url.size() && !IsSlash(Url[HostEnd]))
                ++HostEnd;
            const std::string_view Host = Url.substr(2, HostEnd - 2);
            if (!Host.empty() && !FoldedEqual(Host, "LOCALHOST")) {
                Out.Kind = TBrowserLinkKind::bkUnreachable;
                return;
            }
            Url = HostEnd < Url.size() ? Url.substr(HostEnd) : std::string_view("/");
        }
    }
    if (!Url.empty() && IsSlash(Url[0])) {
        const std::string& ServerRoot = Page.Run.CurrentProject.ServerRoot;
        if (!FileScheme && ServerRoot.empty()) {
            Out.Kind = TBrowserLinkKind::bkExternal; // below a server root that is not known
            return;
        }
        Out.Kind = FileScheme ? TBrowserLinkKind::bkOnDisk : TBrowserLinkKind::bkRooted;
        Base = FileScheme ? std::string_view("/") : std::string_view(ServerRoot);
        Url.remove_prefix(1);
    }
    ResolvePath(Page, Base, Url, ForBase, Out);
}

// The file whose folder the page's relative links are resolved in, into Base: the page itself,
// or what its <base href> names. False when that is no file of this disk.
bool ReadBase(const TFileObject& Page, std::string& Base) {
    TBrowserLink Link;
    std::string_view Url = UrlText(Page.BaseHref, Page.Charset, Link);
    Url = Url.substr(0, std::min(Url.find('#'), Url.find('?')));
    if (Url.empty()) {
        Base = Page.Path;
        return true;
    }
    ResolveUrl(Page, Page.Path, Url, true, Link);
    Base = std::move(Link.Path);
    return Link.Kind != TBrowserLinkKind::bkExternal &&
           Link.Kind != TBrowserLinkKind::bkUnreachable;
}

} // namespace

void ReadBrowserLink(const TFileObject& Page, std::string_view Link, TBrowserLink& Out) {
    Out.Kind = TBrowserLinkKind::bkInSite;
    Out.Path.clear();
    Out.Anchor.clear();
    Out.ImpliedName = Out.Decoded = Out.Converted = false;
    std::string_view Url = UrlText(Link, Page.Charset, Out);
    const size_t Hash = Url.find('#');
    if (Hash != std::string_view::npos) {
        Out.Anchor.assign(Url.substr(Hash + 1));
        Out.Decoded = Out.Decoded || Out.Anchor.find('%') != std::string::npos;
        Url = Url.substr(0, Hash);
    }
    Url = Url.substr(0, Url.find('?'));
    // A link with a scheme does not depend on the base.
    std::string_view Base = Page.Path;
    thread_local std::string FromBase;
    if (UrlSchemeLength(Url) == 0 && !Page.BaseHref.empty()) {
        if (!ReadBase(Page, FromBase)) {
            Out.Kind = TBrowserLinkKind::bkExternal;
            return;
        }
        Base = FromBase;
    }
    if (!Url.empty()) return ResolveUrl(Page, Base, Url, false, Out);
    if (Out.Anchor.empty()) { // "?x=1" or "#"
        Out.Kind = TBrowserLinkKind::bkOnlyQuery;
        return;
    }
    Out.Path = Base; // the page, or what the base names
    if (EndsInFolder(Out.Path, Page.Run.PathStyle())) {
        Out.Path += Page.Run.Settings.DefaultFileName;
        Out.ImpliedName = true;
    }
}

} // namespace orvel
