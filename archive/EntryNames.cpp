#include "archive/EntryNames.h"

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

}  // namespace

bool IsSafeFileName(const std::string& name) {
    if (name.empty() || HasForbiddenCharacter(name, "\\/:")) return false;
    return !IsDotsOnly(name);
}

bool IsSafeRelativePath(const std::string& path) {
    if (path.empty()) return true;
    if (path[0] == '\\' || path[0] == '/' || HasForbiddenCharacter(path, ":")) return false;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = path.find_first_of("\\/", start);
        const std::string component = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (IsDotsOnly(component) && component != ".") return false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return true;
}

bool IsSafeEntry(const TArchiveEntry& entry, bool withPath) {
    return IsSafeFileName(entry.FileName) && (!withPath || IsSafeRelativePath(entry.FilePath));
}

std::string UnsafeEntryMessage(int index, const TArchiveEntry& entry, bool withPath) {
    const std::string name =
        withPath && !entry.FilePath.empty() ? entry.FilePath + "\\" + entry.FileName : entry.FileName;
    return Format("File (%d) would be written outside the destination folder (%s)", index, name.c_str());
}
