#include "tests/support/RunProcess.h"

#include <cstdio>

#include "platform/FileSystem.h"
#include "tests/support/ScratchFolder.h"

#ifdef _WIN32
#include "platform/win32/WideText.h"
#define pclose _pclose
#else
#include <sys/wait.h>

#include "platform/posix/NativePath.h"
#endif

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

namespace {

// Text output ends its lines with CR LF on Windows; tests compare plain lines.
std::string WithPlainLineEnds(std::string text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
    return plain;
}

}  // namespace

ProcessResult RunProcess(const std::string& commandLine) {
    ScratchFolder scratch;
    const std::string errFile = scratch / "stderr.txt";
#ifdef _WIN32
    // cmd.exe strips the outer quotes of a line that starts with one.
    const std::string line = "\"" + commandLine + " 2>" + Quoted(errFile) + "\"";
#else
    const std::string line = commandLine + " 2>" + Quoted(platform::NativePath(errFile));
#endif
    ProcessResult result;
#ifdef _WIN32
    // The wide call: the command line holds names in any script.
    std::FILE* pipe = _wpopen(platform::Wide(line).c_str(), L"r");
#else
    std::FILE* pipe = popen(line.c_str(), "r");
#endif
    if (!pipe) return result;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.Out.append(buffer, n);
    const int status = pclose(pipe);
#ifdef _WIN32
    result.ExitCode = status;
#else
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    if (platform::FileExists(errFile)) result.Err = WithPlainLineEnds(ReadFile(errFile));
    return result;
}
