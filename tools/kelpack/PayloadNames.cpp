#include "tools/kelpack/PayloadNames.h"

#include <algorithm>
#include <string_view>

#include "platform/Text.h"

namespace {

std::string WithBackslashes(std::string name) {
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

}  // namespace

bool SameFileName(const std::string& a, const std::string& b) { return SameText(WithBackslashes(a), WithBackslashes(b)); }

std::string FileNameKey(const std::string& name) { return UpperCaseText(WithBackslashes(name)); }

bool IsUnfitFileName(const std::string& name) {
    if (name.empty() || name.back() == ' ' || name.back() == '.') return true;
    return std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
}

std::string DeviceNameProblem(const std::string& path) {
    return path + ": Windows reserves this name for a device; rename it";
}

std::string OverlongNameProblem(const std::string& path) {
    return path + ": the name or its folder is longer than the 255 bytes an archive holds; shorten it";
}
