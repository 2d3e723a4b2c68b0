// The product's entry in the machine's list of uninstallable programs.
#include "app/SetupLogBook.h"
#include "platform/Registry.h"

void TSetupLogBook::RegisterUninstall() {
    platform::TRegistry registry(platform::TRootKey::rkLocalMachine);
    if (!registry.OpenKey(UninstallKeyOf(KeyName), true)) return;  // without the rights to it, nothing is written
    registry.WriteString("DisplayName", AppName);
    registry.WriteString("UninstallString", UninstallStringOf(LogFileName));
}
