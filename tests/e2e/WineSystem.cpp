#include "tests/e2e/WineSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "tests/support/RunProcess.h"

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

std::optional<std::string> RegistryValue32(const std::string& key, const std::string& name) {
    const ProcessResult result = RunInWine(std::string(kRegistryTool32) + " query " + Quoted(key) + " /v " + Quoted(name));
    if (result.ExitCode != 0) return std::nullopt;
    // The value's line: four blanks, the name, four blanks, the type, four blanks, the data.
    std::istringstream lines(result.Out);
    const std::string head = "    " + name + "    REG_SZ    ";
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(head, 0) == 0) return line.substr(head.size());
    }
    return std::nullopt;
}

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

bool MapDrive(const std::string& drive, const std::string& unixFolder) {
    UnmapDrive(drive);
    return ::symlink(unixFolder.c_str(), (WinePrefix() + "/dosdevices/" + drive).c_str()) == 0;
}

void UnmapDrive(const std::string& drive) { ::unlink((WinePrefix() + "/dosdevices/" + drive).c_str()); }

// Wine names the prefix's user after the Unix user.
std::string UnixTempFolder() {
    const passwd* user = ::getpwuid(::getuid());
    return WinePrefix() + "/drive_c/users/" + (user ? user->pw_name : "root") + "/Temp";
}

void EndWinePrograms() { RunProcess("WINEPREFIX=" + Quoted(WinePrefix()) + " wineserver -k"); }
