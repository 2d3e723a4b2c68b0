#pragma once
// Runs a command line through the system's shell and captures what it prints.
#include <string>

struct ProcessResult {
    int ExitCode = -1;
    std::string Out;  // standard output
    std::string Err;  // standard error
};

// The command line is passed to the shell as is; quote paths with Quoted().
ProcessResult RunProcess(const std::string& commandLine);
std::string Quoted(const std::string& path);
