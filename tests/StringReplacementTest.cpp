// Replacing a link where pages write it: only its places as an attribute value, the counts and
// messages, files that cannot be changed left exactly as they were, and the undo.
#include "TestSupport.h"

#include "analysis/CheckRun.h"
#include "analysis/StringReplacement.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvel;
using namespace orvel::test;

namespace {

const std::string Unwritable =
    "ファイルへの書き込み時にエラーが置きました。\r\nファイルが読み取り専用の可能性があります";
const std::string NoPlace = "置換する箇所がありませんでした。\r\nファイルは変更していません";

struct TStamp {
    ino_t Inode;
    timespec Modified;
    mode_t Mode;
    bool operator==(const TStamp& O) const {
        return Inode == O.Inode && Modified.tv_sec == O.Modified.tv_sec &&
               Modified.tv_nsec == O.Modified.tv_nsec && Mode == O.Mode;
    }
};

TStamp StampOf(const std::string& Path) {
    struct stat St {};
    ::stat(Path.c_str(), &St);
    return {St.st_ino, St.st_mtim, St.st_mode & 07777};
}

// A disk that is full.
class TFullDisk : public TFileSystem {
public:
    void SaveFile(const std::string& Path, std::string_view) const override {
        throw ESaveError(Path, "No space left on device", ENOSPC);
    }
};

class StringReplacement : public ::testing::Test {
protected:
    // Checks the folder and gives the file object of one of its files.
    TFileObject& Checked(const std::string& Relative, bool Modern = true) {
        T.Run.Settings.ModernHTML = Modern;
        CheckFolder(T.Run, Dir.Path(), false);
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
        return *T.Run.FileObjects.FindByPath(Dir.Path() + Relative, false);
    }
    TTempDir Dir;
    TTestRun T;
};

TEST_F(StringReplacement, OnlyTheLinksPlacesAsAttributeValuesChange) {
    struct TCase {
        std::string Page, Link, New, Expected;
        int Places;
        bool Modern = true;
    };
    const TCase Cases[] = {
        // Beside longer links, in text and in a comment it stays; in any quoting it changes.
        {"<a href=\"b.htm\">b.htm</a><a href=\"b.html\"><a href=\"b.html#x\"><a href=sub/b.htm>"
         "<!-- <a href=\"b.htm\"> --><img src='b.htm'><a title=x href=b.htm>",
         "b.htm", "b.html",
         "<a href=\"b.html\">b.htm</a><a href=\"b.html\"><a href=\"b.html#x\"><a href=sub/b.htm>"
         "<!-- <a href=\"b.htm\"> --><img src='b.html'><a title=x href=b.html>",
         3},
        {"<a href=\"a.html\"><a href=\"data.html\"><a href=\"A.html\">", "a.html", "A.html",
         "<a href=\"A.html\"><a href=\"data.html\"><a href=\"A.html\">", 1},
        {"<img srcset=\"b.htm 1x, b.html 2x,b.htm 3x\">", "b.htm", "c.png",
         "<img srcset=\"c.png 1x, b.html 2x,c.png 3x\">", 2},
        {"<meta http-equiv=refresh content=\"0; url=old.html\">", "old.html", "new.html",
         "<meta http-equiv=refresh content=\"0; url=new.html\">", 1},
        // A charset that does not write ASCII as ASCII is no page's: the bytes stay ASCII.
        {"<meta charset=\"UCS-2\"><a href=\"b.htm\">", "b.htm", "b.html",
         "<meta charset=\"UCS-2\"><a href=\"b.html\">", 1},
        // The original rules read no srcset, and cut a value at its first space.
        {"<a href=\"b.htm\"><img srcset=\"b.htm 1x\"><a href=\"b.htm x\">", "b.htm", "c.htm",
         "<a href=\"c.htm\"><img srcset=\"b.htm 1x\"><a href=\"b.htm x\">", 1, false},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Page);
        const std::string Path = Dir.Write("page.html", C.Page);
        ::chmod(Path.c_str(), 0640);
        TFileObject& Page = Checked("page.html", C.Modern);
        EXPECT_EQ(CountLinkPlaces(T.Run, Page, C.Link), C.Places);
        EXPECT_EQ(ReplaceLinks(T.Run, {{&Page, C.Link, C.New}}), C.Places);
        EXPECT_EQ(ReadWholeFile(Path), C.Expected);
        EXPECT_EQ(StampOf(Path).Mode, 0640u);
        ASSERT_EQ(T.Host.Messages.size(), 1u);
        EXPECT_EQ(T.Host.Messages[0].Text, std::to_string(C.Places) + " か所を置換しました");
        // The page is read again at once: the new link is among its links, and the old one
        // only where a value cut at its space still gives it.
        EXPECT_GE(Page.Links.IndexOf(C.New), 0);
        EXPECT_EQ(Page.Links.IndexOf(C.Link) >= 0, !C.Modern);
    }
}

