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
