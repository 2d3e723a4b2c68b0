#pragma once
// The built-in languages as a program holds them, made at build time from
// the language files (cmake/Languages.cmake): for each language its English
// name, a line break, its "key=value" lines and a NUL; the first is English.
// Compressed, the whole is one zlib stream. Portable.
#include <cstddef>
#include <functional>
#include <string_view>

struct TEmbeddedLanguages {
    const unsigned char* Data;
    size_t Size;
    size_t TextSize;  // once inflated
    bool Compressed;
};

// Calls back with each language's name and language file text.
void ForEachLanguage(std::string_view texts, const std::function<void(std::string_view, std::string_view)>& take);
