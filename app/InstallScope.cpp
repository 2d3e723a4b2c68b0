#include "app/InstallScope.h"

namespace {

// The shell's folder numbers (CSIDL values).
constexpr int kUserPrograms = 0x02, kCommonPrograms = 0x17;
constexpr int kUserDesktop = 0x10, kCommonDesktop = 0x19;

}  // namespace

std::optional<TInstallScope> TInstallScope::Named(const std::string& name) {
    if (name == "Machine") return TInstallScope(isMachine);
    if (name == "User") return TInstallScope(isUser);
    return std::nullopt;
}

platform::TRootKey TInstallScope::RegistryRoot() const {
    return kind_ == isUser ? platform::TRootKey::rkCurrentUser : platform::TRootKey::rkLocalMachine;
}

const char* TInstallScope::RegistryRootName() const {
    return kind_ == isUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

int TInstallScope::ProgramsFolderId() const { return kind_ == isUser ? kUserPrograms : kCommonPrograms; }

int TInstallScope::DesktopFolderId() const { return kind_ == isUser ? kUserDesktop : kCommonDesktop; }
