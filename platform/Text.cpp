#include "platform/Text.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string result(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(result.data(), result.size() + 1, pattern, args);
    va_end(args);
    return result;
}

namespace {

// Upper case in the Windows Western code page.
unsigned char UpperAnsi(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

}  // namespace

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAnsi(static_cast<unsigned char>(a[i])) != UpperAnsi(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
