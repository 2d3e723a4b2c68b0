#pragma once
// Text inside the programs is Unicode held as UTF-8. Older files hold 8-bit
// text in Windows-1252; files that need more characters start with a UTF-8
// byte-order mark. These are the conversions between the two forms.
#include <cstddef>
#include <optional>
#include <string>

extern const std::string kUtf8ByteOrderMark;

// Whether the bytes are well-formed UTF-8 (pure ASCII is).
bool IsUtf8(const std::string& bytes);
// The length of the UTF-8 sequence at text[at], its character in `character`;
// 0 when no well-formed sequence starts there.
size_t NextCharacter(const std::string& text, size_t at, char32_t& character);
void AppendUtf8(std::string& text, char32_t character);

// Windows-1252 bytes as UTF-8; the five bytes the code page leaves undefined
// become the control characters of the same number, as on Windows.
std::string Windows1252ToUtf8(const std::string& text);
// The Windows-1252 byte of a character, if the code page has one.
std::optional<unsigned char> Windows1252ByteOf(char32_t character);
// UTF-8 as Windows-1252; nothing when a character does not fit or the text
// is not UTF-8.
std::optional<std::string> Utf8ToWindows1252(const std::string& utf8);

bool StartsWithByteOrderMark(const std::string& bytes);
// An 8-bit text file's bytes as UTF-8: after a UTF-8 byte-order mark the rest
// as it stands, otherwise Windows-1252.
std::string DecodeText8(const std::string& bytes);
// The other way: Windows-1252 when every character fits, so that files of
// Western texts stay as they always were; otherwise (or when the Windows-1252
// bytes would begin like a byte-order mark) UTF-8 after a byte-order mark.
std::string EncodeText8(const std::string& utf8);
