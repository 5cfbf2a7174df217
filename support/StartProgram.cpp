#include "support/StartProgram.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvel {

namespace {

bool IsExecutableFile(const std::string& Path) {
    struct stat St;
    return ::stat(Path.c_str(), &St) == 0 && S_ISREG(St.st_mode) &&
           ::access(Path.c_str(), X_OK) == 0;
}

std::string PathVariable() {
    const char* Path = std::getenv("PATH");
    return Path ? Path : "/usr/local/bin:/usr/bin:/bin";
}

} // namespace

std::string FindProgram(const std::string& Program, const std::string& SearchPath) {
    if (Program.find('/') != std::string::npos) return Program;
    for (size_t Start = 0; Start <= SearchPath.size();) {
        size_t End = SearchPath.find(':', Start);
        if (End == std::string::npos) End = SearchPath.size();
        const std::string Folder = End > Start ? SearchPath.substr(Start, End - Start) : ".";
        std::string Candidate = Folder + "/" + Program;
        if (IsExecutableFile(Candidate)) return Candidate;
        Start = End + 1;
    }
    return {};
}

bool StartDetached(const std::string& Program, const std::vector<std::string>& Arguments) {
    if (Program.empty() || Program.find('\0') != std::string::npos) return false;
    const std::string File = FindProgram(Program, PathVariable());
    if (File.empty()) return false;
    // Everything the children need is built before forking: after fork only calls that are safe
    // in a copy of a process with threads are made.
    std::vector<char*> Argv;
    Argv.push_back(const_cast<char*>(Program.c_str()));
    for (const std::string& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);

    int Pipe[2]; // the grandchild writes errno here when exec fails; closed by a successful exec
    if (::pipe2(Pipe, O_CLOEXEC) != 0) return false;
    const pid_t Child = ::fork();
    if (Child < 0) {
        ::close(Pipe[0]);
        ::close(Pipe[1]);
        return false;
    }
    if (Child == 0) {
        // The program gets a session of its own and is adopted by init once this child ends.
        ::setsid();
        const pid_t Grandchild = ::fork();
        if (Grandchild == 0) {
            sigset_t None;
            sigemptyset(&None);
            sigprocmask(SIG_SETMASK, &None, nullptr);
            ::execve(File.c_str(), Argv.data(), environ);
            const int Error = errno;
            (void)!::write(Pipe[1], &Error, sizeof Error);
            ::_exit(127);
        }
        ::_exit(Grandchild < 0 ? 1 : 0);
    }
    ::close(Pipe[1]);
    int Status = 0;
    while (::waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
    }
    const bool Forked = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
    int Error = 0;
    ssize_t N;
    while ((N = ::read(Pipe[0], &Error, sizeof Error)) < 0 && errno == EINTR) {
    }
    ::close(Pipe[0]);
    return Forked && N == 0; // end of file without an errno: the exec succeeded
}

std::optional<std::string> ReadProgramOutput(const std::string& Program,
                                             const std::vector<std::string>& Arguments,
                                             std::chrono::milliseconds Timeout) {
    const std::string File = FindProgram(Program, PathVariable());
    if (File.empty()) return std::nullopt;
    std::vector<char*> Argv;
    Argv.push_back(const_cast<char*>(Program.c_str()));
    for (const std::string& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);
    int Pipe[2];
    if (::pipe2(Pipe, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
    posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t Child;
    const int Spawned =
        ::posix_spawn(&Child, File.c_str(), &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    ::close(Pipe[1]);
    if (Spawned != 0) {
        ::close(Pipe[0]);
        return std::nullopt;
    }
    std::string Output;
    bool TimedOut = false;
    const auto Deadline = std::chrono::steady_clock::now() + Timeout;
    for (;;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(
            Deadline - std::chrono::steady_clock::now());
        pollfd Wait{Pipe[0], POLLIN, 0};
        const int Ready = Left.count() > 0 ? ::poll(&Wait, 1, static_cast<int>(Left.count())) : 0;
        if (Ready < 0 && errno == EINTR) continue;
        if (Ready <= 0) {
            TimedOut = true;
            break;
        }
        char Buffer[4096];
        const ssize_t N = ::read(Pipe[0], Buffer, sizeof Buffer);
        if (N < 0 && errno == EINTR) continue;
        if (N <= 0) break;
        Output.append(Buffer, static_cast<size_t>(N));
    }
    ::close(Pipe[0]);
    if (TimedOut) ::kill(Child, SIGKILL);
    int Status = 0;
    while (::waitpid(Child, &Status, 0) < 0 && errno == EINTR) {
    }
    if (TimedOut || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0) return std::nullopt;
    return Output;
}

} // namespace orvel
