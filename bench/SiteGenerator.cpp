// Writes a deterministic test site for the benchmarks: nested folders of HTML pages with a mix of
// links (relative, ../, anchors, root-relative, external, broken), images, commented-out links,
// upper-case tags, anchors, META refresh and Shift-JIS (CP932) text.
//
//   gen_site OUTDIR N
//
// The same N always gives the same site, byte for byte: the random numbers come from a fixed
// seed and an explicit generator, not from a standard distribution.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

// SplitMix64: the same sequence on every platform and standard library.
class TRandom {
public:
    explicit TRandom(std::uint64_t Seed) : State(Seed) {}
    std::uint64_t Next() {
        std::uint64_t Z = (State += 0x9E3779B97F4A7C15ull);
        Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
        Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
        return Z ^ (Z >> 31);
    }
    // Uniform in [Low, High].
    int Range(int Low, int High) {
        return Low + static_cast<int>(Next() % static_cast<std::uint64_t>(High - Low + 1));
    }
    bool Chance(int Percent) { return Range(0, 99) < Percent; }
    template <class T> const T& Pick(const std::vector<T>& Items) {
        return Items[static_cast<size_t>(Next() % Items.size())];
    }

private:
    std::uint64_t State;
};

// Japanese words in Shift-JIS (CP932). Some hold 0x5C ('\') as their second byte (表, ソ, 能).
const std::vector<std::string_view> JapaneseWords = {
    "\x93\xfa\x96\x7b\x8c\xea",                         // 日本語
    "\x83\x7a\x81\x5b\x83\x80\x83\x79\x81\x5b\x83\x57", // ホームページ
    "\x83\x8a\x83\x93\x83\x4e",                         // リンク
    "\x88\xc4\x93\xe0",                                 // 案内
    "\x8d\x58\x90\x56",                                 // 更新
    "\x8f\xee\x95\xf1",                                 // 情報
    "\x8e\xca\x90\x5e",                                 // 写真
    "\x93\xfa\x8b\x4c",                                 // 日記
    "\x90\xbb\x95\x69",                                 // 製品
    "\x8f\xd0\x89\xee",                                 // 紹介
    "\x95\x5c\x8e\xa6",                                 // 表示
    "\x83\x5c\x83\x74\x83\x67",                         // ソフト
    "\x8b\x40\x94\x5c",                                 // 機能
    "\x96\xda\x8e\x9f",                                 // 目次
    "\x82\xa8\x92\x6d\x82\xe7\x82\xb9",                 // お知らせ
    "\x82\xc9\x82\xc2\x82\xa2\x82\xc4",                 // について
    "\x82\xc5\x82\xb7",                                 // です
    "\x82\xdc\x82\xb7",                                 // ます
    "\x82\xb5\x82\xdc\x82\xb7",                         // します
    "\x82\xb5\x82\xdc\x82\xb5\x82\xbd",                 // しました
    "\x82\xcc",                                         // の
    "\x82\xf0",                                         // を
    "\x82\xc6",                                         // と
    "\x82\xcd",                                         // は
    "\x82\xaa",                                         // が
    "\x82\xc9",                                         // に
    "\x8d\xa1\x93\xfa",                                 // 今日
    "\x93\x56\x8b\x43",                                 // 天気
    "\x97\xb7\x8d\x73",                                 // 旅行
    "\x93\x8c\x8b\x9e",                                 // 東京
    "\x91\xe5\x8d\xe3",                                 // 大阪
    "\x8b\x9e\x93\x73",                                 // 京都
    "\x90\x56\x82\xb5\x82\xa2",                         // 新しい
    "\x8c\xc3\x82\xa2",                                 // 古い
    "\x83\x79\x81\x5b\x83\x57",                         // ページ
    "\x97\x5c\x92\xe8",                                 // 予定
    "\x89\xef\x8e\xd0",                                 // 会社
    "\x8e\x84",                                         // 私
    "\x8e\xef\x96\xa1",                                 // 趣味
    "\x89\xb9\x8a\x79",                                 // 音楽
    "\x89\x66\x89\xe6",                                 // 映画
    "\x93\xc7\x8f\x91",                                 // 読書
    "\x97\xbf\x97\x9d",                                 // 料理
    "\x94\x4c",                                         // 猫
    "\x8e\x52",                                         // 山
    "\x8a\x43",                                         // 海
    "\x8f\x74",                                         // 春
    "\x93\x7e",                                         // 冬
};
constexpr std::string_view Comma = "\x81\x41";                   // 、
constexpr std::string_view FullStop = "\x81\x42";                // 。
constexpr std::string_view NextWord = "\x8e\x9f\x82\xd6";        // 次へ
constexpr std::string_view BackWord = "\x96\xdf\x82\xe9";        // 戻る
constexpr std::string_view TopWord = "\x83\x67\x83\x62\x83\x76"; // トップ
constexpr std::string_view UpWord = "\x8f\xe3\x82\xd6";          // 上へ
constexpr std::string_view ImageWord = "\x89\xe6\x91\x9c";       // 画像
constexpr std::string_view SiteMapWord =
    "\x83\x54\x83\x43\x83\x67\x83\x7d\x83\x62\x83\x76"; // サイトマップ

