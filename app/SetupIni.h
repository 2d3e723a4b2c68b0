#pragma once
// The reader of the setup description: a list of lines in which a line
// "Object=<type>" opens a block that runs to the next line "end". The reader
// hands each line of a "Setup", "Toolweb", "Panel" or "Button" block to the
// handler of that block type, in file order; what a line means is the
// handler's business.
#include <functional>
#include <string>

#include "platform/StringList.h"

enum class TButtonRole { Cancel, Forward, Back };

struct TSetupIniHandlers {
    std::function<void(const std::string& line)> Setup;
    std::function<void(const std::string& line)> Toolweb;
    std::function<void(const std::string& line)> Panel;
    std::function<void(TButtonRole role, const std::string& line)> Button;
};

// Reads the file and applies its blocks. A file that cannot be opened raises
// EFOpenError; a block without "end", or a "Button" line too close to the end
// of the file for its role line, raises EListError; whatever a handler raises
// passes through.
void ReadSetupIni(const std::string& fileName, const TSetupIniHandlers& handlers);
// The same for lines already read. The first line is never examined.
void ApplySetupLines(const TStringList& lines, const TSetupIniHandlers& handlers);
