#include "tools/kelpack/PackedSetupIni.h"

#include <algorithm>


#include "app/SetupIni.h"
#include "platform/Exception.h"
#include "shell/IniLine.h"
#include "tools/kelpack/AddfileCoverage.h"
#include "tools/kelpack/KitFiles.h"
#include "tools/kelpack/PayloadNames.h"
#include "tools/kelpack/SetupProject.h"
#include "tools/kelpack/VendorText.h"

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

// Inserts "Addfile=uninstall.exe" as the last entry of the last "Setup"
// block unless an "Addfile" names that file already; the index of the new
// line, or -1.
int32_t InsertUninstallerLine(TStringList& lines) {
    TSetupBlocks blocks;
    try {
        blocks = FindSetupBlocks(lines);
    } catch (const EListError&) {
        return -1;  // a block without its end: the check refuses the project
    }
    if (blocks.LastObjectLine == 0 || blocks.NamesUninstaller) return -1;
    int32_t end = blocks.LastObjectLine;  // 0-based index of the line after the "Object" line
    while (lines[end] != "end") ++end;
    lines.Insert(end, std::string("Addfile=") + kUninstallerFile);
    return end;
}

}  // namespace

TStringList ReadPackedSetupIni(const std::string& path) {
    TStringList lines;
    lines.SetText(ReadVendorText(path));
    return lines;
}

bool AddUninstallerLine(TStringList& lines) { return InsertUninstallerLine(lines) >= 0; }

bool AddUninstallerLine(TAddfileExpansion& expansion) {
    const int32_t index = InsertUninstallerLine(expansion.Lines);
    if (index < 0) return false;
    // The new line counts as the block's last line of the project.
    const int32_t sourceLine = expansion.SourceLines[static_cast<size_t>(index - 1)];
    expansion.SourceLines.insert(expansion.SourceLines.begin() + index, sourceLine);
    expansion.Entries.push_back({kUninstallerFile, sourceLine, false});
    return true;
}

TPackedSetupIni PackSetupIni(const TSetupProject& project, bool kitUninstaller) {
    TPackedSetupIni packed;
    const TStringList lines = ReadPackedSetupIni(project.SetupIni);
    const std::vector<std::string> productFiles = ProductFileNames(project);
    TAddfileExpansion expansion = ExpandAddfileWildcards(lines, productFiles);
    if (kitUninstaller) packed.AddedUninstallerLine = AddUninstallerLine(expansion);
    const TAddfileCoverage coverage = CheckAddfileCoverage(expansion, productFiles);
    std::vector<TSetupIniProblem>& problems = packed.Problems;
    problems.insert(problems.end(), expansion.Problems.begin(), expansion.Problems.end());
    for (const TSetupIniProblem& problem : CheckSetupLines(expansion.Lines, PayloadNamesOf(project)))
        problems.push_back(OnSourceLine(expansion, problem));
    problems.insert(problems.end(), coverage.Repeated.begin(), coverage.Repeated.end());
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) { return a.Line < b.Line; });
    packed.NotInstalled = coverage.NotInstalled;
    packed.Lines = std::move(expansion.Lines);
    return packed;
}
