#include "platform/FullPath.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

constexpr DWORD kLongestPath = 32768;

}  // namespace

// Short names are made long in the part of the path that exists, found by
// cutting folders off its end; the rest, still to be made, stays as written.
std::string FullLongPath(const std::string& path) {
    if (path.empty()) return {};
    std::wstring full(kLongestPath, L'\0'), longNames(kLongestPath, L'\0');
    const DWORD length = GetFullPathNameW(Wide(path).c_str(), kLongestPath, full.data(), nullptr);
    if (length == 0 || length >= kLongestPath) return {};
    for (DWORD cut = length; cut > 0;) {
        const wchar_t kept = full[cut];
        full[cut] = L'\0';
        const DWORD made = GetLongPathNameW(full.c_str(), longNames.data(), kLongestPath);
        full[cut] = kept;
        if (made > 0 && made < kLongestPath) return Utf8Of(longNames.c_str(), made) + Utf8Of(full.c_str() + cut, length - cut);
        do --cut;
        while (cut > 0 && full[cut] != L'\\');
    }
    return Utf8Of(full.c_str(), length);
}

}  // namespace platform
