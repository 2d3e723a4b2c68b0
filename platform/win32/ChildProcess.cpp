#include "platform/ChildProcess.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

namespace {

// One argument as the C runtime of the started program splits it again:
// quoted when it holds blanks or quotes, backslashes before a quote doubled.
std::string QuotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

class THandle {
public:
    HANDLE Value = nullptr;
    ~THandle() { Close(); }
    void Close() {
        if (Value) CloseHandle(Value);
        Value = nullptr;
    }
};

}  // namespace

std::optional<TChildResult> RunChildProcess(const std::vector<std::string>& commandLine) {
    if (commandLine.empty()) return std::nullopt;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    THandle read, write;
    if (!CreatePipe(&read.Value, &write.Value, &inheritable, 0) ||
        !SetHandleInformation(read.Value, HANDLE_FLAG_INHERIT, 0))
        return std::nullopt;
    std::string line;
    for (const std::string& argument : commandLine) {
        if (!line.empty()) line += ' ';
        line += QuotedArgument(argument);
    }
    std::wstring wideLine = Wide(line);  // the call may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = startup.hStdError = write.Value;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, wideLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &started))
        return std::nullopt;
    THandle process, thread;
    process.Value = started.hProcess;
    thread.Value = started.hThread;
    write.Close();  // the pipe ends when the started program's copy of the write end closes
    TChildResult result;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read.Value, buffer, sizeof buffer, &got, nullptr) && got > 0) result.Output.append(buffer, got);
    WaitForSingleObject(process.Value, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Value, &exitCode);
    result.ExitCode = static_cast<int>(exitCode);
    return result;
}

}  // namespace platform
