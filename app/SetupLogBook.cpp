#include "app/SetupLogBook.h"

#include "shell/PathParts.h"

void TSetupLogBook::SaveLog() {
    if (Scope.ForUser()) Lines.Insert(0, kUserScopeLine);
    Lines.Insert(0, "KEY=" + KeyName);
    Lines.Insert(0, "NAME=" + AppName);
    Lines.Insert(0, "SetupLOG");
    Lines.SaveToFile(LogFileName);
}

std::string UninstallKeyOf(const std::string& keyName) {
    return "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + keyName;
}

std::string UninstallStringOf(const std::string& logFileName) {
    std::string command = "\"";
    command += ExtractFilePath(logFileName);
    command += kUninstallStringProgram;
    command += '"';
    return command;
}
