#include "app/SetupIni.h"

#include "shell/IniLine.h"

namespace {

using TEntryHandler = std::function<void(const std::string& line)>;

// Hands the lines after index to the handler up to the line "end" and
// returns the index of that line.
int32_t ReadBlock(const TStringList& lines, int32_t index, const TEntryHandler& apply) {
    for (++index; lines[index] != "end"; ++index) apply(lines[index]);
    return index;
}

// The button a "Button" block describes, named by the value of the second
// line after its "Object" line; false when that value names none.
bool ButtonRoleOf(const std::string& value, TButtonRole& role) {
    if (value == "Cancel") role = TButtonRole::Cancel;
    else if (value == "Forward") role = TButtonRole::Forward;
    else if (value == "Back") role = TButtonRole::Back;
    else return false;
    return true;
}

// Reads the block an "Object" line opens, if any, and returns the index of
// the last line it consumed.
int32_t ReadObject(const TStringList& lines, int32_t index, const TSetupIniHandlers& handlers) {
    const std::string type = IniValueOf(lines[index]);
    if (type == "Setup") return ReadBlock(lines, index, handlers.Setup);
    if (type == "Toolweb") return ReadBlock(lines, index, handlers.Toolweb);
    if (type == "Panel") return ReadBlock(lines, index, handlers.Panel);
    TButtonRole role;
    if (type == "Button" && ButtonRoleOf(IniValueOf(lines[index + 2]), role))
        return ReadBlock(lines, index, [&](const std::string& line) { handlers.Button(role, line); });
    return index;
}

}  // namespace

void ApplySetupLines(const TStringList& lines, const TSetupIniHandlers& handlers) {
    for (int32_t index = 1; index < lines.Count(); ++index)
        if (IniKeyOf(lines[index]) == "Object") index = ReadObject(lines, index, handlers);
}

void ReadSetupIni(const std::string& fileName, const TSetupIniHandlers& handlers) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    ApplySetupLines(lines, handlers);
}
