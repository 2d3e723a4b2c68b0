#pragma once
// The language an installation was made in, as its uninstall entry records
// it. Windows only.
#include <string>

// The English name the entry of the key (as the log names it) records;
// empty when there is none, as for installations of earlier setups.
std::string InstallationLanguage(const std::string& key);
