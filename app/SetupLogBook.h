#pragma once
// The record of one setup run: every folder made, file copied and shortcut
// written, newest first, saved at the end as "setup.log" beside the installed
// files; and the product's entry in the machine's list of uninstallable
// programs. The uninstaller reads both.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/InstallScope.h"
#include "platform/Registry.h"
#include "platform/StringList.h"

class TInstallJournal;

// What the list of installed programs shows beside the name, and what
// administrators' tools read. A blank version or publisher writes no value.
struct TUninstallDetails {
    std::string DisplayIcon;      // the installed program
    std::string InstallLocation;  // the destination folder
    uint32_t EstimatedSizeKB = 0; // the installed files
    std::string Version;
    std::string Publisher;
    std::string Language;         // the wizard's, by its English name, for the uninstaller to speak
};

class TSetupLogBook {
public:
    TStringList Lines;        // the log lines, newest first
    std::string LogFileName;  // full path of the log file
    std::string KeyName;      // the registry key below the uninstall list
    std::string AppName;      // the name shown in the list of installed programs
    TUninstallDetails Details;
    TInstallScope Scope;      // where the entry goes: HKEY_LOCAL_MACHINE or, for one user, HKEY_CURRENT_USER

    void AddCopyFile(const std::string& path) { Lines.Insert(0, "COPYFILE=" + path); }
    void AddDirectory(const std::string& path) { Lines.Insert(0, "DIRECTORY=" + path); }
    void AddLink(const std::string& path) { Lines.Insert(0, "LINK=" + path); }

    // Writes "DisplayName" and "UninstallString" into the product's key,
    // creating it when missing, and then the details: "QuietUninstallString",
    // "DisplayIcon", "InstallLocation", "EstimatedSize", "NoModify",
    // "NoRepair", "DisplayVersion", "Publisher" and the wizard's language. A key that cannot be
    // opened is passed over in silence; a value that cannot be written raises
    // ERegistryException. Each change goes through the installation's journal,
    // and the key is flushed to the disk at the end. Windows only.
    void RegisterUninstall(TInstallJournal& journal);
    // Takes back what RegisterUninstall wrote, so that no entry stays whose
    // log is missing: a key it made goes, a key that was there gets its
    // earlier values back. Never raises. Windows only.
    void UnregisterUninstall();

    // Puts the head lines on top and writes the lines to LogFileName,
    // replacing any file there; raises EFCreateError when it cannot. An
    // installation for one user says so in a fourth head line, "SCOPE=User",
    // which tells the uninstaller where the entry and the shortcuts are; a
    // log without it is a machine installation's, as earlier logs are.

    void SaveLog();

private:
    // What the last registration changed: whether it made the key, and each
    // value it wrote with what was there before.
    struct TRegistration {
        bool KeyWasNew = false;
        std::vector<std::pair<std::string, std::optional<platform::TRegistryValue>>> Previous;
    };
    std::optional<TRegistration> registration_;
};

// The head line of an installation for one user.
inline constexpr const char* kUserScopeLine = "SCOPE=User";

// The key of a product below the scope's root.
std::string UninstallKeyOf(const std::string& keyName);

// The value of that key naming the language the wizard spoke ("French"),
// in which the uninstaller then speaks too.
inline constexpr const char* kInstallationLanguageValue = "SetupLanguage";
// The command that starts the uninstaller beside a log file: its folder and
// file name, in quotation marks, so that a path with blanks is never read as
// a shorter program ("C:\Program.exe") followed by arguments.
std::string UninstallStringOf(const std::string& logFileName);
// The program's name as the entry has always spelled it; Windows finds the
// installed "uninstall.exe" by it, as names are compared without case.
inline constexpr const char* kUninstallStringProgram = "Uninstall.exe";
