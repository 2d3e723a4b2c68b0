#include "tools/kelpack/PackedSetupIni.h"

#include "app/SetupIni.h"
#include "platform/Exception.h"
#include "shell/IniLine.h"
#include "tools/kelpack/KitFiles.h"
#include "tools/kelpack/PayloadNames.h"
#include "tools/kelpack/Windows1252.h"

namespace {

// Where the last "Setup" block ends, and whether an "Addfile" names the uninstaller.
struct TSetupBlocks {
    int32_t LastObjectLine = 0;  // 1-based; 0: no block
    bool NamesUninstaller = false;
};

TSetupBlocks FindSetupBlocks(const TStringList& lines) {
    TSetupBlocks found;
    TSetupIniHandlers handlers;
    handlers.Setup = [&](const std::string& line) {
        if (IniKeyOf(line) == "Addfile" && SameFileName(IniValueOf(line), kUninstallerFile)) found.NamesUninstaller = true;
    };
    handlers.Examine = [&](int32_t number, TSetupIniLineKind kind) {
        if (kind == TSetupIniLineKind::Object && IniValueOf(lines[number - 1]) == "Setup") found.LastObjectLine = number;
    };
    ApplySetupLines(lines, handlers);
    return found;
}

}  // namespace

TStringList ReadPackedSetupIni(const std::string& path, std::vector<TSetupIniProblem>& problems) {
    const TWindows1252Text text = ReadAsWindows1252(path);
    for (const TUnwritableCharacter& character : text.Unwritable) problems.push_back({character.Line, character.Reason()});
    TStringList lines;
    lines.SetText(text.Text);
    return lines;
}

bool AddUninstallerLine(TStringList& lines) {
    TSetupBlocks blocks;
    try {
        blocks = FindSetupBlocks(lines);
    } catch (const EListError&) {
        return false;  // a block without its end: the check refuses the project
    }
    if (blocks.LastObjectLine == 0 || blocks.NamesUninstaller) return false;
    int32_t end = blocks.LastObjectLine;  // 0-based index of the line after the "Object" line
    while (lines[end] != "end") ++end;
    lines.Insert(end, std::string("Addfile=") + kUninstallerFile);
    return true;
}
