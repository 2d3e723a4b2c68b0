#include "app/SetupValueBounds.h"

#include <algorithm>

#include "app/InstallScope.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsAtRootOrDrive(const std::string& value) {
    return (!value.empty() && IsSeparator(value[0])) || value.find(':') != std::string::npos;
}

// The deepest ".." climb of the path below its start: 0 when it never
// leaves it, 1 or more when it goes that many levels above.
int ClimbAbove(const std::string& value, bool& hasParentStep) {
    int depth = 0, lowest = 0;
    for (size_t start = 0; start <= value.size();) {
        size_t end = start;
        while (end < value.size() && !IsSeparator(value[end])) ++end;
        const std::string name = value.substr(start, end - start);
        if (name == "..") {
            hasParentStep = true;
            lowest = std::min(lowest, --depth);
        } else if (!name.empty() && name != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return -lowest;
}

constexpr const char* kOutsideFiles = " names a file outside the setup's files (a drive, a leading \"\\\" or \"..\")";
constexpr const char* kOutsidePrograms = " names a folder outside the Programs folder (a drive, a leading \"\\\" or \"..\")";

}  // namespace

std::string SetupValueOutsideItsPlace(const std::string& key, const std::string& value) {
    const bool addfile = key == "Addfile", folder = key == "Folder";
    if (!addfile && !folder) return {};
    bool hasParentStep = false;
    const int climb = ClimbAbove(value, hasParentStep);
    if (StartsAtRootOrDrive(value) || (addfile ? hasParentStep : climb > 0))
        return key + "=" + value + (addfile ? kOutsideFiles : kOutsidePrograms);
    return {};
}

std::string RefusedSetupValue(const std::string& key, const std::string& value) {
    if (key == "Scope" && !TInstallScope::Named(value))
        return key + "=" + value + " names no install scope (\"Machine\" or \"User\")";
    return SetupValueOutsideItsPlace(key, value);
}
