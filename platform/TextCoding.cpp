#include "platform/TextCoding.h"

#include <array>

const std::string kUtf8ByteOrderMark = "\xEF\xBB\xBF";

namespace {

// The characters of 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Windows1252Character(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped ? mapped : byte;  // undefined bytes stand for the control character of their number
}

}  // namespace

size_t NextCharacter(const std::string& text, size_t at, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) length = 2, minimum = 0x80, character = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0) length = 3, minimum = 0x800, character = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0) length = 4, minimum = 0x10000, character = lead & 0x07;
    else return 0;
    if (at + length > text.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        character = (character << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    return character < minimum || character > 0x10FFFF || surrogate ? 0 : length;
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsUtf8(const std::string& bytes) {
    char32_t character = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = NextCharacter(bytes, at, character);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string Windows1252ToUtf8(const std::string& text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text) AppendUtf8(utf8, Windows1252Character(static_cast<unsigned char>(c)));
    return utf8;
}

std::optional<unsigned char> Windows1252ByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
    for (unsigned i = 0; i < kHighControls.size(); ++i)
        if (Windows1252Character(static_cast<unsigned char>(0x80 + i)) == character)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::optional<std::string> Utf8ToWindows1252(const std::string& utf8) {
    std::string text;
    text.reserve(utf8.size());
    char32_t character = 0;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = NextCharacter(utf8, at, character);
        const std::optional<unsigned char> byte = length ? Windows1252ByteOf(character) : std::nullopt;
        if (!byte) return std::nullopt;
        text += static_cast<char>(*byte);
        at += length;
    }
    return text;
}

bool StartsWithByteOrderMark(const std::string& bytes) { return bytes.starts_with(kUtf8ByteOrderMark); }

std::string DecodeText8(const std::string& bytes) {
    if (StartsWithByteOrderMark(bytes)) return bytes.substr(kUtf8ByteOrderMark.size());
    return Windows1252ToUtf8(bytes);
}

std::string EncodeText8(const std::string& utf8) {
    // A Western text that begins with the mark's three characters would be read back as marked UTF-8.
    std::optional<std::string> western = Utf8ToWindows1252(utf8);
    if (western && !StartsWithByteOrderMark(*western)) return *western;
    return kUtf8ByteOrderMark + utf8;
}
