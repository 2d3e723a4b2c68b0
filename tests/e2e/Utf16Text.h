#pragma once
// UTF-16 as Windows stores it in files (little-endian), read as the UTF-8
// the tests compare with.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/TextCoding.h"

// The text of `count` UTF-16 code units at bytes[at]; a surrogate pair is
// one character, a lone surrogate becomes U+FFFD.
inline std::string Utf8OfUtf16(const std::string& bytes, size_t at, size_t count) {
    const auto unit = [&](size_t i) {
        return char32_t(uint8_t(bytes.at(at + 2 * i)) | uint8_t(bytes.at(at + 2 * i + 1)) << 8);
    };
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++i) - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        AppendUtf8(text, c);
    }
    return text;
}
