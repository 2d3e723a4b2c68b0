#include "tests/e2e/BackgroundProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "tests/e2e/Poll.h"

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& arguments, const std::string& outputFile) {
    if (arguments.empty()) throw std::runtime_error("no program to start");
    // Processes whose parent ends before them (Wine's helpers) are handed to
    // this process instead of to init, so they can be collected here.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start " + arguments[0]);
    if (pid == 0) {
        setpgid(0, 0);
        const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
            close(output);
        }
        const int input = open("/dev/null", O_RDONLY);
        if (input >= 0) dup2(input, STDIN_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    // Set here too, so the group exists before the child gets to run.
    setpgid(pid, pid);
    pid_ = pid;
}

BackgroundProgram::~BackgroundProgram() { Stop(); }

void BackgroundProgram::Reap(bool block) {
    if (exited_) return;
    int status = 0;
    const pid_t done = waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (done == pid_ || (done < 0 && errno == ECHILD)) {
        exited_ = true;
        if (done == pid_ && WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
        if (done == pid_ && WIFSIGNALED(status)) signal_ = WTERMSIG(status);
    }
}

std::string BackgroundProgram::HowItEnded() {
    if (Running()) return "still running";
    if (exitCode_) return "exit code " + std::to_string(*exitCode_);
    return signal_ ? "signal " + std::to_string(*signal_) : "ended, collected elsewhere";
}

bool BackgroundProgram::Running() {
    Reap(false);
    return !exited_;
}

std::optional<int> BackgroundProgram::WaitForExit(std::chrono::milliseconds timeout) {
    if (!WaitUntil([this] { return !Running(); }, timeout)) return std::nullopt;
    return exitCode_;
}

void BackgroundProgram::Kill() {
    if (pid_ >= 0) kill(-pid_, SIGKILL);
    Stop();
}

void BackgroundProgram::Stop() {
    if (pid_ < 0) return;
    // Collects every ended member of the group; true once none is left.
    auto groupGone = [this] {
        for (;;) {
            int status = 0;
            const pid_t done = waitpid(-pid_, &status, WNOHANG);
            if (done == pid_) {
                exited_ = true;
                if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
            }
            if (done > 0) continue;
            return done < 0 && errno == ECHILD;
        }
    };
    if (!groupGone()) {
        kill(-pid_, SIGTERM);
        if (!WaitUntil(groupGone, 5s)) {
            kill(-pid_, SIGKILL);
            WaitUntil(groupGone, 5s);
        }
    }
    exited_ = true;
    // Helpers that left the group (Wine's server) and ended meanwhile.
    int status = 0;
    while (waitpid(-1, &status, WNOHANG) > 0) {
    }
    pid_ = -1;
}