TEST_F(StringReplacement, APageLeftAsItWasIsNotWrittenAndTheMessageSaysWhy) {
    struct TCase {
        std::string Page, Link, New, Message;
        TMessageKind Kind;
    };
    const TCase Cases[] = {
        {"<p>b.htm <!-- <a href=b.htm> --><a href=\"b.htm#x\">", "b.htm", "b.html", NoPlace,
         TMessageKind::mkInformation},
        {"<a href=b.htm>", "b.htm", "my page.html",
         "置換後の文字列「my page.html」は、リンクの属性値にそのままでは書けません。\r\n"
         "ファイルは変更していません",
         TMessageKind::mkError},
        {"<a href='b.htm'>", "b.htm", "it's.html",
         "置換後の文字列「it's.html」は、リンクの属性値にそのままでは書けません。\r\n"
         "ファイルは変更していません",
         TMessageKind::mkError},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Page + " " + C.New);
        const std::string Path = Dir.Write("page.html", C.Page);
        const TStamp Before = StampOf(Path);
        TFileObject& Page = Checked("page.html");
        EXPECT_EQ(ReplaceLinks(T.Run, {{&Page, C.Link, C.New}}), 0);
        EXPECT_EQ(StampOf(Path), Before); // not even written anew
        ASSERT_EQ(T.Host.Messages.size(), 1u);
        EXPECT_EQ(T.Host.Messages[0].Kind, C.Kind);
        EXPECT_EQ(T.Host.Messages[0].Text, C.Message);
        EXPECT_TRUE(T.Run.UndoSteps.empty());
    }
}

TEST_F(StringReplacement, AFileThatCannotBeWrittenStaysByteIdenticalAndTheMessageSaysWhy) {
    const std::string Content = "<a href=a.html>";
    const std::string Full = Dir.Write("full.html", Content);
    TFileObject& Page = Checked("full.html");
    TFullDisk FullDisk;
    T.Run.FileSystem = &FullDisk;
    EXPECT_EQ(ReplaceLinks(T.Run, {{&Page, "a.html", "b.html"}}), 0);
    EXPECT_EQ(ReadWholeFile(Full), Content);
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Kind, TMessageKind::mkWarning);
    EXPECT_EQ(T.Host.Messages[0].Text,
              "ファイルへの書き込み時にエラーが置きました。\r\nディスクに空きがありません");
}

// The messages of a replacement run by the unprivileged "nobody" in a child process.
std::vector<std::string> ReplaceAsUnprivilegedUser(const std::string& Folder,
                                                   const std::string& Relative) {
    int Pipe[2];
    if (::pipe(Pipe) != 0) return {"no pipe"};
    const pid_t Child = ::fork();
    if (Child == 0) {
        ::close(Pipe[0]);
        if (::geteuid() == 0) {
            const passwd* Nobody = ::getpwnam("nobody");
            if (!Nobody || ::setgroups(0, nullptr) != 0 || ::setgid(Nobody->pw_gid) != 0 ||
                ::setuid(Nobody->pw_uid) != 0)
                ::_exit(2);
        }
        TTestRun T;
        CheckFolder(T.Run, Folder, false);
        T.Host.Messages.clear();
        TFileObject* Page = T.Run.FileObjects.FindByPath(Folder + Relative, false);
        if (!Page) ::_exit(3);
        ReplaceLinks(T.Run, {{Page, "a.html", "b.html"}});
        for (const auto& M : T.Host.Messages)
            (void)!::write(Pipe[1], M.Text.c_str(), M.Text.size() + 1);
        ::_exit(0);
    }
    ::close(Pipe[1]);
    std::string Output;
    char Buffer[256];
    for (ssize_t N; (N = ::read(Pipe[0], Buffer, sizeof Buffer)) > 0;)
        Output.append(Buffer, static_cast<size_t>(N));
    ::close(Pipe[0]);
    int Status = 0;
    ::waitpid(Child, &Status, 0);
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0) << "the child could not run";
    std::vector<std::string> Messages;
    for (size_t Start = 0, End; (End = Output.find('\0', Start)) != std::string::npos;
         Start = End + 1)
        Messages.push_back(Output.substr(Start, End - Start));
    return Messages;
}

