// Replacing a text throughout a file: every occurrence on the file's real bytes, and a file
// that cannot be read or written left exactly as it was.
#include "TestSupport.h"

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

const std::string Done = "置換が完了しました";
const std::string Warning =
    "ファイルへの書き込み時にエラーが置きました。\r\nファイルが読み取り専用の可能性があります";

mode_t ModeOf(const std::string& Path) {
    struct stat St;
    return ::stat(Path.c_str(), &St) == 0 ? St.st_mode & 07777 : 0;
}

// A disk that is full.
class TFullDisk : public TFileSystem {
public:
    void SaveFile(const std::string& Path, std::string_view) const override {
        throw ESaveError(Path, "No space left on device");
    }
};

// The messages of a replacement run by a user who may not write into the file's folder: the
// unprivileged "nobody" in a child process when the tests run as root.
std::vector<std::string> ReplaceAsUnprivilegedUser(const std::string& Path) {
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
        ReplaceStringInFile(T.Run, Path, {}, "a.html", "b.html");
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

class StringReplacement : public ::testing::Test {
protected:
    TTempDir Dir;
    TTestRun T;
};

TEST_F(StringReplacement, EveryOccurrenceIsReplacedInTheFilesRealBytes) {
    using namespace std::string_literals;
    struct TCase {
        std::string Content, Old, New, Expected;
    };
    const TCase Cases[] = {
        {"<a href=\"a.html\">a.html</a><!-- a.html -->", "a.html", "b.html",
         "<a href=\"b.html\">b.html</a><!-- b.html -->"}, // in a tag, in text, in a comment
        {"x.gif, x.gif.", "x.gif", "", ", ."},
        {"ab ab\r\nab", "ab", "abcdef", "abcdef abcdef\r\nabcdef"},
        {"aaa", "aa", "ba", "bba"}, // the search goes on inside a replacement of equal length
        {"x\0<a href=b.html>\0\0y"s, "b.html", "c.html", "x\0<a href=c.html>\0\0y"s},
        {"\0a.html\0"s, "a.html", "a.html", "\0a.html\0"s}, // by itself: byte-identical
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Content + " " + C.Old + " to " + C.New);
        T.Host.Messages.clear();
        T.Host.Beeps.clear();
        const std::string Path = Dir.Write("page.html", C.Content);
        ::chmod(Path.c_str(), 0640);
        EXPECT_TRUE(ReplaceStringInFile(T.Run, Path, TCharset::Utf8(), C.Old, C.New));
        EXPECT_EQ(ReadWholeFile(Path), C.Expected);
        EXPECT_EQ(ModeOf(Path), 0640u);
        EXPECT_EQ(T.Host.Beeps, std::vector<TBeepKind>{TBeepKind::bkInformation});
        ASSERT_EQ(T.Host.Messages.size(), 1u);
        EXPECT_EQ(T.Host.Messages[0].Kind, TMessageKind::mkInformation);
        EXPECT_EQ(T.Host.Messages[0].Text, Done);
    }
}

TEST_F(StringReplacement, AFileThatCannotBeWrittenStaysByteIdenticalWithAWarning) {
    const std::string Content = "<a href=a.html>";
    const std::string ReadOnly = Dir.Write("read-only.html", Content);
    ::chmod(ReadOnly.c_str(), 0444);
    EXPECT_FALSE(ReplaceStringInFile(T.Run, ReadOnly, {}, "a.html", "b.html"));

    const std::string Full = Dir.Write("full.html", Content);
    TFullDisk FullDisk;
    T.Run.FileSystem = &FullDisk;
    EXPECT_FALSE(ReplaceStringInFile(T.Run, Full, {}, "a.html", "b.html"));
    for (const std::string& Path : {ReadOnly, Full})
        EXPECT_EQ(ReadWholeFile(Path), Content) << Path;
    ASSERT_EQ(T.Host.Messages.size(), 2u);
    for (const auto& M : T.Host.Messages) {
        EXPECT_EQ(M.Kind, TMessageKind::mkWarning);
        EXPECT_EQ(M.Text, Warning);
    }
    EXPECT_TRUE(T.Host.Beeps.empty());

    // A real folder without write permission, for a user the system holds to it.
    ::chmod(Dir.Path().c_str(), 0755);
    const std::string Locked = Dir.MakeDir("locked");
    const std::string InLocked = Dir.Write("locked/page.html", Content);
    ::chmod(InLocked.c_str(), 0666);
    ::chmod(Locked.c_str(), 0555);
    EXPECT_EQ(ReplaceAsUnprivilegedUser(InLocked), std::vector<std::string>{Warning});
    EXPECT_EQ(ReadWholeFile(InLocked), Content);
    ::chmod(Locked.c_str(), 0755);
}

TEST_F(StringReplacement, AFileDeletedSinceTheCheckGivesTheReadersMessageAndStaysGone) {
    const std::string Path = Dir.Path() + "gone.html";
    EXPECT_FALSE(ReplaceStringInFile(T.Run, Path, {}, "a.html", "b.html"));
    ASSERT_EQ(T.Host.Messages.size(), 1u);
    EXPECT_EQ(T.Host.Messages[0].Text, "ファイルをオープンできません\r\n" + Path);
    EXPECT_FALSE(FileExists(Path));
}

} // namespace
