#pragma once
// For whom a product is installed: the whole machine (every user gets the
// shortcuts; an administrator is needed) or the user who runs the setup
// alone (no administrator). The scope decides where the uninstall entry,
// the shortcuts and the proposed destination go, and whether the setup and
// the uninstaller ask for elevation. Portable: the folders are named by
// their shell numbers, which shell/ScopeFolders turns into paths.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Registry.h"

class TInstallScope {
public:
    enum TKind : uint8_t { isMachine, isUser };

    constexpr TInstallScope(TKind kind = isMachine) : kind_(kind) {}

    // "Machine" or "User", exactly as written; nothing for any other text.
    static std::optional<TInstallScope> Named(const std::string& name);
    const char* Name() const { return kind_ == isUser ? "User" : "Machine"; }

    bool ForUser() const { return kind_ == isUser; }
    // A machine installation writes where only administrators may.
    bool NeedsElevation() const { return kind_ == isMachine; }

    // The root of the product's uninstall entry (and of the journal's keys).
    platform::TRootKey RegistryRoot() const;
    const char* RegistryRootName() const;
    // The shell's numbers of the Start menu's Programs folder and of the
    // desktop folder that receive the shortcuts: the common ones for the
    // machine, the user's own otherwise.
    int ProgramsFolderId() const;
    int DesktopFolderId() const;

    bool operator==(const TInstallScope&) const = default;

private:
    TKind kind_;
};
