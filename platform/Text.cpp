#include "platform/Text.h"

#include <cstdarg>
#include <cstdio>

#include "platform/Exception.h"

namespace {

// On Windows the C runtime's own formatter: the standard-conforming one of the
// toolchain brings some 27 KB of floating-point conversion that no text needs.
// The patterns use %s, %d, %u and %lX only, which both understand alike.
#ifdef _WIN32
int FormattedLength(const char* pattern, va_list args) { return _vscprintf(pattern, args); }
void FormatInto(char* buffer, size_t size, const char* pattern, va_list args) {
    _vsnprintf(buffer, size, pattern, args);
}
#else
int FormattedLength(const char* pattern, va_list args) { return std::vsnprintf(nullptr, 0, pattern, args); }
void FormatInto(char* buffer, size_t size, const char* pattern, va_list args) {
    std::vsnprintf(buffer, size, pattern, args);
}
#endif

}  // namespace

std::string Format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list copy;
    va_copy(copy, args);
    const int length = FormattedLength(pattern, copy);
    va_end(copy);
    std::string result(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) FormatInto(result.data(), result.size() + 1, pattern, args);
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

std::string UpperCaseAnsi(std::string text) {
    for (char& c : text) c = static_cast<char>(UpperAnsi(static_cast<unsigned char>(c)));
    return text;
}

namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Hexadecimal takes the full 32 bits ("$FFFFFFFF" is -1), as colours are written;
// decimal must fit the signed range.
bool ParseInteger(const std::string& text, int32_t& result) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return false;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return false;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return false;
        value = value * base + digit;
        if (value > limit) return false;
    }
    const uint32_t bits = static_cast<uint32_t>(value);
    result = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int32_t StrToInt(const std::string& text) {
    int32_t value = 0;
    if (!ParseInteger(text, value))
        throw EConvertError(Format("'%s' ist kein g\xFC" "ltiger Integerwert", text.c_str()));
    return value;
}

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}
