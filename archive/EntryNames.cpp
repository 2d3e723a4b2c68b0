#include "archive/EntryNames.h"

#include <algorithm>
#include <vector>

#include "platform/Text.h"

namespace {

bool HasForbiddenCharacter(const std::string& text, const char* forbidden) {
    for (char c : text)
        if (c == '\0' || std::string(forbidden).find(c) != std::string::npos) return true;
    return false;
}

// Windows drops trailing dots and blanks from a path component, so ". ." or
// "..." can stand for a parent folder; any dots-and-blanks component with a dot is refused.
bool IsDotsOnly(const std::string& component) {
    bool anyDot = false;
    for (char c : component) {
        if (c != '.' && c != ' ') return false;
        anyDot |= c == '.';
    }
    return anyDot;
}

// The parts of a folder path between its separators, empty ones included.
std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = path.find_first_of("\\/", start)) != std::string::npos; start = end + 1)
        parts.push_back(path.substr(start, end - start));
    parts.push_back(path.substr(start));
    return parts;
}

bool NamesDevice(const TArchiveEntry& entry, bool withPath) {
    if (IsDeviceName(entry.FileName)) return true;
    if (!withPath) return false;
    const std::vector<std::string> parts = Components(entry.FilePath);
    return std::any_of(parts.begin(), parts.end(), IsDeviceName);
}

}  // namespace

bool IsDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();  // Windows drops them before it looks
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
    // The digits 1 to 9, and the superscripts one, two and three.
    const std::string digit = stem.substr(3);
    return (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') || digit == "¹" || digit == "²" || digit == "³";
}

bool IsSafeFileName(const std::string& name) {
    if (name.empty() || HasForbiddenCharacter(name, "\\/:")) return false;
    return !IsDotsOnly(name) && !IsDeviceName(name);
}

bool IsSafeRelativePath(const std::string& path) {
    if (path.empty()) return true;
    if (path[0] == '\\' || path[0] == '/' || HasForbiddenCharacter(path, ":")) return false;
    for (const std::string& component : Components(path))
        if ((IsDotsOnly(component) && component != ".") || IsDeviceName(component)) return false;
    return true;
}

bool IsSafeEntry(const TArchiveEntry& entry, bool withPath) {
    return IsSafeFileName(entry.FileName) && (!withPath || IsSafeRelativePath(entry.FilePath));
}

std::string UnsafeEntryMessage(int index, const TArchiveEntry& entry, bool withPath) {
    const std::string name =
        withPath && !entry.FilePath.empty() ? entry.FilePath + "\\" + entry.FileName : entry.FileName;
    if (NamesDevice(entry, withPath))
        return Format("File (%d) has a name that Windows reserves for a device (%s)", index, name.c_str());
    return Format("File (%d) would be written outside the destination folder (%s)", index, name.c_str());
}
