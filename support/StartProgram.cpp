#include "support/StartProgram.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
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

// The file that runs for Program: itself when it names a path, else the first match in PATH.
std::string ResolveProgram(const std::string& Program) {
    if (Program.find('/') != std::string::npos) return Program;
    const char* Path = std::getenv("PATH");
    const std::string Folders = Path ? Path : "/usr/local/bin:/usr/bin:/bin";
    for (size_t Start = 0; Start <= Folders.size();) {
        size_t End = Folders.find(':', Start);
        if (End == std::string::npos) End = Folders.size();
        const std::string Folder = End > Start ? Folders.substr(Start, End - Start) : ".";
        std::string Candidate = Folder + "/" + Program;
        if (IsExecutableFile(Candidate)) return Candidate;
        Start = End + 1;
    }
    return {};
}

} // namespace

bool StartDetached(const std::string& Program, const std::vector<std::string>& Arguments) {
    if (Program.empty() || Program.find('\0') != std::string::npos) return false;
    const std::string File = ResolveProgram(Program);
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

} // namespace orvel
