#include "app/SetupIni.h"

#include "app/SetupKeys.h"
#include "shell/IniLine.h"

namespace {

using TEntryHandler = std::function<void(const std::string& line)>;

// Tells the caller which line, by its 1-based number, the reader acts on next.
void Tell(const TSetupIniHandlers& handlers, int32_t index, TSetupIniLineKind kind) {
    if (handlers.Examine) handlers.Examine(index + 1, kind);
}

// Hands the lines after index to the handler up to the line "end" and
// returns the index of that line.
int32_t ReadBlock(const TStringList& lines, int32_t index, const TSetupIniHandlers& handlers,
                  const TEntryHandler& apply) {
    for (++index; lines[index] != "end"; ++index) {
        Tell(handlers, index, TSetupIniLineKind::Entry);
        if (apply) apply(lines[index]);
    }
    return index;
}

// Reads the block an "Object" line opens, if any, and returns the index of
// the last line it consumed.
int32_t ReadObject(const TStringList& lines, int32_t index, const TSetupIniHandlers& handlers) {
    const std::optional<TSetupBlock> block = SetupBlockNamed(IniValueOf(lines[index]));
    if (!block) return index;
    switch (*block) {
        case TSetupBlock::Setup: return ReadBlock(lines, index, handlers, handlers.Setup);
        case TSetupBlock::Toolweb: return ReadBlock(lines, index, handlers, handlers.Toolweb);
        case TSetupBlock::Panel: return ReadBlock(lines, index, handlers, handlers.Panel);
        case TSetupBlock::Button: break;
    }
    if (const auto role = ButtonRoleNamed(IniValueOf(lines[index + 2])))
        return ReadBlock(lines, index, handlers, [&](const std::string& line) {
            if (handlers.Button) handlers.Button(*role, line);
        });
    return index;
}

}  // namespace

std::optional<TButtonRole> ButtonRoleNamed(const std::string& value) {
    if (value == "Cancel") return TButtonRole::Cancel;
    if (value == "Forward") return TButtonRole::Forward;
    if (value == "Back") return TButtonRole::Back;
    return std::nullopt;
}

void ApplySetupLines(const TStringList& lines, const TSetupIniHandlers& handlers) {
    for (int32_t index = 1; index < lines.Count(); ++index) {
        const bool object = IniKeyOf(lines[index]) == "Object";
        Tell(handlers, index, object ? TSetupIniLineKind::Object : TSetupIniLineKind::TopLevel);
        if (object) index = ReadObject(lines, index, handlers);
    }
}

void ReadSetupIni(const std::string& fileName, const TSetupIniHandlers& handlers) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    ApplySetupLines(lines, handlers);
}
