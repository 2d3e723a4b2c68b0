#pragma once
// The Setup.ini that Data.Kel carries, made from the project's own file,
// which stays as it is: whatever the vendor's editor wrote (UTF-8 with or
// without a byte-order mark, or Windows-1252), it is written in Windows-1252
// when every character fits and in UTF-8 after a byte-order mark otherwise
// (TStringList::SaveToFile), with its "Addfile" wildcards expanded into literal
// lines, and with an "Addfile" line for an uninstall.exe that the kit adds to
// the payload when no line names it yet.
#include <string>
#include <vector>

#include "platform/StringList.h"
#include "tools/kelpack/AddfileWildcards.h"
#include "tools/kelpack/ProjectCheck.h"

struct TSetupProject;

// The lines of the project's file in UTF-8.
TStringList ReadPackedSetupIni(const std::string& path);

// Adds "Addfile=uninstall.exe" as the last entry of the last "Setup" block
// unless an "Addfile" names that file already; whether it added the line.
bool AddUninstallerLine(TStringList& lines);

// The same for expanded lines, which keep their files and project lines in step.
bool AddUninstallerLine(TAddfileExpansion& expansion);

// The packed description of a project, and what is wrong with it, on the
// lines of the project's file.
struct TPackedSetupIni {
    TStringList Lines;
    std::vector<TSetupIniProblem> Problems;  // in line order
    std::vector<size_t> NotInstalled;        // indices of the product files that no "Addfile" installs
    bool AddedUninstallerLine = false;
};

// Packs the project's Setup.ini against its product files (in the order of
// ProductFileNames); with kitUninstaller, the kit's uninstall.exe is one of
// them and gets its line when none names it.
TPackedSetupIni PackSetupIni(const TSetupProject& project, bool kitUninstaller);
