// The check run (reading ahead on other threads, one pass per text, lists sorted once, the path
// index) against the reference check on generated sites: every list of every file object, its
// reach state and its reached anchors.
#include "ReferenceCheck.h"
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/NodePictures.h"
#include "support/CodePage.h"

#include <gtest/gtest.h>
#include <random>

using namespace orvel;
using namespace orvel::test;

namespace {

using Strings = std::vector<std::string>;

// File names meant to collide: case variants, names without extension, non-ASCII bytes
// (UTF-8, and a CP932 character whose second byte is "\"), spaces, "#" and a hidden file.
const Strings Names = {"index.html",
                       "Index.html",
                       "page.htm",
                       "PAGE.HTM",
                       "p1.html",
                       "p2.HTML",
                       "readme",
                       "img.gif",
                       "IMG.GIF",
                       "notes.txt",
                       "\xE6\x97\xA5\xE6\x9C\xAC.html",
                       "\x95\x5C.html",
                       "sp ace.html",
                       "a#b.html",
                       ".hidden.html",
                       "q?x.htm"};
const Strings Folders = {"", "a/", "a/b/", "A/", "B/", "c d/", "x/y/z/", "n1/", "n2/", "n3/"};
const Strings AnchorNames = {"top", "Top", "sec1", "SEC1", "intro", "x y"};

struct TSiteFile {
    std::string Folder, Name;
};

// The relative path from one folder of the site to a file, with "../" where it climbs.
std::string RelativeLink(const std::string& From, const TSiteFile& To) {
    size_t Common = 0;
    for (size_t I = 0; I < From.size() && I < To.Folder.size() && From[I] == To.Folder[I]; ++I)
        if (From[I] == '/') Common = I + 1;
    std::string Link;
    for (size_t I = Common; I < From.size(); ++I)
        if (From[I] == '/') Link += "../";
    return Link + To.Folder.substr(Common) + To.Name;
}

class TSiteMaker {
public:
    explicit TSiteMaker(unsigned Seed) : Random(Seed) {}

    std::vector<TSiteFile> Files(int Count) {
        std::vector<TSiteFile> Made;
        for (int I = 0; I < Count; ++I) {
            TSiteFile File{Pick(Folders), Pick(Names)};
            if (std::none_of(Made.begin(), Made.end(), [&](const TSiteFile& F) {
                    return F.Folder == File.Folder && F.Name == File.Name;
                }))
                Made.push_back(File);
        }
        Made.push_back({"", "index.html"});
        return Made;
    }

    // A page of links to the site's files, right and wrong, and of other links and anchors.
    std::string Page(const std::string& Folder, const std::vector<TSiteFile>& Site) {
        std::string Html;
        for (int Tag = Range(0, 24); Tag > 0; --Tag) {
            switch (Range(0, 9)) {
            case 0:
                Html += "<A NAME=" + Quoted(Pick(AnchorNames)) + ">";
                break;
            case 1:
                Html += "<h2 id=" + Quoted(Pick(AnchorNames)) + ">";
                break;
            case 2:
                Html += "<!-- <a href=" + Link(Folder, Site) + "> -->";
                break;
            case 3:
                Html += "<meta content=\"0; URL=" + Link(Folder, Site) + "\">";
                break;
            case 4:
                Html += "<img src=" + Quoted(Link(Folder, Site)) + ">";
                break;
            default:
                Html +=
                    (Range(0, 1) ? "<a href=" : "<A\r\nHREF=") + Quoted(Link(Folder, Site)) + ">";
            }
            if (Range(0, 3) == 0) Html += Range(0, 1) ? "\r\n" : " text ";
        }
        return Html;
    }

private:
    const std::string& Pick(const Strings& From) { return From[Random() % From.size()]; }
    int Range(int Low, int High) { return Low + static_cast<int>(Random() % (High - Low + 1)); }

    std::string Quoted(const std::string& Value) {
        switch (Range(0, 2)) {
        case 0:
            return "\"" + Value + "\"";
        case 1:
            return "'" + Value + "'";
        default:
            return Value;
        }
    }

