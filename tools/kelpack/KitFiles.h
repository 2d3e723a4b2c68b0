#pragma once
// The kit kelpack belongs to: the Windows programs (Setup.exe,
// uninstall.exe) and the sample project. An installed kit keeps them in
// share/kelpack beside the folder of kelpack (bin/kelpack); a build tree
// keeps them beside kelpack itself.
#include <string>

#include "app/InstallationFiles.h"
#include "tools/kelpack/SetupProject.h"

// The folder that holds the kit's files.
std::string KitFolder();
// A file or folder of the kit by its name.
std::string KitFile(const std::string& name);

// What the kit did for a project without an uninstaller of its own.
enum class TKitUninstaller {
    NotNeeded,  // the project's Files hold uninstall.exe
    Added,      // the kit's uninstall.exe joins the product's files
    Missing,    // the kit holds none either
};

// Adds the kit's uninstall.exe to the product's files when the project's
// Files hold none.
TKitUninstaller AddKitUninstaller(TSetupProject& project);
