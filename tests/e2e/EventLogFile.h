#pragma once
// The event log a running program writes line by line, read back while it runs.
#include <chrono>
#include <string>
#include <vector>

class EventLogFile {
public:
    explicit EventLogFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // The complete lines written so far (a line still being written is left out).
    std::vector<std::string> Lines() const;
    // How often the line was written so far.
    int Count(const std::string& line) const;
    // Waits until the line has been written at least `times` times.
    bool WaitFor(const std::string& line, std::chrono::milliseconds timeout, int times = 1) const;
    // The whole log as one text, for failure messages.
    std::string Text() const;

private:
    std::string path_;
};
