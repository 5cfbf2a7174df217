// The whole-file reader: its binary rule, NUL bytes, and what it does with files it cannot open.
#include "TestSupport.h"

#include "support/ReadFileAll.h"

#include <chrono>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orvel::test {
namespace {

using namespace std::string_literals;

// A text of Length bytes whose first Controls bytes are escape characters.
std::string WithControls(size_t Length, size_t Controls, char Control = '\x1B') {
    std::string Text(Length, 'x');
    for (size_t I = 0; I < Controls; ++I)
        Text[I] = Control;
    return Text;
}

// Text repeated up to Length bytes.
std::string Repeated(const std::string& Text, size_t Length) {
    std::string Result;
    while (Result.size() < Length)
        Result += Text;
    return Result.substr(0, Length);
}

struct TBinaryCase {
    const char* Name;
    std::string Content;
    bool Binary;
};

TEST(ReadFileAllTest, RefusesFilesWithTooManyControlBytesAmongTheFirst200) {
    std::string LateControls = WithControls(300, 20);
    for (size_t I = 200; I < 300; ++I)
        LateControls[I] = '\x01';
    std::string Spread(300, 'x');
    for (size_t I = 0; I < 21; ++I)
        Spread[I * 9] = char(16 + I % 16); // 0, 9, ..., 180: all among the first 200
    const TBinaryCase Cases[] = {
        {"300 bytes, 20 control bytes", WithControls(300, 20), false},
        {"300 bytes, 21 control bytes", WithControls(300, 21), true},
        {"300 bytes, 21 spread control bytes", Spread, true},
        {"control bytes after the first 200 do not count", LateControls, false},
        {"5 bytes, 1 escape", WithControls(5, 1), true},
        {"10 bytes, 1 escape", WithControls(10, 1), false},
        {"10 bytes, 2 escapes", WithControls(10, 2), true},
        {"9 bytes, 1 escape", WithControls(9, 1), true},
        {"50 bytes, 5 escapes", WithControls(50, 5), false},
        {"50 bytes, 6 escapes", WithControls(50, 6), true},
        {"line breaks, tabs and shift codes", Repeated("\t\n\v\f\r\x0E\x0F", 210), false},
        {"bytes from 128 up", "\x82\xA0\x82\xA2\xE3\x81\x82\xFF\x80\x7F", false},
        {"1 byte, NUL", "\0"s, false},
    };
    for (const TBinaryCase& C : Cases) {
        TTempDir Temp;
        const std::string Path = Temp.Write("f.txt", C.Content);
        TRecordingHost Host;
        if (C.Binary) {
            try {
                ReadFileAll(Path, Host);
                ADD_FAILURE() << C.Name << ": read as text";
            } catch (const ENotTextFileError& E) {
                EXPECT_STREQ(E.what(), "it is binary file") << C.Name;
            }
        } else {
            EXPECT_EQ(ReadFileAll(Path, Host).size(), C.Content.size()) << C.Name;
        }
        EXPECT_TRUE(Host.Messages.empty()) << C.Name;
    }
}

TEST(ReadFileAllTest, EachByteValueCountsOrNotAsAControlByte) {
    // A file of five bytes is refused as soon as one of them is a control byte.
    struct TCase {
        unsigned char Byte;
        bool Control;
    };
    const TCase Cases[] = {
        {0, false}, // NUL is read as a space
        {1, true},   {8, true},    {9, false},   {10, false},   {11, false},  {12, false},
        {13, false}, {14, false},  {15, false},  {16, true},    {27, true},   {31, true},
        {32, false}, {127, false}, {128, false}, {0x82, false}, {255, false},
    };
    for (const TCase& C : Cases) {
        TTempDir Temp;
        const std::string Path = Temp.Write("f.txt", "abcd" + std::string(1, char(C.Byte)));
        TRecordingHost Host;
        if (C.Control)
            EXPECT_THROW(ReadFileAll(Path, Host), ENotTextFileError) << int(C.Byte);
        else
            EXPECT_NO_THROW(ReadFileAll(Path, Host)) << int(C.Byte);
    }
}

TEST(ReadFileAllTest, ReturnsEveryByteWithNulBytesAsSpaces) {
    TTempDir Temp;
    const std::string Content = "<a href=\"x\0y.htm\">\r\n\0\0\x82\xA0</a>\n"s;
    const std::string Path = Temp.Write("page.htm", Content);
    TRecordingHost Host;
    EXPECT_EQ(ReadFileAll(Path, Host), "<a href=\"x y.htm\">\r\n  \x82\xA0</a>\n"s);
}

TEST(ReadFileAllTest, ManyNulBytesAreTextOfTheSameLength) {
    TTempDir Temp;
    const std::string Path = Temp.Write("zeros.txt", std::string(1000, '\0'));
    TRecordingHost Host;
    EXPECT_EQ(ReadFileAll(Path, Host), std::string(1000, ' '));
}

TEST(ReadFileAllTest, ReadsLargeFilesWhole) {
    TTempDir Temp;
    std::string Content;
    for (int I = 0; Content.size() < 300000; ++I)
        Content += "<p>line " + std::to_string(I) + "</p>\n";
    const std::string Path = Temp.Write("big.htm", Content);
    TRecordingHost Host;
    EXPECT_EQ(ReadFileAll(Path, Host), Content);
}

TEST(ReadFileAllTest, EmptyFileIsAnEmptyText) {
    TTempDir Temp;
    const std::string Path = Temp.Write("empty.htm", "");
    TRecordingHost Host;
    EXPECT_EQ(ReadFileAll(Path, Host), "");
    EXPECT_TRUE(Host.Messages.empty());
}

TEST(ReadFileAllTest, FollowsSymbolicLinksToFiles) {
    TTempDir Temp;
    const std::string Target = Temp.Write("real.htm", "<p>real</p>");
    const std::string Link = Temp.Path() + "link.htm";
    ASSERT_EQ(::symlink(Target.c_str(), Link.c_str()), 0);
    TRecordingHost Host;
    EXPECT_EQ(ReadFileAll(Link, Host), "<p>real</p>");
}

// Expects the reader to show the cannot-open box for the path and then throw the I/O error.
void ExpectCannotOpen(const std::string& Path) {
    TRecordingHost Host;
    try {
        ReadFileAll(Path, Host);
        ADD_FAILURE() << Path << ": was read";
    } catch (const EInOutError& E) {
        EXPECT_NE(std::string(E.what()).find(Path), std::string::npos) << E.what();
    }
    ASSERT_EQ(Host.Messages.size(), 1u) << Path;
    EXPECT_EQ(Host.Messages[0].Kind, TMessageKind::mkError);
    EXPECT_EQ(Host.Messages[0].Text, "ファイルをオープンできません\r\n" + Path);
}

TEST(ReadFileAllTest, MissingFileShowsTheMessageAndThrows) {
    TTempDir Temp;
    ExpectCannotOpen(Temp.Path() + "missing.htm");
}

TEST(ReadFileAllTest, FolderCannotBeOpened) {
    TTempDir Temp;
    ExpectCannotOpen(Temp.MakeDir("sub.htm"));
}

TEST(ReadFileAllTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    TTempDir Temp;
    const std::string Path = Temp.Write("secret.htm", "x");
    ASSERT_EQ(::chmod(Path.c_str(), 0), 0);
    ExpectCannotOpen(Path);
}

TEST(ReadFileAllTest, FifoIsRefusedWithoutWaitingForAWriter) {
    TTempDir Temp;
    const std::string Path = Temp.Path() + "pipe.htm";
    ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0);
    auto Reading = std::async(std::launch::async, [&] { ExpectCannotOpen(Path); });
    if (Reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Release the blocked reader with a writer that leaves at once, so the test can end.
        const int Writer = ::open(Path.c_str(), O_WRONLY | O_NONBLOCK);
        if (Writer >= 0) ::close(Writer);
        ADD_FAILURE() << "the reader waited for a writer on a FIFO";
    }
    Reading.get();
}

} // namespace
} // namespace orvel::test
