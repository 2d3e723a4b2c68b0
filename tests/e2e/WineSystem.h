#pragma once
// What a Windows program left in the project's Wine prefix: files on its
// drive C:, values of its registry as 32-bit programs see it, and the
// programs still running in it.
#include <optional>
#include <string>

// The Unix path of a "C:\..." path of the prefix.
std::string UnixPathOfDriveC(const std::string& windowsPath);

// A string value of the registry as 32-bit programs see it; nothing when the
// key or value is missing. key starts with HKLM or HKCU.
std::optional<std::string> RegistryValue32(const std::string& key, const std::string& name);
void DeleteRegistryKey32(const std::string& key);
// Writes a string value, making the key when it is missing.
void SetRegistryValue32(const std::string& key, const std::string& name, const std::string& value);

// Ends every program of the prefix, those that a test's program started included.
void EndWinePrograms();
