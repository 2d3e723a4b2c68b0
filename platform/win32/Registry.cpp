#include "platform/Registry.h"

#include <vector>
#include <windows.h>

#include "platform/Text.h"

namespace platform {

struct TRegistry::State {
    HKEY root = nullptr;
    HKEY key = nullptr;
};

TRegistry::TRegistry(TRootKey root) : state_(std::make_unique<State>()) {
    state_->root = root == TRootKey::rkLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

TRegistry::~TRegistry() { CloseKey(); }

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    CloseKey();
    HKEY opened = nullptr;
    LONG result;
    if (canCreate)
        result = RegCreateKeyExA(state_->root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &opened, nullptr);
    else
        result = RegOpenKeyExA(state_->root, key.c_str(), 0, KEY_ALL_ACCESS, &opened);
    if (result != ERROR_SUCCESS) return false;
    state_->key = opened;
    return true;
}

void TRegistry::CloseKey() {
    if (state_->key) RegCloseKey(state_->key);
    state_->key = nullptr;
}

bool TRegistry::KeyExists(const std::string& key) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(state_->root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
    // An empty name would stand for the root itself.
    if (key.empty()) return false;
    return RegDeleteKeyA(state_->root, key.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return state_->key && RegQueryValueExA(state_->key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
    if (!state_->key) return std::string();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(state_->key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(state_->key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return std::string(buffer.data());  // up to the first NUL
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(value.c_str());
    WriteValue(name, {REG_SZ, std::vector<uint8_t>(bytes, bytes + value.size() + 1)});
}

void TRegistry::WriteInteger(const std::string& name, uint32_t value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    WriteValue(name, {REG_DWORD, std::vector<uint8_t>(bytes, bytes + sizeof value)});
}

void TRegistry::WriteValue(const std::string& name, const TRegistryValue& value) {
    const LONG result = state_->key ? RegSetValueExA(state_->key, name.c_str(), 0, value.Type, value.Data.data(),
                                                     static_cast<DWORD>(value.Data.size()))
                                    : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS)
        throw ERegistryException(Format("Konnte Daten für '%s' nicht setzen", name.c_str()));
}

std::optional<TRegistryValue> TRegistry::ReadValue(const std::string& name) const {
    DWORD type = 0;
    DWORD size = 0;
    if (!state_->key || RegQueryValueExA(state_->key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    TRegistryValue value{type, std::vector<uint8_t>(size)};
    if (RegQueryValueExA(state_->key, name.c_str(), nullptr, &type, value.Data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    return value;
}

bool TRegistry::DeleteValue(const std::string& name) {
    return state_->key && RegDeleteValueA(state_->key, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