    std::string Link(const std::string& Folder, const std::vector<TSiteFile>& Site) {
        std::string Link = RelativeLink(Folder, Site[Random() % Site.size()]);
        switch (Range(0, 15)) {
        case 0:
            for (char& C : Link)
                if (Range(0, 3) == 0) C = AsciiUpper(C);
            break;
        case 1:
            Link = "./" + Link;
            break;
        case 2:
            Link = "../" + Link;
            break;
        case 3:
            std::replace(Link.begin(), Link.end(), '/', '\\');
            break;
        case 4:
            Link = Link.substr(0, Link.rfind('/') + 1); // a folder: the default file name
            break;
        case 5:
            Link = "#" + Pick(AnchorNames);
            break;
        case 6:
            Link = Pick({"javascript:go()", "mailto:a@b.jp", "http://example.jp/", "NEWS:fj",
                         "file:///etc/hostname", "http:" + Link, "?lang=en", "//", "a//b.html"});
            break;
        case 7:
            Link = "/" + Link; // from the server root, when there is one
            break;
        case 8:
            Link += "?q=1";
            break;
        case 9:
            Link += "\r\nx";
            break;
        case 10:
            Link += std::string(Range(990, 1010), 'v');
            break;
        default:
            break;
        }
        if (Range(0, 2) == 0) Link += "#" + Pick(AnchorNames);
        return Link;
    }

    std::mt19937 Random;
};

// A fresh site of files in a temporary folder.
struct TGeneratedSite {
    // Some sites are large enough to be classified by several threads.
    TGeneratedSite(unsigned Seed, int FileCount) {
        TSiteMaker Maker(Seed);
        const std::vector<TSiteFile> Files = Maker.Files(FileCount);
        for (const TSiteFile& File : Files)
            Dir.Write(File.Folder + File.Name, Maker.Page(File.Folder, Files));
        Dir.MakeDir("empty/");
    }
    TTempDir Dir;
};

void ExpectSameLists(const TFileObject& File, const TReferenceFile& Expected) {
    SCOPED_TRACE(File.Path);
    ASSERT_EQ(File.Path, Expected.Path);
    EXPECT_EQ(File.Kind, Expected.Kind);
    EXPECT_EQ(File.Links.Strings(), Expected.Links.Strings());
    EXPECT_EQ(File.Anchors.Strings(), Expected.Anchors.Strings());
    EXPECT_EQ(File.ValidLinks.Strings(), Expected.Valid.Strings());
    EXPECT_EQ(File.InvalidLinks.Strings(), Expected.Invalid.Strings());
    EXPECT_EQ(File.ExternalLinks.Strings(), Expected.External.Strings());
    EXPECT_EQ(File.ReachState, Expected.Reach);
    EXPECT_EQ(File.Ignored, Expected.Ignored);
    std::vector<bool> Reached;
    for (const auto& Anchor : File.Node->Children)
        Reached.push_back(Anchor->StateIndex == pic::Reached);
    EXPECT_EQ(Reached, Expected.ReachedAnchors);
}

TEST(ReferenceCheck, TheCheckFindsWhatTheReferenceFinds) {
    for (unsigned Round = 0; Round < 24; ++Round) {
        SCOPED_TRACE("round " + std::to_string(Round));
        SetCodePage(Round % 3 == 2 ? TCodePage::cpCp932 : TCodePage::cpUtf8);
        const TGeneratedSite Site(20261208 + Round, Round % 4 == 3 ? 400 : 40);
        TTestRun T;
        TSettings& Settings = T.Run.Settings;
        Settings.ModernHTML = false; // the reference check knows only the original rules
        Settings.IgnoreCase = Round % 2 == 1;
        Settings.isSpaceValid = Round % 4 >= 2;
        Settings.IgnoreJavaScript = Round % 5 != 0;
        TOrvelProject& Project = T.Run.CurrentProject;
        Project.SetHomeDir(Site.Dir.Path());
        if (Round % 3 == 1) Project.SetServerRoot(Site.Dir.Path());
        Project.AddTopFile(Site.Dir.Path() + "index.html");
        Project.AddTopFile(Site.Dir.Path() + "a/p1.html");
        Project.AddIgnoreFile(Site.Dir.Path() + "a/b/PAGE.HTM");

        TOrvelProject Before; // the project as the check finds it, for the reference
        Before.SetHomeDir(Project.HomeDir);
        Before.SetServerRoot(Project.ServerRoot);
        for (const std::string& Top : Project.TopFiles)
            Before.AddTopFile(Project.SpellingOf(Top));
        Before.AddIgnoreFile(Project.SpellingOf(Project.IgnoreFiles[0]));
        const std::vector<TReferenceFile> Expected = ReferenceCheck(Before, Settings);

        T.Run.BeginBusy();
        CheckFolder(T.Run, Project.HomeDir, true);
        T.Run.EndBusy();
        ASSERT_EQ(T.Run.FileObjects.Count(), static_cast<int>(Expected.size()));
        for (int I = 0; I < T.Run.FileObjects.Count(); ++I)
            ExpectSameLists(T.Run.FileObjects[I], Expected[static_cast<size_t>(I)]);
    }
    SetCodePage(TCodePage::cpUtf8);
}

} // namespace