TEST_F(StringReplacement, ThePermissionsOfTheUserDecideNotTheOwnersWriteBit) {
    ::chmod(Dir.Path().c_str(), 0777);
    const std::string Content = "<a href=a.html>";
    // Not the user's and not writable for others, in a folder anyone may write to.
    const std::string Foreign = Dir.Write("foreign.html", Content);
    ::chmod(Foreign.c_str(), 0644);
    EXPECT_EQ(ReplaceAsUnprivilegedUser(Dir.Path(), "foreign.html"),
              std::vector<std::string>{Unwritable});
    EXPECT_EQ(ReadWholeFile(Foreign), Content);
    // Writable for the user, in a folder nobody may write to.
    const std::string Locked = Dir.MakeDir("locked");
    const std::string InLocked = Dir.Write("locked/page.html", Content);
    ::chmod(InLocked.c_str(), 0666);
    ::chmod(Locked.c_str(), 0555);
    EXPECT_EQ(ReplaceAsUnprivilegedUser(Dir.Path(), "locked/page.html"),
              std::vector<std::string>{Unwritable});
    EXPECT_EQ(ReadWholeFile(InLocked), Content);
    ::chmod(Locked.c_str(), 0755);
}

TEST_F(StringReplacement, UndoRestoresEveryPageThatNobodyChangedSince) {
    const std::string Old = "<a href=\"old.html\"><p>old.html";
    for (const char* Name : {"a.html", "b.html", "c.html"})
        Dir.Write(Name, Old);
    Checked("a.html");
    std::vector<TLinkFix> Fixes;
    for (const char* Name : {"a.html", "b.html", "c.html"})
        Fixes.push_back(
            {T.Run.FileObjects.FindByPath(Dir.Path() + Name, false), "old.html", "new.html"});
    EXPECT_EQ(ReplaceLinks(T.Run, Fixes), 3);
    EXPECT_EQ(T.Host.Messages.back().Text, "3 個のファイルの 3 か所を置換しました");
    const std::string Fixed = "<a href=\"new.html\"><p>old.html";
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "b.html"), Fixed);
    const std::string Edited = Dir.Write("b.html", Fixed + " edited");

    UndoLastStep(T.Run);
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "a.html"), Old);
    EXPECT_EQ(ReadWholeFile(Dir.Path() + "c.html"), Old);
    EXPECT_EQ(ReadWholeFile(Edited), Fixed + " edited");
    EXPECT_EQ(T.Host.Messages.back().Kind, TMessageKind::mkWarning);
    EXPECT_EQ(T.Host.Messages.back().Text, "2 個のファイルの置換を元に戻しました\r\n"
                                           "次のファイルは元に戻していません:\r\n"
                                           "b.html: 置換の後で変更されています");
    EXPECT_TRUE(T.Run.UndoSteps.empty());
    // The links follow: the restored pages link to old.html again.
    EXPECT_GE(T.Run.FileObjects.FindByPath(Dir.Path() + "a.html", false)
                  ->InvalidLinks.IndexOf("old.html"),
              0);
    const size_t Messages = T.Host.Messages.size();
    UndoLastStep(T.Run); // nothing left to undo
    EXPECT_EQ(T.Host.Messages.size(), Messages);
}

} // namespace
