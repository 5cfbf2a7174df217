// The INI rules, the project file and the settings file.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "project/Project.h"
#include "project/ProjectFile.h"
#include "project/Settings.h"
#include "support/CodePage.h"
#include "support/IniFile.h"

#include <chrono>
#include <csignal>
#include <future>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;
using Strings = std::vector<std::string>;

namespace {

TEST(IniFile, ProfileStringRules) {
    TTempDir Dir;
    const std::string Path = Dir.Write("a.ini", "[option]\r\n  Key  =  spaced value  \r\n"
                                                "quoted=\"  kept  \"\r\nhalf=\"open\r\n"
                                                "KEY=second\r\n[Other]\nlong=" +
                                                    std::string(3000, 'x') + "\n");
    const TIniFile File(Path);
    EXPECT_EQ(File.ReadString("OPTION", "key", "-"), "spaced value");
    EXPECT_EQ(File.ReadString("Option", "Quoted", "-"), "  kept  ");
    EXPECT_EQ(File.ReadString("Option", "half", "-"), "\"open");
    EXPECT_EQ(File.ReadString("Option", "missing", "default"), "default");
    EXPECT_EQ(File.ReadString("Missing", "key", "default"), "default");
    EXPECT_EQ(File.ReadString("Other", "long", "").size(), TIniFile::MaxValueBytes);
}

TEST(IniFile, IntegersAndBooleans) {
    const std::pair<std::string, long long> Cases[] = {
        {"12", 12}, {"-3", -3}, {"0x1F", 31}, {"0XfF", 255}, {"0xFFFFFFFF", -1},
        {"abc", 7}, {"", 7},    {"1.5", 7},   {"0x", 7},     {"99999999999", 7},
    };
    for (const auto& [Text, Expected] : Cases) {
        TIniFile File = TIniFile::Empty("/nonexistent/x.ini");
        File.WriteString("S", "K", Text);
        EXPECT_EQ(File.ReadInteger("S", "K", 7), Expected) << Text;
    }
    TIniFile File = TIniFile::Empty("/nonexistent/x.ini");
    File.WriteString("S", "Two", "2");
    File.WriteString("S", "Zero", "0x0");
    File.WriteString("S", "Word", "yes");
    EXPECT_TRUE(File.ReadBool("S", "Two", false));
    EXPECT_FALSE(File.ReadBool("S", "Zero", true));
    EXPECT_TRUE(File.ReadBool("S", "Word", true));
    EXPECT_FALSE(File.ReadBool("S", "Word", false));
}

TEST(IniFile, FailedWriteKeepsTheOldFileAndNamesTheFile) {
    TTempDir Dir;
    const std::string Path = Dir.Write("p.ini", "[S]\nK=old\n");
    TIniFile File(Path);
    File.WriteString("S", "K", std::string(100000, 'n'));
    // A file size limit makes the write fail halfway, even for the superuser.
    struct rlimit Saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &Saved), 0);
    const struct rlimit Small = {50000, Saved.rlim_max};
    const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &Small), 0);
    try {
        File.UpdateFile();
        ADD_FAILURE() << "no error";
    } catch (const EIniWriteError& E) {
        EXPECT_EQ(std::string(E.what()), Path + " に書き込めません");
    }
    ::setrlimit(RLIMIT_FSIZE, &Saved);
    std::signal(SIGXFSZ, OldHandler);
    EXPECT_EQ(ReadWholeFile(Path), "[S]\nK=old\n");
    EXPECT_EQ(::rmdir(Dir.Path().c_str()), -1); // not empty:
    EXPECT_EQ(::unlink(Path.c_str()), 0);       // the old file was its only entry
    EXPECT_EQ(::rmdir(Dir.Path().c_str()), 0);
}