const std::vector<std::string_view> EnglishWords = {
    "update", "news",  "the",   "site",    "page",  "links", "photo", "diary", "about",
    "we",     "have",  "new",   "release", "for",   "and",   "with",  "more",  "info",
    "Tokyo",  "Osaka", "guide", "version", "today", "see",   "also",  "our",   "list",
};

const std::vector<std::string_view> FolderWords = {
    "guide", "news",  "products", "archive", "photo", "diary", "faq",  "Links", "software",
    "music", "books", "travel",   "recipes", "misc",  "Old",   "data", "manual"};

const std::vector<std::string_view> ExternalLinks = {
    "http://www.example.com/",
    "http://www.example.co.jp/~user/index.html",
    "https://example.org/path/page.html?q=1&lang=ja",
    "https://www.example.net/",
    "http://example.jp/cgi-bin/count.cgi?id=42",
    "mailto:webmaster@example.jp",
    "MAILTO:info@example.com",
    "ftp://ftp.example.com/pub/file.lzh",
    "news:fj.comp.misc",
};

struct TFolder {
    std::string Path;                // relative to the site: "" for the top, else ends in "/"
    int Depth = 0;                   // 0 for the top
    int Parent = -1;                 // index of the parent folder, -1 for the top
    std::vector<int> Children;       // subfolder indices
    std::vector<int> Pages;          // every page of the folder; the first is its index.html
    std::vector<int> Linkable;       // the pages that other pages may link to (no orphans)
    std::vector<std::string> Images; // image file names in this folder
};

struct TPage {
    int Folder = 0;
    std::string Name;       // file name
    int NameAnchors = 0;    // A NAME="secK", K in 1..NameAnchors
    int IdAnchors = 0;      // H2 ID="hK", K in 1..IdAnchors
    bool Orphan = false;    // nothing links to it
    bool Refresh = false;   // has a META refresh to the next page
    bool UpperTags = false; // tags and attributes written in upper case
};

struct TStats {
    long long Pages = 0, Images = 0, Orphans = 0;
    long long LinkTags = 0;  // link-carrying tags written outside comments
    long long Bytes = 0;     // every file
    long long HtmlBytes = 0; // the pages only
};

class TSiteWriter {
public:
    TSiteWriter(std::filesystem::path Folder, int NumberOfPages)
        : OutDir(std::move(Folder)), PageCount(NumberOfPages) {}

    void Plan();
    void Write();
    const TStats& Stats() const { return Stat; }
    int FolderCount() const { return static_cast<int>(Folders.size()); }

private:
    void AddFolder(int Parent, std::string Name);
    void WriteFile(const std::string& RelPath, const std::string& Bytes);
    void WriteImages(const TFolder& Folder);
    std::string PageText(int PageIndex);

    // Pieces of a page.
    std::string Tag(const TPage& Page, std::string_view Lower) const;
    std::string Quoted(std::string_view Value);
    std::string LinkTag(const TPage& Page, const std::string& Href, std::string_view Text);
    std::string Sentence(int Words);
    std::string SomeLink(const TPage& Page);
    std::string ImageTag(const TPage& Page);
    std::string CommentBlock(const TPage& Page);

    // Link targets seen from a page.
    std::string PageInFolder(int Folder);
    std::string AnchorOf(int PageIndex, bool Existing);
    std::string UpPath(int Levels) const;

    std::filesystem::path OutDir;
    int PageCount;
    TRandom Random{0x4F7276656C2D5545ull};
    std::vector<TFolder> Folders;
    std::vector<TPage> Pages;
    int DocsFolder = -1;
    TStats Stat;
};

