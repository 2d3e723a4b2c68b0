#pragma once
// One line per event, written through at once so that a watching test sees
// it while the window is still open. Without a file nothing is written.
#include <cstdio>
#include <string>

class TEventLog {
public:
    explicit TEventLog(const std::string& fileName)
        : file_(fileName.empty() ? nullptr : std::fopen(fileName.c_str(), "wb")) {}
    ~TEventLog() {
        if (file_) std::fclose(file_);
    }
    TEventLog(const TEventLog&) = delete;
    TEventLog& operator=(const TEventLog&) = delete;

    void Write(const std::string& line) {
        if (!file_) return;
        std::fprintf(file_, "%s\n", line.c_str());
        std::fflush(file_);
    }

private:
    std::FILE* file_;
};
