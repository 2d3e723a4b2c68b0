#pragma once
// What a Windows program left in the project's Wine prefix: files on its
// drive C:, values of its registry as 32-bit programs see it, and the
// programs still running in it; what its message boxes say; the drives and
// the temporary folder the prefix gives its programs.
#include <map>
#include <optional>
#include <set>
#include <string>

// The Unix path of a "C:\..." path of the prefix.
std::string UnixPathOfDriveC(const std::string& windowsPath);
// The Unix path of a path on any drive of the prefix ("K:\...").
std::string UnixPathOf(const std::string& windowsPath);

// A string value of the registry as 32-bit programs see it; nothing when the
// key or value is missing. key starts with HKLM or HKCU. Names and texts are
// exact, whatever the system's code page.
std::optional<std::string> RegistryValue32(const std::string& key, const std::string& name);
// The key's string values by name; empty when the key is missing.
std::map<std::string, std::string> RegistryValues32(const std::string& key);
// The names of the key's subkeys.
std::set<std::string> RegistrySubkeys32(const std::string& key);
void DeleteRegistryKey32(const std::string& key);
void SetRegistryValue32(const std::string& key, const std::string& name, const std::string& value);

// The text of the shown message box with this title; nothing when none shows.
std::optional<std::string> ShownBoxText(const std::string& title);
// The text of the first control of the class (such as "Edit") in the window
// with this title, exact in any code page; nothing when there is none.
std::optional<std::string> ShownWindowText(const std::string& title, const std::string& className);

// Gives the prefix a drive ("k:") that is the Unix folder, or takes it away again.
bool MapDrive(const std::string& drive, const std::string& unixFolder);
void UnmapDrive(const std::string& drive);

// The Windows user the prefix is made for and run as (KEL_WINEUSER, or the Unix user).
std::string WineUser();

// The Unix path of the user's temporary folder of the prefix, where Windows
// programs of the prefix make their temporary files.
std::string UnixTempFolder();

// Ends every program of the prefix, those that a test's program started included.
void EndWinePrograms();
// Starts Wine's session for the prefix with its desktop, when none runs,
// from this process. Wine starts the session's desktop and start-up programs
// in the process group of the first program that needs them; a test that
// then stopped that program's group would end them too, and the session
// would break under the next program it starts.
void StartWineSession();
// Ends every program of the prefix and starts Wine as after a restart of
// Windows, which carries out the replacements and removals asked for meanwhile.
void RestartWine();