void TSiteWriter::AddFolder(int Parent, std::string Name) {
    TFolder Folder;
    Folder.Parent = Parent;
    if (Parent >= 0) {
        const TFolder& Up = Folders[static_cast<size_t>(Parent)];
        Folder.Depth = Up.Depth + 1;
        Folder.Path = Up.Path + Name + "/";
    }
    const int Index = static_cast<int>(Folders.size());
    Folders.push_back(std::move(Folder));
    if (Parent >= 0) Folders[static_cast<size_t>(Parent)].Children.push_back(Index);
}

void TSiteWriter::Plan() {
    // Folders of 20 to 50 pages, up to three levels below the top, until N pages are placed.
    AddFolder(-1, "");
    int Left = PageCount;
    int Serial = 0;
    for (size_t F = 0; Left > 0; ++F) {
        if (F == Folders.size()) {
            if (Folders.size() == 1) {
                DocsFolder = static_cast<int>(Folders.size());
                AddFolder(0, "docs");
            } else {
                std::vector<int> Parents;
                for (size_t I = 0; I < Folders.size(); ++I)
                    if (Folders[I].Depth < 3) Parents.push_back(static_cast<int>(I));
                const int Parent = Random.Pick(Parents);
                AddFolder(Parent,
                          std::string(Random.Pick(FolderWords)) + std::to_string(Folders.size()));
            }
        }
        TFolder& Folder = Folders[F];
        const int Size = std::min(Left, Random.Range(20, 50));
        Left -= Size;
        for (int I = 0; I < Size; ++I) {
            TPage Page;
            Page.Folder = static_cast<int>(F);
            if (I == 0) {
                Page.Name = "index.html";
            } else {
                char Number[16];
                std::snprintf(Number, sizeof Number, "%05d", ++Serial);
                Page.Name = (Random.Chance(10) ? "Note" : "p") + std::string(Number) +
                            (Random.Chance(15) ? ".htm" : ".html");
                Page.Orphan = Random.Chance(2);
            }
            Page.NameAnchors = Random.Range(0, 6);
            Page.IdAnchors = Random.Range(0, 4);
            Page.Refresh = I > 0 && Random.Chance(1);
            Page.UpperTags = Random.Chance(30);
            const int Index = static_cast<int>(Pages.size());
            Folder.Pages.push_back(Index);
            if (!Page.Orphan) Folder.Linkable.push_back(Index);
            Stat.Orphans += Page.Orphan;
            Pages.push_back(std::move(Page));
        }
        const int ImageCount = Random.Range(2, 6);
        for (int I = 1; I <= ImageCount; ++I) {
            const char* Ext = Random.Chance(50) ? ".gif" : (Random.Chance(80) ? ".png" : ".GIF");
            Folder.Images.push_back("img" + std::to_string(I) + Ext);
        }
    }
}

std::string TSiteWriter::Tag(const TPage& Page, std::string_view Lower) const {
    std::string Text(Lower);
    if (Page.UpperTags)
        for (char& C : Text)
            if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
    return Text;
}

std::string TSiteWriter::Quoted(std::string_view Value) {
    const int Style = Random.Range(0, 9);
    if (Style < 6) return "\"" + std::string(Value) + "\"";
    if (Style < 7) return "'" + std::string(Value) + "'";
    return std::string(Value); // unquoted, as many hand-written pages have it
}

std::string TSiteWriter::LinkTag(const TPage& Page, const std::string& Href,
                                 std::string_view Text) {
    ++Stat.LinkTags;
    return "<" + Tag(Page, "a href") + "=" + Quoted(Href) + ">" + std::string(Text) + "</" +
           Tag(Page, "a") + ">";
}

std::string TSiteWriter::Sentence(int Words) {
    std::string Text;
    for (int I = 0; I < Words; ++I) {
        if (Random.Chance(75)) {
            Text += Random.Pick(JapaneseWords);
            if (Random.Chance(15)) Text += Comma;
        } else {
            Text += ' ';
            Text += Random.Pick(EnglishWords);
            Text += ' ';
        }
    }
    Text += FullStop;
    return Text;
}

std::string TSiteWriter::PageInFolder(int Folder) {
    const TFolder& F = Folders[static_cast<size_t>(Folder)];
    return Pages[static_cast<size_t>(Random.Pick(F.Linkable))].Name;
}

