#pragma once
// The framework's registry wrapper: one root, one open key at a time, keys
// opened with full access. Windows only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Exception.h"

namespace platform {

enum class TRootKey { rkLocalMachine, rkCurrentUser };

class ERegistryException : public Exception { using Exception::Exception; };

// A value as the registry holds it: its type and its bytes.
struct TRegistryValue {
    uint32_t Type = 0;
    std::vector<uint8_t> Data;
    bool operator==(const TRegistryValue&) const = default;
};

class TRegistry {
public:
    explicit TRegistry(TRootKey root);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens the key below the root, creating it when asked; false when it cannot.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    // Whether the key below the root exists.
    bool KeyExists(const std::string& key) const;
    // Deletes the key below the root with its values; a key that still has
    // keys below it stays. False when it was not deleted.
    bool DeleteKey(const std::string& key);

    bool ValueExists(const std::string& name) const;
    // The string value; empty when it is missing or not a string.
    std::string ReadString(const std::string& name) const;
    // Raises ERegistryException "Konnte Daten für '<name>' nicht setzen" on failure.
    void WriteString(const std::string& name, const std::string& value);
    // A 32-bit number (DWORD); raises like WriteString.
    void WriteInteger(const std::string& name, uint32_t value);
    bool DeleteValue(const std::string& name);
    // Writes the open key's changes through to the disk; false when it cannot.
    bool Flush();

    // Any value as it is, to be put back later; none when it is missing.
    std::optional<TRegistryValue> ReadValue(const std::string& name) const;
    // Raises like WriteString.
    void WriteValue(const std::string& name, const TRegistryValue& value);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
