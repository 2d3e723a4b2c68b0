#pragma once
// What an installation's uninstall entry records, read back by the
// uninstaller and by the setup that upgrades the installation: any value by
// name, and the language the installation was made in. Windows only.
#include <string>

#include "app/InstallScope.h"

// The value of the entry of the key (as the log names it) below the scope's
// root; empty when the entry or the value is missing, or the key would lead
// elsewhere.
std::string UninstallEntryValue(TInstallScope scope, const std::string& key, const char* name);

// The English name of the installation's language; empty when the entry
// records none, as for installations of earlier setups.
std::string InstallationLanguage(TInstallScope scope, const std::string& key);
