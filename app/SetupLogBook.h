#pragma once
// The record of one setup run: every folder made, file copied and shortcut
// written, newest first, saved at the end as "setup.log" beside the installed
// files; and the product's entry in the machine's list of uninstallable
// programs. The uninstaller reads both.
#include <string>

#include "platform/StringList.h"

class TSetupLogBook {
public:
    TStringList Lines;        // the log lines, newest first
    std::string LogFileName;  // full path of the log file
    std::string KeyName;      // the registry key below the uninstall list
    std::string AppName;      // the name shown in the list of installed programs

    void AddCopyFile(const std::string& path) { Lines.Insert(0, "COPYFILE=" + path); }
    void AddDirectory(const std::string& path) { Lines.Insert(0, "DIRECTORY=" + path); }
    void AddLink(const std::string& path) { Lines.Insert(0, "LINK=" + path); }

    // Writes "DisplayName" and "UninstallString" into the product's key,
    // creating it when missing. A key that cannot be opened is passed over in
    // silence; a value that cannot be written raises ERegistryException.
    // Windows only.
    void RegisterUninstall();

    // Puts the three head lines on top and writes the lines to LogFileName,
    // replacing any file there; raises EFCreateError when it cannot.
    void SaveLog();
};

// The key of a product below HKEY_LOCAL_MACHINE.
std::string UninstallKeyOf(const std::string& keyName);
// The uninstaller beside a log file: its folder and "Uninstall.exe".
std::string UninstallStringOf(const std::string& logFileName);
