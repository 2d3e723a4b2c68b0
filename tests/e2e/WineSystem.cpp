#include "tests/e2e/WineSystem.h"

#include <algorithm>
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

void EndWinePrograms() { RunProcess("WINEPREFIX=" + Quoted(WinePrefix()) + " wineserver -k"); }
