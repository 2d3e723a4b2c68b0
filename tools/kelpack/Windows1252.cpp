#include "tools/kelpack/Windows1252.h"

#include <array>
#include <utility>

#include "platform/FileStream.h"
#include "platform/Text.h"
#include "platform/TextCoding.h"

namespace {

// Converts UTF-8; a byte that starts no sequence is kept as it is.
TWindows1252Text Utf8ToWindows1252Lines(const std::string& utf8) {
    TWindows1252Text result;
    int32_t line = 1;
    char32_t character = 0;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = NextCharacter(utf8, at, character);
        if (length == 0) {
            result.Text += utf8[at++];
            continue;
        }
        const std::optional<unsigned char> byte = Windows1252ByteOf(character);
        if (!byte) result.Unwritable.push_back({line, utf8.substr(at, length)});
        const bool lineEnds = character == '\n' || (character == '\r' && (at + 1 >= utf8.size() || utf8[at + 1] != '\n'));
        line += lineEnds ? 1 : 0;
        result.Text += byte ? static_cast<char>(*byte) : '?';
        at += length;
    }
    return result;
}

}  // namespace

std::string TUnwritableCharacter::Reason() const {
    char32_t code = 0;
    NextCharacter(Character, 0, code);
    return Format("the character \"%s\" (U+%04X) cannot be written in Windows-1252, the code page of the wizard; "
                  "replace it",
                  Character.c_str(), static_cast<unsigned>(code));
}

TWindows1252Text ToWindows1252(const std::string& bytes) {
    const bool marked = StartsWithByteOrderMark(bytes);
    const std::string body = marked ? bytes.substr(kUtf8ByteOrderMark.size()) : bytes;
    if (!marked && !IsUtf8(body)) return {body, {}};
    return Utf8ToWindows1252Lines(body);
}

TWindows1252Text ReadAsWindows1252(const std::string& path) {
    const int64_t maxBytes = 16 << 20;  // far more than any description or licence text
    const std::vector<uint8_t> bytes = ReadWholeFile(path, maxBytes);
    return ToWindows1252(std::string(bytes.begin(), bytes.end()));
}

std::optional<std::string> PayloadNameOf(const std::string& systemName) {
    if (!IsUtf8(systemName)) return systemName;  // a name written in Windows-1252 already
    TWindows1252Text name = Utf8ToWindows1252Lines(systemName);
    if (!name.Ok()) return std::nullopt;
    return std::move(name.Text);
}
std::string SystemNameOf(const std::string& payloadName) { return Windows1252ToUtf8(payloadName); }
