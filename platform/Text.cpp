#include "platform/Text.h"

#include <cstdarg>
#include <cstdio>

#include "platform/Exception.h"
#include "platform/TextCoding.h"

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

// The upper-case letter of a character, as Windows compares file names: the
// Latin, Greek, Cyrillic and Armenian alphabets and the full-width Latin letters.
char32_t UpperCharacter(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 32 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: pairs, capital first, with two runs the other way
        const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return oddRun ? (c % 2 == 0 ? c - 1 : c) : (c % 2 == 1 ? c - 1 : c);
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;  // Greek
    if (c == 0x3C2) return 0x3A3;                                 // final sigma
    if (c >= 0x3AC && c <= 0x3AF) return c == 0x3AC ? 0x386 : c - 37;
    if (c >= 0x3CC && c <= 0x3CE) return c == 0x3CC ? 0x38C : c - 63;
    if (c >= 0x430 && c <= 0x44F) return c - 32;   // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    if (c >= 0x460 && c <= 0x4FF && c % 2 == 1 && !(c >= 0x482 && c <= 0x489)) return c - 1;
    if (c >= 0x561 && c <= 0x586) return c - 48;   // Armenian
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;  // full-width Latin
    return c;
}

}  // namespace

std::string UpperCaseText(const std::string& text) {
    std::string upper;
    upper.reserve(text.size());
    char32_t character = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t length = NextCharacter(text, at, character);
        if (length == 0) {
            upper += text[at++];  // not UTF-8: kept as it is
            continue;
        }
        AppendUtf8(upper, UpperCharacter(character));
        at += length;
    }
    return upper;
}

bool SameText(const std::string& a, const std::string& b) { return a == b || UpperCaseText(a) == UpperCaseText(b); }

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
        throw EConvertError(Format("'%s' ist kein gültiger Integerwert", text.c_str()));
    return value;
}

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}
