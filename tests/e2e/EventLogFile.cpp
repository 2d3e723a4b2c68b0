#include "tests/e2e/EventLogFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/e2e/Poll.h"

std::string EventLogFile::Text() const {
    std::ifstream file(path_, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> EventLogFile::Lines() const {
    const std::string text = Text();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

int EventLogFile::Count(const std::string& line) const {
    const std::vector<std::string> lines = Lines();
    return int(std::count(lines.begin(), lines.end(), line));
}

bool EventLogFile::WaitFor(const std::string& line, std::chrono::milliseconds timeout, int times) const {
    return WaitUntil([&] { return Count(line) >= times; }, timeout);
}
