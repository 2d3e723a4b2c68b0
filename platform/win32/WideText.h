#pragma once
// The program holds text as UTF-8; Windows takes and gives UTF-16. These
// convert at the edge, in the calls to the W functions.
#include <windows.h>

#include <string>

namespace platform {

std::wstring Wide(const std::string& utf8);
std::string Utf8Of(const wchar_t* text, size_t length);
std::string Utf8Of(const std::wstring& text);
std::string Utf8Of(const wchar_t* text);  // up to its terminating null; empty for null

// A path for the file functions: as it stands when short, and in the
// long-path form ("\\?\C:\..." or "\\?\UNC\server\...") when it is as long as
// MAX_PATH allows or longer, so that paths of up to 32,767 characters work.
std::wstring FilePath(const std::string& path);
// The full path in the system's own namespace: "\\??\\C:\\...", "\\??\\UNC\\server\\share\\...".
std::wstring NtFilePath(const std::string& path);

// Calls fill(buffer, size) until the text fits: fill returns the length it
// wrote (without the null) or, when the buffer was too small, the size it needs.
// Empty when fill returns 0.
template <typename Fill>
std::wstring GrowingText(Fill fill, DWORD firstSize = MAX_PATH) {
    std::wstring buffer(firstSize, L'\0');
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768 * 2) return {};
        buffer.resize(length > buffer.size() ? length + 1 : buffer.size() * 2);
    }
}

}  // namespace platform
