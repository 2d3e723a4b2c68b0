#pragma once
// printf-style formatting into an 8-bit string.
#include <cstdint>
#include <string>

// On Windows the C runtime formats (no %zu, %lld or %hh): the compiler checks
// the patterns against what it understands.
#ifdef _WIN32
std::string Format(const char* pattern, ...) __attribute__((format(ms_printf, 1, 2)));
#else
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
#endif

// Whether two 8-bit strings are equal ignoring the case of letters,
// the accented letters of the Windows Western code page included.
bool SameText(const std::string& a, const std::string& b);
// The text in upper case by the same rule: SameText(a, b) exactly when
// UpperCaseAnsi(a) == UpperCaseAnsi(b).
std::string UpperCaseAnsi(std::string text);

// Reads a 32-bit signed integer: optional leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "$" or "0x". Anything
// else, trailing blanks included, raises EConvertError naming the text.
int32_t StrToInt(const std::string& text);

// The text without leading and trailing blanks and control characters.
std::string Trim(const std::string& text);
