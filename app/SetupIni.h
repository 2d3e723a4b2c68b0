#pragma once
// The reader of the setup description: a list of lines in which a line
// "Object=<type>" opens a block that runs to the next line "end". The reader
// hands each line of a "Setup", "Toolweb", "Panel" or "Button" block to the
// handler of that block type, in file order; what a line means is the
// handler's business.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/StringList.h"

enum class TButtonRole { Cancel, Forward, Back };

// What a line the reader examines is to it.
enum class TSetupIniLineKind {
    TopLevel,  // a line outside every block that is not an "Object" line
    Object,    // a top-level line with the key "Object", whether it opens a block or not
    Entry,     // a line of a block, on its way to the block's handler
};

// An unassigned handler is skipped: its block is read past.
struct TSetupIniHandlers {
    std::function<void(const std::string& line)> Setup;
    std::function<void(const std::string& line)> Toolweb;
    std::function<void(const std::string& line)> Panel;
    std::function<void(TButtonRole role, const std::string& line)> Button;
    // Optional, for callers that report on the file: the 1-based number and
    // the kind of every line the reader examines, told before the reader acts
    // on it (an "Object" line before its block is read, an entry before its
    // handler runs). The first line and the "end" lines are never told.
    std::function<void(int32_t lineNumber, TSetupIniLineKind kind)> Examine;
};

// The button a "Button" block's role line names by its value, if any.
std::optional<TButtonRole> ButtonRoleNamed(const std::string& value);

// Reads the file and applies its blocks. A file that cannot be opened raises
// EFOpenError; a block without "end", or a "Button" line too close to the end
// of the file for its role line, raises EListError; whatever a handler raises
// passes through.
void ReadSetupIni(const std::string& fileName, const TSetupIniHandlers& handlers);
// The same for lines already read. The first line is never examined.
void ApplySetupLines(const TStringList& lines, const TSetupIniHandlers& handlers);
