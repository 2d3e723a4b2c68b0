#include "uninstall/InstallationLanguage.h"

#include "app/SetupLogBook.h"
#include "platform/Registry.h"

std::string InstallationLanguage(const std::string& key) {
    if (key.empty() || key.find('\\') != std::string::npos) return {};
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey(UninstallKeyOf(key), false) || !registry.ValueExists(kInstallationLanguageValue)) return {};
    return registry.ReadString(kInstallationLanguageValue);
}
