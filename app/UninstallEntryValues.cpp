#include "app/UninstallEntryValues.h"

#include "app/SetupLogBook.h"
#include "platform/Registry.h"

std::string UninstallEntryValue(TInstallScope scope, const std::string& key, const char* name) {
    if (key.empty() || key.find('\\') != std::string::npos) return {};
    platform::TRegistry registry(scope.RegistryRoot());
    if (!registry.OpenKey(UninstallKeyOf(key), false) || !registry.ValueExists(name)) return {};
    return registry.ReadString(name);
}

std::string InstallationLanguage(TInstallScope scope, const std::string& key) {
    return UninstallEntryValue(scope, key, kInstallationLanguageValue);
}
