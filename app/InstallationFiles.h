#pragma once
// The files a setup leaves beside the installed product for its removal:
// the log of what it made, and the uninstaller that reads it. The setup, the
// uninstaller and kelpack (which adds the kit's uninstaller to a product)
// name them from here. Portable.
#include <string>

// Each name with the separator that joins it to its folder, so that a path
// is made in one step; the uninstaller's name alone too.
inline constexpr char kSetupLogInFolder[] = "\\setup.log";
inline constexpr char kUninstallerInFolder[] = "\\uninstall.exe";
inline constexpr const char* kUninstallerFile = kUninstallerInFolder + 1;

// The log and the uninstaller in a folder. A separator joins the name even
// to a folder that ends in one (a folder picked in the folder chooser), as
// the setup has always written them; the uninstaller reads a doubled one as one.
inline std::string LogFileIn(const std::string& folder) { return folder + kSetupLogInFolder; }
inline std::string UninstallerIn(const std::string& folder) { return folder + kUninstallerInFolder; }

// The log beside the uninstaller's file, and the uninstaller beside a log.
std::string LogFileOf(const std::string& programFile);
std::string UninstallerOf(const std::string& logFile);
