#pragma once
// A program started in the background in a process group of its own, so
// that it and everything it starts can be ended together.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class BackgroundProgram {
public:
    // Starts arguments[0] (looked up in PATH) with its standard output and
    // error going to outputFile. Throws std::runtime_error when it cannot.
    BackgroundProgram(const std::vector<std::string>& arguments, const std::string& outputFile);
    // Ends the whole group if it still runs.
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    // Whether the started program itself still runs.
    bool Running();
    // Waits for the started program to end on its own; its exit code, or
    // nothing when it still runs at the timeout (or was ended by a signal).
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Ends every process of the group (TERM, then KILL after a grace time)
    // and collects them.
    void Stop();
    // Ends every process of the group at once with SIGKILL, as a crash or a
    // power cut would, and collects them.
    void Kill();
    // "exit code N", "signal N" or "still running", for failure messages.
    std::string HowItEnded();

private:
    void Reap(bool block);

    pid_t pid_ = -1;  // the started program, also the id of its group
    bool exited_ = false;
    std::optional<int> exitCode_;
    std::optional<int> signal_;  // the signal that ended it
};
