#pragma once
// printf-style formatting and small helpers on UTF-8 text.
#include <cstdint>
#include <string>

// On Windows the C runtime formats (no %zu, %lld or %hh): the compiler checks
// the patterns against what it understands.
#ifdef _WIN32
std::string Format(const char* pattern, ...) __attribute__((format(ms_printf, 1, 2)));
#else
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
#endif

// Whether two UTF-8 texts are equal ignoring the case of letters, as Windows
// compares file names (accented Latin, Greek and Cyrillic letters included).
bool SameText(const std::string& a, const std::string& b);
// The text in upper case by the same rule: SameText(a, b) exactly when
// UpperCaseText(a) == UpperCaseText(b).
std::string UpperCaseText(const std::string& text);

// Reads a 32-bit signed integer: optional leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x". Anything
// else, trailing blanks included, raises EConvertError naming the text.
int32_t StrToInt(const std::string& text);

// The text without leading and trailing blanks and control characters.
std::string Trim(const std::string& text);
