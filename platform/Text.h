#pragma once
// printf-style formatting into an 8-bit string.
#include <string>

std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
