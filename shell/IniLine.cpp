#include "shell/IniLine.h"

std::string IniKeyOf(const std::string& line) {
    const size_t at = line.find('=');
    return at == std::string::npos ? std::string() : line.substr(0, at);
}

std::string IniValueOf(const std::string& line) {
    const size_t at = line.find('=');
    return at == std::string::npos ? line : line.substr(at + 1);
}
