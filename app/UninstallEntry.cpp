// The product's entry in the list of uninstallable programs: the machine's,
// or the user's for an installation for one user.
#include "app/SetupLogBook.h"

#include <exception>
#include <ranges>

#include "app/InstallJournal.h"
#include "platform/Registry.h"

void TSetupLogBook::RegisterUninstall(TInstallJournal& journal) {
    platform::TRegistry registry(Scope.RegistryRoot());
    const std::string key = UninstallKeyOf(KeyName);
    const bool keyWasNew = !registry.KeyExists(key);
    if (!journal.OpenRegistryKey(registry, key)) return;  // without the rights to it, nothing is written
    registration_ = TRegistration{keyWasNew, {}};
    const auto remember = [&](const std::string& name) {
        registration_->Previous.emplace_back(name, registry.ReadValue(name));
    };
    const auto writeString = [&](const std::string& name, const std::string& value) {
        remember(name);
        journal.WriteRegistryValue(registry, key, name, [&] { registry.WriteString(name, value); });
    };
    const auto writeInteger = [&](const std::string& name, uint32_t value) {
        remember(name);
        journal.WriteRegistryValue(registry, key, name, [&] { registry.WriteInteger(name, value); });
    };
    const std::string uninstaller = UninstallStringOf(LogFileName);
    writeString("DisplayName", AppName);
    writeString("UninstallString", uninstaller);
    writeString("QuietUninstallString", uninstaller + " /S");
    writeString("DisplayIcon", Details.DisplayIcon);
    writeString("InstallLocation", Details.InstallLocation);
    writeInteger("EstimatedSize", Details.EstimatedSizeKB);
    writeInteger("NoModify", 1);
    writeInteger("NoRepair", 1);
    if (!Details.Version.empty()) writeString("DisplayVersion", Details.Version);
    if (!Details.Publisher.empty()) writeString("Publisher", Details.Publisher);
    if (!Details.Language.empty()) writeString(kInstallationLanguageValue, Details.Language);
    registry.Flush();
}

void TSetupLogBook::UnregisterUninstall() {
    if (!registration_) return;
    const TRegistration registration = std::move(*registration_);
    registration_.reset();
    platform::TRegistry registry(Scope.RegistryRoot());
    const std::string key = UninstallKeyOf(KeyName);
    if (registration.KeyWasNew) {
        registry.DeleteKey(key);
        return;
    }
    if (!registry.OpenKey(key, false)) return;
    for (const auto& [name, value] : registration.Previous | std::views::reverse) {
        try {
            if (value) registry.WriteValue(name, *value);
            else registry.DeleteValue(name);
        } catch (const std::exception&) {
            // What cannot be put back stays; the failure that led here is the one to report.
        }
    }
}