std::string TSiteWriter::AnchorOf(int PageIndex, bool Existing) {
    const TPage& Page = Pages[static_cast<size_t>(PageIndex)];
    if (Existing && Page.NameAnchors > 0 && Random.Chance(60))
        return "sec" + std::to_string(Random.Range(1, Page.NameAnchors));
    if (Existing && Page.IdAnchors > 0)
        return "h" + std::to_string(Random.Range(1, Page.IdAnchors));
    return "nosuch" + std::to_string(Random.Range(1, 99));
}

std::string TSiteWriter::UpPath(int Levels) const {
    std::string Path;
    for (int I = 0; I < Levels; ++I)
        Path += "../";
    return Path;
}

std::string TSiteWriter::SomeLink(const TPage& Page) {
    const TFolder& Folder = Folders[static_cast<size_t>(Page.Folder)];
    const int Kind = Random.Range(0, 99);
    if (Kind < 30) return PageInFolder(Page.Folder); // same folder
    if (Kind < 42 && !Folder.Children.empty()) {     // sub/x.html
        const int Sub = Random.Pick(Folder.Children);
        return Folders[static_cast<size_t>(Sub)].Path.substr(Folder.Path.size()) +
               PageInFolder(Sub);
    }
    if (Kind < 52 && Folder.Depth > 0) { // ../x.html, sometimes ../../x.html
        int Levels = 1, Up = Folder.Parent;
        if (Folder.Depth > 1 && Random.Chance(25)) {
            Levels = 2;
            Up = Folders[static_cast<size_t>(Up)].Parent;
        }
        return UpPath(Levels) + PageInFolder(Up);
    }
    if (Kind < 62) { // #anchor in this page, existing or missing
        const int Self = static_cast<int>(&Page - Pages.data());
        return "#" + AnchorOf(Self, Random.Chance(85));
    }
    if (Kind < 70) { // x.html#anchor in this folder
        const int Target = Random.Pick(Folder.Linkable);
        return Pages[static_cast<size_t>(Target)].Name + "#" + AnchorOf(Target, Random.Chance(80));
    }
    if (Kind < 76) // root-relative
        return DocsFolder >= 0 ? "/docs/" + PageInFolder(DocsFolder) : "/index.html";
    if (Kind < 88) return std::string(Random.Pick(ExternalLinks));
    if (Kind < 92) return "?lang=en"; // only a query
    // Broken: files that do not exist.
    const int Broken = Random.Range(0, 2);
    if (Broken == 0) return "gone" + std::to_string(Random.Range(1, 999)) + ".html";
    if (Broken == 1 && Folder.Depth > 0) return "../missing.htm";
    return "nowhere/page" + std::to_string(Random.Range(1, 50)) + ".html";
}

std::string TSiteWriter::ImageTag(const TPage& Page) {
    const TFolder& Folder = Folders[static_cast<size_t>(Page.Folder)];
    std::string Src;
    if (Folder.Depth > 0 && Random.Chance(25))
        Src = "../" + Random.Pick(Folders[static_cast<size_t>(Folder.Parent)].Images);
    else if (Random.Chance(5))
        Src = "noimage.gif"; // broken
    else
        Src = Random.Pick(Folder.Images);
    ++Stat.LinkTags;
    return "<" + Tag(Page, "img src") + "=" + Quoted(Src) + " " + Tag(Page, "width") + "=\"" +
           std::to_string(Random.Range(16, 640)) + "\" " + Tag(Page, "height") + "=\"" +
           std::to_string(Random.Range(16, 480)) + "\" " + Tag(Page, "alt") + "=\"" +
           std::string(ImageWord) + "\">";
}

std::string TSiteWriter::CommentBlock(const TPage& Page) {
    std::string Text = "<!-- ";
    Text += Random.Chance(50) ? "old link, kept for later: " : std::string(JapaneseWords[4]) + " ";
    Text += "<" + Tag(Page, "a href") + "=\"old" + std::to_string(Random.Range(1, 300)) +
            ".html\">" + Sentence(2) + "</" + Tag(Page, "a") + ">";
    if (Random.Chance(40))
        Text += "\n<" + Tag(Page, "img src") + "=\"removed" + std::to_string(Random.Range(1, 50)) +
                ".gif\">";
    Text += " -->\n";
    return Text;
}

