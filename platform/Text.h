#pragma once
// printf-style formatting into an 8-bit string.
#include <string>

std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// Whether two 8-bit strings are equal ignoring the case of letters,
// the accented letters of the Windows Western code page included.
bool SameText(const std::string& a, const std::string& b);