TEST(IniFile, SaveKeepsTheModeAndTheLinkAndFollowsNoPlantedName) {
    TTempDir Dir;
    const std::string Real = Dir.Write("real/site.opr", "[OrvelProject]\n");
    const std::string Victim = Dir.Write("victim", "untouched");
    ASSERT_EQ(::chmod(Real.c_str(), 0600), 0);
    const std::string Link = Dir.Path() + "site.opr";
    ASSERT_EQ(::symlink("real/site.opr", (Dir.Path() + "hop").c_str()), 0);
    ASSERT_EQ(::symlink("hop", Link.c_str()), 0);
    // Symbolic links at the names a temporary file once had must not be written through.
    const std::string Pid = std::to_string(::getpid());
    for (const std::string& Planted : {Link + ".tmp-" + Pid, Real + ".tmp-" + Pid})
        ASSERT_EQ(::symlink(Victim.c_str(), Planted.c_str()), 0);
    TOrvelProject Project;
    Project.SetHomeDir("/site/");
    WriteProjectFile(Project, Link);
    EXPECT_EQ(ReadWholeFile(Real), "[OrvelProject]\nHomeDir=/site/\nServerRoot=\n");
    EXPECT_EQ(ReadWholeFile(Victim), "untouched");
    struct stat St;
    ASSERT_EQ(::lstat(Link.c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    ASSERT_EQ(::stat(Real.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0600u);
}

TEST(IniFile, ValuesReadBackAsWritten) {
    const std::string Values[] = {
        "",         " lead",   "trail\t", "  both  ", "\"quoted\"", "'single'",     "\"open",
        "'mixed\"", "a=b ; c", "[x]",     "\"",       " \" ",       "\v\fcontrols",
    };
    TTempDir Dir;
    TIniFile File = TIniFile::Empty(Dir.Path() + "v.ini");
    for (size_t I = 0; I < std::size(Values); ++I)
        File.WriteString("S", "K" + std::to_string(I), Values[I]);
    File.UpdateFile();
    const TIniFile Again(File.Path());
    for (size_t I = 0; I < std::size(Values); ++I)
        EXPECT_EQ(Again.ReadString("S", "K" + std::to_string(I), "-"), Values[I]) << Values[I];
    EXPECT_NE(ReadWholeFile(File.Path()).find("K1=\" lead\"\n"), std::string::npos);
}

TEST(IniFile, ValueThatNoLineCanHoldStopsTheSaveBeforeAnythingIsWritten) {
    using namespace std::string_literals;
    for (const std::string& Name :
         {"A\nB.html"s, "x\n[OrvelProject]\nHomeDir=/evil"s, "A\rB.html"s, "A\0B.html"s}) {
        TTempDir Dir;
        const std::string Path = Dir.Write("site.opr", "[OrvelProject]\nHomeDir=/old/\n");
        TOrvelProject Project;
        Project.SetHomeDir("/site/");
        Project.AddTopFile("/site/index.html");
        Project.AddTopFile("/site/" + Name);
        try {
            WriteProjectFile(Project, Path);
            ADD_FAILURE() << Name << ": saved";
        } catch (const EIniWriteError& E) {
            EXPECT_EQ(std::string(E.what()), Path + " に書き込めません\r\nTopFile1: a line break "
                                                    "or NUL byte cannot be stored");
        }
        EXPECT_EQ(ReadWholeFile(Path), "[OrvelProject]\nHomeDir=/old/\n");
    }
}

TEST(IniFile, ReaderRefusesWhatIsNoRegularFileOrTooLarge) {
    TTempDir Dir;
    const std::string Fifo = Dir.Path() + "fifo.ini";
    ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0);
    const std::string Large = Dir.Write("large.ini", "");
    ASSERT_EQ(::truncate(Large.c_str(), TIniFile::MaxFileBytes + 1), 0);
    const std::pair<std::string, std::string> Cases[] = {
        {Fifo, "cannot open file " + Fifo + ": not a regular file"},
        {"/dev/zero", "cannot open file /dev/zero: not a regular file"},
        {Dir.Path(), "cannot open file " + Dir.Path() + ": not a regular file"},
        {Large, "cannot read file " + Large + ": larger than 16 MiB"},
    };
    for (const auto& [Path, Message] : Cases) {
        auto Reading = std::async(std::launch::async, [&] {
            try {
                TIniFile File(Path);
                ADD_FAILURE() << Path << ": read";
            } catch (const EIniReadError& E) {
                EXPECT_EQ(std::string(E.what()), Message);
            }
        });
        ASSERT_EQ(Reading.wait_for(std::chrono::seconds(20)), std::future_status::ready) << Path;
    }
}

TEST(ProjectFile, LoadedListsReplaceTheOldOnesAndEndAtTheFirstGapOrMinusOne) {
    TTempDir Dir;
    TOrvelProject Project;
    Project.AddTopFile("/old/index.html"); // lists replaced by the file's
    Project.AddIgnoreFile("/old/x.html");
    Project.AddWildCard("*.old");
    Project.IgnoreLinks = {"old"};
    ReadProjectFile(Project,
                    TIniFile(Dir.Write("a.opr", "[OrvelProject]\nHomeDir=/site\n"
                                                "ServerRoot=/root\nTopFile0=/site/a.html\n"
                                                "TopFile1=/site/b.html\nTopFile3=/site/d.html\n"
                                                "IgnoreFile0=/site/z.html\nIgnoreFile1=-1\n"
                                                "IgnoreFile2=/site/y.html\nWildCards0=*.Bak\n"
                                                "WildCards1=/SITE/OLD/\n[IgnoreLinks]\n"
                                                "Pattern0=*.php\nPattern1=-1\nPattern3=x\n")));
    EXPECT_EQ(Project.HomeDir, "/site/");
    EXPECT_EQ(Project.ServerRoot, "/root/");
    EXPECT_EQ(Project.TopFiles, (Strings{"/SITE/A.HTML", "/SITE/B.HTML"}));
    EXPECT_EQ(Project.IgnoreFiles.Strings(), Strings{"/SITE/Z.HTML"});
    EXPECT_EQ(Project.WildCards, (Strings{"*.Bak", "/SITE/OLD/"}));
    EXPECT_EQ(Project.IgnoreLinks, (Strings{"*.php", "-1"})); // only a missing key ends them
    EXPECT_EQ(Project.TopFileView().Count(), 2);
    EXPECT_EQ(Project.IgnoreFileView().Count(), 1);
    EXPECT_EQ(Project.WildCardView().Count(), 2);
}

TEST(ProjectFile, ExcludedFilesInAnyOrderLoadAsAddedOneByOne) {
    const Strings Excluded = {"/s/z.html", "/s/b.html", "/s/TOP.html", "/s/B.HTML", "/s/a.html"};
    std::string Text = "[OrvelProject]\nTopFile0=/s/x.html\nTopFile1=/s/top.html\n";
    TOrvelProject Expected;
    Expected.AddTopFile("/s/x.html");
    Expected.AddTopFile("/s/top.html");
    for (size_t I = 0; I < Excluded.size(); ++I) {
        Text += "IgnoreFile" + std::to_string(I) + "=" + Excluded[I] + "\n";
        Expected.AddIgnoreFile(Excluded[I]);
    }
    TTempDir Dir;
    TOrvelProject Project;
    Project.AddIgnoreFile("/s/old.html"); // replaced by the file's list
    ReadProjectFile(Project, TIniFile(Dir.Write("a.opr", Text)));
    EXPECT_EQ(Project.IgnoreFiles.Strings(), Expected.IgnoreFiles.Strings());
    EXPECT_EQ(Project.TopFiles, Strings{"/S/X.HTML"});
    const auto& View = dynamic_cast<const TPlainListView&>(Project.IgnoreFileView());
    EXPECT_EQ(View.Items, Project.IgnoreFiles.Strings());
}

TEST(ProjectFile, EmptyValuesKeepTheHomeFolderAndClearTheServerRoot) {
    TTempDir Dir;
    TOrvelProject Project;
    Project.SetHomeDir("/current");
    Project.SetServerRoot("/root");
    ReadProjectFile(Project, TIniFile(Dir.Write("a.opr", "[OrvelProject]\nHomeDir=\n")));
    EXPECT_EQ(Project.HomeDir, "/current/");
    EXPECT_EQ(Project.ServerRoot, "");
    EXPECT_EQ(Project.PlainDisplay().ServerRootLabel, "未設定");
}

TEST(ProjectFile, SavingAShortListOverALongOneLeavesNoOldEntries) {
    TTempDir Dir;
    const std::string Path =
        Dir.Write("site.opr", "[OrvelProject]\nTopFile0=a\nTopFile1=b\nTopFile2=c\n"
                              "TopFile3=d\nTopFile4=e\nExtra=kept?\n");
    TOrvelProject Project;
    Project.SetHomeDir("/site/");
    Project.AddTopFile("/site/index.html");
    Project.AddTopFile("/site/b.html");
    Project.AddIgnoreFile("/site/z.html");
    Project.AddIgnoreFile("/site/m.html");
    Project.AddWildCard("*.bak");
    WriteProjectFile(Project, Path);
    EXPECT_EQ(ReadWholeFile(Path), "[OrvelProject]\nHomeDir=/site/\nServerRoot=\n"
                                   "TopFile0=/SITE/INDEX.HTML\nTopFile1=/SITE/B.HTML\n"
                                   "IgnoreFile0=/SITE/M.HTML\nIgnoreFile1=/SITE/Z.HTML\n"
                                   "WildCards0=*.bak\n");
    TOrvelProject Loaded;
    ReadProjectFile(Loaded, TIniFile(Path));
    EXPECT_EQ(Loaded.TopFiles, Project.TopFiles);
    EXPECT_EQ(Loaded.IgnoreFiles.Strings(), Project.IgnoreFiles.Strings());
    EXPECT_EQ(Loaded.WildCards, Project.WildCards);
}

// A site with two names that differ only in case, and a project file in its folder.
class ProjectEntries : public ::testing::Test {
protected:
    void SetUp() override {
        Dir.WriteSite({{"site/index.html", ""},
                       {"site/Docs/Guide.html", ""},
                       {"site/a.html", ""},
                       {"site/A.html", ""},
                       {"site/Old/x.html", ""}});
        Other.Write("Outside.html", "");
    }
    TTempDir Dir, Other;
    const std::string Site = Dir.Path() + "site/", Upper = AnsiUpperCase(Site);
};

TEST_F(ProjectEntries, ReadEntriesNameTheOneFileTheyCanMean) {
    const struct {
        std::string Entry, File; // File: the one it names below the site, or none
    } Rows[] = {
        {"index.html", "index.html"}, // relative to the project file's folder
        {"Docs/Guide.html", "Docs/Guide.html"},
        {"../site/Docs/Guide.html", "Docs/Guide.html"},
        {Site + "Docs/Guide.html", "Docs/Guide.html"},
        {Upper + "DOCS/GUIDE.HTML", "Docs/Guide.html"}, // as the old program wrote it
        {"docs/guide.html", "Docs/Guide.html"},
        {"a.html", "a.html"},
        {"A.html", "A.html"},
        {Upper + "A.HTML", ""}, // could be either
        {"gone.html", ""},
    };
    for (const auto& Row : Rows)
        for (const bool Top : {true, false}) {
            const std::string Key = Top ? "TopFile0=" : "IgnoreFile0=";
            SCOPED_TRACE(Key + Row.Entry);
            TTestRun T;
            ASSERT_TRUE(LoadProject(T.Run, Dir.Write("site/p.opr", "[OrvelProject]\nHomeDir=./\n" +
                                                                       Key + Row.Entry + "\n")));
            EXPECT_EQ(T.Run.CurrentProject.HomeDir, Site);
            Strings Named;
            for (const auto& File : T.Run.FileObjects)
                if (Top ? File->ReachState == rsTop : File->Ignored)
                    Named.push_back(File->Path.substr(Site.size()));
            EXPECT_EQ(Named, Row.File.empty() ? Strings{} : Strings{Row.File});
            // An entry that names no file leaves the project.
            const TOrvelProject& Project = T.Run.CurrentProject;
            EXPECT_EQ(Top ? Project.TopFiles.size() : Project.IgnoreFiles.Strings().size(),
                      Row.File.empty() ? 0u : 1u);
        }
}

TEST_F(ProjectEntries, WrittenEntriesBelowTheFileAreRelativeAndInTheirRealCase) {
    const struct {
        std::string Given, Written;
    } Rows[] = {
        {Site + "Docs/Guide.html", "Docs/Guide.html"},
        {AnsiUpperCase(Site + "docs/guide.html"), "Docs/Guide.html"},
        {Site + "A.html", "A.html"},
        {Upper + "A.HTML", Upper + "A.HTML"}, // two files fit: kept as held
        {Site + "gone.html", Upper + "GONE.HTML"},
        {AnsiUpperCase(Other.Path() + "outside.html"), Other.Path() + "Outside.html"},
    };
    const std::string Path = Site + "p.opr";
    for (const auto& Row : Rows)
        for (const bool Top : {true, false}) {
            SCOPED_TRACE(Row.Given);
            TOrvelProject Project;
            Project.SetHomeDir(Site);
            if (Top)
                Project.AddTopFile(Row.Given);
            else
                Project.AddIgnoreFile(Row.Given);
            WriteProjectFile(Project, Path);
            EXPECT_EQ(ReadWholeFile(Path), "[OrvelProject]\nHomeDir=./\nServerRoot=\n" +
                                               std::string(Top ? "TopFile0=" : "IgnoreFile0=") +
                                               Row.Written + "\n");
            TOrvelProject Loaded;
            ReadProjectFile(Loaded, TIniFile(Path));
            EXPECT_EQ(Loaded.TopFiles, Project.TopFiles);
            EXPECT_EQ(Loaded.IgnoreFiles.Strings(), Project.IgnoreFiles.Strings());
        }
}

TEST_F(ProjectEntries, FoldersAndPatternsAreWrittenAsTheyReadBack) {
    TOrvelProject Project;
    Project.SetHomeDir(Site + "Docs");
    Project.SetServerRoot(Site);
    Project.AddIgnoreFolder(Site + "old");
    Project.AddWildCard("*.bak");
    Project.AddIgnoreFolder(Other.Path() + "gone");
    Project.IgnoreLinks = {"*.php", "http://intranet/*"};
    const std::string Path = Site + "p.opr";
    WriteProjectFile(Project, Path);
    EXPECT_EQ(ReadWholeFile(Path), "[OrvelProject]\nHomeDir=Docs/\nServerRoot=./\n"
                                   "WildCards0=Old/\nWildCards1=*.bak\nWildCards2=" +
                                       AnsiUpperCase(Other.Path()) +
                                       "GONE/\n\n[IgnoreLinks]\nPattern0=*.php\n"
                                       "Pattern1=http://intranet/*\n");
    TOrvelProject Loaded;
    ReadProjectFile(Loaded, TIniFile(Path));
    EXPECT_EQ(Loaded.HomeDir, Project.HomeDir);
    EXPECT_EQ(Loaded.ServerRoot, Project.ServerRoot);
    EXPECT_EQ(Loaded.WildCards, Project.WildCards);
    EXPECT_EQ(Loaded.IgnoreLinks, Project.IgnoreLinks);
}

TEST(ProjectFile, WriteIntoAMissingFolderFails) {
    TTempDir Dir;
    TOrvelProject Project;
    EXPECT_THROW(WriteProjectFile(Project, Dir.Path() + "no/such/folder/p.opr"), EIniWriteError);
}

TEST(Settings, MissingFileGivesTheDefaults) {
    const TSettings S = ReadSettings(TIniFile("/nonexistent/uoorvel.ini"));
    EXPECT_EQ(S, TSettings());
    EXPECT_EQ(S.DefaultFileName, "index.html");
    EXPECT_EQ(S.CommandLineOption, "%F");
    EXPECT_TRUE(S.AnchorMakesFileBlue);
    EXPECT_TRUE(S.IgnoreJavaScript);
    EXPECT_FALSE(S.IgnoreCase);
    EXPECT_EQ(S.CheckLocalFile, 0);
    EXPECT_EQ(S.ExtListHTML, ".HTM.HTML.SHTML");
    EXPECT_EQ(S.ExtListImg, ".JPG.JPEG.GIF.PNG.XPM.XBM.SVG.WEBP.AVIF");
    const TWindowStates W = ReadWindowStates(TIniFile("/nonexistent/uoorvel.ini"));
    EXPECT_EQ(W.Left, -1);
    EXPECT_EQ(W.ProjectTop, -1);
    EXPECT_TRUE(W.ProjectVisible);
}

TEST(Settings, EncodingsWhenRead) {
    TTempDir Dir;
    const std::string Path = Dir.Write(
        "uoorvel.ini", "[Option]\nIgnoreCase=0x1\nisSpaceValid=yes\nAnchorMakesFileBlue=0\n"
                       "CheckLocalFile=-7\nIgnoreJavaScript=\nExtListHTML=.HTM\n"
                       "[ProjectWindowState]\nVisible=0\nLeft=0x10\n");
    const TSettings S = ReadSettings(TIniFile(Path));
    EXPECT_TRUE(S.IgnoreCase);
    EXPECT_FALSE(S.isSpaceValid); // not a number: the default
    EXPECT_FALSE(S.AnchorMakesFileBlue);
    EXPECT_EQ(S.CheckLocalFile, -1); // clamped
    EXPECT_TRUE(S.IgnoreJavaScript); // empty: the default
    EXPECT_EQ(S.ExtListHTML, ".HTM");
    const TWindowStates W = ReadWindowStates(TIniFile(Path));
    EXPECT_FALSE(W.ProjectVisible);
    EXPECT_EQ(W.ProjectLeft, 16);

    TIniFile Clamp = TIniFile::Empty(Path);
    Clamp.WriteString("Option", "CheckLocalFile", "5");
    EXPECT_EQ(ReadSettings(Clamp).CheckLocalFile, 1);
}

TEST(Settings, WrittenSettingsReadBackAndKeepTheWindowStates) {
    TTempDir Dir;
    const std::string Path = Dir.Write("uoorvel.ini", "[WindowState]\nLeft=40\nTop=50\n");
    TSettings S;
    S.ExternalEditor = "/usr/bin/vim";
    S.IgnoreCase = true;
    S.CheckLocalFile = -1;
    S.TagJumpCommandLineOption = "+%N %F";
    S.ExtListImg = ".GIF";
    TIniFile File(Path);
    WriteSettings(S, File);
    File.UpdateFile();
    const TIniFile Again(Path);
    EXPECT_EQ(ReadSettings(Again), S);
    // Every key of the table changed at once goes its own way through the file.
    TSettings Changed;
    for (const TSettingKey& Key : SettingKeys()) {
        if (const auto* Text = std::get_if<std::string TSettings::*>(&Key.Member))
            Changed.*(*Text) += Key.Name;
        else if (const auto* Flag = std::get_if<bool TSettings::*>(&Key.Member))
            Changed.*(*Flag) = !(Changed.*(*Flag));
        else
            Changed.*std::get<int TSettings::*>(Key.Member) = Key.Min;
    }
    TIniFile Every = TIniFile::Empty(Path);
    WriteSettings(Changed, Every);
    EXPECT_EQ(ReadSettings(Every), Changed);
    for (const TSettingKey& Key : SettingKeys())
        EXPECT_EQ(FindSettingKey(AnsiUpperCase(Key.Name)), &Key);
    EXPECT_EQ(Again.ReadString("Option", "IgnoreCase", ""), "1");
    EXPECT_EQ(Again.ReadString("Option", "isSpaceValid", ""), "0");
    EXPECT_EQ(Again.ReadString("Option", "CheckLocalFile", ""), "-1");
    EXPECT_EQ(ReadWindowStates(Again).Left, 40);
    EXPECT_EQ(ReadWindowStates(Again).Top, 50);
}

TEST(Settings, FileBesideTheProgramUnlessItsFolderCannotTakeItOrItIsInstalled) {
    TTempDir Dir;
    Dir.Write("bin/uoorvel.ini", ""); // left there by root: an installed program ignores it
    const struct {
        std::string Program;
        bool PerUser;
    } Cases[] = {
        {"uoorvel", false},        // a writable folder, as a build folder is
        {"missing/uoorvel", true}, // a folder that cannot take the file
        {"bin/uoorvel", true},     // installed, even where the file exists and root writes
    };
    ::setenv("XDG_CONFIG_HOME", (Dir.Path() + "config").c_str(), 1);
    for (const auto& C : Cases) {
        const std::string Program = Dir.Path() + C.Program;
        EXPECT_EQ(SettingsFilePath(Program),
                  C.PerUser ? Dir.Path() + "config/uoorvel/uoorvel.ini" : Program + ".ini")
            << C.Program;
    }
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
