#include "platform/ProgramArguments.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Takes the backslashes at `at` and what they escape into `argument`;
// returns whether a quotation mark after them opens or closes quoting.
bool TakeBackslashes(const std::string& line, size_t& at, std::string& argument) {
    size_t count = 0;
    while (at < line.size() && line[at] == '\\') ++count, ++at;
    const bool beforeMark = at < line.size() && line[at] == '"';
    if (!beforeMark) {
        argument.append(count, '\\');
        return false;
    }
    argument.append(count / 2, '\\');
    if (count % 2 == 1) {
        argument += '"';
        ++at;
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> arguments;
    size_t at = 0;
    for (;;) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at >= line.size()) return arguments;
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsBlank(line[at]))) {
            if (line[at] == '\\' && !TakeBackslashes(line, at, argument)) continue;
            if (line[at] != '"') {
                argument += line[at++];
            } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                argument += '"';  // "" inside quotation marks
                at += 2;
            } else {
                quoted = !quoted;
                ++at;
            }
        }
        arguments.push_back(std::move(argument));
    }
}

std::string ArgumentsAfterProgramName(const std::string& line) {
    size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        at = line.find('"', 1);
        at = at == std::string::npos ? line.size() : at + 1;
    }
    while (at < line.size() && !IsBlank(line[at])) ++at;
    return line.substr(at);
}

}  // namespace platform
