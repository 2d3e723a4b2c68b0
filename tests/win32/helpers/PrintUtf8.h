#pragma once
// The helpers print what they read as UTF-8 bytes, whatever the code page,
// so that the tests compare texts exactly.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

inline void PrintUtf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    std::string utf8(static_cast<size_t>(size) * 3, '\0');
    utf8.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    _setmode(_fileno(stdout), _O_BINARY);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}