std::string TSiteWriter::PageText(int PageIndex) {
    const TPage& Page = Pages[static_cast<size_t>(PageIndex)];
    const TFolder& Folder = Folders[static_cast<size_t>(Page.Folder)];
    const size_t Target = static_cast<size_t>(Random.Range(3000, 6000));
    const bool Crlf = Random.Chance(30);
    std::string T;
    T.reserve(Target + 1024);
    T += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n";
    T += "<" + Tag(Page, "html") + ">\n<" + Tag(Page, "head") + ">\n";
    T += "<" + Tag(Page, "meta http-equiv") +
         "=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n";
    // The next page in the folder's chain, so that every page but the orphans can be reached.
    const auto& Chain = Folder.Linkable;
    std::string Next;
    for (size_t I = 0; I < Chain.size(); ++I)
        if (Chain[I] > PageIndex) {
            Next = Pages[static_cast<size_t>(Chain[I])].Name;
            break;
        }
    if (Page.Refresh && !Next.empty())
        T += "<" + Tag(Page, "meta http-equiv") + "=\"refresh\" " + Tag(Page, "content") +
             "=\"5; URL=" + Next + "\">\n";
    T += "<" + Tag(Page, "title") + ">" + Sentence(3) + " - " + Page.Name + "</" +
         Tag(Page, "title") + ">\n";
    T += "<" + Tag(Page, "link rel") + "=\"stylesheet\" " + Tag(Page, "href") + "=\"" +
         UpPath(Folder.Depth) + "style.css\" type=\"text/css\">\n";
    ++Stat.LinkTags;
    T += "</" + Tag(Page, "head") + ">\n<" + Tag(Page, "body") + " bgcolor=\"#ffffff\">\n";

    // Navigation: the folder's index, the parent's index, the subfolders' indexes.
    T += "<!-- navigation -->\n<div class=\"nav\">";
    T += LinkTag(Page, "index.html", TopWord);
    if (Folder.Depth > 0) T += " | " + LinkTag(Page, "../index.html", UpWord);
    for (int Sub : Folder.Children)
        T += " | " + LinkTag(Page,
                             Folders[static_cast<size_t>(Sub)].Path.substr(Folder.Path.size()) +
                                 "index.html",
                             Random.Pick(JapaneseWords));
    if (Folder.Depth > 0) T += " | " + LinkTag(Page, "/docs/index.html", SiteMapWord);
    T += "</div>\n";
    T += "<" + Tag(Page, "h1") + ">" + Sentence(4) + "</" + Tag(Page, "h1") + ">\n";

    int Section = 0;
    while (T.size() < Target) {
        ++Section;
        if (Section <= Page.NameAnchors)
            T += "<" + Tag(Page, "a name") + "=\"sec" + std::to_string(Section) + "\"></" +
                 Tag(Page, "a") + ">\n";
        if (Section <= Page.IdAnchors)
            T += "<" + Tag(Page, "h2 id") + "=\"h" + std::to_string(Section) + "\">" + Sentence(2) +
                 "</" + Tag(Page, "h2") + ">\n";
        else
            T += "<" + Tag(Page, "h2") + ">" + Sentence(2) + "</" + Tag(Page, "h2") + ">\n";
        const int Shape = Random.Range(0, 9);
        if (Shape < 5) { // a paragraph with links in its text
            T += "<" + Tag(Page, "p") + ">";
            const int Parts = Random.Range(2, 5);
            for (int I = 0; I < Parts; ++I) {
                T += Sentence(Random.Range(6, 18));
                if (Random.Chance(55))
                    T += LinkTag(Page, SomeLink(Page), Sentence(Random.Range(1, 3)));
                if (Random.Chance(25)) T += Crlf ? "\r\n" : "\n";
            }
            T += "</" + Tag(Page, "p") + ">\n";
        } else if (Shape < 7) { // a list of links
            T += "<" + Tag(Page, "ul") + ">\n";
            const int Items = Random.Range(3, 6);
            for (int I = 0; I < Items; ++I)
                T += "<" + Tag(Page, "li") + ">" +
                     LinkTag(Page, SomeLink(Page), Sentence(Random.Range(1, 3))) + "\n";
            T += "</" + Tag(Page, "ul") + ">\n";
        } else if (Shape < 8) { // a table of pictures
            T += "<" + Tag(Page, "table border") + "=1>\n<" + Tag(Page, "tr") + ">";
            const int Cells = Random.Range(2, 4);
            for (int I = 0; I < Cells; ++I)
                T += "<" + Tag(Page, "td") + ">" + ImageTag(Page) + "<br>" + Sentence(2) + "</" +
                     Tag(Page, "td") + ">";
            T += "</" + Tag(Page, "tr") + ">\n</" + Tag(Page, "table") + ">\n";
        } else { // a picture and a paragraph
            T += "<" + Tag(Page, "p") + ">" + ImageTag(Page) + Sentence(Random.Range(6, 16)) +
                 "</" + Tag(Page, "p") + ">\n";
        }
        if (Random.Chance(20)) T += CommentBlock(Page);
    }

    T += "<hr>\n<" + Tag(Page, "p") + ">";
    if (!Next.empty()) T += LinkTag(Page, Next, NextWord) + " ";
    T += LinkTag(Page, UpPath(Folder.Depth) + "index.html", BackWord) + "</" + Tag(Page, "p") +
         ">\n";
    T += "<" + Tag(Page, "address") + ">" +
         LinkTag(Page, "mailto:webmaster@example.jp", "webmaster") + "</" + Tag(Page, "address") +
         ">\n";
    T += "</" + Tag(Page, "body") + ">\n</" + Tag(Page, "html") + ">\n";
    if (Crlf) {
        std::string WithCr;
        WithCr.reserve(T.size() + T.size() / 32);
        for (char C : T) {
            if (C == '\n' && (WithCr.empty() || WithCr.back() != '\r')) WithCr += '\r';
            WithCr += C;
        }
        T = std::move(WithCr);
    }
    return T;
}

