#include "tests/e2e/WineSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/posix/NativePath.h"
#include "tests/e2e/Utf16Text.h"
#include "tests/e2e/WinePath.h"
#include "tests/support/RunProcess.h"
#include "tests/support/ScratchFolder.h"

namespace {

std::string WinePrefix() {
    const char* prefix = std::getenv("KEL_WINEPREFIX");
    return prefix && *prefix ? prefix : KEL_SOURCE_DIR "/.wine";
}

// Runs a program of the prefix through the project's Wine runner.
ProcessResult RunInWine(const std::string& arguments) {
    return RunProcess("bash " + Quoted(KEL_SOURCE_DIR "/scripts/wine-run.sh") + " " + arguments);
}

// The 32-bit registry tool sees the registry as the setup does.
const char* const kRegistryTool32 = "'C:\\windows\\syswow64\\reg.exe'";

bool SameAscii(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(x) == lower(y);
           });
}

// The quoted text that starts at line[at], its escapes undone; `at` moves past it.
std::string Unquoted(const std::string& line, size_t& at) {
    std::string text;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) {
            ++at;
            text += line[at] == 'n' ? '\n' : line[at] == '0' ? '\0' : line[at];
        } else {
            text += line[at];
        }
    }
    ++at;
    return text;
}

struct RegistryKey {
    std::map<std::string, std::string> Values;  // the string values
    std::set<std::string> Subkeys;
};

// The key, with its subkeys, as the 32-bit registry tool exports it: as
// UTF-16, so that names and texts come out exact, where its listing would
// pass them through the console's code page.
RegistryKey ExportedKey32(const std::string& key) {
    ScratchFolder scratch;
    const std::string file = platform::NativePath(scratch / "key.reg");
    RegistryKey found;
    if (RunInWine(std::string(kRegistryTool32) + " export " + Quoted(key) + " " + Quoted(WinePath(file)) + " /y")
            .ExitCode != 0)
        return found;
    const std::string bytes = ReadFile(file);
    std::istringstream lines(bytes.size() < 2 ? "" : Utf8OfUtf16(bytes, 2, bytes.size() / 2 - 1));
    std::string header = key;
    for (const auto& [shortName, longName] : {std::pair{"HKLM\\", "HKEY_LOCAL_MACHINE\\"}, {"HKCU\\", "HKEY_CURRENT_USER\\"}})
        if (header.rfind(shortName, 0) == 0) header = longName + header.substr(std::string(shortName).size());
    bool inKey = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with("[") && line.ends_with("]")) {
            const std::string section = line.substr(1, line.size() - 2);
            inKey = SameAscii(section, header);
            const std::string below = section.substr(0, std::min(section.size(), header.size() + 1));
            if (SameAscii(below, header + "\\") && section.find('\\', header.size() + 1) == std::string::npos)
                found.Subkeys.insert(section.substr(header.size() + 1));
        } else if (inKey && line.starts_with("\"")) {
            size_t at = 0;
            const std::string name = Unquoted(line, at);
            if (line.compare(at, 2, "=\"") == 0) found.Values[name] = Unquoted(line, ++at);
        }
    }
    return found;
}

}  // namespace

std::string UnixPathOfDriveC(const std::string& windowsPath) {
    std::string path = WinePrefix() + "/drive_c" + windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string UnixPathOf(const std::string& windowsPath) {
    std::string drive = windowsPath.substr(0, 2);
    std::transform(drive.begin(), drive.end(), drive.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    std::string path = WinePrefix() + "/dosdevices/" + drive + windowsPath.substr(2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The helper exits with 1 for a missing key or value; any other failure is
// Wine's own (a launch ended while a server of another locale went down), and
// the lookup is tried again rather than taken for "missing".
std::optional<std::string> RegistryValue32(const std::string& key, const std::string& name) {
    const std::string command =
        Quoted(KEL_WIN32_BUILD_DIR "/tests/win32/regvalue.exe") + " " + Quoted(key) + " " + Quoted(name);
    constexpr int kFound = 0, kMissing = 3;  // any other code is Wine failing to run the helper
    ProcessResult result = RunInWine(command);
    for (int retry = 0; retry < 3 && result.ExitCode != kFound && result.ExitCode != kMissing; ++retry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        result = RunInWine(command);
    }
    if (result.ExitCode != kFound) return std::nullopt;
    return result.Out;
}

std::map<std::string, std::string> RegistryValues32(const std::string& key) { return ExportedKey32(key).Values; }

std::set<std::string> RegistrySubkeys32(const std::string& key) { return ExportedKey32(key).Subkeys; }

void DeleteRegistryKey32(const std::string& key) {
    RunInWine(std::string(kRegistryTool32) + " delete " + Quoted(key) + " /f");
}

void SetRegistryValue32(const std::string& key, const std::string& name, const std::string& value) {
    RunInWine(std::string(kRegistryTool32) + " add " + Quoted(key) + " /v " + Quoted(name) + " /d " + Quoted(value) +
              " /f");
}

std::optional<std::string> ShownBoxText(const std::string& title) {
    const ProcessResult result = RunInWine(Quoted(KEL_WIN32_BUILD_DIR "/tests/win32/boxtext.exe") + " " + Quoted(title));
    if (result.ExitCode != 0) return std::nullopt;
    return result.Out;
}

std::optional<std::string> ShownWindowText(const std::string& title, const std::string& className) {
    const ProcessResult result = RunInWine(Quoted(KEL_WIN32_BUILD_DIR "/tests/win32/windowtext.exe") + " " +
                                           Quoted(title) + " " + Quoted(className));
    if (result.ExitCode != 0) return std::nullopt;
    return result.Out;
}

bool MapDrive(const std::string& drive, const std::string& unixFolder) {
    UnmapDrive(drive);
    return ::symlink(unixFolder.c_str(), (WinePrefix() + "/dosdevices/" + drive).c_str()) == 0;
}

void UnmapDrive(const std::string& drive) { ::unlink((WinePrefix() + "/dosdevices/" + drive).c_str()); }

// Wine names the prefix's user after the Unix user unless told otherwise.
std::string WineUser() {
    const char* named = std::getenv("KEL_WINEUSER");
    if (named && *named) return named;
    const passwd* user = ::getpwuid(::getuid());
    return user ? user->pw_name : "root";
}

std::string UnixTempFolder() { return WinePrefix() + "/drive_c/users/" + WineUser() + "/Temp"; }

void EndWinePrograms() {
    const std::string prefix = "WINEPREFIX=" + Quoted(WinePrefix());
    RunProcess(prefix + " wineserver -k; " + prefix + " wineserver -w");
}

void StartWineSession() { RunInWine(Quoted(KEL_WIN32_BUILD_DIR "/tests/win32/winesession.exe")); }

void RestartWine() {
    EndWinePrograms();
    const std::string prefix = "WINEPREFIX=" + Quoted(WinePrefix()) + " WINEDEBUG=-all";
    RunProcess(prefix + " wineboot -r; " + prefix + " wineserver -w");
}
