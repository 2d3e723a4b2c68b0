#include "platform/win32/WideText.h"

namespace platform {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    return text;
}

std::string Utf8Of(const wchar_t* text, size_t length) {
    if (!text || length == 0) return {};
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text, size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::string Utf8Of(const std::wstring& text) { return Utf8Of(text.data(), text.size()); }

std::string Utf8Of(const wchar_t* text) { return text ? Utf8Of(text, wcslen(text)) : std::string(); }

namespace {

// Folders may be made only while their path leaves room for an 8.3 name.
constexpr size_t kShortPathLimit = MAX_PATH - 12;

bool IsLongForm(const std::wstring& path) { return path.rfind(L"\\\\?\\", 0) == 0; }

}  // namespace

std::wstring FilePath(const std::string& path) {
    std::wstring wide = Wide(path);
    if (wide.size() < kShortPathLimit || IsLongForm(wide)) return wide;
    // The long form takes the path as it stands: make it full and plain first.
    std::wstring full = GrowingText([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    });
    if (full.empty()) return wide;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring NtFilePath(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (IsLongForm(wide)) return L"\\??\\" + wide.substr(4);
    const std::wstring full = GrowingText([&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(wide.c_str(), size, buffer, nullptr);
    });
    if (full.rfind(L"\\\\", 0) == 0) return L"\\??\\UNC\\" + full.substr(2);
    return L"\\??\\" + full;
}

}  // namespace platform
