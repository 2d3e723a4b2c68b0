#pragma once
// The installation of the product that a setup finds on the machine: the
// uninstall entry with the same key name, where it lies and which version
// it is.
#include <optional>
#include <string>

#include "app/InstallationFiles.h"
#include "platform/Registry.h"

struct TInstalledProduct {
    std::string Location;  // the installed folder, full and without a trailing "\"; empty when unknown
    std::string Version;   // "DisplayVersion"; empty when the entry has none

    // The log that the setup wrote beside the installed files; empty when the location is unknown.
    std::string LogFile() const { return Location.empty() ? std::string() : LogFileIn(Location); }
};

// The installed folder an entry names: its "InstallLocation", or else the
// folder of the program its "UninstallString" starts (in quotation marks or
// not). Empty when neither is a full path (a drive or a share). Portable.
std::string InstalledLocationOf(const std::string& installLocation, const std::string& uninstallString);

// The product whose entry below the uninstall list of root is keyName; none
// when there is no such entry. Windows only.
std::optional<TInstalledProduct> FindInstalledProduct(const std::string& keyName,
                                                      platform::TRootKey root = platform::TRootKey::rkLocalMachine);
