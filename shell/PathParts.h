#pragma once
// The folder and file-name parts of a backslash-separated path.
#include <string>

// Everything up to and including the last "\" or ":"; empty when there is neither.
std::string ExtractFilePath(const std::string& path);
// Everything after the last "\" or ":"; the whole path when there is neither.
std::string ExtractFileName(const std::string& path);
