// measure COMMAND [ARGS...]: runs a command with its output discarded and prints its wall
// time, its peak resident memory and its exit status, one "key value" pair a line.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: measure COMMAND [ARGS...]\n");
        return 2;
    }
    const auto Start = std::chrono::steady_clock::now();
    const pid_t Pid = ::fork();
    if (Pid == 0) {
        const int Null = ::open("/dev/null", O_WRONLY);
        ::dup2(Null, 1);
        ::execvp(argv[1], argv + 1);
        ::_exit(127);
    }
    int Status = 0;
    struct rusage Usage {};
    ::wait4(Pid, &Status, 0, &Usage);
    const double Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::printf("wall %.3f\npeak_rss_kb %ld\nstatus %d\n", Seconds, Usage.ru_maxrss,
                WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status));
    return 0;
}
