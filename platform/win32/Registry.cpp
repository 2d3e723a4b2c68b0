#include "platform/Registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/WideText.h"

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
        result = RegCreateKeyExW(state_->root, Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &opened, nullptr);
    else
        result = RegOpenKeyExW(state_->root, Wide(key).c_str(), 0, KEY_ALL_ACCESS, &opened);
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
    if (RegOpenKeyExW(state_->root, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
    // An empty name would stand for the root itself.
    if (key.empty()) return false;
    return RegDeleteKeyW(state_->root, Wide(key).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return state_->key &&
           RegQueryValueExW(state_->key, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// String values are held as UTF-16 and may lack their terminating null.
std::string TRegistry::ReadString(const std::string& name) const {
    const std::optional<TRegistryValue> value = ReadValue(name);
    if (!value || (value->Type != REG_SZ && value->Type != REG_EXPAND_SZ)) return std::string();
    std::wstring text(value->Data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), value->Data.data(), text.size() * sizeof(wchar_t));
    return Utf8Of(text.c_str());  // up to the first null
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    const std::wstring text = Wide(value);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
    WriteValue(name, {REG_SZ, std::vector<uint8_t>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))});
}

void TRegistry::WriteInteger(const std::string& name, uint32_t value) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
    WriteValue(name, {REG_DWORD, std::vector<uint8_t>(bytes, bytes + sizeof value)});
}

void TRegistry::WriteValue(const std::string& name, const TRegistryValue& value) {
    const LONG result = state_->key ? RegSetValueExW(state_->key, Wide(name).c_str(), 0, value.Type, value.Data.data(),
                                                     static_cast<DWORD>(value.Data.size()))
                                    : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS)
        throw ERegistryException(Format("Konnte Daten für '%s' nicht setzen", name.c_str()));
}

// The value's bytes as the wide calls give them: strings in UTF-16. A value
// that grows between the two calls is asked for again.
std::optional<TRegistryValue> TRegistry::ReadValue(const std::string& name) const {
    if (!state_->key) return std::nullopt;
    const std::wstring wideName = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(state_->key, wideName.c_str(), nullptr, &type, nullptr, &size);
    TRegistryValue value;
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        value.Data.resize(size);
        result = RegQueryValueExW(state_->key, wideName.c_str(), nullptr, &type, value.Data.data(), &size);
        if (result == ERROR_SUCCESS) {
            value.Type = type;
            value.Data.resize(size);
            return value;
        }
    }
    return std::nullopt;
}

bool TRegistry::DeleteValue(const std::string& name) {
    return state_->key && RegDeleteValueW(state_->key, Wide(name).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::Flush() { return state_->key && RegFlushKey(state_->key) == ERROR_SUCCESS; }

}  // namespace platform