void TSiteWriter::WriteFile(const std::string& RelPath, const std::string& Bytes) {
    const std::filesystem::path Path = OutDir / RelPath;
    std::FILE* File = std::fopen(Path.c_str(), "wb");
    if (!File || std::fwrite(Bytes.data(), 1, Bytes.size(), File) != Bytes.size() ||
        std::fclose(File) != 0) {
        std::fprintf(stderr, "gen_site: cannot write %s\n", Path.c_str());
        std::exit(1);
    }
    Stat.Bytes += static_cast<long long>(Bytes.size());
}

void TSiteWriter::WriteImages(const TFolder& Folder) {
    for (const std::string& Name : Folder.Images) {
        const bool Gif = Name.ends_with(".gif") || Name.ends_with(".GIF");
        std::string Bytes = Gif ? std::string("GIF89a", 6) : std::string("\x89PNG\r\n\x1a\n", 8);
        const int Size = Random.Range(200, 1500);
        while (static_cast<int>(Bytes.size()) < Size)
            Bytes += static_cast<char>(Random.Next() & 0xFF);
        WriteFile(Folder.Path + Name, Bytes);
        ++Stat.Images;
    }
}

void TSiteWriter::Write() {
    for (const TFolder& Folder : Folders) {
        std::filesystem::create_directories(OutDir / Folder.Path);
        WriteImages(Folder);
    }
    WriteFile("style.css", "body { font-family: sans-serif; }\n.nav { margin: 1em; }\n");
    for (int I = 0; I < static_cast<int>(Pages.size()); ++I) {
        const TPage& Page = Pages[static_cast<size_t>(I)];
        const std::string Text = PageText(I);
        WriteFile(Folders[static_cast<size_t>(Page.Folder)].Path + Page.Name, Text);
        Stat.HtmlBytes += static_cast<long long>(Text.size());
        ++Stat.Pages;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_site OUTDIR N\n");
        return 2;
    }
    char* End = nullptr;
    const long Count = std::strtol(argv[2], &End, 10);
    if (*End != '\0' || Count < 1 || Count > 10'000'000) {
        std::fprintf(stderr, "gen_site: N must be a page count from 1 to 10000000\n");
        return 2;
    }
    try {
        TSiteWriter Writer(argv[1], static_cast<int>(Count));
        Writer.Plan();
        Writer.Write();
        const TStats& S = Writer.Stats();
        std::printf("pages %lld, folders %d, images %lld, orphans %lld, link tags %lld, "
                    "bytes %lld (pages %lld, %.1f KB per page)\n",
                    S.Pages, Writer.FolderCount(), S.Images, S.Orphans, S.LinkTags, S.Bytes,
                    S.HtmlBytes,
                    static_cast<double>(S.HtmlBytes) / 1024.0 / static_cast<double>(S.Pages));
    } catch (const std::exception& E) {
        std::fprintf(stderr, "gen_site: %s\n", E.what());
        return 1;
    }
    return 0;
}
