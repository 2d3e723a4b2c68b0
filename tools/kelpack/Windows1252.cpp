#include "tools/kelpack/Windows1252.h"

#include <array>
#include <utility>

#include "platform/FileStream.h"
#include "platform/Text.h"

namespace {

// The characters of 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CharacterOf(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped ? mapped : byte;  // undefined bytes stand for the control character of their number
}

std::optional<unsigned char> ByteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
    for (unsigned i = 0; i < kHighControls.size(); ++i)
        if (CharacterOf(static_cast<unsigned char>(0x80 + i)) == character) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

// The length of the UTF-8 sequence starting at bytes[at]; 0 when it is not one.
size_t SequenceLength(const std::string& bytes, size_t at, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
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
    if (at + length > bytes.size()) return 0;
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

const std::string kByteOrderMark = "\xEF\xBB\xBF";

// Converts UTF-8; a byte that starts no sequence is kept as it is.
TWindows1252Text Utf8ToWindows1252(const std::string& utf8) {
    TWindows1252Text result;
    int32_t line = 1;
    char32_t character = 0;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = SequenceLength(utf8, at, character);
        if (length == 0) {
            result.Text += utf8[at++];
            continue;
        }
        const std::optional<unsigned char> byte = ByteOf(character);
        if (!byte) result.Unwritable.push_back({line, utf8.substr(at, length)});
        const bool lineEnds = character == '\n' || (character == '\r' && (at + 1 >= utf8.size() || utf8[at + 1] != '\n'));
        line += lineEnds ? 1 : 0;
        result.Text += byte ? static_cast<char>(*byte) : '?';
        at += length;
    }
    return result;
}

}  // namespace

bool IsUtf8(const std::string& bytes) {
    char32_t character = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t length = SequenceLength(bytes, at, character);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string TUnwritableCharacter::Reason() const {
    char32_t code = 0;
    SequenceLength(Character, 0, code);
    return Format("the character \"%s\" (U+%04X) cannot be written in Windows-1252, the code page of the wizard; "
                  "replace it",
                  Character.c_str(), static_cast<unsigned>(code));
}

TWindows1252Text ToWindows1252(const std::string& bytes) {
    const bool marked = bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
    const std::string body = marked ? bytes.substr(kByteOrderMark.size()) : bytes;
    if (!marked && !IsUtf8(body)) return {body, {}};
    return Utf8ToWindows1252(body);
}

TWindows1252Text ReadAsWindows1252(const std::string& path) {
    const int64_t maxBytes = 16 << 20;  // far more than any description or licence text
    const std::vector<uint8_t> bytes = ReadWholeFile(path, maxBytes);
    return ToWindows1252(std::string(bytes.begin(), bytes.end()));
}

std::string Windows1252ToUtf8(const std::string& text) {
    std::string utf8;
    for (const char c : text) AppendUtf8(utf8, CharacterOf(static_cast<unsigned char>(c)));
    return utf8;
}

#ifdef _WIN32
std::optional<std::string> PayloadNameOf(const std::string& systemName) { return systemName; }
std::string SystemNameOf(const std::string& payloadName) { return payloadName; }
#else
std::optional<std::string> PayloadNameOf(const std::string& systemName) {
    if (!IsUtf8(systemName)) return systemName;  // a name written in Windows-1252 already
    TWindows1252Text name = Utf8ToWindows1252(systemName);
    if (!name.Ok()) return std::nullopt;
    return std::move(name.Text);
}
std::string SystemNameOf(const std::string& payloadName) { return Windows1252ToUtf8(payloadName); }
#endif
