#pragma once
// Text and file names in Windows-1252, the ANSI code page the wizard reads
// its description, its texts and its file names in, made from what editors
// and file systems on Linux hold: UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/TextCoding.h"

// A character that Windows-1252 cannot hold, and where it stands.
struct TUnwritableCharacter {
    int32_t Line = 0;       // 1-based
    std::string Character;  // as UTF-8

    // "the character "X" (U+XXXX) cannot be written ...": why the text is refused.
    std::string Reason() const;
};

// A text made Windows-1252; each character it cannot hold is listed and
// written as "?".
struct TWindows1252Text {
    std::string Text;
    std::vector<TUnwritableCharacter> Unwritable;

    bool Ok() const { return Unwritable.empty(); }
};

// UTF-8 (with or without a byte-order mark, which is dropped) in
// Windows-1252. Bytes that are not UTF-8 are taken as Windows-1252 already
// and kept as they are. Lines are counted at LF, CR LF and lone CR.
TWindows1252Text ToWindows1252(const std::string& bytes);

// The file's text (at most 16 MiB) made Windows-1252 as above; raises
// EFOpenError, EReadError or EFileTooLarge.
TWindows1252Text ReadAsWindows1252(const std::string& path);

// A file name as the payload holds it: Windows-1252. The system's name
// (UTF-8, on Windows too) is converted; nothing when Windows-1252 cannot hold it.
std::optional<std::string> PayloadNameOf(const std::string& systemName);
// A payload name as the system names the file.
std::string SystemNameOf(const std::string& payloadName);
