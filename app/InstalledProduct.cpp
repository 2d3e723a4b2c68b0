#include "app/InstalledProduct.h"

#include "app/SetupLogBook.h"

std::optional<TInstalledProduct> FindInstalledProduct(const std::string& keyName, platform::TRootKey root) {
    if (keyName.empty() || keyName.find('\\') != std::string::npos) return std::nullopt;
    platform::TRegistry registry(root);
    const std::string key = UninstallKeyOf(keyName);
    if (!registry.KeyExists(key) || !registry.OpenKey(key, false)) return std::nullopt;
    TInstalledProduct product;
    product.Location = InstalledLocationOf(registry.ReadString("InstallLocation"), registry.ReadString("UninstallString"));
    product.Version = registry.ReadString("DisplayVersion");
    return product;
}
