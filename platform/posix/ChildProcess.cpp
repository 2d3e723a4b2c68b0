#include "platform/ChildProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

// Both ends of a pipe, closed when they go out of scope.
struct TPipe {
    int Ends[2] = {-1, -1};
    ~TPipe() {
        for (const int end : Ends)
            if (end >= 0) ::close(end);
    }
    void CloseEnd(int which) {
        ::close(Ends[which]);
        Ends[which] = -1;
    }
};

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
        if (n > 0) text.append(buffer, static_cast<size_t>(n));
        else if (errno != EINTR) break;
    }
    return text;
}

}  // namespace

std::optional<TChildResult> RunChildProcess(const std::vector<std::string>& commandLine) {
    if (commandLine.empty()) return std::nullopt;
    TPipe pipe;
    if (::pipe2(pipe.Ends, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe.Ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipe.Ends[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : commandLine) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return std::nullopt;
    pipe.CloseEnd(1);
    TChildResult result;
    result.Output = ReadAll(pipe.Ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace platform
