#include "app/InstallationFiles.h"

#include "shell/PathParts.h"

std::string LogFileOf(const std::string& programFile) { return FolderOfFile(programFile) + kSetupLogInFolder; }

std::string UninstallerOf(const std::string& logFile) { return FolderOfFile(logFile) + kUninstallerInFolder; }
