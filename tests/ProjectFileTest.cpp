// The INI rules, the project file and the settings file.
#include "TestSupport.h"

#include "project/Project.h"
#include "project/ProjectFile.h"
#include "project/Settings.h"
#include "support/IniFile.h"

#include <gtest/gtest.h>
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
    // A folder where the temporary file would go makes the write fail, even for root.
    ASSERT_EQ(::mkdir((Path + ".tmp-" + std::to_string(::getpid())).c_str(), 0755), 0);
    TIniFile File(Path);
    File.WriteString("S", "K", "new");
    try {
        File.UpdateFile();
        FAIL() << "no error";
    } catch (const EIniWriteError& E) {
        EXPECT_EQ(std::string(E.what()), Path + " に書き込めません");
    }
    EXPECT_EQ(ReadWholeFile(Path), "[S]\nK=old\n");
}

TEST(ProjectFile, LoadedListsReplaceTheOldOnesAndEndAtTheFirstGapOrMinusOne) {
    TTempDir Dir;
    TOrvelProject Project;
    Project.AddTopFile("/old/index.html"); // lists replaced by the file's
    Project.AddIgnoreFile("/old/x.html");
    Project.AddWildCard("*.old");
    ReadProjectFile(Project,
                    TIniFile(Dir.Write("a.opr", "[OrvelProject]\nHomeDir=/site\n"
                                                "ServerRoot=/root\nTopFile0=/site/a.html\n"
                                                "TopFile1=/site/b.html\nTopFile3=/site/d.html\n"
                                                "IgnoreFile0=/site/z.html\nIgnoreFile1=-1\n"
                                                "IgnoreFile2=/site/y.html\nWildCards0=*.Bak\n"
                                                "WildCards1=/SITE/OLD/\n")));
    EXPECT_EQ(Project.HomeDir, "/site/");
    EXPECT_EQ(Project.ServerRoot, "/root/");
    EXPECT_EQ(Project.TopFiles, (Strings{"/SITE/A.HTML", "/SITE/B.HTML"}));
    EXPECT_EQ(Project.IgnoreFiles.Strings(), Strings{"/SITE/Z.HTML"});
    EXPECT_EQ(Project.WildCards, (Strings{"*.Bak", "/SITE/OLD/"}));
    EXPECT_EQ(Project.TopFileView().Count(), 2);
    EXPECT_EQ(Project.IgnoreFileView().Count(), 1);
    EXPECT_EQ(Project.WildCardView().Count(), 2);
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
    EXPECT_EQ(S.ExtListImg, ".JPG.JPEG.GIF.PNG.XPM.XBM");
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
